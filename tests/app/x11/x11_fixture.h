// The real program started as a child process, with its settings and sockets in a temporary home,
// on a private Xvfb server (one per suite), and driven by keyboard with xdotool.
//
// The program shows things some time after it was started or asked, seconds on a busy machine.
// A test waits (WaitUntil, bounded) for exactly the state it then asserts on, read from the
// server, never for a guessed time or a stand-in that merely comes first (the instance socket
// exists before the window is mapped). A state that must not appear is checked after a positive
// one that comes later in the same run.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "helpers/xvfb_server.h"
#include "platform/temp_dir.h"

namespace orb::x11test {

using test::XClient;
using test::XvfbServer;

// Bounds for waits on the program's windows: one to appear (a start on a two-core machine busy
// with builds), one to go away after the key that closes it.
inline constexpr std::chrono::milliseconds kWindowAppears = std::chrono::seconds(20);
inline constexpr std::chrono::milliseconds kWindowGoes = std::chrono::seconds(5);

// Polls the condition every 20 ms until it holds or the time is up; true when it held. It is
// checked once more after the time is up, so a late poll never misses a state that holds.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

// The program under test in a child process.
class Program {
  public:
    // Starts orbelune with args; env entries "NAME=value" are added to the environment.
    Program(const std::string& display, const std::string& home, const std::vector<std::string>& args,
            const std::vector<std::string>& env = {});
    ~Program(); // kills and reaps a child still running
    // Waits for the exit; the exit status, or nothing when it has not ended in time.
    std::optional<int> WaitExit(std::chrono::milliseconds timeout);
    bool Signal(int signal) const { return pid_ > 0 && ::kill(pid_, signal) == 0; }

  private:
    pid_t pid_ = -1; // the child, -1 once reaped
};

class ProgramTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { server = new XvfbServer; }
    static void TearDownTestSuite() { delete server, server = nullptr; }
    // Skips the test when Xvfb or xdotool is missing; makes the run folder the program's sockets
    // go in and the settings of a user who has seen the Welcome window, so that the window asked
    // for is the first to appear.
    void SetUp() override;
    // Starts orbelune on the suite's server with the test's home; env as for Program.
    std::unique_ptr<Program> Start(const std::vector<std::string>& args,
                                   const std::vector<std::string>& env = {}) {
        return std::make_unique<Program>(server->Display(), home.Path(), args, env);
    }
    // The settings file the program reads and writes in the test's home.
    std::string SettingsFile() const { return home.Path() + "/config/orbelune/orbelune.ini"; }

    // The viewable top-level windows captioned exactly `caption`.
    std::vector<uint32_t> Windows(const std::string& caption) { return x->ViewableTopLevelsNamed(caption); }
    // Waits for exactly one window captioned `caption` and gives it the keyboard focus; 0 when
    // there was not exactly one in time.
    uint32_t Window(const std::string& caption, std::chrono::milliseconds timeout = kWindowAppears);
    // Waits until no window is captioned `caption`; false when one still is.
    bool Gone(const std::string& caption, std::chrono::milliseconds timeout = kWindowGoes) {
        return WaitUntil([&] { return Windows(caption).empty(); }, timeout);
    }
    // Focuses the window, then presses the keys (xdotool key names, separated by spaces).
    void Key(uint32_t window, const std::string& keys) { Xdotool(window, "key --clearmodifiers --delay 60 " + keys); }
    // Focuses the window, then types the text.
    void Type(uint32_t window, const std::string& text) {
        Xdotool(window, "type --clearmodifiers --delay 20 '" + text + "'");
    }

    static inline XvfbServer* server = nullptr; // the suite's server
    test::TempDir home;                         // XDG config and runtime folders of the program
    std::unique_ptr<XClient> x;                 // reads the server's windows

  private:
    // Focuses the window, then runs xdotool with args against the suite's display.
    void Xdotool(uint32_t window, const std::string& args);
};

} // namespace orb::x11test
