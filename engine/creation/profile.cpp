// Shape envelopes and the radius/height draw of the disc styles.
#include <cmath>

#include "engine/creation/galaxy_model.h"
#include "engine/creation/styles.h"
#include "settings/numeric.h"

namespace orb {

namespace {

// At the rim a radius can pass R by the 1e-9 added to it; the root of the slightly negative
// argument is taken as 0 so the envelope closes there instead of turning into NaN.
double Root(double v) {
    return v > 0 ? std::sqrt(v) : 0.0;
}

double Squared(double v) {
    return v * v;
}

double StandardEnvelope(double r, double R, double Q) {
    constexpr double kBulge = 0.1225980594754219; // 0.35 squared, in single precision
    const double height = static_cast<double>(2.856f);
    if (r <= R * 0.25) return height * Root(kBulge * Q - Squared(r));
    if (r <= R * 0.5) return 1.4 * R - height * Root(kBulge * Q - Squared(R * 0.5 - r));
    return 0.8 * Root(0.25 * Q - Squared(r - R * 0.5));
}

double TopLikeEnvelope(double r, double R, double Q) {
    if (r < R * 0.1) return (10.0 / R * 0.25 * Root(0.01 * Q - Squared(r)) + 0.75) * R;
    if (r < R * 0.75)
        return (1.0 - Root(0.4225 * Q - Squared(0.85 * R - r - 0.1 * R)) / (0.65 * R)) * 0.5 * R + 0.25 * R;
    return Root(0.0625 * Q - Squared(r - 0.75 * R));
}

double Envelope(int16_t profile, double r, double R, double Q) {
    switch (profile) {
    case 0:
        return StandardEnvelope(r, R, Q);
    case 1:
        return TopLikeEnvelope(r, R, Q);
    case 2:
        return Root(Q - Squared(r));
    case 3:
        return R - r;
    case 4:
        return R - Root(Q - Squared(R - r));
    case 5:
        return R - Root(Q - Squared(r));
    case 6:
        return Root(Q - Squared(R - r));
    default:
        return 0.0;
    }
}

} // namespace

float ProfileHeight(Random& random, int16_t profile, float r, float R, float Q) {
    double e = Envelope(profile, r, R, Q);
    // A zero radius (an expansion speed of 0) divides by zero in the top-like bulge.
    if (!std::isfinite(e)) e = 0.0;
    const double sign = styles::SignOf(random() - 0.5);
    return static_cast<float>(sign * e);
}

void StandardRadiusHeight(GalaxyModel& model, float& radius, float& height, int16_t type) {
    const GalaxyType& t = model.Type(type);
    const GalaxyTypeRun& run = model.run[type];
    const double u1 = model.random();
    const double u2 = model.random();
    const double bands = run.bandCount;
    const float x = static_cast<float>((std::floor(u2 * bands) + u1 * run.bandFill) / bands);
    radius = static_cast<float>(styles::PowDraw(x, t[G::RadiusExp]) * run.radiusScaled + kTiny);
    const float envelope =
        ProfileHeight(model.random, NearestInt(t[G::Profile]), radius, run.radiusScaled, run.radiusSquared);
    const double u4 = model.random();
    height = static_cast<float>(styles::PowDraw(u4, t[G::HeightExp]) * envelope * t[G::GHW_Ratio]);
}

} // namespace orb
