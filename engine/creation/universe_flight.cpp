// Built with the loop vectoriser at full strength, and free to evaluate divisions and
// conversions in lanes whose results are then discarded, which changes no value.
#if defined(__GNUC__) && !defined(__clang__) // clang has no per-file optimize pragma
#pragma GCC optimize("O3", "no-trapping-math")
#endif

#include "engine/creation/universe_flight.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "engine/animation/vector_clones.h"

namespace orb {

namespace {

// Star j of a block, every value worked out and the results kept by selects so that a loop of
// these has no branch; each rounds as the star-by-star chain did (sums in double, then single;
// the scale a single quotient).
[[gnu::always_inline]] inline void FlyOne(const FlightPaths& p, FlightBlock& b, int32_t j) {
    const bool fliesOn = b.flies[j] != 0;
    const float vx = p.velX[j], vy = p.velY[j], vz = p.velZ[j];
    const float x0 = p.x[j], y0 = p.y[j], z0 = p.z[j];
    const float z = static_cast<float>(static_cast<double>(z0) + vz);
    const bool front = fliesOn & (z > kNearDepth);
    const float x = static_cast<float>(static_cast<double>(x0) + vx);
    const float y = static_cast<float>(static_cast<double>(y0) + vy);
    const float s = p.focalScale / z;
    b.pixelX[j] = FlightPixel(static_cast<double>(x) * s + p.centreX);
    b.pixelY[j] = FlightPixel(static_cast<double>(y) * s + p.centreY);
    b.drawn[j] = front;
    p.z[j] = fliesOn ? z : z0;
    p.x[j] = front ? x : x0;
    p.y[j] = front ? y : y0;
    const float k = p.stepFactor;
    p.velX[j] = fliesOn ? vx * k : vx;
    p.velY[j] = fliesOn ? vy * k : vy;
    p.velZ[j] = fliesOn ? vz * k : vz;
}

} // namespace

ORB_VECTOR_CLONES void PrepareFlight(const BurstState* __restrict state, int32_t* __restrict age,
                                     int32_t count, FlightBlock& block) {
    for (int32_t j = 0; j < count; ++j)
        age[j] += (state[j] == BurstState::Settled) & (age[j] != INT32_MAX);
    std::fill_n(block.flies, count, 0);
}

ORB_VECTOR_CLONES void FlyStars(const FlightPaths& paths, int32_t count, FlightBlock& block) {
    const FlightPaths p = paths; // a local copy: the stores below cannot change it
    // The burst arrays and the block share no memory.
#if defined(__GNUC__) && !defined(__clang__) // clang's own hint fails the build where it cannot vectorise
#pragma GCC ivdep
#endif
    for (int32_t j = 0; j < count; ++j)
        FlyOne(p, block, j);
}

void FlyListed(const FlightPaths& paths, const int16_t* list, int32_t listed, FlightBlock& block) {
    const FlightPaths p = paths;
    for (int32_t m = 0; m < listed; ++m)
        FlyOne(p, block, list[m]);
}

} // namespace orb
