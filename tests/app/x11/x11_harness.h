// An X client to make host windows and read their pixels, and the orbelune program started as a
// child process with its settings and sockets in a temporary folder, on a private Xvfb server.
//
// The program shows things some time after it was started or asked, seconds on a busy machine.
// A test waits (WaitUntil, bounded) for exactly the state it then asserts on, read from the
// server, never for a guessed time or a stand-in that merely comes first (the instance socket
// exists before the window is mapped). A state that must not appear is checked after a positive
// one that comes later in the same run. CreateHost, Destroy and Resize return after a round trip.
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

#include "helpers/xvfb_server.h"

namespace orb::x11test {

using test::XvfbServer;

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
    // The lit pixels of the first window below `window` (at any depth) sized width x height; -1
    // when there is none. A picture drawn in a child window of its own is found by its size.
    int LitInChildSized(uint32_t window, int width, int height);
    // Sizes of the window's children.
    std::vector<std::pair<int, int>> ChildSizes(uint32_t window);
    // The viewable children of the root window.
    std::set<uint32_t> ViewableTopLevels();
    // The viewable top-level windows whose title (_NET_WM_NAME, else WM_NAME) is exactly caption.
    std::vector<uint32_t> ViewableTopLevelsNamed(const std::string& caption);
    // The window's title, empty when it has none or does not exist.
    std::string Title(uint32_t window);
    // The window's size, {0, 0} when it does not exist.
    std::pair<int, int> Size(uint32_t window);
    // The size of the default screen.
    std::pair<int, int> ScreenSize() const;
    // Returns once the server has handled every request sent so far.
    void Sync();

  private:
    // The window's children, bottom first; empty when it does not exist.
    std::vector<uint32_t> Children(uint32_t window);
    // Pixels that are not black in the window's width x height from its corner.
    int LitIn(uint32_t window, int width, int height);

    xcb_connection_t* conn_ = nullptr; // null when the display is out of reach
    xcb_screen_t* screen_ = nullptr;   // the default screen
    uint32_t netWmName_ = 0;           // the _NET_WM_NAME atom
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

// Polls the condition every 20 ms until it holds or the time is up; true when it held. It is
// checked once more after the time is up, so a late poll never misses a state that holds.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

} // namespace orb::x11test
