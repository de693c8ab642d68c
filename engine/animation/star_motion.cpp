#include "engine/animation/star_motion.h"

#include "engine/animation/orbit_trig.h"

namespace orb::motion {

Vec3f CorePull(StarArrays& s, int32_t i, float pull) {
    const double x = s.x[i], y = s.y[i], z = s.z[i];
    const float q = static_cast<float>(-pull / (x * x + y * y + z * z + static_cast<double>(kTiny)));
    s.velX[i] = static_cast<float>(s.velX[i] + x * q);
    s.velY[i] = static_cast<float>(s.velY[i] + y * q);
    s.velZ[i] = static_cast<float>(s.velZ[i] + z * q);
    return Drift(s, i);
}

Vec3f Wave(StarArrays& s, int32_t i, const GalaxyTypeRun& run) {
    if (s.age[i] < INT32_MAX) ++s.age[i];
    s.x[i] = static_cast<float>(static_cast<double>(s.x[i]) + s.velX[i]);
    s.velY[i] = static_cast<float>(static_cast<double>(s.velY[i]) + run.angleParam);
    // The age is at least 1 here, so the decay's divisor is never 0.
    const double persistence = run.bandFillWhole;
    s.y[i] =
        static_cast<float>(run.heightScaled * WaveSine(s.velY[i]) * persistence / (persistence + s.age[i]));
    s.z[i] = static_cast<float>(static_cast<double>(s.z[i]) + s.velZ[i]);
    return {s.x[i], s.y[i], s.z[i]};
}

} // namespace orb::motion
