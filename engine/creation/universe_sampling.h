// The universe-level random draws: burst vectors shaped like the universe, and the member type
// a star of a composite galaxy takes.
#pragma once

#include <array>
#include <cstdint>

#include "engine/animation/projection.h"
#include "engine/creation/galaxy_model.h"

namespace orb {

// The universe's shape: Universe_Profile, Universe_HWRatio.
struct UniverseShape {
    int16_t profile = 2;  // 0..6; 2 ("Spherical") gives spherical shells
    float hwRatio = 0.6f; // height / width: scales every vector's y
};

// RandomUniversePoint: a random vector of magnitude up to M shaped by the profile, whose
// magnitude is at least the fraction symmetry of M. Spherical: one draw for the radius, then
// RandomOnSphere. Other profiles: four draws (radius, azimuth index, then ProfileHeight's sign
// draw, the z sign, the symmetry scale). Finally y x hwRatio.
Vec3f RandomUniversePoint(Random& random, const TrigTables& trig, const UniverseShape& shape, float magnitude,
                          float symmetry);

// PickStarType: the slot itself for a galaxy type; for a slot standing for a composite (its
// composite flag set), one draw picks one of the composite's member types. Always 0..31: a
// composite slot whose flag is clear (never assigned to a galaxy by creation) gives its major
// type without a draw, and stray member values are clamped.
int16_t PickStarType(GalaxyModel& model, int16_t slot);

// Random mix: the first slot whose running weight total is not below draw. A draw of 0 picks
// slot 0 even when its own weight is 0.
int16_t SlotForDraw(const std::array<int32_t, kGalaxyTableSize>& cumulative, float draw);

// In turn: from cursor on (wrapping after slot 47), the first slot whose weight field is not 0;
// the cursor moves one past it. Slot 0 when no slot has a weight.
int16_t NextSlotInTurn(const GalaxyTables& tables, int16_t& cursor);

} // namespace orb
