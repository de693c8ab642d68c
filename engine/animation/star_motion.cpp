#include "engine/animation/star_motion.h"

#include <cmath>

namespace orb {

namespace {

Vec3f Drift(StarArrays& s, int32_t i) {
    s.x[i] = static_cast<float>(static_cast<double>(s.x[i]) + s.velX[i]);
    s.y[i] = static_cast<float>(static_cast<double>(s.y[i]) + s.velY[i]);
    s.z[i] = static_cast<float>(static_cast<double>(s.z[i]) + s.velZ[i]);
    return {s.x[i], s.y[i], s.z[i]};
}

Vec3f Orbit(StarArrays& s, int32_t i) {
    const float a = static_cast<float>(static_cast<double>(s.angle[i]) + s.spin[i]);
    s.angle[i] = a;
    const double r = s.radius[i];
    return {static_cast<float>(r * std::cos(static_cast<double>(a))), s.height[i],
            static_cast<float>(r * std::sin(static_cast<double>(a)))};
}

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
    s.y[i] = static_cast<float>(run.heightScaled * std::sin(static_cast<double>(s.velY[i])) * persistence /
                                (persistence + s.age[i]));
    s.z[i] = static_cast<float>(static_cast<double>(s.z[i]) + s.velZ[i]);
    return {s.x[i], s.y[i], s.z[i]};
}

} // namespace

Vec3f MoveStar(StarArrays& stars, int32_t i, int16_t style, const GalaxyTypeRun& run) {
    switch (style) {
    case 0:
    case 1:
    case 2:
    case 3:
        return Orbit(stars, i);
    case 4:
    case 5:
        return Drift(stars, i);
    case 6:
        return CorePull(stars, i, run.emitSpeed);
    case 7:
        return Wave(stars, i, run);
    default:
        return {stars.x[i], stars.y[i], stars.z[i]};
    }
}

} // namespace orb
