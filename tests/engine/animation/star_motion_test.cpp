#include "engine/animation/star_motion.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/animation/type_advance.h"

namespace orb {
namespace {

// One star at (1, 2, 3) moving (0.5, -1, 2), on an orbit of radius 10 at angle 0.5 turning 0.25.
StarArrays OneStar() {
    StarArrays s;
    s.Size(1, 1);
    s.x[0] = 1, s.y[0] = 2, s.z[0] = 3, s.velX[0] = 0.5f, s.velY[0] = -1, s.velZ[0] = 2;
    s.radius[0] = 10, s.angle[0] = 0.5f, s.spin[0] = 0.25f, s.height[0] = -3, s.age[0] = 2;
    return s;
}

TEST(MoveStar, EachStyleMovesByItsOwnRule) {
    for (int16_t style = 0; style < 10; ++style) {
        SCOPED_TRACE(style);
        GalaxyTypeRun run;
        run.emitSpeed = 0.5f, run.heightScaled = 4, run.angleParam = 0.5f, run.bandFillWhole = 3;
        StarArrays s = OneStar();
        const Vec3f p = MoveStar(s, 0, style, run);
        if (style <= 3) { // orbiting: turn by the spin, the stored position is not theirs
            EXPECT_FLOAT_EQ(s.angle[0], 0.75f);
            EXPECT_FLOAT_EQ(p.x, 10 * std::cos(0.75f));
            EXPECT_FLOAT_EQ(p.z, 10 * std::sin(0.75f));
            EXPECT_FLOAT_EQ(p.y, -3);
            EXPECT_EQ(s.x[0], 1);
        } else if (style <= 5) { // drifting: add the velocity
            EXPECT_TRUE(p.x == 1.5f && p.y == 1 && p.z == 5 && s.z[0] == 5);
        } else if (style == 6) { // graviton: pulled toward the core, q = -0.5 / 14
            const double q = -0.5 / 14;
            EXPECT_FLOAT_EQ(s.velX[0], static_cast<float>(0.5 + 1 * q));
            EXPECT_FLOAT_EQ(s.velZ[0], static_cast<float>(2 + 3 * q));
            EXPECT_FLOAT_EQ(p.y, static_cast<float>(2 + (-1 + 2 * q)));
        } else if (style == 7) { // starwave: ages, the phase advances and the wave damps
            EXPECT_EQ(s.age[0], 3);
            EXPECT_FLOAT_EQ(s.velY[0], -0.5f);
            EXPECT_FLOAT_EQ(p.y, static_cast<float>(4 * std::sin(-0.5) * 3 / (3 + 3)));
            EXPECT_TRUE(p.x == 1.5f && p.z == 5);
        } else { // unknown: stays put
            EXPECT_TRUE(p.x == 1 && s.angle[0] == 0.5f);
        }
    }
    GalaxyTypeRun flat; // no persistence: the wave is flat from the start
    StarArrays s = OneStar();
    s.age[0] = 0;
    EXPECT_EQ(MoveStar(s, 0, 7, flat).y, 0.0f);
}

TEST(AdvanceGalaxyTypes, TurnsTiltHueAndPhasesAndWrapsThem) {
    GalaxyTables tables;
    Random random;
    GalaxyModel model(tables, random, BuildTrigTables());
    GalaxyTypeRun& run = model.run[5];
    GalaxyType& type = tables.types[5];
    run.tiltAngle = 6.2f, run.tiltRate = 0.1f, run.hueOffset = 359.5f, run.spinRate = 0.01f;
    type[G::HWheelInc] = 1.0f;
    type.spinPhase = 1.0f, type.spinPhaseFast = 6.25f;
    AdvanceGalaxyTypes(model);
    EXPECT_NEAR(run.tiltAngle, 6.3 - kTwoPi, 1e-6);
    EXPECT_FLOAT_EQ(run.tiltSin, std::sin(run.tiltAngle));
    EXPECT_FLOAT_EQ(run.tiltCos, std::cos(run.tiltAngle));
    EXPECT_FLOAT_EQ(run.hueOffset, 0.5f);
    EXPECT_FLOAT_EQ(type.spinPhase, 1.01f);
    EXPECT_NEAR(type.spinPhaseFast, 6.33 - kTwoPi, 1e-6);
    EXPECT_EQ(model.run[40].tiltCos, 1.0f) << "composite stand-ins are not advanced";
}

} // namespace
} // namespace orb
