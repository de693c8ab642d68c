// Millisecond tick counts for the frame throttle. Hosts use the steady clock; tests inject a fake
// so that frame timing is reproducible.
#pragma once

#include <cstdint>

namespace orb {

class TickSource {
  public:
    virtual ~TickSource() = default;
    // Milliseconds from an arbitrary origin; wraps around after 2^32 ms like a system tick count.
    virtual uint32_t Ticks() = 0;
};

// The monotonic clock in milliseconds.
class SteadyTicks : public TickSource {
  public:
    uint32_t Ticks() override;
};

// A clock that moves on by a fixed step each time it is read: reproducible frame timing for
// tests and offline runs.
class SteppingTicks : public TickSource {
  public:
    SteppingTicks(uint32_t start, uint32_t step) : now(start), step_(step) {}
    uint32_t Ticks() override { return now += step_; }
    uint32_t now; // the last tick handed out, ms

  private:
    uint32_t step_; // ms added per read
};

// The process-wide steady tick source (the default of every engine object).
TickSource& DefaultTicks();

// True once at least delayMs have passed since startTick. The difference is taken as a signed
// 32-bit value and its magnitude compared, so a tick count that wrapped or went backwards
// cannot hold a frame for ever.
bool FrameDelayElapsed(uint32_t nowTick, uint32_t startTick, int32_t delayMs);

} // namespace orb
