#include "app/screen_window.h"

#include <QLabel>
#include <QSignalSpy>

#include "gui_fixture.h"
#include "platform/instance_socket.h"

namespace orb {
namespace {

using ScreenWindowTest = test::GuiTest;

std::string Stored(SettingsStore& store, std::string_view name) {
    return store.ReadText(kSectionGeneral, name, "(none)");
}

TEST_F(ScreenWindowTest, TheDefaultWindowIsMaximizedWithoutCaptionOrCursorAndEscapeEndsIt) {
    ScreenWindow w(store, state, {});
    w.Open();
    EXPECT_TRUE(w.windowTitle().isEmpty());
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w.cursor().shape(), Qt::BlankCursor);
    EXPECT_TRUE(w.isMaximized());
    EXPECT_FALSE(InstanceExists("ZEFO:Orbelune 3.0")) << "no caption, nothing held";
    QSignalSpy ended(&w, &ScreenWindow::endRequested);
    EXPECT_TRUE(WaitFor([&] { return w.FramesPresented() > 0; }));
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_TRUE(state.stopFlag);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.Running());
    EXPECT_EQ(Stored(store, "WindowState"), "2") << "closing saves the placement";

    ScreenWindow other(store, state, {});
    other.Open();
    QSignalSpy otherEnded(&other, &ScreenWindow::endRequested);
    other.close(); // by the window manager
    EXPECT_EQ(otherEnded.count(), 1) << "the program ends with its window";
}

TEST_F(ScreenWindowTest, F5RestartsWithTheSettingsReadAgainOtherInputSavesThePlacementAndAsksForTheDialog) {
    Advanced("Adv_WinResize", "1");
    ScreenWindow w(store, state, {});
    w.Open();
    EXPECT_TRUE(WaitFor([&] { return w.RunsStarted() == 1 && w.FramesPresented() > 0; }));
    Advanced("LockMessage", "read again");
    QTest::keyClick(&w, Qt::Key_F5);
    EXPECT_TRUE(WaitFor([&] { return w.RunsStarted() == 2; }));
    EXPECT_EQ(w.MessageLabel()->text(), "read again");
    EXPECT_EQ(Stored(store, "WindowState"), "0");
    EXPECT_EQ(Stored(store, "WindowSize").size(), 20u);

    QSignalSpy asked(&w, &ScreenWindow::propertiesRequested);
    w.move(30, 40);
    w.resize(200, 100);
    QTest::keyClick(&w, Qt::Key_X);
    EXPECT_EQ(asked.count(), 1);
    EXPECT_EQ(Stored(store, "WindowSize"), "00450006000300001500");
    w.move(-10, 5);
    QTest::mouseClick(&w, Qt::LeftButton);
    EXPECT_EQ(asked.count(), 2);
    EXPECT_EQ(Stored(store, "WindowSize").substr(0, 10), "0000000075") << "a negative left is stored as 0";
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(state.stopFlag);
}

TEST_F(ScreenWindowTest, AResizableWindowTakesItsCaptionAndStoredPlacement) {
    Advanced("Adv_WinResize", "1");
    store.WriteText(kSectionGeneral, "WindowSize", "01000020000640004800");
    {
        ScreenWindow w(store, state, {});
        w.Open();
        EXPECT_EQ(w.windowTitle(), "ZEFO:Orbelune 3.0");
        EXPECT_TRUE(InstanceExists("ZEFO:Orbelune 3.0")) << "a second saver start finds it";
        EXPECT_EQ(w.pos(), QPoint(67, 133));
        EXPECT_EQ(w.size(), QSize(427, 320));
        EXPECT_FALSE(w.isMaximized());
    }
    EXPECT_FALSE(InstanceExists("ZEFO:Orbelune 3.0"));
    store.WriteText(kSectionGeneral, "WindowState", "2");
    ScreenWindow w(store, state, {});
    w.Open();
    EXPECT_TRUE(w.isMaximized()) << "a maximized state ignores WindowSize";
}

} // namespace
} // namespace orb
