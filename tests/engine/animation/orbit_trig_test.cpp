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

// Units in the last place between two singles of the same sign (or both around zero); +0 and -0
// are the same.
int64_t UlpsApart(float a, float b) {
    return a == b ? 0 : std::abs(static_cast<int64_t>(std::bit_cast<int32_t>(a)) - std::bit_cast<int32_t>(b));
}

// Angles around every quadrant edge of the first turns and of far-out turns, both signs, and the
// edges of the exact reduction.
std::vector<float> Angles() {
    std::vector<float> angles{0.0f, 1e-30f, 0.785398f, 2.5f, 3.14159274f, 12345.678f, kOrbitTrigLimit,
                              std::nextafter(kOrbitTrigLimit, 0.0f)};
    for (int k = -40; k <= 40; ++k)
        for (double far : {0.0, 1e5})
            for (float step = -2e-3f; step <= 2e-3f; step += 1e-4f)
                angles.push_back(static_cast<float>((far + k * 0.25 * 3.141592653589793) + step));
    for (size_t i = 0, n = angles.size(); i < n; ++i)
        angles.push_back(-angles[i]);
    return angles;
}

// Within one unit in the last place of the double library values rounded to singles; the wave's
// sine feeds a double expression and must be as good as the library's double sine.
TEST(OrbitSinCos, MatchesTheLibraryAcrossQuadrantsFarTurnsAndBeyondTheExactReduction) {
    for (float a : Angles()) {
        const SinCosF got = OrbitSinCos(a);
        const double s = std::sin(static_cast<double>(a)), c = std::cos(static_cast<double>(a));
        ASSERT_LE(UlpsApart(got.sin, static_cast<float>(s)), 1) << a;
        ASSERT_LE(UlpsApart(got.cos, static_cast<float>(c)), 1) << a;
        ASSERT_NEAR(WaveSine(a), s, 4e-16 * std::max(std::fabs(s), 1e-3)) << a;
    }
    for (float a : {2e6f, -3.5e9f, 1e30f}) {
        EXPECT_NEAR(OrbitSinCos(a).sin, std::sin(double(a)), 1e-6f) << a;
        EXPECT_NEAR(OrbitSinCos(a).cos, std::cos(double(a)), 1e-6f) << a;
    }
    EXPECT_EQ(WaveSine(3.5e9f), std::sin(3.5e9));
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_TRUE(std::isnan(OrbitSinCos(inf).sin) && std::isnan(OrbitSinCos(NAN).cos) && std::isnan(WaveSine(inf)));
}

// The look-ahead of a block is exactly the move each star makes on its own, for a count that is
// not a multiple of any vector width.
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
        ASSERT_TRUE(x[static_cast<size_t>(i)] == p.x && z[static_cast<size_t>(i)] == p.z) << i;
    }
}

} // namespace
} // namespace orb
