#include "app/x11/x11_fixture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

namespace orb::x11test {

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

Program::Program(const std::string& display, const std::string& home, const std::vector<std::string>& args,
                 const std::vector<std::string>& env)
    : pid_(::fork()) {
    if (pid_ != 0) return;
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "XSCREENSAVER_WINDOW"})
        ::unsetenv(name);
    ::setenv("DISPLAY", display.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", (home + "/run").c_str(), 1);
    for (const std::string& e : env)
        ::putenv(::strdup(e.c_str()));
    std::vector<char*> argv{const_cast<char*>(ORBELUNE_PROGRAM)};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::dup2(::open("/dev/null", O_WRONLY), 1);
    ::execv(argv[0], argv.data());
    ::_exit(127);
}

Program::~Program() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
}

std::optional<int> Program::WaitExit(std::chrono::milliseconds timeout) {
    std::optional<int> status;
    WaitUntil(
        [&] {
            int s = 0;
            if (pid_ <= 0 || ::waitpid(pid_, &s, WNOHANG) != pid_) return false;
            pid_ = -1;
            status = WIFEXITED(s) ? WEXITSTATUS(s) : 128 + WTERMSIG(s);
            return true;
        },
        timeout);
    return status;
}

void ProgramTest::SetUp() {
    if (server->Display().empty()) GTEST_SKIP() << "Xvfb is not available";
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "xdotool is not installed";
    ::mkdir((home.Path() + "/run").c_str(), 0700);
    x = std::make_unique<XClient>(server->Display());
    ASSERT_TRUE(x->Ok());
    std::filesystem::create_directories(std::filesystem::path(SettingsFile()).parent_path());
    std::ofstream(SettingsFile()) << "[SOFTWARE\\Brightquill\\ZEFO_Orbis\\General]\nResetSettings=1\n";
}

uint32_t ProgramTest::Window(const std::string& caption, std::chrono::milliseconds timeout) {
    std::vector<uint32_t> found;
    WaitUntil([&] { return (found = Windows(caption)).size() == 1; }, timeout);
    if (found.size() != 1) return 0;
    Xdotool(found[0], {});
    return found[0];
}

void ProgramTest::Xdotool(uint32_t window, const std::string& args) {
    std::string cmd = "DISPLAY=" + server->Display() + " xdotool windowfocus --sync " + std::to_string(window);
    if (!args.empty()) cmd += " " + args;
    [[maybe_unused]] const int status = std::system((cmd + " >/dev/null 2>&1").c_str());
}

} // namespace orb::x11test
