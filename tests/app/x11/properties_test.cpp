// The settings dialog as the real program shows it on a private X server, driven with xdotool:
// one window however often it is asked for, Alt+A saves and ends, Escape ends without writing.
#include "app/x11/x11_fixture.h"

namespace orb::x11test {
namespace {

using namespace std::chrono_literals;

constexpr auto kPromptly = 3s;

class PropertiesWindowTest : public DialogTest {
  protected:
    std::vector<uint32_t> DialogWindows() { return Windows("Galaxy Properties"); }
    // Waits for exactly one dialog window and gives it the keyboard focus.
    uint32_t FocusedDialog() {
        const uint32_t w = Window("Galaxy Properties");
        EXPECT_NE(w, 0u) << DialogWindows().size() << " dialog windows";
        return w;
    }
};

TEST_F(PropertiesWindowTest, ConfigShowsOneDialogAndASecondStartLeavesItAtOne) {
    auto first = Start({"--config"});
    const uint32_t w = FocusedDialog();
    ASSERT_NE(w, 0u);
    auto second = Start({"--config"});
    EXPECT_EQ(second->WaitExit(kWindowAppears), 0) << "the second start does not end";
    EXPECT_EQ(DialogWindows().size(), 1u);
    EXPECT_FALSE(first->WaitExit(100ms).has_value()) << "the first dialog went away";
    Key(w, "Escape");
    EXPECT_EQ(first->WaitExit(kPromptly), 0);
}

TEST_F(PropertiesWindowTest, AltASavesAndEndsAndEscapeEndsWithoutWritingAByte) {
    {
        auto program = Start({"/C"});
        const uint32_t w = FocusedDialog();
        ASSERT_NE(w, 0u);
        Key(w, "alt+a");
        ASSERT_EQ(program->WaitExit(kPromptly), 0);
    }
    const std::string before = test::ReadAll(SettingsFile());
    EXPECT_NE(before.find("AnimationType=0"), std::string::npos) << before.substr(0, 400);
    EXPECT_NE(before.find("Universe_Stars=4000"), std::string::npos) << "the factory set was saved";
    auto program = Start({}); // no argument: the dialog too
    const uint32_t w = FocusedDialog();
    ASSERT_NE(w, 0u) << "exit status " << program->WaitExit(0ms).value_or(-1);
    Key(w, "Escape");
    EXPECT_EQ(program->WaitExit(kPromptly), 0);
    EXPECT_EQ(test::ReadAll(SettingsFile()), before);
}

} // namespace
} // namespace orb::x11test
