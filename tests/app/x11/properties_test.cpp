// The settings dialog as the real program shows it on a private X server, driven by keyboard with
// xdotool: one window however often it is asked for, its menus, Alt+A saves and ends, Escape ends
// without writing.
#include "app/x11/x11_fixture.h"

namespace orb::x11test {
namespace {

using namespace std::chrono_literals;

constexpr auto kPromptly = 5s;

using PropertiesWindowTest = ProgramTest;

TEST_F(PropertiesWindowTest, OneDialogForTwoStartsItsMenusByKeyboardAltASavesAndEscapeWritesNothing) {
    auto program = Start({"/C"});
    const uint32_t props = Window("Galaxy Properties");
    ASSERT_NE(props, 0u);
    Key(props, "alt+f a"); // File > Save Template As...
    const uint32_t chooser = Window("Enter or Select Template to Save");
    ASSERT_NE(chooser, 0u);
    const std::string path = home.Path() + "/kept";
    Key(chooser, "ctrl+a");
    Type(chooser, path);
    Key(chooser, "Return");
    ASSERT_TRUE(Gone("Enter or Select Template to Save"));
    EXPECT_TRUE(WaitUntil(
        [&] { return test::ReadAll(path + ".orb").find("[CompGal15]") != std::string::npos; }, kPromptly))
        << "the template, down to its last section";

    Key(props, "alt+e a"); // Edit > Advanced Settings...
    const uint32_t advanced = Window("Advanced Settings");
    ASSERT_NE(advanced, 0u);
    Key(advanced, "alt+l"); // the delay box, its text selected
    Type(advanced, "250");
    Key(advanced, "Return"); // OK
    ASSERT_TRUE(Gone("Advanced Settings"));
    Key(props, "alt+a"); // Accept
    ASSERT_EQ(program->WaitExit(kPromptly), 0);
    const std::string saved = test::ReadAll(SettingsFile());
    for (const char* line : {"Adv_TimeDelay=250", "AnimationType=0", "Universe_Stars=4000"})
        EXPECT_NE(saved.find(line), std::string::npos) << line << " in " << saved.substr(0, 600);

    program = Start({}); // no argument: the dialog too
    const uint32_t again = Window("Galaxy Properties");
    ASSERT_NE(again, 0u) << "exit status " << program->WaitExit(0ms).value_or(-1);
    // A second start while the dialog is open brings it to the front and ends, last: the dialog
    // taking the focus would take it from any window opened after.
    EXPECT_EQ(Start({"--config"})->WaitExit(kWindowAppears), 0) << "the second start does not end";
    EXPECT_EQ(Windows("Galaxy Properties").size(), 1u);
    EXPECT_FALSE(program->WaitExit(100ms).has_value()) << "the first dialog went away";
    Key(again, "Escape");
    EXPECT_EQ(program->WaitExit(kPromptly), 0);
    EXPECT_EQ(test::ReadAll(SettingsFile()), saved);
}

} // namespace
} // namespace orb::x11test
