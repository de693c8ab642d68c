// The ending signals as bytes on a pipe, checked without an event loop.
#include "platform/signal_pipe.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <csignal>

namespace orb {
namespace {

// Whether fd has something to read, waiting at most timeoutMs.
bool Readable(int fd, int timeoutMs) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, timeoutMs) == 1 && (p.revents & POLLIN) != 0;
}

volatile std::sig_atomic_t lastSignal = 0;
extern "C" void RecordSignal(int sig) {
    lastSignal = sig;
}

TEST(SignalPipeTest, EachEndingSignalIsReadableUntilDrained) {
    SignalPipe pipe;
    ASSERT_GE(pipe.Fd(), 0);
    pipe.Drain(); // whatever an earlier test in this process left
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        EXPECT_FALSE(Readable(pipe.Fd(), 0)) << sig;
        ASSERT_EQ(::raise(sig), 0);
        EXPECT_TRUE(Readable(pipe.Fd(), 5000)) << sig;
        EXPECT_TRUE(pipe.Drain()) << sig;
        EXPECT_FALSE(Readable(pipe.Fd(), 0)) << sig;
        EXPECT_FALSE(pipe.Drain()) << sig;
    }
    for (int i = 0; i < 40; ++i) // more than one read takes
        ASSERT_EQ(::raise(SIGTERM), 0);
    EXPECT_TRUE(pipe.Drain());
    EXPECT_FALSE(Readable(pipe.Fd(), 0));
}

TEST(SignalPipeTest, PutsBackTheHandlersItReplaced) {
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction record {
        }, original{};
        record.sa_handler = RecordSignal;
        sigemptyset(&record.sa_mask);
        ASSERT_EQ(::sigaction(sig, &record, &original), 0);
        lastSignal = 0;
        {
            SignalPipe pipe;
            ASSERT_EQ(::raise(sig), 0);
            EXPECT_EQ(lastSignal, 0) << sig << ": taken by the pipe while it lives";
            EXPECT_TRUE(pipe.Drain()) << sig;
        }
        ASSERT_EQ(::raise(sig), 0);
        EXPECT_EQ(lastSignal, sig);
        ::sigaction(sig, &original, nullptr);
    }
}

} // namespace
} // namespace orb
