// Cosine and sine of the orbit angles, which every frame needs for nearly every star. A library
// sincosf per star was a fifth of the star pass; this one is plain arithmetic, so that a loop
// over many stars is vectorised (OrbitAhead), and the single-star form gives the very same
// results. The angle is reduced to a quarter turn in double precision (exact for the angles
// below kOrbitTrigLimit) and the series are summed in single precision: the results are within
// one unit in the last place of the exact values (1.5% of them are off by that one unit), and
// the same on every machine.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

namespace orb {

struct SinCosF {
    float sin = 0; // sine of the angle, rounded to a single
    float cos = 1; // cosine of the angle, rounded to a single
};

// Beyond this magnitude (about 160000 turns) the reduction below is no longer exact; such angles,
// infinities and NaN take the library's single-precision path. Some spawn rules give angles of
// 10^9 and more (stars that no longer turn: the spin is below the angle's last place).
inline constexpr float kOrbitTrigLimit = 1.0e6f;

namespace trig_detail {

constexpr double kTwoOverPi = 0.63661977236758134308;
constexpr double kHalfPiHi = 1.57079632673412561417e+00; // pi/2 to 31 bits: n x kHalfPiHi is exact
constexpr double kHalfPiLo = 6.07710050650619224932e-11; // pi/2 - kHalfPiHi
constexpr double kRound = 6755399441055744.0;            // 1.5 x 2^52: + and - round to an integer
// Taylor coefficients: kSn = (-1)^((n-1)/2) / n! for the sine, kCn = (-1)^(n/2) / n! for the cosine.
constexpr float kS3 = -1.0f / 6, kS5 = 1.0f / 120, kS7 = -1.0f / 5040, kS9 = 1.0f / 362880;
constexpr float kC2 = -1.0f / 2, kC4 = 1.0f / 24, kC6 = -1.0f / 720, kC8 = 1.0f / 40320,
                kC10 = -1.0f / 3628800;

inline uint32_t Bits(float v) {
    return std::bit_cast<uint32_t>(v);
}

// Branch-free, so that a loop of it vectorises. Valid for |a| <= kOrbitTrigLimit.
inline SinCosF SinCosCore(float a) {
    const double x = a;
    // Adding kRound leaves n = nearest(x x 2/pi) in the low bits of the sum; n mod 4 is the quadrant.
    const double shifted = x * kTwoOverPi + kRound;
    const double n = shifted - kRound;
    const uint32_t quadrant = static_cast<uint32_t>(std::bit_cast<uint64_t>(shifted));
    // x and n x kHalfPiHi are multiples of 2^-30 here (or n is 0), so their difference is exact.
    const float r = static_cast<float>((x - n * kHalfPiHi) - n * kHalfPiLo); // |r| <= pi/4 and a hair
    const float r2 = r * r;
    // Taylor series through r^9 and r^10: at pi/4 the first terms left out are below 2e-9.
    const float sinR = r + r * r2 * (kS3 + r2 * (kS5 + r2 * (kS7 + r2 * kS9)));
    const float cosR = 1.0f + r2 * (kC2 + r2 * (kC4 + r2 * (kC6 + r2 * (kC8 + r2 * kC10))));
    // Odd quadrants swap sine and cosine; quadrants 2 and 3 negate the sine, 1 and 2 the cosine.
    // Written with bit masks rather than conditions, which the vectoriser would not take.
    const uint32_t swap = 0u - (quadrant & 1);
    const uint32_t s = (Bits(cosR) & swap) | (Bits(sinR) & ~swap);
    const uint32_t c = (Bits(sinR) & swap) | (Bits(cosR) & ~swap);
    return {std::bit_cast<float>(s ^ ((quadrant & 2) << 30)),
            std::bit_cast<float>(c ^ (((quadrant + 1) & 2) << 30))};
}

// Taylor coefficients in double precision (WaveSine).
constexpr double kDS3 = -1.0 / 6, kDS5 = 1.0 / 120, kDS7 = -1.0 / 5040, kDS9 = 1.0 / 362880,
                 kDS11 = -1.0 / 39916800, kDS13 = 1.0 / 6227020800, kDS15 = -1.0 / 1307674368000;
constexpr double kDC2 = -1.0 / 2, kDC4 = 1.0 / 24, kDC6 = -1.0 / 720, kDC8 = 1.0 / 40320,
                 kDC10 = -1.0 / 3628800, kDC12 = 1.0 / 479001600, kDC14 = -1.0 / 87178291200,
                 kDC16 = 1.0 / 20922789888000;

// WaveSine's value without branches, for |a| <= kOrbitTrigLimit.
inline double SineCore(float a) {
    const double x = a;
    const double shifted = x * kTwoOverPi + kRound;
    const double n = shifted - kRound;
    const uint64_t quadrant = std::bit_cast<uint64_t>(shifted);
    const double r = (x - n * kHalfPiHi) - n * kHalfPiLo;
    const double r2 = r * r;
    const double sinR =
        r +
        r * r2 * (kDS3 + r2 * (kDS5 + r2 * (kDS7 + r2 * (kDS9 + r2 * (kDS11 + r2 * (kDS13 + r2 * kDS15))))));
    const double cosR =
        1.0 +
        r2 * (kDC2 +
              r2 * (kDC4 +
                    r2 * (kDC6 + r2 * (kDC8 + r2 * (kDC10 + r2 * (kDC12 + r2 * (kDC14 + r2 * kDC16)))))));
    // Quadrant q gives sin, cos, -sin, -cos of the remainder; masks rather than branches.
    const uint64_t odd = uint64_t{0} - (quadrant & 1);
    const uint64_t bits = (std::bit_cast<uint64_t>(cosR) & odd) | (std::bit_cast<uint64_t>(sinR) & ~odd);
    return std::bit_cast<double>(bits ^ ((quadrant & 2) << 62));
}

} // namespace trig_detail

// The sine and cosine of one single-precision angle.
inline SinCosF OrbitSinCos(float a) {
    if (std::fabs(a) <= kOrbitTrigLimit) [[likely]]
        return trig_detail::SinCosCore(a);
    return {std::sin(a), std::cos(a)};
}

// The sine of a single-precision angle in double precision, within a few units in the last place
// of a double: the wave rule's phase, whose sine enters a double expression. The library's sine
// of a double costs more, with branches on the argument's range. Same reduction as SinCosCore;
// the series run through r^15 and r^16, whose first terms left out are below 5e-17.
inline double WaveSine(float a) {
    if (!(std::fabs(a) <= kOrbitTrigLimit)) [[unlikely]]
        return std::sin(static_cast<double>(a));
    return trig_detail::SineCore(a);
}

// The orbit positions n stars would take one frame on, without moving them: for j < n, with
// a = single(angle[j] + spin[j]) and its sine and cosine from OrbitSinCos,
// x[j] = single(radius[j] x cos) and z[j] = single(radius[j] x sin), as the orbit rule has them.
void OrbitAhead(const float* angle, const float* spin, const float* radius, int32_t n, float* x, float* z);

} // namespace orb
