// Fixtures of the tests that start the real program on a private X server: ProgramTest holds the
// server (one per suite), a temporary home and a client connection to read windows with;
// DialogTest adds driving the program's windows by keyboard with xdotool.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/x11/x11_harness.h"
#include "platform/temp_dir.h"

namespace orb::x11test {

// Bounds for waits on the program's windows: one to appear (a start on a two-core machine busy
// with builds), one to go away after the key that closes it.
inline constexpr std::chrono::milliseconds kWindowAppears = std::chrono::seconds(20);
inline constexpr std::chrono::milliseconds kWindowGoes = std::chrono::seconds(5);

class ProgramTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { server = new XvfbServer; }
    static void TearDownTestSuite() { delete server, server = nullptr; }
    // Skips the test when Xvfb cannot start; makes the run folder the program's sockets go in.
    void SetUp() override;
    // Starts orbelune on the suite's server with the test's home; env as for Program.
    std::unique_ptr<Program> Start(const std::vector<std::string>& args,
                                   const std::vector<std::string>& env = {}) {
        return std::make_unique<Program>(server->Display(), home.Path(), args, env);
    }
    // The settings file the program reads and writes in the test's home.
    std::string SettingsFile() const { return home.Path() + "/config/orbelune/orbelune.ini"; }

    static inline XvfbServer* server = nullptr; // the suite's server
    test::TempDir home;                         // XDG config and runtime folders of the program
    std::unique_ptr<XClient> x;                 // reads the server's windows
};

class DialogTest : public ProgramTest {
  protected:
    // seenWelcome: the program starts as a user who has seen the Welcome window, so the window
    // asked for is the first to appear; otherwise as a first-time user.
    explicit DialogTest(bool seenWelcome = true) : seenWelcome_(seenWelcome) {}
    // Skips the test when xdotool is not installed as well.
    void SetUp() override;
    // Writes the settings of a user who has seen the Welcome window, followed by `more` (INI text).
    void SeenWelcome(const std::string& more = {});
    // Runs xdotool against the suite's display.
    void Xdotool(const std::string& args);
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
    void Key(uint32_t window, const std::string& keys);
    // Focuses the window, then types the text.
    void Type(uint32_t window, const std::string& text);

  private:
    bool seenWelcome_; // seed the settings of a user who has seen the Welcome window
};

} // namespace orb::x11test
