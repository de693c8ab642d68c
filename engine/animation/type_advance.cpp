#include "engine/animation/type_advance.h"

#include <cmath>

namespace orb {

namespace {

// One step forward with a single wrap: every rate is at most one period per frame.
float Advance(float value, double step, float period) {
    double v = value + step;
    if (v > period) v -= period;
    return static_cast<float>(v);
}

} // namespace

void AdvanceGalaxyTypes(GalaxyModel& model) {
    for (int t = 0; t < kGalaxyTypeSlots; ++t) {
        GalaxyTypeRun& run = model.run[t];
        GalaxyType& type = model.Type(t);
        run.tiltAngle = Advance(run.tiltAngle, run.tiltRate, kTwoPi);
        run.tiltSin = static_cast<float>(std::sin(static_cast<double>(run.tiltAngle)));
        run.tiltCos = static_cast<float>(std::cos(static_cast<double>(run.tiltAngle)));
        run.hueOffset = Advance(run.hueOffset, type[G::HWheelInc], 360.0f);
        type.spinPhase = Advance(type.spinPhase, run.spinRate, kTwoPi);
        type.spinPhaseFast = Advance(type.spinPhaseFast, 8.0 * run.spinRate, kTwoPi);
    }
}

} // namespace orb
