#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/creation/galaxy_fixture.h"
#include "engine/creation/styles.h"

namespace orb {
namespace {

using test::GalaxyWorld;
using test::StarValues;
using test::V3;

std::unique_ptr<GalaxyWorld> NebulaWorld(int points, bool closed, float steps = 500, float rotation = -1) {
    auto w = test::MakeWorld();
    GalaxyType& t = w->Type(0);
    t[G::GalStyle] = 4;
    t[G::CP_Points] = static_cast<float>(points);
    t[G::CP_Close] = closed ? 1.0f : 0.0f;
    t[G::CP_Steps] = steps;
    t[G::ColorComp] = 5;
    if (rotation >= 0) t[G::Rotation] = rotation; // otherwise the type's own
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
V3 Spline(V3 a, V3 b, V3 c, V3 d, double t) {
    return {styles::BSpline(a.x, b.x, c.x, d.x, t), styles::BSpline(a.y, b.y, c.y, d.y, t),
            styles::BSpline(a.z, b.z, c.z, d.z, t)};
}
void ExpectNear(V3 a, V3 b, double tol, const char* what) {
    EXPECT_TRUE(test::Near(a, b, tol))
        << what << ": " << a.x << "," << a.y << "," << a.z << " vs " << b.x << "," << b.y << "," << b.z;
}

TEST(BSpline, EndsAtTheBlendOfItsMiddlePoints) {
    EXPECT_NEAR(styles::BSpline(6, 12, 18, 100, 0), (6 + 48 + 18) / 6.0, 1e-6);
    EXPECT_NEAR(styles::BSpline(6, 12, 18, 24, 1), (12 + 72 + 24) / 6.0, 1e-6);
    EXPECT_NEAR(styles::BSpline(5, 5, 5, 5, 0.37), 5.0, 1e-6); // a constant stays put
    EXPECT_NEAR(styles::BSpline(0, 1, 2, 3, 0.5), 1.5, 1e-6);  // and a line stays a line
}

TEST(NebulaSetup, LayersFillTheBoxAndThePathStartsAtTheirBlend) {
    auto w = NebulaWorld(5, false);
    for (int k = 0; k < 5; ++k) {
        for (int j = 0; j < 4; ++j) {
            const V3 p = Layer(*w, 1, k, j);
            EXPECT_TRUE(std::fabs(p.x) <= 3.0 && std::fabs(p.y) <= 0.9 + 1e-6 && std::fabs(p.z) <= 3.0) << k;
        }
        const V3 l[] = {Layer(*w, 1, k, 0), Layer(*w, 1, k, 1), Layer(*w, 1, k, 2), Layer(*w, 1, k, 3)};
        ExpectNear(Path(*w, 1, k), Spline(l[0], l[1], l[2], l[3], 0), 1e-5, "path at t = 0");
    }
    for (int k = 5; k < 8; ++k) // an open loop's extra positions have no layers until the first shift
        ExpectNear(Path(*w, 1, k), {0, 0, 0}, 1e-9, "open tail");
    EXPECT_EQ(NebulaWorld(45, true)->Type(0)[G::CP_Points], 20.0f);
    EXPECT_EQ(NebulaWorld(0, true)->Type(0)[G::CP_Points], 1.0f);
}

TEST(NebulaPath, ClosedLoopWrapsItsFirstThreePoints) {
    auto w = NebulaWorld(4, true, 3);
    const int16_t slots[] = {0, 0};
    for (int frame = 0; frame < 5; ++frame) {
        for (int k = 4; k < 7; ++k)
            ExpectNear(Path(*w, 0, k), Path(*w, 0, k - 4), 1e-9, "closed tail");
        AdvanceNebulaPoints(w->model, 2, -1, slots);
    }
}

TEST(NebulaPath, ZeroStepsNeverShiftsLayers) {
    auto w = NebulaWorld(6, true, 0, 0);
    const std::vector<float> before = w->model.style.nebulaLayerX;
    const uint64_t state = w->random.State();
    for (int frame = 0; frame < 3000; ++frame)
        AdvanceNebulaPoints(w->model, 2, 0, {});
    EXPECT_EQ(w->model.style.nebulaLayerX, before);
    EXPECT_EQ(w->model.style.nebulaPhase[0], 0.0f);
    EXPECT_EQ(w->random.State(), state);
}

TEST(NebulaPath, LayersShiftDownAfterStepsFrames) {
    auto w = NebulaWorld(3, false, 4, 0);
    const V3 layer1 = Layer(*w, 0, 2, 1), layer3 = Layer(*w, 0, 2, 3);
    for (int frame = 0; frame < 3; ++frame)
        AdvanceNebulaPoints(w->model, 2, 0, {});
    EXPECT_FLOAT_EQ(w->model.style.nebulaPhase[0], 0.75f);
    for (int k = 0; k < 3; ++k) // between shifts the path runs along the four layers
        ExpectNear(
            Path(*w, 0, k),
            Spline(Layer(*w, 0, k, 0), Layer(*w, 0, k, 1), Layer(*w, 0, k, 2), Layer(*w, 0, k, 3), 0.75),
            1e-5, "path at t = 0.75");
    AdvanceNebulaPoints(w->model, 2, 0, {});
    EXPECT_NEAR(w->model.style.nebulaPhase[0], 0.0, 1e-6);
    ExpectNear(Layer(*w, 0, 2, 0), layer1, 1e-9, "layer 1 moved to 0");
    ExpectNear(Layer(*w, 0, 2, 2), layer3, 1e-9, "layer 3 moved to 2");
    EXPECT_NE(Layer(*w, 0, 4, 3).x, 0.0) << "the tail gets layers from the first shift on";
}

TEST(NebulaPath, LayersTurnAboutTheTypesAxis) {
    for (int plane : {0, 1}) {
        auto w = NebulaWorld(2, true, 0);
        w->Type(0)[G::AxisPlane] = static_cast<float>(plane);
        w->Type(0)[G::Rotation] = 250000; // a quarter radian per frame
        w->Prepare();
        const V3 before[] = {Layer(*w, 0, 0, 2), Layer(*w, 0, 1, 2)};
        AdvanceNebulaPoints(w->model, 1, 0, {});
        const double c = std::cos(0.25), s = std::sin(0.25);
        for (int k = 0; k < 2; ++k) {
            const V3 b = before[k];
            const V3 aboutY{b.x * c - b.z * s, b.y, b.x * s + b.z * c},
                aboutX{b.x, b.y * c - b.z * s, b.y * s + b.z * c};
            ExpectNear(Layer(*w, 0, k, 2), plane == 0 ? aboutY : aboutX, 1e-5,
                       plane == 0 ? "y axis" : "x axis");
        }
    }
}

TEST(NebulaPath, OnlyNebulaGalaxiesAdvance) {
    auto w = NebulaWorld(3, true, 10);
    w->Type(1)[G::GalStyle] = 0;
    CompositeGalaxy& c = w->tables.composites[2];
    c.count = 2;
    c.member[0] = 0, c.member[1] = 1; // a nebula major
    w->Prepare();
    const int16_t slots[] = {1, 34, 0};
    SetupGalaxies(w->model, 3, -1, -1, slots);
    AdvanceNebulaPoints(w->model, 3, -1, slots);
    EXPECT_EQ(w->model.style.nebulaPhase[0], 0.0f);
    EXPECT_FLOAT_EQ(w->model.style.nebulaPhase[1], 0.1f);
    EXPECT_FLOAT_EQ(w->model.style.nebulaPhase[2], 0.1f);
}

TEST(NebulaSpawn, BiasPointsPlaceStarsAndTheBiasPositionWraps) {
    auto w = NebulaWorld(6, true);
    w->Type(0)[G::CP_B_Pts] = 1;
    w->Type(0)[G::CP_B_Exp] = w->Type(0)[G::CP_B_Spd] = 0;
    w->Prepare();
    const StarValues first = w->Spawn(0, 1); // one bias point, span 0: every star at one point
    EXPECT_FLOAT_EQ(first.radius, 0.5f);     // the middle of the ribbon
    for (int i = 0; i < 50; ++i) {
        const StarValues s = w->Spawn(0, 1);
        ASSERT_TRUE(s.x == first.x && s.y == first.y && s.z == first.z) << i;
    }
    w->Type(0)[G::CP_B_Spd] = 999; // the bias position carries the point along
    w->Prepare();
    EXPECT_NE(w->Spawn(0, 1).x, first.x);
    w = NebulaWorld(4, true);
    w->Type(0)[G::CP_B_Spd] = 999;
    w->Prepare();
    w->Type(0).nebulaBiasPos = 3.95f;
    w->Spawn(0, 1);
    EXPECT_NEAR(w->Type(0).nebulaBiasPos, 3.95 + 0.0999 - 4, 1e-5);
    w->Type(0).nebulaBiasPos = 250.0f; // junk: the star must still land on the path
    EXPECT_TRUE(w->Spawn(0, 1).Finite());
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
        ASSERT_TRUE(s.radius >= 0.0f && s.radius < 2.0f && s.height == 0.0f && s.spin == 0.0f) << i;
        ASSERT_FLOAT_EQ(s.velX, 2 * s.x);
        ASSERT_FLOAT_EQ(s.velY, 2 * s.y);
        ASSERT_FLOAT_EQ(s.velZ, 2 * s.z);
        // On the spline of the four path points around its path position radius x P.
        const double pos = double(s.radius) * 5, f = pos - std::floor(pos);
        if (f < 1e-3 || f > 1 - 1e-3) continue; // the position's rounding could pick either piece
        const int k = static_cast<int>(std::floor(pos)) % 5;
        ExpectNear({s.x, s.y, s.z},
                   Spline(Path(*w, 1, k), Path(*w, 1, k + 1), Path(*w, 1, k + 2), Path(*w, 1, k + 3), f),
                   1e-3, "on the path");
    }
    w->Type(0)[G::RadiusExp] = 40; // a solar wind sphere of radius 0.04
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
