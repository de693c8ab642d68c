#include "engine/animation/projection.h"

#include <gtest/gtest.h>

namespace orb {
namespace {

const ScreenGeometry kVga = MakeScreenGeometry(640, 480, 1.0f);
const TypeView kUntilted{0.0f, 1.0f, 0};

} // namespace

TEST(ScreenGeometry, CentreAndFocalScale) {
    EXPECT_EQ(kVga.centreX, 320);
    EXPECT_EQ(kVga.centreY, 240);
    EXPECT_FLOAT_EQ(kVga.focalScale, 280.0f);
    // Odd sizes: halves go to the even neighbour.
    ScreenGeometry odd = MakeScreenGeometry(641, 483, 2.0f);
    EXPECT_EQ(odd.centreX, 320);
    EXPECT_EQ(odd.centreY, 242);
    EXPECT_FLOAT_EQ(odd.focalScale, 562.0f);
}

TEST(ScreenGeometry, FocalLengthIsClamped) {
    EXPECT_FLOAT_EQ(MakeScreenGeometry(640, 480, 0.0f).focalLength, 0.01f);
    EXPECT_FLOAT_EQ(MakeScreenGeometry(640, 480, 50.0f).focalScale, 2800.0f);
    EXPECT_FLOAT_EQ(MakeScreenGeometry(640, 480, std::nanf("")).focalScale, 280.0f);
}

struct ProjectCase {
    const char* what;
    Vec3f local;
    TypeView view;
    Vec3f rel;
    int32_t x, y;
};

TEST(ProjectStar, KnownPoints) {
    const ProjectCase cases[] = {
        {"untilted, on the local X axis", {100, 0, 0}, kUntilted, {0, 0, 1000}, 348, 240},
        {"local height goes up the screen", {0, 100, 0}, kUntilted, {0, 0, 1000}, 320, 212},
        {"galaxy offset right and down", {0, 0, 0}, kUntilted, {50, 100, 500}, 348, 296},
        {"axial plane swaps the roles", {100, 0, 0}, {0.0f, 1.0f, 1}, {0, 0, 1000}, 320, 268},
        {"axial plane with offsets", {0, 100, 0}, {0.0f, 1.0f, 1}, {100, 50, 1000}, 320, 254},
        {"quarter-turn tilt shows depth as height", {0, 0, 100}, {1.0f, 0.0f, 0}, {0, 0, 1000}, 320, 268},
    };
    for (const ProjectCase& c : cases) {
        ScreenPoint p{-7, -7};
        float depth = ProjectStar(kVga, c.local, c.view, c.rel, p);
        EXPECT_GT(depth, kNearDepth) << c.what;
        EXPECT_EQ(p.x, c.x) << c.what;
        EXPECT_EQ(p.y, c.y) << c.what;
    }
}

TEST(ProjectStar, NothingIsDrawnAtOrBehindTheNearDepth) {
    for (float z : {0.001f, 0.0f, -5.0f}) {
        ScreenPoint p{11, 12};
        float depth = ProjectStar(kVga, {1, 1, z}, kUntilted, {0, 0, 0}, p);
        EXPECT_FALSE(depth > kNearDepth) << z;
        EXPECT_EQ(p.x, 11) << "the old pixel is kept";
        EXPECT_EQ(p.y, 12);
    }
    ScreenPoint p{11, 12};
    EXPECT_GT(ProjectStar(kVga, {0, 0, 0.0011f}, kUntilted, {0, 0, 0}, p), kNearDepth);
    EXPECT_EQ(p.x, 320);
}

TEST(PixelCoord, RoundsHalvesToEvenAndSaturates) {
    const std::pair<double, int32_t> cases[] = {
        {2.5, 2},         {3.5, 4},  {-2.5, -2},         {-3.5, -4},          {347.9999, 348},
        {0.49999999, 0},  {-0.5, 0}, {1e300, INT32_MAX}, {-1e300, INT32_MIN}, {2147483646.5, 2147483646},
        {std::nan(""), 0}};
    for (auto [v, want] : cases)
        EXPECT_EQ(PixelCoord(v), want) << v;
}

TEST(ProjectStar, FarOffPointsSaturateInsteadOfOverflowing) {
    ScreenPoint p;
    ProjectStar(kVga, {1e30f, -1e30f, 0}, kUntilted, {0, 0, 0.002f}, p);
    EXPECT_EQ(p.x, INT32_MAX);
    EXPECT_EQ(p.y, INT32_MAX); // local height is mirrored: up the screen is down the rows
}

TEST(CameraSpace, MatchesTheProjectionBeforeDivision) {
    const TypeView views[] = {kUntilted, {0.6f, 0.8f, 0}, {0.6f, 0.8f, 1}};
    for (const TypeView& v : views) {
        Vec3f local{30, -20, 45}, rel{5, 7, 600};
        CameraPoint c = CameraSpace(local, v, rel);
        ScreenPoint p;
        float depth = ProjectStar(kVga, local, v, rel, p);
        EXPECT_FLOAT_EQ(c.depth, depth);
        EXPECT_NEAR(c.x * kVga.focalScale / depth + kVga.centreX, p.x, 0.5f);
        EXPECT_NEAR(c.y * kVga.focalScale / depth + kVga.centreY, p.y, 0.5f);
    }
}

} // namespace orb
