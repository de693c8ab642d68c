// The real program as a child process with its settings and sockets in a temporary home, on a
// private Xvfb server (one per suite), driven by keyboard with xdotool. The program shows things
// seconds after it was asked on a busy machine: a test waits (WaitUntil, bounded) for exactly the
// state it asserts on, read from the server, never for a guessed time or a stand-in that comes
// first (the instance socket exists before the window is mapped); a state that must not appear
// is checked after a positive one that comes later in the same run.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <thread>

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
inline bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// The program under test in a child process, killed and reaped should it still run at the end.
class Program {
  public:
    // Starts orbelune with args; env entries "NAME=value" are added to the environment.
    Program(const std::string& display, const std::string& home, const std::vector<std::string>& args,
            const std::vector<std::string>& env = {})
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
    ~Program() {
        if (pid_ > 0) ::kill(pid_, SIGKILL), ::waitpid(pid_, nullptr, 0);
    }
    // Waits for the exit; the exit status, or nothing when it has not ended in time.
    std::optional<int> WaitExit(std::chrono::milliseconds timeout) {
        int s = 0;
        if (!WaitUntil([&] { return pid_ > 0 && ::waitpid(pid_, &s, WNOHANG) == pid_; }, timeout)) return {};
        pid_ = -1;
        return WIFEXITED(s) ? WEXITSTATUS(s) : 128 + WTERMSIG(s);
    }
    bool Signal(int signal) const { return pid_ > 0 && ::kill(pid_, signal) == 0; }

  private:
    pid_t pid_; // the child, -1 once reaped
};

class ProgramTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { server = new XvfbServer; }
    static void TearDownTestSuite() { delete server, server = nullptr; }
    // Skips the test when Xvfb or xdotool is missing; makes the run folder the program's sockets
    // go in and the settings of a user who has seen the Welcome window, so that the window asked
    // for is the first to appear.
    void SetUp() override {
        if (server->Display().empty()) GTEST_SKIP() << "Xvfb is not available";
        if (std::system("command -v xdotool >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "xdotool is not installed";
        ::mkdir((home.Path() + "/run").c_str(), 0700);
        x = std::make_unique<XClient>(server->Display());
        ASSERT_TRUE(x->Ok());
        std::filesystem::create_directories(std::filesystem::path(SettingsFile()).parent_path());
        std::ofstream(SettingsFile()) << "[SOFTWARE\\Brightquill\\ZEFO_Orbis\\General]\nResetSettings=1\n";
    }
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
    uint32_t Window(const std::string& caption, std::chrono::milliseconds timeout = kWindowAppears) {
        std::vector<uint32_t> found;
        if (!WaitUntil([&] { return (found = Windows(caption)).size() == 1; }, timeout)) return 0;
        Xdotool(found[0], {});
        return found[0];
    }
    // Waits until no window is captioned `caption`; false when one still is.
    bool Gone(const std::string& caption, std::chrono::milliseconds timeout = kWindowGoes) {
        return WaitUntil([&] { return Windows(caption).empty(); }, timeout);
    }
    // Focuses the window, then presses the keys (xdotool key names, separated by spaces).
    void Key(uint32_t window, const std::string& keys) {
        Xdotool(window, "key --clearmodifiers --delay 60 " + keys);
    }
    // Focuses the window, then types the text.
    void Type(uint32_t window, const std::string& text) {
        Xdotool(window, "type --clearmodifiers --delay 20 '" + text + "'");
    }

    static inline XvfbServer* server = nullptr; // the suite's server
    test::TempDir home;                         // XDG config and runtime folders of the program
    std::unique_ptr<XClient> x;                 // reads the server's windows

  private:
    // Focuses the window, then runs xdotool with args (if any) against the suite's display.
    void Xdotool(uint32_t window, const std::string& args) {
        const std::string cmd = "DISPLAY=" + server->Display() + " xdotool windowfocus --sync " +
                                std::to_string(window) + " " + args + " >/dev/null 2>&1";
        [[maybe_unused]] const int status = std::system(cmd.c_str());
    }
};

} // namespace orb::x11test
