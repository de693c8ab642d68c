#include "engine/animation/random.h"

#include <chrono>

namespace orb {

void Random::SeedFromClock() {
    auto steady = std::chrono::steady_clock::now().time_since_epoch().count();
    auto wall = std::chrono::system_clock::now().time_since_epoch().count();
    Seed(static_cast<uint64_t>(steady) * 0x9E3779B97F4A7C15ULL ^ static_cast<uint64_t>(wall));
}

} // namespace orb
