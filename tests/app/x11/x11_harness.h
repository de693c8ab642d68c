// A private Xvfb server for the tests, an X client to make host windows and read their pixels,
// and the orbelune program started as a child process with its settings and sockets in a
// temporary folder.
#pragma once

#include <signal.h>
#include <sys/types.h>
#include <xcb/xcb.h>

#include <chrono>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace orb::x11test {

// Xvfb on a display number of its own choosing; Display() is empty when it could not start.
class XvfbServer {
  public:
    XvfbServer();
    ~XvfbServer();
    const std::string& Display() const { return display_; }

  private:
    pid_t pid_ = -1;      // the server process
    int displayFd_ = -1;  // read end of the pipe the server announced its display on
    std::string display_; // ":N"
};

// A client connection with the few requests the tests make.
class XClient {
  public:
    explicit XClient(const std::string& display);
    ~XClient();
    bool Ok() const { return conn_ != nullptr; }
    // A mapped top-level window of the root's depth, black.
    uint32_t CreateHost(int width, int height);
    void Destroy(uint32_t window);
    void Resize(uint32_t window, int width, int height);
    // Pixels of the window (and the children drawn in it) that are not black.
    int LitPixels(uint32_t window);
    // Sizes of the window's children.
    std::vector<std::pair<int, int>> ChildSizes(uint32_t window);
    // The viewable children of the root window.
    std::set<uint32_t> ViewableTopLevels();

  private:
    xcb_connection_t* conn_ = nullptr; // null when the display is out of reach
    xcb_screen_t* screen_ = nullptr;   // the default screen
};

// The program under test in a child process.
class Program {
  public:
    // Starts orbelune with args; env entries "NAME=value" are added to the environment.
    Program(const std::string& display, const std::string& home, const std::vector<std::string>& args,
            const std::vector<std::string>& env = {});
    ~Program(); // kills and reaps a child still running
    pid_t Pid() const { return pid_; }
    // Waits for the exit; the exit status, or nothing when it has not ended in time.
    std::optional<int> WaitExit(std::chrono::milliseconds timeout);
    bool Signal(int signal) const { return pid_ > 0 && ::kill(pid_, signal) == 0; }

  private:
    pid_t pid_ = -1; // the child, -1 once reaped
};

// Polls the condition every 20 ms until it holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

// Processes whose parent is this process.
std::vector<pid_t> Children();

} // namespace orb::x11test
