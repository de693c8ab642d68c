// What reaches a window from outside the window system: ending signals and later starts.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <csignal>

#include "platform/qt/instance_beacon.h"
#include "platform/qt/termination.h"
#include "platform/temp_dir.h"

namespace orb {
namespace {

// Each ending signal is one request from the event loop, and only one: the loop drains what the
// handler wrote, or it would be woken for it again and again.
TEST(TerminationWatchTest, EachSignalIsOneRequestFromTheEventLoop) {
    TerminationWatch watch;
    QSignalSpy requested(&watch, &TerminationWatch::terminationRequested);
    int expected = 0;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        ASSERT_EQ(::raise(sig), 0);
        EXPECT_EQ(requested.count(), expected) << "not from inside the handler";
        ++expected;
        ASSERT_TRUE(QTest::qWaitFor([&] { return requested.count() >= expected; }, 5000)) << sig;
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        EXPECT_EQ(requested.count(), expected) << sig;
    }
}

// A later start's request to come to the front is one signal of the window holding the caption.
TEST(InstanceBeaconTest, EachFrontRequestIsOneSignal) {
    test::TempDir runtime;
    ::setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    InstanceBeacon beacon("Beacon test");
    ASSERT_TRUE(beacon.Held());
    QSignalSpy requested(&beacon, &InstanceBeacon::frontRequested);
    for (int n = 1; n <= 2; ++n) {
        ASSERT_TRUE(RequestToFront("Beacon test"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return requested.count() >= n; }, 5000)) << n;
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        EXPECT_EQ(requested.count(), n);
    }
}

} // namespace
} // namespace orb
