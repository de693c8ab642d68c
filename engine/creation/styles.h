// Internal pieces of galaxy generation shared by the style files (not part of the contract).
#pragma once

#include <cmath>
#include <cstdint>

#include "engine/creation/galaxy_model.h"

namespace orb::styles {

inline double SignOf(double v) {
    return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0);
}

// base ^ e for a base in [0, 1); a negative exponent from junk settings would give infinity
// at a zero draw, which must not reach a star.
inline double PowDraw(double base, double e) {
    const double v = std::pow(base, e);
    return std::isfinite(v) ? v : 0.0;
}

// Uniform cubic B-spline through p0..p3 at t.
inline double BSpline(double p0, double p1, double p2, double p3, double t) {
    return ((-p0 + 3 * p1 - 3 * p2 + p3) * t * t * t + (3 * p0 - 6 * p1 + 3 * p2) * t * t +
            (-3 * p0 + 3 * p2) * t + (p0 + 4 * p1 + p2)) *
           0.1666666716337204;
}

// Int(rand x n) for a count n >= 1, kept inside 0..n-1.
inline int PickIndex(Random& random, int n) {
    const int k = static_cast<int>(std::floor(random() * static_cast<double>(n)));
    return k < 0 ? 0 : (k >= n ? n - 1 : k);
}

// Nebula control points of a type, 1..20.
int16_t ControlPoints(const GalaxyType& t);

// Arm angle of the disc styles: an arm picked uniformly, spread over ArmFill of the gap,
// turned by phase. Two draws.
float ArmAngle(GalaxyModel& model, int16_t type, float phase);

// Per-galaxy set-up of one type for galaxy g.
void BuildIfsFigure(GalaxyModel& model, int g, int16_t type);
void SetupNebula(GalaxyModel& model, int g, int16_t type);
// Galaxy g's nebula path, worked out now if it is due (NebulaPaths::WhenRead).
void CurrentNebulaPath(GalaxyModel& model, int g);

// SpawnStar branches.
void SpawnIfs(GalaxyModel& model, StarRef star, int16_t type, int g);
void SpawnNebula(GalaxyModel& model, StarRef star, int16_t type, int g);

} // namespace orb::styles
