#include "engine/animation/orbit_trig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <vector>

#include "engine/animation/star_motion.h"

namespace orb {
namespace {

// The double-precision library values rounded to singles: the correctly rounded results for all
// but a vanishing share of angles.
SinCosF Reference(float a) {
    return {static_cast<float>(std::sin(static_cast<double>(a))),
            static_cast<float>(std::cos(static_cast<double>(a)))};
}

// Units in the last place between two singles of the same sign (or both around zero).
int32_t UlpsApart(float a, float b) {
    const int64_t d = static_cast<int64_t>(std::bit_cast<int32_t>(a)) - std::bit_cast<int32_t>(b);
    return static_cast<int32_t>(d < 0 ? -d : d);
}

// Angles around every quadrant edge of the first turns and of far-out turns, both signs, and the
// edges of the exact reduction.
std::vector<float> Angles() {
    std::vector<float> angles{0.0f,
                              -0.0f,
                              1e-30f,
                              0.785398f,
                              1.0f,
                              2.5f,
                              3.14159274f,
                              100.0f,
                              12345.678f,
                              kOrbitTrigLimit,
                              std::nextafter(kOrbitTrigLimit, 0.0f)};
    for (int k = -40; k <= 40; ++k)
        for (double far : {0.0, 1e5})
            for (float step = -2e-3f; step <= 2e-3f; step += 1e-4f)
                angles.push_back(static_cast<float>((far + k * 0.25 * 3.141592653589793) + step));
    const size_t n = angles.size();
    for (size_t i = 0; i < n; ++i)
        angles.push_back(-angles[i]);
    return angles;
}

TEST(OrbitSinCos, IsWithinOneUnitInTheLastPlaceAcrossQuadrantsAndFarTurns) {
    for (float a : Angles()) {
        const SinCosF want = Reference(a), got = OrbitSinCos(a);
        ASSERT_LE(UlpsApart(got.sin, want.sin), 1) << a << " " << got.sin << " " << want.sin;
        ASSERT_LE(UlpsApart(got.cos, want.cos), 1) << a << " " << got.cos << " " << want.cos;
    }
}

TEST(OrbitSinCos, AnglesBeyondTheExactReductionAndNonFiniteOnesStillWork) {
    for (float a : {2e6f, -3.5e9f, 1e30f}) {
        const SinCosF got = OrbitSinCos(a);
        EXPECT_NEAR(got.sin, Reference(a).sin, 1e-6f) << a;
        EXPECT_NEAR(got.cos, Reference(a).cos, 1e-6f) << a;
    }
    for (float a : {std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
        EXPECT_TRUE(std::isnan(OrbitSinCos(a).sin));
        EXPECT_TRUE(std::isnan(OrbitSinCos(a).cos));
    }
}

// The wave's sine feeds a double expression: it must be as good as the library's double sine.
TEST(WaveSine, IsWithinAFewUnitsOfTheDoubleSine) {
    for (float a : Angles()) {
        const double want = std::sin(static_cast<double>(a)), got = WaveSine(a);
        ASSERT_NEAR(got, want, 4e-16 * std::max(std::fabs(want), 1e-3)) << a;
    }
    EXPECT_EQ(WaveSine(3.5e9f), std::sin(3.5e9)) << "beyond the exact reduction: the library's";
    EXPECT_TRUE(std::isnan(WaveSine(std::numeric_limits<float>::infinity())));
}

// The look-ahead of a block must be exactly the move each star makes on its own, including angles
// the block has to redo one by one, and for a count that is not a multiple of any vector width.
TEST(OrbitAhead, MatchesTheOrbitRuleStarByStar) {
    const std::vector<float> angles = Angles();
    const int32_t n = static_cast<int32_t>(angles.size()) | 1;
    StarArrays s;
    s.Size(n, 1);
    for (int32_t i = 0; i < n; ++i) {
        s.angle[i] = angles[static_cast<size_t>(i) % angles.size()];
        s.spin[i] = i % 3 == 0 ? 0.0f : 0.01f * static_cast<float>(i % 7 - 3);
        s.radius[i] = 0.5f + static_cast<float>(i % 11) * 37.25f;
    }
    s.angle[n / 2] = -3.5e9f; // a star that no longer turns
    std::vector<float> x(static_cast<size_t>(n)), z(static_cast<size_t>(n));
    OrbitAhead(s.angle.data(), s.spin.data(), s.radius.data(), n, x.data(), z.data());
    for (int32_t i = 0; i < n; ++i) {
        const Vec3f p = motion::Orbit(s, i);
        ASSERT_EQ(x[static_cast<size_t>(i)], p.x) << i;
        ASSERT_EQ(z[static_cast<size_t>(i)], p.z) << i;
    }
}

} // namespace
} // namespace orb
