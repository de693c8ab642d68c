#include "engine/animation/projection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>

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

} // namespace
} // namespace orb
