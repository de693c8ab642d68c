// The settings dialog's File and Edit menus on a private X server, driven by keyboard with
// xdotool: Save Template As writes a template, Advanced Settings reaches the settings file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "app/x11/x11_harness.h"
#include "platform/temp_dir.h"

namespace orb::x11test {
namespace {

using namespace std::chrono_literals;

constexpr auto kStartUp = 10s;
constexpr auto kPromptly = 5s;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class DialogMenusTest : public ::testing::Test {
  protected:
    static inline XvfbServer* server = nullptr;
    test::TempDir home;

    static void SetUpTestSuite() {
        server = new XvfbServer;
        // A client can talk to the server before the program is started against it.
        if (!server->Display().empty())
            WaitUntil([] { return XClient(server->Display()).Ok(); }, std::chrono::seconds(5));
    }
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
        std::ofstream(SettingsFile()) << "[SOFTWARE\\Brightquill\\ZEFO_Orbis\\General]\nResetSettings=1\n";
    }
    std::unique_ptr<Program> Start() {
        return std::make_unique<Program>(server->Display(), home.Path(),
                                         std::vector<std::string>{"--config"});
    }
    std::string SettingsFile() const { return home.Path() + "/config/orbelune/orbelune.ini"; }

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
    // The one visible window with exactly this caption, focused; empty when it did not appear.
    std::string Window(const std::string& caption) {
        std::vector<std::string> found;
        WaitUntil(
            [&] {
                found = Xdotool("search --onlyvisible --name '^" + caption + "$'");
                return found.size() == 1;
            },
            kStartUp);
        if (found.size() != 1) return {};
        Xdotool("windowfocus --sync " + found[0]);
        return found[0];
    }
    bool Gone(const std::string& caption) {
        return WaitUntil([&] { return Xdotool("search --onlyvisible --name '^" + caption + "$'").empty(); },
                         kPromptly);
    }
    void Key(const std::string& window, const std::string& keys) {
        Xdotool("windowfocus --sync " + window);
        Xdotool("key --clearmodifiers --delay 60 " + keys);
    }
    void Type(const std::string& window, const std::string& text) {
        Xdotool("windowfocus --sync " + window);
        Xdotool("type --clearmodifiers --delay 20 '" + text + "'");
    }
};

TEST_F(DialogMenusTest, SaveTemplateAsByKeyboardWritesEveryGalaxyType) {
    auto program = Start();
    const std::string props = Window("Galaxy Properties");
    ASSERT_FALSE(props.empty());
    Key(props, "alt+f a"); // File > Save Template As...
    const std::string chooser = Window("Enter or Select Template to Save");
    ASSERT_FALSE(chooser.empty());
    const std::string path = home.Path() + "/kept";
    Key(chooser, "ctrl+a");
    Type(chooser, path);
    Key(chooser, "Return");
    ASSERT_TRUE(Gone("Enter or Select Template to Save"));
    ASSERT_TRUE(WaitUntil([&] { return !ReadFile(path + ".orb").empty(); }, kPromptly));
    const std::string text = ReadFile(path + ".orb");
    std::set<std::string> sections;
    const std::regex section(R"(\[UniGal(\d+)\])");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), section); it != std::sregex_iterator();
         ++it)
        sections.insert((*it)[1]);
    EXPECT_EQ(sections.size(), 32u) << text.substr(0, 300);
    EXPECT_NE(text.find("[CompGal15]"), std::string::npos);
    Key(props, "Escape");
    EXPECT_EQ(program->WaitExit(kPromptly), 0);
}

TEST_F(DialogMenusTest, AdvancedDelayReachesTheSettingsFileOnAccept) {
    auto program = Start();
    const std::string props = Window("Galaxy Properties");
    ASSERT_FALSE(props.empty());
    Key(props, "alt+e a"); // Edit > Advanced Settings...
    const std::string advanced = Window("Advanced Settings");
    ASSERT_FALSE(advanced.empty());
    Key(advanced, "alt+l"); // the delay box, its text selected
    Type(advanced, "250");
    Key(advanced, "Return"); // OK
    ASSERT_TRUE(Gone("Advanced Settings"));
    Key(props, "alt+a"); // Accept
    EXPECT_EQ(program->WaitExit(kPromptly), 0);
    const std::string settings = ReadFile(SettingsFile());
    EXPECT_NE(settings.find("Adv_TimeDelay=250"), std::string::npos) << settings.substr(0, 600);
}

} // namespace
} // namespace orb::x11test
