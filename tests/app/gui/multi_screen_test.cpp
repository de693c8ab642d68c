// The saver on several screens: runs only with the offscreen screen list two_screens.json.
#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <cmath>

#include "app/saver_session.h"
#include "app/saver_window.h"
#include "gui_fixture.h"

namespace orb {
namespace {

using MultiScreenTest = test::GuiTest;

TEST_F(MultiScreenTest, OneWindowPerScreenAtItsGeometryAndInputOnOneEndsAll) {
    if (!qEnvironmentVariable("QT_QPA_PLATFORM").contains("configfile"))
        GTEST_SKIP() << "needs the offscreen platform with a screen list";
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2);
    ASSERT_EQ(screens[1]->devicePixelRatio(), 2.0) << "the screen list was not read";

    test::RecordingSystem system;
    SaverSession session(store, state, system, {.seed = 7, .frameDelay = {}});
    QSignalSpy finished(&session, &SaverSession::finished);
    session.Open();
    ASSERT_EQ(session.Windows().size(), 2u);
    for (int i = 0; i < 2; ++i) {
        SaverWindow* w = session.Windows()[i];
        SCOPED_TRACE(screens[i]->name().toStdString());
        EXPECT_EQ(w->screen(), screens[i]);
        EXPECT_EQ(w->geometry(), screens[i]->geometry());
        EXPECT_EQ(w->devicePixelRatioF(), screens[i]->devicePixelRatio());
        ASSERT_TRUE(WaitFor([&] { return w->FramesPresented() > 1; })) << "every screen animates";
        const QSize device = screens[i]->geometry().size() * screens[i]->devicePixelRatio();
        EXPECT_EQ(w->Surface().width, device.width()) << "the universe is drawn in device pixels";
        EXPECT_EQ(w->Surface().height, device.height());
    }

    QTest::keyClick(session.Windows()[1], Qt::Key_Space);
    EXPECT_EQ(finished.count(), 1);
    for (SaverWindow* w : session.Windows()) {
        EXPECT_FALSE(w->isVisible());
        EXPECT_FALSE(w->Running());
    }
}

} // namespace
} // namespace orb
