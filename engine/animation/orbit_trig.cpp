// Built with the loop vectoriser at full strength for this file only: the loop below is the
// part of the star pass that gains from it, and -O2's cheap cost model leaves it scalar.
#if defined(__GNUC__) && !defined(__clang__) // clang has no per-file optimize pragma
#pragma GCC optimize("O3")
#endif

#include "engine/animation/orbit_trig.h"
#include "engine/animation/vector_clones.h"

namespace orb {

ORB_VECTOR_CLONES void OrbitAhead(const float* __restrict angle, const float* __restrict spin,
                                  const float* __restrict radius, int32_t n, float* __restrict x,
                                  float* __restrict z) {
    int32_t outside = 0; // angles beyond the exact reduction (or not finite)
    for (int32_t j = 0; j < n; ++j) {
        const float a = angle[j] + spin[j];
        outside += std::fabs(a) <= kOrbitTrigLimit ? 0 : 1;
        const SinCosF t = trig_detail::SinCosCore(a);
        x[j] = radius[j] * t.cos; // as motion::Orbit: the exact product rounded to a single
        z[j] = radius[j] * t.sin;
    }
    // A block often holds one or two of the huge angles some spawn rules give: only those are
    // redone.
    if (outside == 0) return;
    for (int32_t j = 0; j < n; ++j) {
        const float a = angle[j] + spin[j];
        if (std::fabs(a) <= kOrbitTrigLimit) continue;
        const SinCosF t = OrbitSinCos(a);
        x[j] = radius[j] * t.cos;
        z[j] = radius[j] * t.sin;
    }
}

} // namespace orb
