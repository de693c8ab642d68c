// Built with the loop vectoriser at full strength, and free to evaluate divisions and
// conversions in lanes whose results are then discarded, which changes no value.
#if defined(__GNUC__) && !defined(__clang__) // clang has no per-file optimize pragma
#pragma GCC optimize("O3", "no-trapping-math")
#endif

#include "engine/creation/universe_flight.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "engine/animation/framebuffer.h"
#include "engine/animation/lane_select.h"
#include "engine/animation/vector_clones.h"

namespace orb {

namespace {

// Star j of a block, every value worked out and the results kept by selects so that a loop of
// these has no branch; each rounds as the star-by-star chain did (sums in double, then single;
// the scale a single quotient). A star in front of the viewer never gives NaN, so its pixel is
// PixelCoordLanes'.
struct Flown {
    int32_t pixelX, pixelY; // the pixel where drawn
    bool drawn;             // it moved and is in front of the viewer
};
[[gnu::always_inline]] inline Flown Fly(const FlightPaths& p, const FlightBlock& b, int32_t j) {
    const bool fliesOn = b.flies[j] != 0;
    const float vx = p.velX[j], vy = p.velY[j], vz = p.velZ[j];
    const float x0 = p.x[j], y0 = p.y[j], z0 = p.z[j];
    const float z = static_cast<float>(static_cast<double>(z0) + vz);
    const bool front = fliesOn & (z > kNearDepth);
    const float x = static_cast<float>(static_cast<double>(x0) + vx);
    const float y = static_cast<float>(static_cast<double>(y0) + vy);
    const float s = p.focalScale / z;
    const Flown f{PixelCoordLanes(static_cast<double>(x) * s + p.centreX),
                  PixelCoordLanes(static_cast<double>(y) * s + p.centreY), front};
    const uint32_t flies = LaneMask(fliesOn), moves = LaneMask(front);
    p.z[j] = Pick(flies, z, z0);
    p.x[j] = Pick(moves, x, x0);
    p.y[j] = Pick(moves, y, y0);
    const float k = p.stepFactor;
    p.velX[j] = Pick(flies, vx * k, vx);
    p.velY[j] = Pick(flies, vy * k, vy);
    p.velZ[j] = Pick(flies, vz * k, vz);
    return f;
}

[[gnu::always_inline]] inline void FlyOne(const FlightPaths& p, FlightBlock& b, int32_t j) {
    const Flown f = Fly(p, b, j);
    b.pixelX[j] = f.pixelX;
    b.pixelY[j] = f.pixelY;
    b.drawn[j] = f.drawn;
}

// Star j's addresses, for its flight f; its slot is at j x trail (kUnit: a trail of one slot).
template <bool kFlags, bool kUnit>
[[gnu::always_inline]] inline void AddressOne(const FlightSurface& s, FlightBlock& b, int32_t j, Flown f) {
    const SurfaceLayout& l = s.layout;
    const int32_t slot = kUnit ? j : j * s.trail;
    const int32_t oldX = s.scrX[slot], oldY = s.scrY[slot];
    const int32_t newX = f.pixelX, newY = f.pixelY;
    const bool drawn = f.drawn;
    const PixelTarget from =
        TargetOf<kFlags>(l, b.erase[j] != 0, static_cast<uint32_t>(oldX), static_cast<uint32_t>(oldY));
    const PixelTarget to =
        TargetOf<kFlags>(l, drawn, static_cast<uint32_t>(newX), static_cast<uint32_t>(newY));
    b.eraseAt[j] = from.at;
    b.pixelAt[j] = to.at;
    if constexpr (kFlags) {
        b.eraseFlag[j] = from.flag;
        b.pixelFlag[j] = to.flag;
    }
    s.scrX[slot] = Pick(LaneMask(drawn), newX, oldX);
    s.scrY[slot] = Pick(LaneMask(drawn), newY, oldY);
}

template <bool kFlags, bool kUnit>
[[gnu::always_inline]] inline void AddressAll(const FlightSurface& surface, int32_t count, FlightBlock& b) {
    const FlightSurface s = surface; // a local copy: the stores below cannot change it
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC ivdep
#endif
    for (int32_t j = 0; j < count; ++j)
        AddressOne<kFlags, kUnit>(s, b, j, {b.pixelX[j], b.pixelY[j], b.drawn[j] != 0});
}

// The flight and the addresses of stars 0..count-1 in one loop, the flight's pixels kept in
// registers.
template <bool kFlags>
[[gnu::always_inline]] inline void FlyAndAddressAll(const FlightPaths& paths, const FlightSurface& surface,
                                                    int32_t count, FlightBlock& b) {
    const FlightPaths p = paths;
    const FlightSurface s = surface;
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC ivdep
#endif
    for (int32_t j = 0; j < count; ++j)
        AddressOne<kFlags, true>(s, b, j, Fly(p, b, j));
}

template <bool kFlags>
[[gnu::always_inline]] inline void FlyAndAddressListed(const FlightPaths& paths, const FlightSurface& surface,
                                                       const int16_t* list, int32_t listed, FlightBlock& b) {
    const FlightPaths p = paths;
    const FlightSurface s = surface;
    for (int32_t m = 0; m < listed; ++m) {
        const int32_t j = list[m];
        AddressOne<kFlags, false>(s, b, j, Fly(p, b, j));
    }
}

} // namespace

ORB_VECTOR_CLONES void FlyGalaxies(float* __restrict x, float* __restrict y, float* __restrict z,
                                   float* __restrict velX, float* __restrict velY, float* __restrict velZ,
                                   int32_t count, float k) {
    for (int32_t g = 0; g < count; ++g) {
        x[g] = static_cast<float>(static_cast<double>(x[g]) + velX[g]);
        y[g] = static_cast<float>(static_cast<double>(y[g]) + velY[g]);
        z[g] = static_cast<float>(static_cast<double>(z[g]) + velZ[g]);
        velX[g] *= k;
        velY[g] *= k;
        velZ[g] *= k;
    }
}

ORB_VECTOR_CLONES void PrepareFlight(const BurstState* __restrict state, int32_t* __restrict age,
                                     int32_t count, FlightBlock& block) {
    for (int32_t j = 0; j < count; ++j)
        age[j] += (state[j] == BurstState::Settled) & (age[j] != INT32_MAX);
    std::fill_n(block.flies, count, 0);
    std::fill_n(block.erase, count, 0);
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

static_assert(Framebuffer::kBlockShift == 4); // the flag addresses above divide by 16

ORB_VECTOR_CLONES void FlightAddresses(const FlightSurface& surface, int32_t count, FlightBlock& block) {
    const bool flags = surface.layout.blocks != nullptr, unit = surface.trail == 1;
    if (flags)
        unit ? AddressAll<true, true>(surface, count, block) : AddressAll<true, false>(surface, count, block);
    else
        unit ? AddressAll<false, true>(surface, count, block)
             : AddressAll<false, false>(surface, count, block);
}

ORB_VECTOR_CLONES void FlyStarsToAddresses(const FlightPaths& paths, const FlightSurface& surface,
                                           int32_t count, FlightBlock& block) {
    if (surface.trail != 1) {
        FlyStars(paths, count, block);
        FlightAddresses(surface, count, block);
    } else if (surface.layout.blocks) {
        FlyAndAddressAll<true>(paths, surface, count, block);
    } else {
        FlyAndAddressAll<false>(paths, surface, count, block);
    }
}

void FlyListedToAddresses(const FlightPaths& paths, const FlightSurface& surface, const int16_t* list,
                          int32_t listed, FlightBlock& block) {
    if (surface.layout.blocks)
        FlyAndAddressListed<true>(paths, surface, list, listed, block);
    else
        FlyAndAddressListed<false>(paths, surface, list, listed, block);
}

} // namespace orb
