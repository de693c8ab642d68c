#include "engine/animation/sampling.h"

#include "engine/animation/random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace orb {
namespace {

constexpr double kPiD = 3.141592653589793;

double Length(float x, float y, float z) {
    return std::sqrt(double(x) * x + double(y) * y + double(z) * z);
}

// Skipping draws must leave the generator where drawing them would, for counts with every
// bit pattern of the squaring (none, one, runs of ones, a high bit alone).
TEST(RandomAdvance, EqualsThatManyDraws) {
    for (uint64_t n : {0u, 1u, 2u, 3u, 7u, 8u, 255u, 256u, 1000u, 65537u}) {
        Random drawn(n + 11), skipped(n + 11);
        for (uint64_t k = 0; k < n; ++k)
            drawn.Next();
        skipped.Advance(n);
        EXPECT_EQ(skipped.State(), drawn.State()) << n;
        EXPECT_EQ(skipped.Next(), drawn.Next()) << n;
    }
}

TEST(FullAngle, CoversAllFourQuadrantsAndStaysFiniteOutsideTheRange) {
    const float h = static_cast<float>(std::sqrt(0.5));
    // Expected in eighths of a turn; near |c| = 1 the 1e-9 under the root shifts the angle by 3e-5.
    const std::tuple<float, float, int, double> cases[] = {
        {1, 0, 0, 1e-4},          {h, 1, 1, 1e-6},          {0, 1, 2, 1e-6},  {-h, 1, 3, 1e-6},
        {-1, 0, 4, 1e-4},         {-h, -1, 5, 1e-6},        {0, -1, 6, 1e-6}, {h, -1, 7, 1e-6},
        {1.0000001f, 0, 0, 1e-6}, {-1.0000001f, 0, 4, 1e-6}};
    for (auto [c, s, eighths, tolerance] : cases)
        EXPECT_NEAR(FullAngle(c, s), eighths * kPiD / 4, tolerance) << c << "," << s;
    EXPECT_TRUE(std::isfinite(FullAngle(5.0f, -1)));
    EXPECT_EQ(FullAngle(NAN, 1), 0.0f);
    const TrigTables& t = BuildTrigTables();
    EXPECT_TRUE(t.cos[0] == 1.0f && t.cos[1000] == -1.0f && t.sin[500] == 1.0f);
}

TEST(RandomInBall, FillsTheBallUniformlyAndDegenerateRadiiTerminate) {
    Random random(3);
    const int n = 20000;
    int inner = 0;
    for (int i = 0; i < n; ++i) {
        float x, y, z;
        RandomInBall(random, 4.0f, x, y, z);
        ASSERT_LE(Length(x, y, z), 4.0);
        inner += Length(x, y, z) <= 2.0;
    }
    EXPECT_NEAR(inner / double(n), 0.125, 0.01); // an eighth inside half the radius
    float x, y, z;
    RandomInBall(random, 0.0f, x, y, z);
    EXPECT_EQ(Length(x, y, z), 0.0);
    RandomInBall(random, -2.0f, x, y, z); // a negative radius samples the ball of radius 2
    EXPECT_LE(Length(x, y, z), 2.0);
    RandomInBall(random, NAN, x, y, z);
    EXPECT_EQ(Length(x, y, z), 0.0);
}

TEST(RandomInBallToShell, ZeroKeepsTheBallAndOnePutsThePointOnTheShell) {
    Random shellRandom(9), ballRandom(9), keepRandom(9);
    for (int i = 0; i < 1000; ++i) {
        float x, y, z, bx, by, bz;
        RandomInBallToShell(shellRandom, 5.0f, 1.0f, x, y, z);
        ASSERT_NEAR(Length(x, y, z), 5.0, 1e-4);
        RandomInBall(ballRandom, 5.0f, bx, by, bz);
        RandomInBallToShell(keepRandom, 5.0f, 0.0f, x, y, z);
        ASSERT_TRUE(x == bx && y == by && z == bz) << i;
    }
}

} // namespace
} // namespace orb
