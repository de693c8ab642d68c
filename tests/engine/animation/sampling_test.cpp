#include "engine/animation/sampling.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "settings/numeric.h"

namespace orb {
namespace {

constexpr double kPiD = 3.141592653589793;

double Length(float x, float y, float z) {
    return std::sqrt(double(x) * x + double(y) * y + double(z) * z);
}

struct AngleCase {
    float c, s;
    double expected;
    double tolerance;
};

TEST(FullAngle, CoversAllFourQuadrants) {
    const float h = static_cast<float>(std::sqrt(0.5));
    // Near |c| = 1 the 1e-9 under the root shifts the angle by about 3e-5.
    const AngleCase cases[] = {
        {1, 0, 0, 1e-4},
        {h, 1, kPiD / 4, 1e-6},
        {0, 1, kPiD / 2, 1e-6},
        {-h, 1, 3 * kPiD / 4, 1e-6},
        {-1, 0, kPiD, 1e-4},
        {-h, -1, 5 * kPiD / 4, 1e-6},
        {0, -1, 3 * kPiD / 2, 1e-6},
        {h, -1, 7 * kPiD / 4, 1e-6},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(FullAngle(c.c, c.s), c.expected, c.tolerance) << c.c << "," << c.s;
}

TEST(FullAngle, CosineJustOutsideTheRangeStaysFinite) {
    EXPECT_NEAR(FullAngle(1.0000001f, 0), 0.0, 1e-6);
    EXPECT_NEAR(FullAngle(-1.0000001f, 0), kPiD, 1e-6);
    EXPECT_TRUE(std::isfinite(FullAngle(5.0f, -1)));
    EXPECT_EQ(FullAngle(NAN, 1), 0.0f);
}

TEST(TrigTables, EndpointsAndQuarterTurn) {
    const TrigTables& t = BuildTrigTables();
    EXPECT_EQ(t.cos[0], 1.0f);
    EXPECT_EQ(t.cos[1000], -1.0f);
    EXPECT_EQ(t.sin[500], 1.0f);
    EXPECT_NEAR(t.sin[1000], 0.0f, 1e-6);
}

TEST(RandomOnSphere, EveryPointLiesOnTheSphere) {
    Random random(7);
    const TrigTables& trig = BuildTrigTables();
    int negativeY = 0;
    for (int i = 0; i < 5000; ++i) {
        float x, y, z;
        RandomOnSphere(random, trig, 2.5f, x, y, z);
        ASSERT_NEAR(Length(x, y, z), 2.5, 1e-5);
        negativeY += y < 0;
    }
    EXPECT_GT(negativeY, 2000); // the sign draw puts about half below the plane
    EXPECT_LT(negativeY, 3000);
}

TEST(RandomOnSphere, CanDrawTableIndex1000) {
    // Find a seed whose first draw rounds to index 1000 (a draw of 0.9995 or more).
    uint64_t seed = 0;
    for (;; ++seed) {
        Random probe(seed);
        if (NearestInt(probe() * 1000.0) == 1000) break;
    }
    Random random(seed);
    const TrigTables& trig = BuildTrigTables();
    float x, y, z;
    RandomOnSphere(random, trig, 3.0f, x, y, z);
    EXPECT_FLOAT_EQ(z, trig.cos[1000] * 3.0f); // the south pole
    EXPECT_NEAR(x, 0.0f, 1e-6);
    EXPECT_NEAR(y, 0.0f, 1e-6);
}

TEST(RandomOnSphere, TakesThreeDraws) {
    Random random(11), reference(11);
    float x, y, z;
    RandomOnSphere(random, BuildTrigTables(), 1.0f, x, y, z);
    for (int i = 0; i < 3; ++i)
        reference();
    EXPECT_EQ(random.State(), reference.State());
}

TEST(RandomInBall, FillsTheBallUniformly) {
    Random random(3);
    const int n = 20000;
    int inner = 0;
    double sumX = 0;
    for (int i = 0; i < n; ++i) {
        float x, y, z;
        RandomInBall(random, 4.0f, x, y, z);
        const double len = Length(x, y, z);
        ASSERT_LE(len, 4.0);
        inner += len <= 2.0;
        sumX += x;
    }
    // A uniform ball has an eighth of its points inside half its radius.
    EXPECT_NEAR(inner / double(n), 0.125, 0.01);
    EXPECT_NEAR(sumX / n, 0.0, 0.05);
}

TEST(RandomInBall, DegenerateRadiiTerminate) {
    Random random(5);
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
        ASSERT_FLOAT_EQ(x, bx);
        ASSERT_FLOAT_EQ(y, by);
        ASSERT_FLOAT_EQ(z, bz);
    }
}

} // namespace
} // namespace orb
