// Gravity between the galaxies of a universe. The pull of j on i is the difference vector times
// the magnitude over the squared distance (so it falls off as 1 / distance), with no masses.
// Velocities are recomputed only on every Universe_GravFrame-th frame because that costs
// G x (G - 1) pairs; positions advance every frame.
#pragma once

#include <cstdint>
#include <span>

namespace orb {

// Views on the driver's per-galaxy arrays (GalaxyPosX.. and GalaxyVelX..), one entry per galaxy.
// Galaxies beyond the shortest of the six spans are left alone.
struct GalaxyBodies {
    std::span<float> posX, posY, posZ; // world position of each galaxy centre, world units
    std::span<float> velX, velY, velZ; // velocity, world units per frame
};

// Lives for a whole driver call: it is not reset between universes, so where one universe stops
// counting decides the first recompute frame of the next.
struct GravityState {
    int16_t frameCounter = 0; // GravityFrameCounter: frames since the last recompute, 0..gravFrame-1
};

// Keeps two coincident galaxies from dividing by zero (their difference vector makes the pull 0).
inline constexpr float kGravitySoftening = 1e-9f;

// One visit-phase frame. force is the scaled Universe_GravForce (x 1e-7); nothing happens, not
// even counting, unless it is above 0. gravFrame is Universe_GravFrame (1..999; below 1 counts
// as 1). Galaxies are updated in index order in place, so galaxy i is pulled by the already
// moved galaxies 0..i-1. Returns true when the velocities were recomputed this frame.
bool GravityStep(GravityState& state, const GalaxyBodies& bodies, float force, int16_t gravFrame);

} // namespace orb
