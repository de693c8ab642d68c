// The settings dialog's File and Edit menus on a private X server, driven by keyboard with
// xdotool: Save Template As writes a template, Advanced Settings reaches the settings file.
#include "app/x11/x11_fixture.h"

namespace orb::x11test {
namespace {

using namespace std::chrono_literals;

constexpr auto kPromptly = 5s;

class DialogMenusTest : public DialogTest {
  protected:
    std::unique_ptr<Program> Start() { return DialogTest::Start({"--config"}); }
};

TEST_F(DialogMenusTest, SaveTemplateAsByKeyboardWritesATemplate) {
    auto program = Start();
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
    ASSERT_TRUE(WaitUntil([&] { return !test::ReadAll(path + ".orb").empty(); }, kPromptly));
    const std::string text = test::ReadAll(path + ".orb");
    EXPECT_NE(text.find("[UniGal0]"), std::string::npos);
    EXPECT_NE(text.find("[UniGal31]"), std::string::npos) << text.substr(0, 300);
    EXPECT_NE(text.find("[CompGal15]"), std::string::npos);
    Key(props, "Escape");
    EXPECT_EQ(program->WaitExit(kPromptly), 0);
}

TEST_F(DialogMenusTest, AdvancedDelayReachesTheSettingsFileOnAccept) {
    auto program = Start();
    const uint32_t props = Window("Galaxy Properties");
    ASSERT_NE(props, 0u);
    Key(props, "alt+e a"); // Edit > Advanced Settings...
    const uint32_t advanced = Window("Advanced Settings");
    ASSERT_NE(advanced, 0u);
    Key(advanced, "alt+l"); // the delay box, its text selected
    Type(advanced, "250");
    Key(advanced, "Return"); // OK
    ASSERT_TRUE(Gone("Advanced Settings"));
    Key(props, "alt+a"); // Accept
    EXPECT_EQ(program->WaitExit(kPromptly), 0);
    const std::string settings = test::ReadAll(SettingsFile());
    EXPECT_NE(settings.find("Adv_TimeDelay=250"), std::string::npos) << settings.substr(0, 600);
}

} // namespace
} // namespace orb::x11test
