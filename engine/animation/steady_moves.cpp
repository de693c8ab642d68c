// Built with the loop vectoriser at full strength for this file only (-O2's cheap cost model
// leaves the loop scalar), and free to evaluate lanes whose results are then discarded.
#if defined(__GNUC__) && !defined(__clang__) // clang has no per-file optimize pragma
#pragma GCC optimize("O3", "no-trapping-math")
#endif

#include <cmath>
#include <cstdint>

#include "engine/animation/lane_select.h"
#include "engine/animation/orbit_trig.h"
#include "engine/animation/star_motion.h"
#include "engine/animation/vector_clones.h"

namespace orb::motion {

namespace {

// The arrays never overlap.
[[gnu::always_inline]] inline int32_t
Move(int32_t count, float* __restrict angle, const float* __restrict spin, const float* __restrict radius,
     const float* __restrict height, float* __restrict x, float* __restrict y, float* __restrict z,
     const float* __restrict velX, const float* __restrict velY, const float* __restrict velZ,
     const int16_t* __restrict type, const int16_t* __restrict galaxy, const uint8_t* __restrict steady,
     uint32_t orbiting, uint32_t drifting, double* __restrict localX, double* __restrict localY,
     double* __restrict localZ, int32_t* __restrict typeOut, int32_t* __restrict galaxyOut,
     uint8_t* __restrict flags) {
    int32_t flagged = 0;
    for (int32_t j = 0; j < count; ++j) {
        typeOut[j] = type[j];
        galaxyOut[j] = galaxy[j];
        const uint32_t t = static_cast<uint32_t>(type[j]) & 31;
        const uint32_t on = steady[j];
        const uint32_t orbits = on & (orbiting >> t) & 1, drifts = on & (drifting >> t) & 1;
        // As Orbit: the sum and products of singles round as its double expressions do.
        const float a = angle[j] + spin[j];
        const uint32_t outside = orbits & (std::fabs(a) <= kOrbitTrigLimit ? 0u : 1u);
        const SinCosF sc = trig_detail::SinCosCore(a);
        const float orbitX = radius[j] * sc.cos, orbitZ = radius[j] * sc.sin;
        // As Drift.
        const float driftX = x[j] + velX[j], driftY = y[j] + velY[j], driftZ = z[j] + velZ[j];
        const uint32_t orbitMask = 0u - orbits, driftMask = 0u - drifts;
        angle[j] = Pick(orbitMask, a, angle[j]);
        x[j] = Pick(driftMask, driftX, x[j]);
        y[j] = Pick(driftMask, driftY, y[j]);
        z[j] = Pick(driftMask, driftZ, z[j]);
        localX[j] = Pick(orbitMask, orbitX, driftX);
        localY[j] = Pick(orbitMask, height[j], driftY);
        localZ[j] = Pick(orbitMask, orbitZ, driftZ);
        const uint32_t flag = (on & ~(orbits | drifts)) | (outside << 1);
        flags[j] = static_cast<uint8_t>(flag);
        flagged += static_cast<int32_t>(flag != 0);
    }
    return flagged;
}

} // namespace

// Every star takes both rules' arithmetic in vector lanes, and a select keeps the one its style
// has (or neither): far cheaper than sorting the stars by style first, when most of a block
// orbits or drifts.
ORB_VECTOR_CLONES int32_t MoveOrbitsAndDrifts(const SteadyMoves& m, int32_t count, ProjectionBatch& b,
                                              uint8_t* flags) {
    return Move(count, m.angle, m.spin, m.radius, m.height, m.x, m.y, m.z, m.velX, m.velY, m.velZ, m.type,
                m.galaxy, m.steady, m.orbiting, m.drifting, b.x, b.y, b.z, b.type, b.galaxy, flags);
}

} // namespace orb::motion
