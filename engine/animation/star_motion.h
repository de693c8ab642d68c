// One frame of a galaxy star's own motion, by the style of its galaxy type. The burst moves its
// settled stars with it and the frame loop moves every star with it, so both see the same orbit.
#pragma once

#include <cmath>
#include <cstdint>

#include "engine/animation/orbit_trig.h"
#include "engine/animation/projection.h"
#include "engine/animation/star_arrays.h"
#include "engine/creation/galaxy_model.h"

namespace orb {

namespace motion {

// Styles 4 and 5: position += velocity.
inline Vec3f Drift(StarArrays& s, int32_t i) {
    s.x[i] = static_cast<float>(static_cast<double>(s.x[i]) + s.velX[i]);
    s.y[i] = static_cast<float>(static_cast<double>(s.y[i]) + s.velY[i]);
    s.z[i] = static_cast<float>(static_cast<double>(s.z[i]) + s.velZ[i]);
    return {s.x[i], s.y[i], s.z[i]};
}

// Styles 0 to 3: the angle advances by the spin (never wrapped); the position follows from
// radius, angle and height, so StarX..StarZ are left alone. The cosine and sine are taken in
// single precision (OrbitSinCos): this runs for nearly every star of every frame. OrbitAhead
// gives the same positions for many stars at once.
inline Vec3f Orbit(StarArrays& s, int32_t i) {
    const float a = static_cast<float>(static_cast<double>(s.angle[i]) + s.spin[i]);
    s.angle[i] = a;
    const double r = s.radius[i];
    const SinCosF t = OrbitSinCos(a);
    return {static_cast<float>(r * t.cos), s.height[i], static_cast<float>(r * t.sin)};
}

// Style 6: the velocity is pulled toward the core (inverse square), then position += velocity.
Vec3f CorePull(StarArrays& s, int32_t i, float pull);

// Style 7: the star ages, drifts outward, and its height is a sine wave whose amplitude decays
// with age (HeightScaled x BandFillWhole / (BandFillWhole + age)); the phase steps by AngleParam.
// The sine is WaveSine's.
Vec3f Wave(StarArrays& s, int32_t i, const GalaxyTypeRun& run);

// Style 7 for many stars at once, in a loop the compiler vectorises: each star's values, copied
// into the batch by the caller, are moved one frame by Wave's rule, with Wave's results. A wave
// star costs little more than its sine, which a star at a time waits on.
struct WaveBatch {
    static constexpr int32_t kSize = 256; // stars a batch holds

    int32_t age[kSize];        // StarAge, frames (in and out)
    float x[kSize], z[kSize];  // StarX, StarZ: local position, world units (in and out)
    float y[kSize];            // StarY (out)
    float velX[kSize];         // StarVelX, world units per frame
    float velZ[kSize];         // StarVelZ
    float phase[kSize];        // StarVelY: the wave phase, radians (in and out)
    float step[kSize];         // the type's AngleParam: phase step per frame, radians
    float height[kSize];       // the type's HeightScaled: wave amplitude, world units
    double persistence[kSize]; // the type's BandFillWhole, frames
};
void MoveWaves(WaveBatch& batch, int32_t count);

// The orbiting and drifting stars among count consecutive stars, moved together in one vectorised
// pass: each array points at the first of them. A star is moved when it is steady and its type's
// bit is set in orbiting (Orbit's rule) or drifting (Drift's rule); any other star keeps its
// values. Star j's local position, type and galaxy go to place j of the batch (for the stars not
// moved, the position is to be ignored or overwritten). flags[j] is 0 but for the stars the pass
// leaves to the caller: kLeftSteady for a steady star of neither rule, and kOrbitBeyond for an
// orbiting star whose new angle (already stored) is beyond the exact reduction, whose position
// is then OrbitSinCos's to work out. Returns the count of those stars.
inline constexpr uint8_t kLeftSteady = 1, kOrbitBeyond = 2;
struct SteadyMoves {
    float* angle;                    // StarAngle (in and out)
    const float* spin;               // StarSpin
    const float* radius;             // StarRadius
    const float* height;             // StarHeight
    float *x, *y, *z;                // StarX..StarZ (in and out)
    const float *velX, *velY, *velZ; // StarVelX..StarVelZ
    const int16_t* type;             // StarType, 0..31
    const int16_t* galaxy;           // StarGalaxy
    const uint8_t* steady;           // 1 where the star is moved this frame by its style's rule, else 0
    uint32_t orbiting = 0;           // bit t: type t orbits (styles 0..3)
    uint32_t drifting = 0;           // bit t: type t drifts (styles 4 and 5)
};
int32_t MoveOrbitsAndDrifts(const SteadyMoves& stars, int32_t count, ProjectionBatch& batch, uint8_t* flags);

} // namespace motion

// Moves star i one frame by the rule of its type's style and returns its local position
// relative to the galaxy centre. Any style outside 0..7 leaves the star where it is.
inline Vec3f MoveStar(StarArrays& stars, int32_t i, int16_t style, const GalaxyTypeRun& run) {
    switch (style) {
    case 0:
    case 1:
    case 2:
    case 3:
        return motion::Orbit(stars, i);
    case 4:
    case 5:
        return motion::Drift(stars, i);
    case 6:
        return motion::CorePull(stars, i, run.emitSpeed);
    case 7:
        return motion::Wave(stars, i, run);
    default:
        return {stars.x[i], stars.y[i], stars.z[i]};
    }
}

} // namespace orb
