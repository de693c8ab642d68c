#include "platform/qt/termination.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <csignal>


namespace orb {
namespace {

// Each ending signal becomes one request, delivered by the event loop, and only one: the loop
// must drain what the handler wrote, or it would be woken for it again and again.
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

} // namespace
} // namespace orb
