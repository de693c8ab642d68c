// The per-frame advance of every galaxy type's running values.
#pragma once

#include "engine/creation/galaxy_model.h"

namespace orb {

// AdvanceGalaxyTypes, for types 0..31: the tilt turns by TiltRate (its sine and cosine are
// refreshed for the projection), the hue offset moves by Galaxy_HWheelInc, and the two spin
// phases advance by SpinRate and 8 x SpinRate; angles wrap at 2 pi, the hue at 360.
void AdvanceGalaxyTypes(GalaxyModel& model);

} // namespace orb
