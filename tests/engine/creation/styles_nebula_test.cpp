#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/creation/galaxy_fixture.h"
#include "engine/creation/styles.h"

namespace orb {
namespace {

using test::GalaxyWorld;
using test::MakeWorld;
using test::StarValues;
using test::V3;

std::unique_ptr<GalaxyWorld> NebulaWorld(int points, bool closed, float steps = 500) {
    auto w = MakeWorld();
    GalaxyType& t = w->Type(0);
    t[G::GalStyle] = 4;
    t[G::CP_Points] = static_cast<float>(points);
    t[G::CP_Close] = closed ? 1.0f : 0.0f;
    t[G::CP_Steps] = steps;
    t[G::ColorComp] = 5;
    w->Setup(0, 2);
    return w;
}

V3 Path(const GalaxyWorld& w, int g, int k) {
    const int i = GalaxyStyleState::Path(g, k);
    return {w.model.style.nebulaPathX[i], w.model.style.nebulaPathY[i], w.model.style.nebulaPathZ[i]};
}
V3 Layer(const GalaxyWorld& w, int g, int k, int layer) {
    const int i = GalaxyStyleState::Layer(g, k, layer);
    return {w.model.style.nebulaLayerX[i], w.model.style.nebulaLayerY[i], w.model.style.nebulaLayerZ[i]};
}
void ExpectNear(V3 a, V3 b, double tol, const char* what) {
    EXPECT_NEAR(a.x, b.x, tol) << what;
    EXPECT_NEAR(a.y, b.y, tol) << what;
    EXPECT_NEAR(a.z, b.z, tol) << what;
}

TEST(BSpline, EndsAtTheBlendOfItsMiddlePoints) {
    EXPECT_NEAR(styles::BSpline(6, 12, 18, 100, 0), (6 + 48 + 18) / 6.0, 1e-6);
    EXPECT_NEAR(styles::BSpline(6, 12, 18, 24, 1), (12 + 72 + 24) / 6.0, 1e-6);
    EXPECT_NEAR(styles::BSpline(5, 5, 5, 5, 0.37), 5.0, 1e-6); // a constant stays put
    EXPECT_NEAR(styles::BSpline(0, 1, 2, 3, 0.5), 1.5, 1e-6);  // and a line stays a line
}

TEST(NebulaSetup, LayersFillTheBoxAndThePathStartsAtTheirBlend) {
    auto w = NebulaWorld(5, false);
    const double R = 3.0, ratio = 0.3f;
    for (int k = 0; k < 5; ++k)
        for (int j = 0; j < 4; ++j) {
            const V3 p = Layer(*w, 1, k, j);
            EXPECT_LE(std::fabs(p.x), R);
            EXPECT_LE(std::fabs(p.y), R * ratio + 1e-6);
            EXPECT_LE(std::fabs(p.z), R);
        }
    for (int k = 0; k < 5; ++k) {
        const V3 a = Layer(*w, 1, k, 0), b = Layer(*w, 1, k, 1), c = Layer(*w, 1, k, 2);
        ExpectNear(Path(*w, 1, k),
                   {(a.x + 4 * b.x + c.x) / 6, (a.y + 4 * b.y + c.y) / 6, (a.z + 4 * b.z + c.z) / 6}, 1e-5,
                   "path at t = 0");
    }
    // An open loop's three extra positions have no layers until the first shift.
    for (int k = 5; k < 8; ++k)
        ExpectNear(Path(*w, 1, k), {0, 0, 0}, 0, "open tail");
}

TEST(NebulaSetup, ControlPointsAreClampedTo1To20) {
    auto w = NebulaWorld(45, true);
    EXPECT_EQ(w->Type(0)[G::CP_Points], 20.0f);
    w = NebulaWorld(0, true);
    EXPECT_EQ(w->Type(0)[G::CP_Points], 1.0f);
}

TEST(NebulaPath, ClosedLoopWrapsItsFirstThreePoints) {
    auto w = NebulaWorld(4, true, 3);
    const int16_t slots[] = {0, 0};
    for (int frame = 0; frame < 5; ++frame) {
        for (int k = 4; k < 7; ++k)
            ExpectNear(Path(*w, 0, k), Path(*w, 0, k - 4), 0, "closed tail");
        AdvanceNebulaPoints(w->model, 2, -1, slots);
    }
}

TEST(NebulaPath, ZeroStepsNeverShiftsLayers) {
    auto w = NebulaWorld(6, true, 0);
    w->Type(0)[G::Rotation] = 0;
    w->Prepare();
    const std::vector<float> before = w->model.style.nebulaLayerX;
    const uint64_t state = w->random.State();
    for (int frame = 0; frame < 3000; ++frame)
        AdvanceNebulaPoints(w->model, 2, 0, {});
    EXPECT_EQ(w->model.style.nebulaLayerX, before);
    EXPECT_EQ(w->model.style.nebulaPhase[0], 0.0f);
    EXPECT_EQ(w->random.State(), state);
}

TEST(NebulaPath, LayersShiftDownAfterStepsFrames) {
    auto w = NebulaWorld(3, false, 4);
    w->Type(0)[G::Rotation] = 0;
    w->Prepare();
    const V3 layer1 = Layer(*w, 0, 2, 1), layer3 = Layer(*w, 0, 2, 3);
    for (int frame = 0; frame < 3; ++frame)
        AdvanceNebulaPoints(w->model, 2, 0, {});
    EXPECT_FLOAT_EQ(w->model.style.nebulaPhase[0], 0.75f);
    for (int k = 0; k < 3; ++k) { // between shifts the path runs along the four layers
        V3 l[4];
        for (int j = 0; j < 4; ++j)
            l[j] = Layer(*w, 0, k, j);
        ExpectNear(Path(*w, 0, k),
                   {styles::BSpline(l[0].x, l[1].x, l[2].x, l[3].x, 0.75),
                    styles::BSpline(l[0].y, l[1].y, l[2].y, l[3].y, 0.75),
                    styles::BSpline(l[0].z, l[1].z, l[2].z, l[3].z, 0.75)},
                   1e-5, "path at t = 0.75");
    }
    AdvanceNebulaPoints(w->model, 2, 0, {});
    EXPECT_NEAR(w->model.style.nebulaPhase[0], 0.0, 1e-6);
    ExpectNear(Layer(*w, 0, 2, 0), layer1, 0, "layer 1 moved to 0");
    ExpectNear(Layer(*w, 0, 2, 2), layer3, 0, "layer 3 moved to 2");
    // The tail positions get layers from the first shift on.
    EXPECT_NE(Layer(*w, 0, 4, 3).x, 0.0);
}

TEST(NebulaPath, LayersTurnAboutTheTypesAxis) {
    for (int plane : {0, 1}) {
        auto w = NebulaWorld(2, true, 0);
        w->Type(0)[G::AxisPlane] = static_cast<float>(plane);
        w->Type(0)[G::Rotation] = 250000; // a quarter radian per frame
        w->Prepare();
        const V3 before = Layer(*w, 0, 1, 2);
        AdvanceNebulaPoints(w->model, 1, 0, {});
        const V3 after = Layer(*w, 0, 1, 2);
        const double c = std::cos(0.25), s = std::sin(0.25);
        const V3 aboutY{before.x * c - before.z * s, before.y, before.x * s + before.z * c};
        const V3 aboutX{before.x, before.y * c - before.z * s, before.y * s + before.z * c};
        ExpectNear(after, plane == 0 ? aboutY : aboutX, 1e-5, plane == 0 ? "y axis" : "x axis");
    }
}

TEST(NebulaPath, OnlyNebulaGalaxiesAdvance) {
    auto w = NebulaWorld(3, true, 10);
    w->Type(1)[G::GalStyle] = 0;
    CompositeGalaxy& c = w->tables.composites[2];
    c.count = 2;
    c.member[0] = 0; // a nebula major
    c.member[1] = 1;
    w->Prepare();
    const int16_t slots[] = {1, 34, 0};
    SetupGalaxies(w->model, 3, -1, -1, slots);
    AdvanceNebulaPoints(w->model, 3, -1, slots);
    EXPECT_EQ(w->model.style.nebulaPhase[0], 0.0f);
    EXPECT_FLOAT_EQ(w->model.style.nebulaPhase[1], 0.1f);
    EXPECT_FLOAT_EQ(w->model.style.nebulaPhase[2], 0.1f);
}

TEST(NebulaSpawn, OneBiasPointWithSpan0PutsEveryStarAtOnePoint) {
    auto w = NebulaWorld(6, true);
    w->Type(0)[G::CP_B_Pts] = 1;
    w->Type(0)[G::CP_B_Exp] = 0;
    w->Type(0)[G::CP_B_Spd] = 0;
    w->Prepare();
    const StarValues first = w->Spawn(0, 1);
    EXPECT_FLOAT_EQ(first.radius, 0.5f); // the middle of the ribbon
    for (int i = 0; i < 50; ++i) {
        const StarValues s = w->Spawn(0, 1);
        ASSERT_EQ(s.x, first.x);
        ASSERT_EQ(s.y, first.y);
        ASSERT_EQ(s.z, first.z);
    }
    w->Type(0)[G::CP_B_Spd] = 999; // the bias position carries the point along
    w->Prepare();
    EXPECT_NE(w->Spawn(0, 1).x, first.x);
}

TEST(NebulaSpawn, BiasPositionWrapsAtTheControlPointCount) {
    auto w = NebulaWorld(4, true);
    w->Type(0)[G::CP_B_Spd] = 999;
    w->Prepare();
    w->Type(0).nebulaBiasPos = 3.95f;
    w->Spawn(0, 1);
    EXPECT_NEAR(w->Type(0).nebulaBiasPos, 3.95 + 0.0999 - 4, 1e-5);
    w->Type(0).nebulaBiasPos = 250.0f; // junk: the star must still land on the path
    const StarValues s = w->Spawn(0, 1);
    EXPECT_TRUE(s.Finite());
}

TEST(NebulaSpawn, StarsLieOnTheRibbonAndDriftOutward) {
    auto w = NebulaWorld(5, true);
    w->Type(0)[G::RadiusExp] = 0;    // no random wind
    w->Type(0)[G::HeightExp] = 2000; // push = 2 x position
    w->Type(0)[G::CP_B_Pts] = 7;
    w->Prepare();
    for (int i = 0; i < 200; ++i) {
        StarValues s;
        s.spin = s.height = 4;
        SpawnStar(w->model, s.Ref(), 0, 1);
        ASSERT_GE(s.radius, 0.0f);
        ASSERT_LT(s.radius, 2.0f);
        ASSERT_EQ(s.height, 0.0f);
        ASSERT_EQ(s.spin, 0.0f);
        ASSERT_FLOAT_EQ(s.velX, 2 * s.x);
        ASSERT_FLOAT_EQ(s.velY, 2 * s.y);
        ASSERT_FLOAT_EQ(s.velZ, 2 * s.z);
        // On the spline of the four path points around its path position radius x P.
        const double pos = double(s.radius) * 5, f = pos - std::floor(pos);
        if (f < 1e-3 || f > 1 - 1e-3) continue; // the position's rounding could pick either piece
        const int k = static_cast<int>(std::floor(pos)) % 5;
        const V3 p0 = Path(*w, 1, k), p1 = Path(*w, 1, k + 1), p2 = Path(*w, 1, k + 2), p3 = Path(*w, 1, k + 3);
        ExpectNear({s.x, s.y, s.z},
                   {styles::BSpline(p0.x, p1.x, p2.x, p3.x, f), styles::BSpline(p0.y, p1.y, p2.y, p3.y, f),
                    styles::BSpline(p0.z, p1.z, p2.z, p3.z, f)},
                   1e-3, "on the path");
    }
}

TEST(NebulaSpawn, SolarWindIsASphereOfRadiusExpTimes0001) {
    auto w = NebulaWorld(5, true);
    w->Type(0)[G::RadiusExp] = 40; // 0.04
    w->Type(0)[G::HeightExp] = 0;
    w->Prepare();
    for (int i = 0; i < 100; ++i) {
        const StarValues s = w->Spawn(0, 1);
        ASSERT_NEAR(std::sqrt(double(s.velX) * s.velX + double(s.velY) * s.velY + double(s.velZ) * s.velZ),
                    0.04, 1e-6);
    }
}

} // namespace
} // namespace orb
