#include "platform/signal_pipe.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace orb {

namespace {

// Process-wide because the handler cannot reach an object; made once and kept open, so a signal
// that comes while a pipe object goes away still writes to a valid descriptor.
int signalPipe[] = {-1, -1}; // [0] read by the event loop, [1] written by the handler
constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};

extern "C" void OnEndingSignal(int) {
    const int saved = errno;
    // Any byte will do. A full pipe drops it: the ones already there wake the loop just as well.
    [[maybe_unused]] ssize_t n = ::write(signalPipe[1], "!", 1);
    errno = saved;
}

} // namespace

SignalPipe::SignalPipe() {
    for (int i = 0; i < kCount; ++i)
        ::sigaction(kSignals[i], nullptr, &previous_[i]);
    if (signalPipe[0] < 0 && ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    struct sigaction sa {};
    sa.sa_handler = OnEndingSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int s : kSignals)
        ::sigaction(s, &sa, nullptr);
}

SignalPipe::~SignalPipe() {
    for (int i = 0; i < kCount; ++i)
        ::sigaction(kSignals[i], &previous_[i], nullptr);
}

int SignalPipe::Fd() const {
    return signalPipe[0];
}

bool SignalPipe::Drain() const {
    // The read end does not block: the loop ends at EAGAIN once the pipe is empty.
    bool any = false;
    char buf[16];
    while (::read(signalPipe[0], buf, sizeof buf) > 0)
        any = true;
    return any;
}

} // namespace orb
