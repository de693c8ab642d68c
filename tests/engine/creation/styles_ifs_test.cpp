#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/creation/galaxy_fixture.h"

namespace orb {
namespace {

using test::GalaxyWorld;
using test::MakeWorld;
using test::Near;
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
    auto w = IfsWorld(3, 10, 50);
    for (int n = 10; n >= 1; --n) { // each set-up clears what a larger figure left
        w->Type(0)[G::RadSegs] = static_cast<float>(n);
        w->Setup(0, 2);
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

// An unvalidated fill of 7.5 times the way to a vertex diverges and restarts, never overflows.
TEST(IfsFractal, OverlongJumpsStayFinite) {
    auto w = IfsWorld(3, 8, 750);
    auto size = [](V3 p) { return std::abs(p.x) + std::abs(p.y) + std::abs(p.z); };
    int restarts = 0;
    for (int i = 0; i < 500; ++i) {
        const V3 before = Point(*w, 1);
        ASSERT_TRUE(w->Spawn(0, 1).Finite()) << i;
        if (size(before) > 1e6 && size(Point(*w, 1)) < 1e6) { // ran away: starts over at vertex 0
            ++restarts;
            EXPECT_TRUE(Near(Point(*w, 1), Vertex(*w, 1, 0))) << i;
        }
    }
    EXPECT_GT(restarts, 0);
}

// A wireframe without levels draws from the figure's centre: a one-point figure's stars sit on it.
TEST(IfsWireframe, WithoutLevelsStarsStartFromTheCentre) {
    EXPECT_EQ(IfsWorld(2, 1, 50, 0)->Spawn(0, 1).radius, 0.0f);
}

// Members are set up from the last to the first: the major type's figure remains, and the last
// of the most members a composite holds is set up too.
TEST(IfsComposite, MajorTypesFigureRemainsAndEveryMemberIsSetUp) {
    auto w = MakeWorld();
    w->Type(1)[G::GalStyle] = 3;
    w->Type(1)[G::RadSegs] = 8; // major: cube
    w->Type(2)[G::GalStyle] = 4;
    CompositeGalaxy& c = w->tables.composites[0];
    c.count = kMaxMembers - 1;
    std::fill(c.member.begin(), c.member.end(), int16_t{1});
    c.member[c.count - 1] = 2; // the last member a nebula
    w->Prepare();
    const int16_t slots[] = {32};
    SetupGalaxies(w->model, 1, -1, -1, slots);
    const std::vector<V3> cube = ExpectedFigure(8);
    for (int k = 0; k < 8; ++k)
        EXPECT_TRUE(Near(Vertex(*w, 0, k), cube[k])) << k;
    EXPECT_NE(w->model.style.nebulaLayerX[GalaxyStyleState::Layer(0, 0, 0)], 0.0f);
    // A one-point major plays its chaos game on its one vertex, whatever the cube left beyond it.
    w->Type(3)[G::GalStyle] = 3, w->Type(3)[G::RadSegs] = 1, w->Type(3)[G::RadFill] = 50;
    c.member[0] = 3;
    w->Prepare();
    SetupGalaxies(w->model, 1, -1, -1, slots);
    for (int i = 0; i < 20; ++i)
        w->Spawn(3, 0);
    EXPECT_TRUE(Near(Point(*w, 0), Vertex(*w, 0, 0)));
}

} // namespace
} // namespace orb
