#include "engine/animation/ticks.h"

#include <chrono>
#include <cstdlib>

namespace orb {

uint32_t SteadyTicks::Ticks() {
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return static_cast<uint32_t>(ms.count());
}

TickSource& DefaultTicks() {
    static SteadyTicks ticks;
    return ticks;
}

bool FrameDelayElapsed(uint32_t nowTick, uint32_t startTick, int32_t delayMs) {
    const int64_t diff = static_cast<int32_t>(nowTick - startTick);
    return std::llabs(diff) >= delayMs;
}

} // namespace orb
