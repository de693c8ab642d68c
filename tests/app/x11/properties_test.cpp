// The settings dialog as the real program shows it on a private X server, driven with xdotool:
// one window however often it is asked for, Alt+A saves and ends, Escape ends without writing.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/x11/x11_harness.h"
#include "platform/temp_dir.h"

namespace orb::x11test {
namespace {

using namespace std::chrono_literals;

constexpr auto kStartUp = 20s; // a start on a two-core machine busy with builds
constexpr auto kPromptly = 3s;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class PropertiesWindowTest : public ::testing::Test {
  protected:
    static constexpr const char* kWelcomed = "[SOFTWARE\\Brightquill\\ZEFO_Orbis\\General]\nResetSettings=1\n";
    static inline XvfbServer* server = nullptr;
    test::TempDir home;
    // A connection held for the test's length: when its last client leaves, the server resets,
    // and a program starting during the reset cannot connect.
    std::unique_ptr<XClient> holder;

    static void SetUpTestSuite() { server = new XvfbServer; }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    void SetUp() override {
        if (server->Display().empty()) GTEST_SKIP() << "Xvfb is not available";
        if (std::system("command -v xdotool >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "xdotool is not installed";
        ::mkdir((home.Path() + "/run").c_str(), 0700);
        // A user who has seen the Welcome window: the dialog is the first window to appear.
        ::mkdir((home.Path() + "/config").c_str(), 0700);
        ::mkdir((home.Path() + "/config/orbelune").c_str(), 0700);
        std::ofstream(SettingsFile()) << kWelcomed;
        holder = std::make_unique<XClient>(server->Display());
        ASSERT_TRUE(holder->Ok());
    }
    std::unique_ptr<Program> Start(const std::vector<std::string>& args) {
        return std::make_unique<Program>(server->Display(), home.Path(), args);
    }
    std::string SettingsFile() const { return home.Path() + "/config/orbelune/orbelune.ini"; }

    // Output lines of xdotool run against the test's display.
    std::vector<std::string> Xdotool(const std::string& args) {
        const std::string cmd = "DISPLAY=" + server->Display() + " xdotool " + args + " 2>/dev/null";
        std::vector<std::string> lines;
        if (FILE* p = ::popen(cmd.c_str(), "r")) {
            char buf[256];
            while (std::fgets(buf, sizeof buf, p)) {
                std::string line(buf);
                while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
                    line.pop_back();
                if (!line.empty()) lines.push_back(line);
            }
            ::pclose(p);
        }
        return lines;
    }
    std::vector<std::string> DialogWindows() {
        return Xdotool("search --onlyvisible --name '^Galaxy Properties$'");
    }
    // Waits for exactly one dialog window and gives it the keyboard focus.
    std::string FocusedDialog() {
        EXPECT_TRUE(WaitUntil([&] { return DialogWindows().size() == 1; }, kStartUp))
            << DialogWindows().size() << " dialog windows";
        const std::vector<std::string> w = DialogWindows();
        if (w.size() != 1) return {};
        Xdotool("windowfocus --sync " + w[0]);
        return w[0];
    }
    void Key(const std::string& window, const std::string& keys) {
        Xdotool("windowfocus --sync " + window);
        Xdotool("key --clearmodifiers " + keys);
    }
};

TEST_F(PropertiesWindowTest, ConfigShowsOneDialogAndASecondStartLeavesItAtOne) {
    auto first = Start({"--config"});
    const std::string w = FocusedDialog();
    ASSERT_FALSE(w.empty());
    auto second = Start({"--config"});
    EXPECT_EQ(second->WaitExit(kStartUp), 0) << "the second start does not end";
    EXPECT_EQ(DialogWindows().size(), 1u);
    EXPECT_FALSE(first->WaitExit(100ms).has_value()) << "the first dialog went away";
    Key(w, "Escape");
    EXPECT_EQ(first->WaitExit(kPromptly), 0);
}

TEST_F(PropertiesWindowTest, AltASavesAndEnds) {
    auto program = Start({"/C"});
    const std::string w = FocusedDialog();
    ASSERT_FALSE(w.empty());
    Key(w, "alt+a");
    EXPECT_EQ(program->WaitExit(kPromptly), 0);
    const std::string settings = ReadFile(SettingsFile());
    EXPECT_NE(settings.find("AnimationType=0"), std::string::npos) << settings.substr(0, 400);
    EXPECT_NE(settings.find("Universe_Stars=4000"), std::string::npos) << "the factory set was saved";
}

TEST_F(PropertiesWindowTest, EscapeEndsWithoutWritingAByte) {
    {
        auto program = Start({"--config"});
        const std::string w = FocusedDialog();
        ASSERT_FALSE(w.empty());
        Key(w, "alt+a");
        ASSERT_EQ(program->WaitExit(kPromptly), 0);
    }
    const std::string before = ReadFile(SettingsFile());
    ASSERT_FALSE(before.empty());
    auto program = Start({}); // no argument: the dialog too
    const std::string w = FocusedDialog();
    ASSERT_FALSE(w.empty()) << "exit status " << program->WaitExit(0ms).value_or(-1);
    Key(w, "Escape");
    EXPECT_EQ(program->WaitExit(kPromptly), 0);
    EXPECT_EQ(ReadFile(SettingsFile()), before);
}

TEST_F(PropertiesWindowTest, TheApplicationWindowOpensTheDialogAndEndsWithItsExit) {
    std::ofstream(SettingsFile()) << kWelcomed
                                  << "[SOFTWARE\\Brightquill\\ZEFO_Orbis\\Advanced]\nAdv_WinResize=1\n";
    auto program = Start({"--window"});
    std::vector<std::string> screen;
    ASSERT_TRUE(WaitUntil(
        [&] {
            screen = Xdotool("search --onlyvisible --name '^ZEFO:Orbelune 3.0$'");
            return screen.size() == 1;
        },
        kStartUp))
        << screen.size() << " windows";
    Key(screen[0], "x");
    std::string w = FocusedDialog();
    ASSERT_FALSE(w.empty()) << "a key opens the dialog";
    Key(w, "Escape");
    EXPECT_TRUE(WaitUntil([&] { return DialogWindows().empty(); }, kPromptly));
    EXPECT_FALSE(program->WaitExit(200ms).has_value()) << "Escape in the dialog ends only the dialog";
    Key(screen[0], "x");
    w = FocusedDialog();
    ASSERT_FALSE(w.empty());
    Key(w, "alt+f");
    Xdotool("key --clearmodifiers x"); // E&xit
    EXPECT_EQ(program->WaitExit(kPromptly), 0) << "File > Exit ends the program";
}

} // namespace
} // namespace orb::x11test
