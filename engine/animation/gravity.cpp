#include "engine/animation/gravity.h"

#include <algorithm>

namespace orb {

namespace {

size_t BodyCount(const GalaxyBodies& b) {
    return std::min(
        {b.posX.size(), b.posY.size(), b.posZ.size(), b.velX.size(), b.velY.size(), b.velZ.size()});
}

// Adds the pull of every other galaxy to galaxy i's velocity, in index order. Differences and
// the factor are stored as singles; the sums are formed in double.
void Pull(const GalaxyBodies& b, size_t count, size_t i, float force) {
    const float xi = b.posX[i], yi = b.posY[i], zi = b.posZ[i];
    float vx = b.velX[i], vy = b.velY[i], vz = b.velZ[i];
    for (size_t j = 0; j < count; ++j) {
        if (j == i) continue;
        const float dx = b.posX[j] - xi, dy = b.posY[j] - yi, dz = b.posZ[j] - zi;
        const double d2 = static_cast<double>(dx) * dx + static_cast<double>(dy) * dy +
                          static_cast<double>(dz) * dz + static_cast<double>(kGravitySoftening);
        const float q = static_cast<float>(force / d2);
        vx = static_cast<float>(vx + static_cast<double>(dx) * q);
        vy = static_cast<float>(vy + static_cast<double>(dy) * q);
        vz = static_cast<float>(vz + static_cast<double>(dz) * q);
    }
    b.velX[i] = vx;
    b.velY[i] = vy;
    b.velZ[i] = vz;
}

} // namespace

bool GravityStep(GravityState& state, const GalaxyBodies& bodies, float force, int16_t gravFrame) {
    if (!(force > 0.0f)) return false;
    const int32_t period = gravFrame < 1 ? 1 : gravFrame;
    state.frameCounter = static_cast<int16_t>((static_cast<int32_t>(state.frameCounter) + 1) % period);
    const bool recompute = state.frameCounter == 0;
    const size_t count = BodyCount(bodies);
    for (size_t i = 0; i < count; ++i) {
        if (recompute) Pull(bodies, count, i, force);
        bodies.posX[i] = static_cast<float>(static_cast<double>(bodies.posX[i]) + bodies.velX[i]);
        bodies.posY[i] = static_cast<float>(static_cast<double>(bodies.posY[i]) + bodies.velY[i]);
        bodies.posZ[i] = static_cast<float>(static_cast<double>(bodies.posZ[i]) + bodies.velZ[i]);
    }
    return recompute;
}

} // namespace orb
