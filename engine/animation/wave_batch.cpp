// Built with the loop vectoriser at full strength for this file only (-O2's cheap cost model
// leaves the loop scalar), and free to evaluate lanes whose results are then replaced.
#if defined(__GNUC__) && !defined(__clang__) // clang has no per-file optimize pragma
#pragma GCC optimize("O3", "no-trapping-math")
#endif

#include "engine/animation/orbit_trig.h"
#include "engine/animation/star_motion.h"
#include "engine/animation/vector_clones.h"

namespace orb::motion {

ORB_VECTOR_CLONES void MoveWaves(WaveBatch& b, int32_t count) {
    int32_t outside = 0; // phases beyond the exact reduction (or not finite)
    for (int32_t j = 0; j < count; ++j) {
        const int32_t age = b.age[j] + (b.age[j] < INT32_MAX ? 1 : 0);
        b.age[j] = age;
        b.x[j] = b.x[j] + b.velX[j]; // the sum of two singles rounds as Wave's double sum does
        const float phase = b.phase[j] + b.step[j];
        b.phase[j] = phase;
        outside += std::fabs(phase) <= kOrbitTrigLimit ? 0 : 1;
        const double persistence = b.persistence[j];
        b.y[j] = static_cast<float>(static_cast<double>(b.height[j]) * trig_detail::SineCore(phase) *
                                    persistence / (persistence + age));
        b.z[j] = b.z[j] + b.velZ[j];
    }
    if (outside == 0) return;
    for (int32_t j = 0; j < count; ++j) {
        if (std::fabs(b.phase[j]) <= kOrbitTrigLimit) continue;
        const double persistence = b.persistence[j];
        b.y[j] = static_cast<float>(static_cast<double>(b.height[j]) * WaveSine(b.phase[j]) * persistence /
                                    (persistence + b.age[j]));
    }
}

} // namespace orb::motion
