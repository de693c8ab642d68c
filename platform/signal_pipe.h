// The ending signals (SIGTERM, how xscreensaver ends its programs, SIGINT and SIGHUP) as bytes on
// a pipe: the handler only writes one byte, the one thing a signal handler can safely do, and an
// event loop watches the read end, drains it and ends the program between two frames.
#pragma once

#include <array>
#include <csignal>

namespace orb {

class SignalPipe {
  public:
    // Makes the pipe (once per process) and installs the handler for the ending signals. Without
    // a pipe nothing is installed and Fd() is -1.
    SignalPipe();
    // Puts back the handlers that were there before (they stay when no pipe could be made).
    ~SignalPipe();
    SignalPipe(const SignalPipe&) = delete;
    SignalPipe& operator=(const SignalPipe&) = delete;

    // The read end: readable once a signal has come and until it is drained; -1 without a pipe.
    int Fd() const;
    // Reads every byte the handler has written so far; true when there was at least one.
    bool Drain() const;

  private:
    static constexpr int kCount = 3;                     // SIGTERM, SIGINT, SIGHUP
    std::array<struct sigaction, kCount> previous_ = {}; // the handlers before ours, in signal order
};

} // namespace orb
