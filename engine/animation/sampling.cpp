#include "engine/animation/sampling.h"

#include <cmath>

#include "settings/numeric.h"

namespace orb {

namespace {

constexpr double kHalfPi = 1.5707963705062866; // pi / 2 in single precision, widened
constexpr double kTwoPiSingle = 6.2831854820251465;

double SignOf(double v) {
    return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0);
}

} // namespace

float FullAngle(float c, float s) {
    if (!std::isfinite(c)) return 0;
    const double cc = c;
    // Rounding can put |c| a hair above 1; the clamp keeps the root real (angle 0 or pi).
    const double root = std::sqrt(std::fmax(1.0 - cc * cc + 1e-9, 0.0));
    double a = (root > 0 ? std::atan(-cc / root) : (cc > 0 ? -kHalfPi : kHalfPi)) + kHalfPi;
    if (s < 0) a = kTwoPiSingle - a;
    return static_cast<float>(a);
}

void RandomOnSphere(Random& random, const TrigTables& trig, float r, float& x, float& y, float& z) {
    const int i = NearestInt(random() * 1000.0);
    const int j = NearestInt(random() * 1000.0);
    const double rr = r;
    const double sinI = trig.sin[i];
    x = static_cast<float>(trig.cos[j] * rr * sinI);
    y = static_cast<float>(SignOf(random() - 0.5) * trig.sin[j] * rr * sinI);
    z = static_cast<float>(trig.cos[i] * rr);
}

void RandomInBall(Random& random, float r, float& x, float& y, float& z) {
    // A negative radius would never accept a point and a NaN never compares: both would spin.
    const double limit = std::fabs(static_cast<double>(r));
    if (!std::isfinite(limit)) {
        x = y = z = 0;
        return;
    }
    const double rr = r;
    for (;;) {
        x = static_cast<float>((2.0 * random() - 1.0) * rr);
        y = static_cast<float>((2.0 * random() - 1.0) * rr);
        z = static_cast<float>((2.0 * random() - 1.0) * rr);
        const double len = std::sqrt(double(x) * x + double(y) * y + double(z) * z);
        if (len <= limit) return;
    }
}

void RandomInBallToShell(Random& random, float r, float a, float& x, float& y, float& z) {
    RandomInBall(random, r, x, y, z);
    const double len = std::sqrt(double(x) * x + double(y) * y + double(z) * z);
    const double k = double(a) * r / (len + 1e-9);
    const double keep = 1.0 - a;
    x = static_cast<float>(x * k + keep * x);
    y = static_cast<float>(y * k + keep * y);
    z = static_cast<float>(z * k + keep * z);
}

} // namespace orb
