#include "app/x11/x11_fixture.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace orb::x11test {

void ProgramTest::SetUp() {
    if (server->Display().empty()) GTEST_SKIP() << "Xvfb is not available";
    ::mkdir((home.Path() + "/run").c_str(), 0700);
    x = std::make_unique<XClient>(server->Display());
    ASSERT_TRUE(x->Ok());
}

void DialogTest::SetUp() {
    ProgramTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "xdotool is not installed";
    if (seenWelcome_) SeenWelcome();
}

void DialogTest::SeenWelcome(const std::string& more) {
    std::filesystem::create_directories(std::filesystem::path(SettingsFile()).parent_path());
    std::ofstream(SettingsFile()) << "[SOFTWARE\\Brightquill\\ZEFO_Orbis\\General]\nResetSettings=1\n"
                                  << more;
}

void DialogTest::Xdotool(const std::string& args) {
    const std::string cmd = "DISPLAY=" + server->Display() + " xdotool " + args + " >/dev/null 2>&1";
    [[maybe_unused]] const int status = std::system(cmd.c_str());
}

uint32_t DialogTest::Window(const std::string& caption, std::chrono::milliseconds timeout) {
    std::vector<uint32_t> found;
    WaitUntil(
        [&] {
            found = Windows(caption);
            return found.size() == 1;
        },
        timeout);
    if (found.size() != 1) return 0;
    Xdotool("windowfocus --sync " + std::to_string(found[0]));
    return found[0];
}

void DialogTest::Key(uint32_t window, const std::string& keys) {
    Xdotool("windowfocus --sync " + std::to_string(window));
    Xdotool("key --clearmodifiers --delay 60 " + keys);
}

void DialogTest::Type(uint32_t window, const std::string& text) {
    Xdotool("windowfocus --sync " + std::to_string(window));
    Xdotool("type --clearmodifiers --delay 20 '" + text + "'");
}

} // namespace orb::x11test
