// The Welcome, About and help windows of the real program on a private Xvfb server, driven by
// xdotool: the first-use Welcome before the Properties window, the About show drawing, and the
// help taking typed text while a dialog is modal.
#include <filesystem>
#include <thread>

#include "app/x11/x11_fixture.h"

namespace orb::x11test {
namespace {

using namespace std::chrono_literals;

constexpr auto kStartUp = 15s; // a start on a busy two-core machine

using InfoWindowsX11 = ProgramTest;

TEST_F(InfoWindowsX11, WelcomeComesFirstAboutDrawsItsShowAndHelpTakesTextWhileItIsModal) {
    std::filesystem::remove(SettingsFile()); // a first-time user
    auto program = Start({"--config"});
    const uint32_t welcome = Window("Welcome");
    ASSERT_NE(welcome, 0u) << "no Welcome window";
    EXPECT_TRUE(Windows("Galaxy Properties").empty()); // the Welcome comes first
    Key(welcome, "Return");
    EXPECT_TRUE(Gone("Welcome", kStartUp));
    const uint32_t props = Window("Galaxy Properties");
    ASSERT_NE(props, 0u) << "no Properties window after the Welcome";
    EXPECT_NE(test::ReadAll(SettingsFile()).find("ResetSettings=1"), std::string::npos);

    Key(props, "alt+h");
    Key(props, "a"); // "&About Orbelune..."
    const uint32_t about = Window("About Orbelune");
    ASSERT_NE(about, 0u) << "Help > About opened no window";
    // The picture is a child window of the show's size; stars are lit in it within 2 s or so.
    EXPECT_TRUE(WaitUntil([&] { return x->LitInChildSized(about, 256, 200) > 50; }, kStartUp))
        << "the About show drew nothing";

    // F1 in the modal About window opens the help; it takes typed search text all the same.
    Key(about, "F1");
    const uint32_t help = Window("Orbelune Help");
    ASSERT_NE(help, 0u) << "F1 opened no help window";
    // Settled first, so that a change below comes from the typing.
    int before = -1;
    EXPECT_TRUE(WaitUntil(
        [&] {
            const int now = x->LitPixels(help);
            const bool same = now == before && now > 0;
            before = now;
            if (!same) std::this_thread::sleep_for(200ms);
            return same;
        },
        kStartUp));
    Key(help, "alt+s");
    Type(help, "focal");
    Key(help, "Return");
    EXPECT_TRUE(WaitUntil([&] { return x->LitPixels(help) != before; }, 5s)) << "the help took no text";
    EXPECT_EQ(Windows("About Orbelune").size(), 1u); // still open and modal over the dialog
    program->Signal(SIGTERM);
    EXPECT_TRUE(program->WaitExit(kStartUp).has_value());
}

} // namespace
} // namespace orb::x11test
