// A private Xvfb server on a display number of its own choosing, for tests of X11 code.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

namespace orb::test {

class XvfbServer {
  public:
    // extra: more arguments for Xvfb ("-extension", "MIT-SHM" takes that one away). Returns once
    // the server accepts connections; Display() is empty when it could not start.
    explicit XvfbServer(const std::vector<std::string>& extra = {}) {
        int fds[2];
        if (::pipe(fds) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            const int devnull = ::open("/dev/null", O_WRONLY);
            ::dup2(devnull, 1);
            ::dup2(devnull, 2);
            // -noreset: the server would otherwise reset when its last client leaves, refusing
            // the next connections for a moment.
            std::vector<std::string> args{"Xvfb",      "-displayfd", std::to_string(fds[1]),
                                          "-screen",   "0",          "640x480x24",
                                          "-nolisten", "tcp",        "-noreset"};
            args.insert(args.end(), extra.begin(), extra.end());
            std::vector<char*> argv;
            for (std::string& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execvp("Xvfb", argv.data());
            ::_exit(127);
        }
        ::close(fds[1]);
        char buf[32] = {};
        const ssize_t n = pid_ > 0 ? ::read(fds[0], buf, sizeof buf - 1) : -1; // written when ready
        displayFd_ = fds[0]; // kept open: a server that writes to a closed pipe dies of SIGPIPE
        if (n > 0) display_ = ":" + std::string(buf, std::strcspn(buf, "\n"));
    }
    ~XvfbServer() {
        if (displayFd_ >= 0) ::close(displayFd_);
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;
    const std::string& Display() const { return display_; }

  private:
    pid_t pid_ = -1;      // the server process
    int displayFd_ = -1;  // read end of the pipe the server announced its display on
    std::string display_; // ":N"
};

} // namespace orb::test
