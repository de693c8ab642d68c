#include "engine/animation/effects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace orb {
namespace {

using Points = std::vector<std::pair<int32_t, int32_t>>;

Points Listed(const PixelPattern& p) {
    Points out;
    for (int i = 0; i < p.count; ++i)
        out.emplace_back(p.points[i].x, p.points[i].y);
    return out;
}

const ScreenGeometry kVga = MakeScreenGeometry(640, 480, 1.0f);

} // namespace

TEST(Sparkle, PatternsBySize) {
    const struct {
        const char* what;
        float focalLength, depth, m;
        int32_t x, y, left, total;
        Points expected; // in drawing order
    } cases[] = {
        // clang-format off
        {"no frames in total: the pixel alone", 1, 1, 9, 5, 6, 3, 0, {{5, 6}}},
        {"no depth: the pixel alone", 1, 0, 9, 5, 6, 3, 3, {{5, 6}}},
        {"n = 0: the pixel alone", 1, 1, 0.01f, 100, 50, 1, 1, {{100, 50}}},
        {"n = 1: the four neighbours", 1, 1, 0.04f, 100, 50, 1, 1,
         {{100, 50}, {99, 50}, {101, 50}, {100, 49}, {100, 51}}},
        {"n = 3: crosses at r16 = 2 and n", 1, 1, 0.1f, 100, 50, 1, 1,
         {{100, 50}, {98, 50}, {102, 50}, {100, 48}, {100, 52}, {97, 50}, {103, 50}, {100, 47}, {100, 53}}}};
    // clang-format on
    for (const auto& c : cases) {
        const ScreenGeometry screen = MakeScreenGeometry(640, 480, c.focalLength);
        EXPECT_EQ(Listed(SparklePattern(screen, c.x, c.y, c.depth, c.left, c.total, c.m)), c.expected)
            << c.what;
    }
}

TEST(Nova, GrowsFromASinglePixelAndNothingIsBehindTheCamera) {
    // e = 0.03125 exactly on the first frame is not above the threshold: the centre alone.
    EXPECT_EQ(Listed(NovaPattern(kVga, 0, 0, 1, 5, 5, 0.03125f)), (Points{{320, 240}}));
    // One frame later w = 2^0.6375 and the whole burst appears.
    EXPECT_EQ(NovaPattern(kVga, 0, 0, 1, 4, 5, 0.03125f).count, kMaxNovaPixels);
    // Nothing behind the camera, and no echo behind it.
    EXPECT_EQ(NovaPattern(kVga, 0, 0, kNearDepth, 1, 1, 1).count, 0);
    // Depth 0.5 with m = 10: the near echo would sit at depth -0.5.
    EXPECT_EQ(NovaPattern(kVga, 0, 0, 0.5f, 1, 1, 10).count, 33 + 20);
}

TEST(NovaFadeIndex, ProgressThroughThePaletteWithoutOverflow) {
    const struct {
        int32_t total, left, index;
    } cases[] = {
        {30, 29, 3},    // 80 / 30 = 2.67
        {30, 1, 77},    // 29 x 80 / 30 = 77.3
        {159, 1, 79},   // 79.497
        {160, 1, 79},   // 79.5 rounds to 80: the last entry
        {999, 1, 79},   // 79.92
        {999, 500, 40}, // 499 x 80 = 39920 does not fit 16 bits
        {0, -5, 0},     // no frames, whatever is left
        {1, 0, 79},     // one frame, shown
        {10, 20, 0},    // more frames left than in total
    };
    for (const auto& c : cases)
        EXPECT_EQ(NovaFadeIndex(c.total, c.left), c.index) << c.total << "/" << c.left;
}

TEST(NewStarRate, FadesBetweenTheUniverseAndTheVisitedGalaxies) {
    const struct {
        const char* what;
        bool single, visiting;
        int16_t g, k;
        float t;
        int16_t rate;
    } cases[] = {
        {"single-galaxy preview uses the galaxy's own type", true, true, 1, 1, 0.0f, 10},
        {"leaving: the previous galaxy's rate at first", false, true, 1, 1, 0.0f, 900},
        {"leaving: halfway back to the universe rate", false, true, 1, 1, 0.5f, 500},
        {"leaving: the universe rate at the end", false, true, 1, 1, 1.0f, 100},
        {"the first galaxy has no previous one", false, true, 0, 1, 0.0f, 100},
        {"in front of a galaxy", false, true, 3, 2, 0.5f, 100},
        {"first core point fades in", false, true, 3, 3, 0.0f, 100},
        {"first core point halfway", false, true, 3, 3, 0.5f, 250},
        {"later core points hold the galaxy's rate", false, true, 3, 4, 0.2f, 400},
        {"departure: core points do not count", false, false, 0, 3, 0.5f, 100},
    };
    for (const auto& c : cases) {
        const NewStarRateInput in{c.single, c.visiting, c.g, c.k, c.t, 2, 100, 10, 400, 900};
        EXPECT_EQ(NewStarRate(in).rate, c.rate) << c.what;
    }
}

TEST(RenewalCount, RoundsTheRateWithAChanceForTheRemainder) {
    // Rate 250: nearest(2.5) = 2 when the draw misses the remainder, nearest(3.5) = 4 when it hits.
    bool sawLow = false, sawHigh = false;
    for (uint64_t seed = 1; seed <= 40; ++seed) {
        Random probe(seed), random(seed);
        const bool hit = probe() * 100.0f < 50.0f;
        EXPECT_EQ(RenewalCount(250, random), hit ? 4 : 2) << seed;
        (hit ? sawHigh : sawLow) = true;
    }
    EXPECT_TRUE(sawLow && sawHigh);
    Random quarter(3456206); // draws exactly 0.25: a remainder of 25 is not reached
    EXPECT_EQ(RenewalCount(225, quarter), 2);
    Random random(7);
    for (int i = 0; i < 50; ++i) {
        const int32_t n = RenewalCount(99, random);
        EXPECT_TRUE(RenewalCount(0, random) == 0 && RenewalCount(300, random) == 3 &&
                    RenewalCount(-250, random) == 0 && (n == 1 || n == 2))
            << n;
    }
}

} // namespace orb
