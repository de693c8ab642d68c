#include "engine/animation/projection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

namespace orb {
namespace {

const ScreenGeometry kVga = MakeScreenGeometry(640, 480, 1.0f);
const TypeView kUntilted{0.0f, 1.0f, 0};

TEST(ScreenGeometry, CentreRoundsHalvesToEvenAndTheFocalLengthIsClamped) {
    EXPECT_EQ(std::tuple(kVga.centreX, kVga.centreY, kVga.focalScale), std::tuple(320, 240, 280.0f));
    const ScreenGeometry odd = MakeScreenGeometry(641, 483, 2.0f);
    EXPECT_EQ(std::tuple(odd.centreX, odd.centreY, odd.focalScale), std::tuple(320, 242, 562.0f));
    EXPECT_FLOAT_EQ(MakeScreenGeometry(640, 480, 0.0f).focalLength, 0.01f);
    EXPECT_FLOAT_EQ(MakeScreenGeometry(640, 480, 50.0f).focalScale, 2800.0f);
    EXPECT_FLOAT_EQ(MakeScreenGeometry(640, 480, std::nanf("")).focalScale, 280.0f);
}

TEST(ProjectStar, NothingIsDrawnAtOrBehindTheNearDepthAndFarPointsSaturate) {
    for (float z : {0.001f, 0.0f, -5.0f}) {
        ScreenPoint p{11, 12};
        EXPECT_FALSE(ProjectStar(kVga, {1, 1, z}, kUntilted, {0, 0, 0}, p) > kNearDepth) << z;
        EXPECT_EQ(std::pair(p.x, p.y), std::pair(11, 12)) << "the old pixel is kept";
    }
    ScreenPoint p{11, 12};
    EXPECT_GT(ProjectStar(kVga, {0, 0, 0.0011f}, kUntilted, {0, 0, 0}, p), kNearDepth);
    EXPECT_EQ(p.x, 320);
    ProjectStar(kVga, {1e30f, -1e30f, 0}, kUntilted, {0, 0, 0.002f}, p);
    EXPECT_EQ(std::pair(p.x, p.y), std::pair(INT32_MAX, INT32_MAX)); // up the screen is down the rows
}

TEST(PixelCoord, RoundsHalvesToEvenAndSaturates) {
    const std::pair<double, int32_t> cases[] = {
        {2.5, 2},         {3.5, 4},  {-2.5, -2},         {-3.5, -4},          {347.9999, 348},
        {0.49999999, 0},  {-0.5, 0}, {1e300, INT32_MAX}, {-1e300, INT32_MIN}, {2147483646.5, 2147483646},
        {std::nan(""), 0}};
    for (auto [v, want] : cases)
        EXPECT_EQ(PixelCoord(v), want) << v;
}

// The vector-lane roundings must give PixelCoord's pixel for every number: near each edge of the
// saturation, near the end of the exact rounding, halves; PixelCoordSelect for NaN too, where
// PixelCoordLanes (only ever used for a pixel that is drawn, which NaN never is) gives INT32_MIN.
TEST(PixelCoordInLanes, MatchesPixelCoordForEveryNumber) {
    std::vector<double> values{0.0, -0.0, 0.5, 1.5, -2.5, 1e300, -1e300, INFINITY, -INFINITY};
    for (double edge : {2147483647.0, 2147483648.0, 0x1p51, 0x1p52, 0x1p53})
        for (double at :
             {edge, edge - 0.5, edge + 0.5, std::nextafter(edge, 0.0), std::nextafter(edge, 1e300)})
            for (double sign : {1.0, -1.0})
                values.push_back(sign * at);
    std::mt19937_64 bits(7);
    std::uniform_real_distribution<double> exponent(-4, 20);
    for (int n = 0; n < 100000; ++n) { // magnitudes from 10^-4 to 10^20, either sign, and halves
        const double v = (n % 2 ? 1 : -1) * std::pow(10.0, exponent(bits));
        values.insert(values.end(), {v, std::floor(v) + 0.5});
    }
    for (double v : values) {
        ASSERT_EQ(PixelCoordLanes(v), PixelCoord(v)) << v;
        ASSERT_EQ(PixelCoordSelect(v), PixelCoord(v)) << v;
    }
    EXPECT_EQ(PixelCoordSelect(std::nan("")), 0);
    EXPECT_EQ(PixelCoordLanes(std::nan("")), INT32_MIN);
}

} // namespace
} // namespace orb
