#include "engine/animation/star_motion.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/animation/type_advance.h"

namespace orb {
namespace {

StarArrays OneStar() {
    StarArrays s;
    s.Size(1, 1);
    return s;
}

} // namespace

TEST(MoveStar, OrbitingStylesTurnByTheSpinAndLeaveTheirPositionAlone) {
    for (int16_t style : {0, 1, 2, 3}) {
        StarArrays s = OneStar();
        s.radius[0] = 10;
        s.angle[0] = 0.5f;
        s.spin[0] = 0.25f;
        s.height[0] = -3;
        s.x[0] = 99;
        Vec3f p = MoveStar(s, 0, style, GalaxyTypeRun{});
        EXPECT_FLOAT_EQ(s.angle[0], 0.75f);
        EXPECT_FLOAT_EQ(p.x, 10 * std::cos(0.75f));
        EXPECT_FLOAT_EQ(p.z, 10 * std::sin(0.75f));
        EXPECT_FLOAT_EQ(p.y, -3);
        EXPECT_EQ(s.x[0], 99) << "the stored position is not theirs";
    }
}

TEST(MoveStar, DriftingStylesAddTheirVelocity) {
    for (int16_t style : {4, 5}) {
        StarArrays s = OneStar();
        s.x[0] = 1, s.y[0] = 2, s.z[0] = 3;
        s.velX[0] = 0.5f, s.velY[0] = -1, s.velZ[0] = 2;
        Vec3f p = MoveStar(s, 0, style, GalaxyTypeRun{});
        EXPECT_FLOAT_EQ(p.x, 1.5f);
        EXPECT_FLOAT_EQ(p.y, 1);
        EXPECT_FLOAT_EQ(p.z, 5);
        EXPECT_FLOAT_EQ(s.z[0], 5);
    }
}

TEST(MoveStar, GravitonPullsTowardTheCoreWithInverseSquareStrength) {
    GalaxyTypeRun run;
    run.emitSpeed = 0.5f;
    StarArrays s = OneStar();
    s.x[0] = 2; // distance 2: q = -0.5 / 4
    Vec3f p = MoveStar(s, 0, 6, run);
    EXPECT_FLOAT_EQ(s.velX[0], -0.25f);
    EXPECT_FLOAT_EQ(p.x, 1.75f);
    EXPECT_FLOAT_EQ(p.y, 0);
}

TEST(MoveStar, StarwaveAgesAndDampsItsWave) {
    GalaxyTypeRun run;
    run.heightScaled = 4;
    run.angleParam = 0.5f;
    run.bandFillWhole = 3;
    StarArrays s = OneStar();
    s.velX[0] = 1;
    s.velZ[0] = -1;
    s.age[0] = 2;
    Vec3f p = MoveStar(s, 0, 7, run);
    EXPECT_EQ(s.age[0], 3);
    EXPECT_FLOAT_EQ(s.velY[0], 0.5f);
    EXPECT_FLOAT_EQ(p.y, 4 * std::sin(0.5f) * 3 / (3 + 3));
    EXPECT_FLOAT_EQ(p.x, 1);
    EXPECT_FLOAT_EQ(p.z, -1);

    run.bandFillWhole = 0; // no persistence: the wave is flat from the start
    s.age[0] = 0;
    EXPECT_EQ(MoveStar(s, 0, 7, run).y, 0.0f);
}

TEST(MoveStar, UnknownStyleStaysPut) {
    StarArrays s = OneStar();
    s.x[0] = 4, s.velX[0] = 1, s.angle[0] = 1, s.spin[0] = 1;
    Vec3f p = MoveStar(s, 0, 9, GalaxyTypeRun{});
    EXPECT_EQ(p.x, 4);
    EXPECT_EQ(s.angle[0], 1);
}

TEST(AdvanceGalaxyTypes, TurnsTiltHueAndPhasesAndWrapsThem) {
    GalaxyTables tables;
    Random random;
    GalaxyModel model(tables, random, BuildTrigTables());
    GalaxyTypeRun& run = model.run[5];
    GalaxyType& type = tables.types[5];
    run.tiltAngle = 6.2f;
    run.tiltRate = 0.1f;
    run.hueOffset = 359.5f;
    type[G::HWheelInc] = 1.0f;
    run.spinRate = 0.01f;
    type.spinPhase = 1.0f;
    type.spinPhaseFast = 6.25f;
    AdvanceGalaxyTypes(model);
    EXPECT_NEAR(run.tiltAngle, 6.3 - kTwoPi, 1e-6);
    EXPECT_FLOAT_EQ(run.tiltSin, std::sin(run.tiltAngle));
    EXPECT_FLOAT_EQ(run.tiltCos, std::cos(run.tiltAngle));
    EXPECT_FLOAT_EQ(run.hueOffset, 0.5f);
    EXPECT_FLOAT_EQ(type.spinPhase, 1.01f);
    EXPECT_NEAR(type.spinPhaseFast, 6.33 - kTwoPi, 1e-6);
    EXPECT_EQ(model.run[40].tiltCos, 1.0f) << "composite stand-ins are not advanced";
}

} // namespace orb
