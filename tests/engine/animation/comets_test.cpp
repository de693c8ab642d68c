#include "engine/animation/comets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "engine/animation/animation.h"
#include "engine/creation/galaxy_fixture.h"
#include "engine/creation/styles.h"
#include "engine/creation/universe.h"
#include "settings/presets.h"

namespace orb {
namespace {

// One or two galaxies of type 0 in front of the camera, a VGA surface and the comet state.
struct CometWorld {
    std::unique_ptr<test::GalaxyWorld> world = test::MakeWorld(7);
    GalaxyArrays galaxies;
    OwnedFramebuffer fb{640, 480};
    ScreenGeometry screen = MakeScreenGeometry(640, 480, 1.0f);
    std::unique_ptr<CometState> comets = std::make_unique<CometState>();

    explicit CometWorld(uint64_t seed = 7, int16_t style = 0) : world(test::MakeWorld(seed)) {
        GalaxyType& t = Type();
        t[G::GalStyle] = style;
        t[G::CometFreq] = 9999; // a start test passes nearly every frame
        galaxies.Size(2);
        for (int g = 0; g < 2; ++g) {
            galaxies.typeIndex[g] = 0;
            galaxies.relZ[g] = 12.0f; // the default radius is 3
        }
    }
    GalaxyType& Type() { return world->Type(0); }
    GalaxyModel& Model() { return world->model; }
    // Derives the type values and sets up the galaxies, then resets the pool for visit 0.
    void Start() {
        world->Setup(0, 2);
        BuildFadePalettes(Model().colour, world->tables, UniverseSettings{});
        StartGalaxyVisit(*comets, Model(), 0, 0, fb.Surface());
    }
    void Frame(int16_t k, int16_t g = 0, float gravity = 0, bool visiting = true) {
        UpdateVisitComets(*comets, Model(), galaxies, {g, k, visiting, gravity, 0}, {fb.Surface(), screen});
    }
    int LiveComets() const {
        int n = 0;
        for (int c = 0; c < kCometTableSize; ++c)
            n += comets->table.live[c] > 0 || comets->table.emitting[c];
        return n;
    }
    int AliveStars() const { return LiveCometStars(*comets); }
    int LitPixels() const {
        int n = 0;
        for (uint32_t p : fb.Pixels())
            n += p != 0;
        return n;
    }
};

} // namespace

TEST(MaxComets, PoolShareCappedAtOneHundred) {
    struct Case {
        int16_t stars, expected;
    };
    for (const Case c : {Case{0, 100}, Case{1, 100}, Case{25, 100}, Case{26, 96}, Case{30, 83}, Case{999, 2},
                         Case{2500, 1}, Case{2501, 0}, Case{-5, 100}})
        EXPECT_EQ(MaxComets(c.stars), c.expected) << c.stars;
    for (int16_t cs = 1; cs <= kCometPoolSize; ++cs)
        ASSERT_LE(MaxComets(cs) * cs, kCometPoolSize) << cs;
    // Junk star counts never reach past the pool.
    GalaxyType t;
    for (const float v : {-3.0f, NAN, 30.4f, 1e9f}) {
        t[G::CometStars] = v;
        EXPECT_EQ(CometStarsOf(t), v == 30.4f ? 30 : (v > 1e8f ? kCometPoolSize : 0)) << v;
    }
}

TEST(StartGalaxyVisit, BudgetFromTheTourTypeAndTablesCleared) {
    CometWorld w;
    w.world->Type(5)[G::CometStars] = 30;
    w.Start();
    for (int f = 0; f < 20; ++f)
        w.Frame(3);
    ASSERT_GT(w.LiveComets(), 0);
    StartGalaxyVisit(*w.comets, w.Model(), 5, 1, w.fb.Surface());
    EXPECT_EQ(w.comets->maxComets, 83);
    EXPECT_EQ(w.comets->cometStars, 30);
    EXPECT_EQ(w.LiveComets(), 0);
    EXPECT_EQ(w.AliveStars(), 0);
}

// From the second visit on the last visit's comet stars are erased; at the first visit of a
// universe (the screen was just cleared) nothing is drawn over, and dead entries never erase.
TEST(StartGalaxyVisit, ErasesOnlyLiveStarsAndOnlyAfterTheFirstVisit) {
    for (const int16_t visit : {0, 1, 2}) {
        CometWorld w;
        w.Start();
        CometPool& pool = w.comets->pool;
        pool.alive[10] = 1, pool.scrX[10] = 5, pool.scrY[10] = 6;
        pool.alive[11] = 0, pool.scrX[11] = 7, pool.scrY[11] = 8;
        w.fb.Surface().Set(5, 6, 0xABCDEF);
        w.fb.Surface().Set(7, 8, 0x123456);
        StartGalaxyVisit(*w.comets, w.Model(), 0, visit, w.fb.Surface());
        EXPECT_EQ(w.fb.Surface().Get(5, 6), visit > 0 ? 0u : 0xABCDEFu) << visit;
        EXPECT_EQ(w.fb.Surface().Get(7, 8), 0x123456u) << visit;
        EXPECT_EQ(pool.alive[10], 0);
    }
}

// Back before control point 3 every comet stops emitting at once; its stars then die out one by
// one and the slot becomes free again.
TEST(Comets, EmittingStopsBeforeTheThirdPointAndStarsDieOut) {
    CometWorld w;
    w.Start();
    for (int f = 0; f < 30; ++f)
        w.Frame(4);
    ASSERT_GT(w.AliveStars(), 0);
    w.Frame(2);
    for (int c = 0; c < kCometTableSize; ++c)
        EXPECT_EQ(w.comets->table.emitting[c], 0) << c;
    for (int f = 0; f < 2000 && w.AliveStars() > 0; ++f)
        w.Frame(2);
    EXPECT_EQ(w.AliveStars(), 0);
    EXPECT_EQ(w.LiveComets(), 0);
    for (int c = 0; c < kCometTableSize; ++c)
        EXPECT_EQ(w.comets->table.live[c], 0) << c;
}

// A comet with no stars occupies its slot only while it emits.
TEST(Comets, ZeroStarCometFreesItsSlotWhenItStopsEmitting) {
    CometWorld w;
    w.Type()[G::CometStars] = 0;
    w.Start();
    ASSERT_EQ(w.comets->maxComets, 100);
    for (int f = 0; f < 50; ++f)
        w.Frame(3);
    EXPECT_GT(w.LiveComets(), 0);
    EXPECT_EQ(w.AliveStars(), 0);
    w.Frame(1);
    EXPECT_EQ(w.LiveComets(), 0);
}

// Every style places its comets, with any star count the settings can hold: the stars stay
// inside their comets' pool entries and their positions finite.
TEST(Comets, PoolBoundsAndFinitePositionsForEveryStyleAndStarCount) {
    for (int16_t style = 0; style < kStyleCount; ++style) {
        for (const float cs : {1.0f, 30.0f, 999.0f, 2500.0f, 4000.0f}) {
            CometWorld w(11, style);
            w.Type()[G::CometStars] = cs;
            w.Type()[G::CometCPersist] = 0.9999f;
            w.Start();
            const int32_t used = w.comets->maxComets * w.comets->cometStars;
            ASSERT_LE(used, kCometPoolSize);
            for (int f = 0; f < 60; ++f)
                w.Frame(3);
            ASSERT_GT(w.AliveStars(), 0) << style << " " << cs;
            const CometPool& pool = w.comets->pool;
            for (int32_t i = 0; i < kCometPoolSize; ++i) {
                if (!pool.alive[i]) continue;
                ASSERT_LT(i, used) << style << " " << cs;
                ASSERT_TRUE(std::isfinite(pool.x[i]) && std::isfinite(pool.y[i]) && std::isfinite(pool.z[i]))
                    << style << " " << cs << " " << i;
            }
        }
    }
}

// A nebula comet rides its galaxy's path: re-emitted every frame with no speed, its stars sit on
// the spline of the four path points around its path position, turned by the tilt; and with
// Galaxy_CometSPersist 0 every star expires each frame and is emitted again unseen.
TEST(Comets, NebulaCometsRideTheSplineOfTheirPath) {
    CometWorld w(5, 4);
    w.Type()[G::CometOrbit] = 15000; // 0.15 control points per frame
    w.Type()[G::CometSpeed] = 0;
    w.Type()[G::CometSWind] = 0;
    w.Type()[G::CometSPersist] = 0; // every star re-emitted every frame
    w.Type()[G::CometCPersist] = 1;
    w.Start();
    for (int f = 0; f < 7; ++f)
        w.Frame(4);
    const GalaxyStyleState& st = w.Model().style;
    const double sn = w.Model().run[0].tiltSin, cs = w.Model().run[0].tiltCos;
    int checked = 0;
    for (int c = 0; c < w.comets->maxComets; ++c) {
        if (w.comets->table.live[c] == 0) continue;
        const double s = w.comets->table.path[c];
        const int k = GalaxyStyleState::Path(0, static_cast<int>(std::floor(s)));
        auto at = [&](const std::vector<float>& v) {
            return styles::BSpline(v[k], v[k + 1], v[k + 2], v[k + 3], s - std::floor(s));
        };
        const double x = at(st.nebulaPathX), y = at(st.nebulaPathY), z = at(st.nebulaPathZ);
        const int32_t first = c * w.comets->cometStars;
        for (int32_t i = first; i < first + w.comets->cometStars; ++i, ++checked) {
            ASSERT_NEAR(w.comets->pool.x[i], x, 1e-5) << c;
            ASSERT_NEAR(w.comets->pool.y[i], z * sn - y * cs, 1e-5) << c;
            ASSERT_NEAR(w.comets->pool.z[i], z * cs + y * sn, 1e-5) << c;
        }
    }
    EXPECT_GT(checked, 0);
    EXPECT_EQ(w.LitPixels(), 0);
}

// With no random speed the solar wind alone moves a comet star: straight away from the galaxy
// core at the wind's speed, so it gets farther from the core every frame.
TEST(Comets, SolarWindBlowsStarsOutward) {
    CometWorld w;
    w.Type()[G::CometSpeed] = 0;
    w.Type()[G::CometSWind] = 500; // 0.005 world units per frame
    w.Type()[G::CometSPersist] = 0.9999f;
    w.Start();
    w.Frame(3);
    const CometPool& pool = w.comets->pool;
    const auto first = std::find(pool.alive.begin(), pool.alive.end(), uint8_t{1});
    ASSERT_NE(first, pool.alive.end());
    const size_t i = static_cast<size_t>(first - pool.alive.begin());
    auto distance = [&] {
        return std::sqrt(double(pool.x[i]) * pool.x[i] + double(pool.y[i]) * pool.y[i] +
                         double(pool.z[i]) * pool.z[i]);
    };
    const double speed = std::sqrt(double(pool.velX[i]) * pool.velX[i] + double(pool.velY[i]) * pool.velY[i] +
                                   double(pool.velZ[i]) * pool.velZ[i]);
    EXPECT_NEAR(speed, 0.005, 1e-6);
    const double dot = double(pool.velX[i]) * pool.x[i] + double(pool.velY[i]) * pool.y[i] +
                       double(pool.velZ[i]) * pool.z[i];
    EXPECT_NEAR(dot, speed * distance(), 1e-6 * distance());
    double last = distance();
    for (int f = 0; f < 5; ++f) {
        w.Frame(3);
        if (!pool.alive[i]) break;
        EXPECT_GT(distance(), last);
        last = distance();
    }
}

// A comet star is drawn in the tour type's fade palette at its age, one step per frame, and is
// no longer drawn once it is 80 frames old.
TEST(Comets, StarsFadeThroughThePaletteAndVanishAtEighty) {
    CometWorld w;
    w.Type()[G::CometStars] = 1;
    w.Type()[G::CometSpeed] = 0;
    w.Type()[G::CometSWind] = 0;
    w.Type()[G::CometSPersist] = 0.9999f; // above every draw the generator gives in these frames
    w.Type()[G::CometOrbit] = 0;
    w.Start();
    BuildFadePalette(w.Model().colour, 0, 0, 300);
    const CometPool& pool = w.comets->pool;
    int32_t slot = -1;
    for (int f = 0; f < 10 && slot < 0; ++f) {
        w.Frame(3);
        for (int32_t i = 0; i < kCometPoolSize && slot < 0; ++i)
            if (pool.alive[i]) slot = i;
    }
    ASSERT_GE(slot, 0);
    // Emitted and drawn in the same frame, at age 0.
    EXPECT_EQ(w.fb.Surface().Get(pool.scrX[slot], pool.scrY[slot]), w.Model().colour.GalaxyFade(0, 0));
    // Stop new comets so that only this star is drawn.
    w.Model().run[0].cometFreqScaled = 0;
    for (int16_t age = 1; age < 85; ++age) {
        w.Frame(3);
        ASSERT_EQ(pool.alive[slot], 1) << age;
        const uint32_t expected = age < 80 ? w.Model().colour.GalaxyFade(0, age) : 0u;
        EXPECT_EQ(w.fb.Surface().Get(pool.scrX[slot], pool.scrY[slot]), expected) << age;
    }
}

TEST(Comets, StarBehindTheCameraKeepsItsAgeAndIsNotDrawn) {
    CometWorld w;
    w.Type()[G::CometSPersist] = 0.9999f;
    w.Start();
    w.Frame(3);
    const std::vector<int16_t> before = w.comets->pool.age;
    ASSERT_GT(*std::max_element(before.begin(), before.end()), 0);
    w.galaxies.relZ[0] = -50.0f;
    w.fb.Surface().Clear();
    for (int f = 0; f < 10; ++f)
        w.Frame(3);
    EXPECT_EQ(w.LitPixels(), 0);
    // Re-emitted stars restart at 0; no star ages while it is behind the camera.
    for (int32_t i = 0; i < kCometPoolSize; ++i)
        EXPECT_LE(w.comets->pool.age[i], before[i]) << i;
}

// At the first control point of the next galaxy the comets still belong to the galaxy just left.
TEST(Comets, FirstControlPointOfTheNextGalaxyKeepsThePreviousGalaxysComets) {
    for (const int16_t k : {1, 2}) {
        CometWorld w;
        w.Type()[G::CometSPersist] = 0.9999f;
        w.Start();
        for (int f = 0; f < 5; ++f)
            w.Frame(3, 0);
        w.galaxies.relZ[1] = -100.0f; // galaxy 1 behind the camera
        w.fb.Surface().Clear();
        w.Frame(k, 1);
        EXPECT_EQ(w.LitPixels() > 0, k == 1) << k;
    }
}

// Inside the driver's frame loop: comets of galaxy 0 appear only from its third control point,
// never with gravity on, and the departure erases every one of them.
TEST(CometsInTheTour, StartFromTheThirdPointAndEndAtTheDeparture) {
    for (const double gravity : {0.0, 50.0}) {
        MemoryBackend backend;
        SettingsStore store{backend};
        FactoryConfiguration f = MakeFactoryConfiguration(0);
        GalaxyTables& t = f.tables;
        for (int slot = 0; slot < kGalaxyTypeSlots; ++slot)
            t.types[slot][G::CometFreq] = 9999;
        UniverseSettings& u = f.universe;
        u[U::Stars] = 300;
        u[U::Galaxy] = 2;
        u[U::ESteps] = 3;
        u[U::GSteps] = 10;
        u[U::GPCtrl] = 1;
        u[U::GCCtrl] = 3;
        u[U::GravForce] = gravity;
        store.SaveAllSettings(u, t);
        OwnedFramebuffer fb{160, 120};
        UniverseEngine engine(store);
        engine.SetFixedSeed(9);
        engine.SetupSurface(fb.Surface(), false);
        engine.SetupUniverse(false);
        UniverseAnimation a(engine);
        a.Begin();
        int32_t most = 0;
        for (int n = 0; n < 200 && a.Universes() < 2; ++n) {
            const AnimationPhase phase = a.Phase();
            const int16_t g = a.VisitedGalaxy();
            const int32_t k = a.ControlPoint();
            a.Step();
            const int32_t live = LiveCometStars(a.Comets());
            most = std::max(most, live);
            const bool none = phase != AnimationPhase::Visiting || (g == 0 && k < 3);
            if (none) {
                EXPECT_EQ(live, 0) << n;
            }
        }
        EXPECT_EQ(most > 0, gravity == 0) << gravity;
    }
}

} // namespace orb
