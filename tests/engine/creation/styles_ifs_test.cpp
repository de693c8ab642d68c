#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/creation/galaxy_fixture.h"

namespace orb {
namespace {

using test::DrawsSince;
using test::GalaxyWorld;
using test::MakeWorld;
using test::Near;
using test::StarValues;
using test::V3;

constexpr double R = 3.0;
const double H = static_cast<float>(double(0.3f) * 3.0);

std::vector<V3> ExpectedFigure(int n) {
    switch (n) {
    case 1:
        return {{0, 0, 0}};
    case 6:
        return {{0, H, 0}, {0, -H, 0}, {-R, 0, 0}, {R, 0, 0}, {0, 0, -R}, {0, 0, R}};
    case 7:
        return {{0, H, 0}, {0, -H, 0}, {-R, 0, 0}, {R, 0, 0}, {0, 0, -R}, {0, 0, R}, {0, 0, 0}};
    case 8:
        return {{R, -H, R}, {R, -H, -R}, {-R, -H, R}, {-R, -H, -R},
                {R, H, R},  {R, H, -R},  {-R, H, R},  {-R, H, -R}};
    case 9:
        return {{-0.6 * R, H, -0.36 * R},  {0.6 * R, H, -0.36 * R},  {0, H, 0.72 * R},
                {-0.6 * R, -H, -0.36 * R}, {0.6 * R, -H, -0.36 * R}, {0, -H, 0.72 * R},
                {-1.25 * R, 0, 0.75 * R},  {1.25 * R, 0, 0.75 * R},  {0, 0, -1.5 * R}};
    case 10:
        return {{0, -H, 0},    {R, -H / 2, R}, {R, -H / 2, -R}, {-R, -H / 2, R}, {-R, -H / 2, -R},
                {R, H / 2, 0}, {-R, H / 2, 0}, {0, H / 2, R},   {0, H / 2, -R},  {0, H, 0}};
    default: { // 2..5: a pyramid, apex down, base ring at H / 2
        std::vector<V3> v{{0, -H, 0}};
        for (int k = 1; k < n; ++k) {
            const double a = (k - 1) * 2 * 3.14159265358979 / (n - 1);
            v.push_back({R * std::cos(a), H / 2, R * std::sin(a)});
        }
        return v;
    }
    }
}

V3 Vertex(const GalaxyWorld& w, int g, int k) {
    const int i = GalaxyStyleState::Vertex(g, k);
    return {w.model.style.ifsVertexX[i], w.model.style.ifsVertexY[i], w.model.style.ifsVertexZ[i]};
}
V3 Point(const GalaxyWorld& w, int g) {
    return {w.model.style.ifsPointX[g], w.model.style.ifsPointY[g], w.model.style.ifsPointZ[g]};
}

std::unique_ptr<GalaxyWorld> IfsWorld(int style, int points, float fill, float bands = 1) {
    auto w = MakeWorld();
    w->Type(0)[G::GalStyle] = static_cast<float>(style);
    w->Type(0)[G::RadSegs] = static_cast<float>(points);
    w->Type(0)[G::RadFill] = fill;
    w->Type(0)[G::RadBands] = bands;
    w->Setup(0, 2);
    return w;
}

TEST(IfsFigure, VerticesForEveryPointCount) {
    for (int n = 1; n <= 10; ++n) {
        auto w = IfsWorld(3, n, 50);
        const std::vector<V3> expected = ExpectedFigure(n);
        for (int k = 0; k < kIfsVertices; ++k) {
            const V3 want = k < static_cast<int>(expected.size()) ? expected[k] : V3{0, 0, 0};
            const V3 got = Vertex(*w, 1, k);
            EXPECT_TRUE(Near(got, want))
                << "n " << n << " vertex " << k << ": " << got.x << "," << got.y << "," << got.z;
        }
        EXPECT_TRUE(Near(Point(*w, 1), expected[0])) << "the current point starts at vertex 0, n " << n;
    }
    EXPECT_EQ(IfsWorld(3, 99, 50)->model.run[0].ifsPointCount, 10);
    EXPECT_EQ(IfsWorld(3, 0, 50)->model.run[0].ifsPointCount, 1);
}

TEST(IfsFractal, FullFillJumpsOntoVertices) {
    auto w = IfsWorld(3, 8, 100);
    const std::vector<V3> cube = ExpectedFigure(8);
    for (int i = 0; i < 200; ++i) {
        const StarValues s = w->Spawn(0, 1);
        bool onVertex = false;
        for (const V3& v : cube)
            onVertex = onVertex || Near(Point(*w, 1), v);
        ASSERT_TRUE(onVertex);
        ASSERT_NEAR(s.height, Point(*w, 1).y, 1e-6);
        ASSERT_NEAR(s.radius * std::cos(s.angle), Point(*w, 1).x, 1e-5);
        ASSERT_NEAR(s.radius * std::sin(s.angle), Point(*w, 1).z, 1e-5);
    }
    w = IfsWorld(3, 8, 0); // zero fill freezes the point
    for (int i = 0; i < 50; ++i)
        w->Spawn(0, 1);
    EXPECT_TRUE(Near(Point(*w, 1), cube[0]));
    w = IfsWorld(3, 8, 750); // unvalidated: 7.5 x the way to a vertex diverges and restarts
    for (int i = 0; i < 500; ++i)
        ASSERT_TRUE(w->Spawn(0, 1).Finite()) << i;
}

TEST(IfsFractal, TurnsRigidlyAtEightTimesTheRotation) {
    auto w = IfsWorld(3, 6, 50);
    w->Type(0).spinPhaseFast = 1.0f;
    const StarValues s = w->Spawn(0, 1);
    EXPECT_FLOAT_EQ(s.spin, 8 * 0.0005f);
    EXPECT_NEAR(s.radius * std::cos(s.angle - 1.0), Point(*w, 1).x, 1e-5);
}

// With no levels a star lies on a line from the centre through a vertex (up to twice its
// distance); with one level of fill 1/2, between two vertices.
TEST(IfsWireframe, StarsLieOnLinesThroughTheVertices) {
    const std::vector<V3> octahedron = ExpectedFigure(6);
    for (int levels : {0, 1}) {
        auto w = IfsWorld(2, 6, 50, static_cast<float>(levels));
        const std::vector<V3> from = levels == 0 ? std::vector<V3>{{0, 0, 0}} : octahedron;
        for (int i = 0; i < 200; ++i) {
            w->Spawn(0, 1);
            const V3 p = Point(*w, 1);
            bool onLine = false;
            for (const V3& a : from)
                for (const V3& b : octahedron) {
                    const V3 d{b.x - a.x, b.y - a.y, b.z - a.z};
                    const double len2 = d.x * d.x + d.y * d.y + d.z * d.z;
                    const double t =
                        len2 == 0 ? 0 : ((p.x - a.x) * d.x + (p.y - a.y) * d.y + (p.z - a.z) * d.z) / len2;
                    onLine = onLine || (t >= 0 && t < (levels == 0 ? 2 : 1 + 1e-6) &&
                                        Near(p, {a.x + t * d.x, a.y + t * d.y, a.z + t * d.z}));
                }
            ASSERT_TRUE(onLine) << levels << ": " << p.x << "," << p.y << "," << p.z;
        }
    }
}

TEST(IfsWireframe, DrawsOnceAtTheStartOncePerLevelAndOnceToPlace) {
    for (int levels : {0, 1, 5}) {
        auto w = IfsWorld(2, 8, 50, static_cast<float>(levels));
        const Random before = w->random;
        w->Spawn(0, 1);
        EXPECT_EQ(DrawsSince(before, w->random), levels + 2) << "levels " << levels;
    }
}

TEST(IfsAttractor, ContractsAndTurnsBetweenNewOrbits) {
    auto w = IfsWorld(1, 3, 50, 90); // period 3, half scale, quarter turn
    for (int step = 0; step < 4; ++step) {
        const V3 p = Point(*w, 1);
        const Random before = w->random;
        w->Spawn(0, 1);
        // A new orbit draws radius, sign, height and angle; a contraction draws nothing.
        EXPECT_EQ(DrawsSince(before, w->random), step % 3 == 0 ? 4 : 0) << "star " << step;
        EXPECT_EQ(w->model.run[0].attractorCounter, (step + 1) % 3) << "star " << step;
        if (step % 3 == 0) continue;
        EXPECT_TRUE(Near(Point(*w, 1), {-0.5 * p.z, 0.5 * p.y, 0.5 * p.x})) << "star " << step;
    }
    w = IfsWorld(1, 4, 50, 0); // the counter is shared by the galaxies of a type
    w->Spawn(0, 0);
    w->Spawn(0, 1);
    EXPECT_EQ(w->model.run[0].attractorCounter, 2);
}

TEST(IfsComposite, MajorTypesFigureRemains) {
    auto w = MakeWorld();
    for (int t : {1, 2})
        w->Type(t)[G::GalStyle] = 3;
    w->Type(1)[G::RadSegs] = 8; // major: cube
    w->Type(2)[G::RadSegs] = 4; // minor: pyramid of a larger radius
    w->Type(2)[G::Radius] = 600;
    CompositeGalaxy& c = w->tables.composites[0];
    c.count = 2, c.member[0] = 1, c.member[1] = 2;
    w->Prepare();
    const int16_t slots[] = {32};
    SetupGalaxies(w->model, 1, -1, -1, slots);
    const std::vector<V3> cube = ExpectedFigure(8);
    for (int pass = 0; pass < 2; ++pass) {
        for (int k = 0; k < 8; ++k)
            EXPECT_TRUE(Near(Vertex(*w, 0, k), cube[k])) << k;
        SetupGalaxies(w->model, 1, -1, 0, {});
    }
}

} // namespace
} // namespace orb
