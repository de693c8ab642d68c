#include "engine/animation/comets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "engine/creation/galaxy_fixture.h"
#include "engine/creation/styles.h"

namespace orb {
namespace {

// Two galaxies of type 0, 12 units in front of the camera (radius 3), on a VGA surface.
struct CometWorld {
    std::unique_ptr<test::GalaxyWorld> world;
    GalaxyArrays galaxies;
    OwnedFramebuffer fb{640, 480};
    ScreenGeometry screen = MakeScreenGeometry(640, 480, 1.0f);
    std::unique_ptr<CometState> comets = std::make_unique<CometState>();

    explicit CometWorld(uint64_t seed = 7, int16_t style = 0) : world(test::MakeWorld(seed)) {
        Type()[G::GalStyle] = style;
        Type()[G::CometFreq] = 9999; // a start test passes nearly every frame
        galaxies.Size(2);
        galaxies.relZ[0] = galaxies.relZ[1] = 12.0f;
    }
    GalaxyType& Type() { return world->Type(0); }
    GalaxyModel& Model() { return world->model; }
    const CometPool& Pool() const { return comets->pool; }
    void Start() {
        world->Setup(0, 2);
        BuildFadePalettes(Model().colour, world->tables, UniverseSettings{});
        StartGalaxyVisit(*comets, Model(), 0, 0, fb.Surface());
    }
    void Frames(int n, int16_t k, int16_t g = 0) {
        for (int f = 0; f < n; ++f)
            UpdateVisitComets(*comets, Model(), galaxies, {g, k, true, 0, 0}, {fb.Surface(), screen});
    }
    int LiveComets() const {
        int n = 0;
        for (int c = 0; c < kCometTableSize; ++c)
            n += comets->table.live[c] > 0 || comets->table.emitting[c];
        return n;
    }
    int Lit() const {
        return static_cast<int>(
            std::count_if(fb.Pixels().begin(), fb.Pixels().end(), [](uint32_t p) { return p != 0; }));
    }
    double Dot(size_t i, bool velocity) const {
        const CometPool& p = Pool();
        const double a[] = {p.x[i], p.y[i], p.z[i]};
        const double b[] = {velocity ? p.velX[i] : p.x[i], velocity ? p.velY[i] : p.y[i],
                            velocity ? p.velZ[i] : p.z[i]};
        return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
    }
};

} // namespace

TEST(MaxComets, PoolShareCappedAtOneHundred) {
    const std::pair<int16_t, int16_t> cases[] = {{0, 100}, {1, 100},  {25, 100}, {26, 96}, {30, 83},
                                                 {999, 2}, {2500, 1}, {2501, 0}, {-5, 100}};
    for (auto [stars, expected] : cases)
        EXPECT_EQ(MaxComets(stars), expected) << stars;
    for (int16_t cs = 1; cs <= kCometPoolSize; ++cs)
        ASSERT_LE(MaxComets(cs) * cs, kCometPoolSize) << cs;
    GalaxyType t;
    for (const float v : {-3.0f, NAN, 30.4f, 1e9f}) {
        t[G::CometStars] = v;
        EXPECT_EQ(CometStarsOf(t), v == 30.4f ? 30 : (v > 1e8f ? kCometPoolSize : 0)) << v;
    }
}

// The budget comes from the tour type; from the second visit on the live stars are erased.
TEST(StartGalaxyVisit, TakesTheTourTypesBudgetAndErasesOnlyLiveStarsAfterTheFirstVisit) {
    for (const int16_t visit : {0, 1}) {
        CometWorld w;
        w.world->Type(5)[G::CometStars] = 30;
        w.Start();
        w.Frames(20, 3);
        ASSERT_GT(w.LiveComets(), 0);
        CometPool& pool = w.comets->pool;
        std::fill(pool.alive.begin(), pool.alive.end(), 0);
        pool.alive[10] = 1, pool.scrX[10] = 5, pool.scrY[10] = 6, pool.scrX[11] = 7, pool.scrY[11] = 8;
        w.fb.Surface().Set(5, 6, 0xABCDEF);
        w.fb.Surface().Set(7, 8, 0x123456);
        StartGalaxyVisit(*w.comets, w.Model(), 5, visit, w.fb.Surface());
        EXPECT_EQ(w.fb.Surface().Get(5, 6), visit > 0 ? 0u : 0xABCDEFu) << visit;
        EXPECT_EQ(w.fb.Surface().Get(7, 8), 0x123456u) << "a dead entry never erases";
        EXPECT_EQ(w.comets->maxComets, 83);
        EXPECT_EQ(w.comets->cometStars, 30);
        EXPECT_EQ(w.LiveComets() + LiveCometStars(*w.comets), 0);
    }
}

// Back before control point 3 every comet stops emitting; its stars die out and the slot frees.
TEST(Comets, EmittingStopsBeforeTheThirdPointAndStarsDieOut) {
    for (const float stars : {30.0f, 0.0f}) {
        CometWorld w;
        w.Type()[G::CometStars] = stars;
        w.Start();
        w.Frames(30, 4);
        EXPECT_GT(w.LiveComets(), 0);
        EXPECT_EQ(LiveCometStars(*w.comets) > 0, stars > 0);
        w.Frames(1, 2);
        for (int c = 0; c < kCometTableSize; ++c)
            EXPECT_EQ(w.comets->table.emitting[c], 0) << c;
        for (int f = 0; f < 2000 && LiveCometStars(*w.comets) > 0; ++f)
            w.Frames(1, 2);
        EXPECT_EQ(w.LiveComets(), 0) << stars;
    }
}

// A nebula comet with no speed is re-emitted every frame on the spline of its path, turned by the
// tilt; with Galaxy_CometSPersist 0 every star expires each frame unseen.
TEST(Comets, NebulaCometsRideTheSplineOfTheirPath) {
    CometWorld w(5, 4);
    w.Type()[G::CometOrbit] = 15000; // 0.15 control points per frame
    w.Type()[G::CometSpeed] = w.Type()[G::CometSWind] = w.Type()[G::CometSPersist] = 0;
    w.Type()[G::CometCPersist] = 1;
    w.Start();
    w.Frames(7, 4);
    const GalaxyStyleState& st = w.Model().style;
    const double sn = w.Model().run[0].tiltSin, cs = w.Model().run[0].tiltCos;
    int checked = 0;
    for (int c = 0; c < w.comets->maxComets; ++c) {
        if (w.comets->table.live[c] == 0) continue;
        const double s = w.comets->table.path[c];
        ASSERT_TRUE(s >= 0 && s < w.Type()[G::CP_Points]) << "on its path: " << s;
        const int k = GalaxyStyleState::Path(0, static_cast<int>(std::floor(s)));
        auto at = [&](const std::vector<float>& v) {
            return styles::BSpline(v[k], v[k + 1], v[k + 2], v[k + 3], s - std::floor(s));
        };
        const double x = at(st.nebulaPathX), y = at(st.nebulaPathY), z = at(st.nebulaPathZ);
        const int32_t first = c * w.comets->cometStars;
        for (int32_t i = first; i < first + w.comets->cometStars; ++i, ++checked) {
            ASSERT_NEAR(w.Pool().x[i], x, 1e-5) << c;
            ASSERT_NEAR(w.Pool().y[i], z * sn - y * cs, 1e-5) << c;
            ASSERT_NEAR(w.Pool().z[i], z * cs + y * sn, 1e-5) << c;
        }
    }
    EXPECT_GT(checked, 0);
    EXPECT_EQ(w.Lit(), 0);
}

// With no speed, wind or orbit a comet's stars sit on its orbit point (r cos a, h, r sin a) turned
// about the local X axis by the tilt; an orbiting comet turns by 2 pi x Galaxy_CometOrbit / r.
TEST(Comets, OrbitingCometsEmitAtTheirTurnedOrbitPoint) {
    CometWorld w;
    w.Type()[G::CometSpeed] = w.Type()[G::CometSWind] = w.Type()[G::CometOrbit] = 0;
    w.Type()[G::CometSPersist] = 0.9999f;
    w.Start();
    w.Model().run[0].tiltSin = 0.6f, w.Model().run[0].tiltCos = 0.8f;
    w.Frames(3, 3);
    const CometTable& t = w.comets->table;
    int checked = 0;
    for (int c = 0; c < w.comets->maxComets; ++c) {
        if (t.live[c] == 0) continue;
        const double r = t.radius[c], h = t.height[c], a = t.angle[c], across = r * std::sin(a);
        const int32_t i = c * w.comets->cometStars;
        ASSERT_NEAR(w.Pool().x[i], r * std::cos(a), 1e-5) << c;
        ASSERT_NEAR(w.Pool().y[i], across * 0.6 - h * 0.8, 1e-5) << c;
        ASSERT_NEAR(w.Pool().z[i], across * 0.8 + h * 0.6, 1e-5) << c;
        ++checked;
    }
    EXPECT_GT(checked, 0);
    CometWorld spun;
    spun.Type()[G::CometOrbit] = 5000;
    spun.Start();
    spun.Frames(3, 3);
    for (int c = 0; c < spun.comets->maxComets; ++c) {
        if (spun.comets->table.live[c] == 0) continue;
        EXPECT_NEAR(spun.comets->table.spin[c] * spun.comets->table.radius[c], kTwoPi * 0.05, 1e-6) << c;
    }
}

// With no random speed the solar wind alone moves a star: straight out from the core at its speed.
TEST(Comets, SolarWindBlowsStarsOutward) {
    CometWorld w;
    w.Type()[G::CometSpeed] = 0;
    w.Type()[G::CometSWind] = 500; // 0.005 world units per frame
    w.Type()[G::CometSPersist] = 0.9999f;
    w.Start();
    w.Frames(1, 3);
    const auto first = std::find(w.Pool().alive.begin(), w.Pool().alive.end(), uint8_t{1});
    ASSERT_NE(first, w.Pool().alive.end());
    const size_t i = static_cast<size_t>(first - w.Pool().alive.begin());
    const double speed = std::hypot(w.Pool().velX[i], w.Pool().velY[i], w.Pool().velZ[i]);
    EXPECT_NEAR(speed, 0.005, 1e-6);
    EXPECT_NEAR(w.Dot(i, true), speed * std::sqrt(w.Dot(i, false)), 1e-6 * std::sqrt(w.Dot(i, false)));
    for (int f = 0; f < 5 && w.Pool().alive[i]; ++f) {
        const double last = w.Dot(i, false);
        w.Frames(1, 3);
        EXPECT_GT(w.Dot(i, false), last);
    }
}

// A comet star is drawn in the fade palette at its age and no longer drawn at 80 frames old.
TEST(Comets, StarsFadeThroughThePaletteAndVanishAtEighty) {
    CometWorld w;
    w.Type()[G::CometStars] = 1;
    w.Type()[G::CometSpeed] = w.Type()[G::CometSWind] = w.Type()[G::CometOrbit] = 0;
    w.Type()[G::CometSPersist] = 0.9999f; // above every draw the generator gives in these frames
    w.Start();
    BuildFadePalette(w.Model().colour, 0, 0, 300);
    int32_t slot = -1;
    for (int f = 0; f < 10 && slot < 0; ++f) {
        w.Frames(1, 3);
        for (int32_t i = 0; i < kCometPoolSize && slot < 0; ++i)
            if (w.Pool().alive[i]) slot = i;
    }
    ASSERT_GE(slot, 0);
    auto shown = [&] { return w.fb.Surface().Get(w.Pool().scrX[slot], w.Pool().scrY[slot]); };
    EXPECT_EQ(shown(), w.Model().colour.GalaxyFade(0, 0)) << "drawn in the frame it is emitted";
    w.Model().run[0].cometFreqScaled = 0; // no new comets: only this star is drawn
    for (int16_t age = 1; age < 85; ++age) {
        w.Frames(1, 3);
        ASSERT_EQ(w.Pool().alive[slot], 1) << age;
        EXPECT_EQ(shown(), age < 80 ? w.Model().colour.GalaxyFade(0, age) : 0u) << age;
    }
}

// At the first control point of the next galaxy the comets still belong to the galaxy just left.
TEST(Comets, FirstControlPointOfTheNextGalaxyKeepsThePreviousGalaxysComets) {
    for (const int16_t k : {1, 2}) {
        CometWorld w;
        w.Type()[G::CometSPersist] = 0.9999f;
        w.Start();
        w.Frames(5, 3);
        w.galaxies.relZ[1] = -100.0f; // galaxy 1 behind the camera
        w.fb.Surface().Clear();
        w.Frames(1, k, 1);
        EXPECT_EQ(w.Lit() > 0, k == 1) << k;
    }
}

// Nothing runs during the departure, with gravity on, or before a visit has started.
TEST(Comets, NoneWhileDepartingOrWithGravity) {
    CometWorld fresh;
    fresh.world->Setup(0, 2);
    fresh.Frames(30, 4);
    EXPECT_EQ(fresh.LiveComets(), 0);
    for (const bool visiting : {false, true}) {
        CometWorld w;
        w.Start();
        for (int f = 0; f < 30; ++f)
            UpdateVisitComets(*w.comets, w.Model(), w.galaxies, {0, 4, visiting, visiting ? 0.5f : 0.0f, 0},
                              {w.fb.Surface(), w.screen});
        EXPECT_EQ(w.LiveComets(), 0) << visiting;
    }
}

} // namespace orb
