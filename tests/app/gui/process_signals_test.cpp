// What reaches a window from outside the window system: later starts.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

#include "platform/qt/instance_beacon.h"
#include "platform/temp_dir.h"

namespace orb {
namespace {

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
