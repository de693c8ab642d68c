// One frame of a galaxy star's own motion, by the style of its galaxy type. The burst moves its
// settled stars with it and the frame loop moves every star with it, so both see the same orbit.
#pragma once

#include <cstdint>

#include "engine/animation/projection.h"
#include "engine/animation/star_arrays.h"
#include "engine/creation/galaxy_model.h"

namespace orb {

// Moves star i one frame and returns its local position relative to the galaxy centre:
//   styles 0..3 (orbiting): the angle advances by the spin; the position follows from radius,
//                           angle and height (StarX..StarZ are left alone);
//   styles 4, 5 (drifting): position += velocity;
//   style 6 (core pull):    velocity is pulled toward the centre by the type's pull, then
//                           position += velocity;
//   style 7 (wave):         the star ages, drifts outward, and its height is a sine wave whose
//                           amplitude decays with age.
// Any other style leaves the star where it is.
Vec3f MoveStar(StarArrays& stars, int32_t i, int16_t style, const GalaxyTypeRun& run);

} // namespace orb
