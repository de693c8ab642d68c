#include "app/saver_window.h"

#include <QSignalSpy>

#include "app/saver_session.h"
#include "gui_fixture.h"

namespace orb {
namespace {

using SaverWindowTest = test::GuiTest;

TEST_F(SaverWindowTest, KeysButtonsAndTheFourthMouseMoveAskToCloseUnlessMovesAreIgnored) {
    for (const char* ignore : {"0", "1"}) {
        SCOPED_TRACE(std::string("Adv_MouseMove ") + ignore);
        Advanced("Adv_MouseMove", ignore);
        SaverWindow w(store, state, {}, nullptr);
        w.Open();
        EXPECT_EQ(w.windowTitle(), "ZEFO:Orbelune 3.0");
        EXPECT_EQ(w.cursor().shape(), Qt::BlankCursor);
        EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
        QSignalSpy asked(&w, &SaverWindow::closeRequested);
        for (int i = 0; i < 3; ++i)
            MoveMouse(&w, QPoint(10 + i, 10));
        EXPECT_EQ(asked.count(), 0);
        MoveMouse(&w, QPoint(20, 20));
        const int moved = ignore[0] == '0' ? 1 : 0;
        EXPECT_EQ(asked.count(), moved);
        QTest::keyClick(&w, Qt::Key_A);
        QTest::keyClick(&w, Qt::Key_Escape);
        QTest::mouseClick(&w, Qt::RightButton);
        EXPECT_EQ(asked.count(), moved + 3) << "keys and buttons always ask";
    }
}

// A refused password keeps the saver running; input on any window closes them all once it passes.
TEST_F(SaverWindowTest, InputOnAWindowClosesEveryWindowOnceThePasswordCheckPasses) {
    test::RecordingSystem system;
    system.accept = false;
    SaverSession session(store, state, system, {});
    QSignalSpy finished(&session, &SaverSession::finished);
    session.Open();
    ASSERT_FALSE(session.Windows().empty());
    EXPECT_EQ(system.running, std::vector<bool>{true});
    for (SaverWindow* win : session.Windows())
        EXPECT_TRUE(win->isVisible());
    SaverWindow* w = session.Windows()[0];
    QTest::keyClick(w, Qt::Key_Return);
    w->close(); // a close from the system goes through the same check
    EXPECT_EQ(system.checks, 2);
    EXPECT_EQ(finished.count(), 0);
    EXPECT_FALSE(state.stopFlag);
    EXPECT_TRUE(w->isVisible());
    const int64_t frames = w->FramesPresented();
    EXPECT_TRUE(WaitFor([&] { return w->FramesPresented() > frames + 2; })) << "the animation goes on";

    system.accept = true;
    QTest::mouseClick(session.Windows().back(), Qt::LeftButton);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(system.checks, 3);
    EXPECT_EQ(system.running, (std::vector<bool>{true, false}));
    EXPECT_TRUE(state.stopFlag);
    for (SaverWindow* win : session.Windows()) {
        EXPECT_FALSE(win->isVisible());
        EXPECT_FALSE(win->Running());
    }
}

} // namespace
} // namespace orb
