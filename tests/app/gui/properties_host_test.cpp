// The settings dialog opened over the application window, and found by later starts.
#include "app/properties_host.h"

#include <QAction>
#include <QPushButton>
#include <QSignalSpy>

#include "gui_fixture.h"
#include "platform/instance_socket.h"
#include "platform/qt/instance_beacon.h"
#include "ui/fields/qt/numeric_box.h"

namespace orb {
namespace {

using PropertiesHostTest = test::GuiTest;

TEST_F(PropertiesHostTest, AKeyFreezesTheRunClosingTheDialogStartsAFreshOneAndExitEndsAll) {
    ::setenv("XDG_CONFIG_HOME", runtime.Path().c_str(), 1);
    Advanced("Adv_WinResize", "1");
    store.WriteText(kSectionGeneral, kResetSettings, "1"); // no Welcome step
    ScreenWindow w(store, state, ViewOptions{});
    std::unique_ptr<PropertiesWindow> props; // a child of the window: destroyed first
    QSignalSpy ended(&w, &ScreenWindow::endRequested);
    QObject::connect(&w, &ScreenWindow::propertiesRequested, &w,
                     [&] { OpenModalProperties(w, store, state, props); });
    w.Open();
    ASSERT_TRUE(WaitFor([&] { return w.FramesPresented() > 0; }));
    QTest::keyClick(&w, Qt::Key_X);
    ASSERT_NE(props, nullptr);
    EXPECT_TRUE(props->isModal());
    EXPECT_FALSE(w.Running()) << "the animation freezes";
    EXPECT_TRUE(InstanceExists("Galaxy Properties")) << "a configuration start finds the dialog";
    props->Controls().cmdAccept->click();
    EXPECT_TRUE(WaitFor([&] { return props == nullptr && w.Running() && w.RunsStarted() == 2; }))
        << "a fresh run after the dialog";
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(ended.count(), 0);

    QTest::mouseClick(&w, Qt::LeftButton);
    ASSERT_NE(props, nullptr) << "a click opens it too";
    props->Controls().actExit->trigger();
    EXPECT_TRUE(WaitFor([&] { return ended.count() == 1; })) << "File > Exit ends the program";
    EXPECT_TRUE(state.exitRequested);
}

TEST_F(PropertiesHostTest, EachFrontRequestIsOneSignalOfTheBeacon) {
    InstanceBeacon beacon("Beacon test");
    ASSERT_TRUE(beacon.Held());
    QSignalSpy requested(&beacon, &InstanceBeacon::frontRequested);
    for (int n = 1; n <= 2; ++n) {
        ASSERT_TRUE(RequestToFront("Beacon test"));
        ASSERT_TRUE(WaitFor([&] { return requested.count() >= n; })) << n;
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        EXPECT_EQ(requested.count(), n);
    }
}

} // namespace
} // namespace orb
