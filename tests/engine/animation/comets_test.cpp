#include "engine/animation/comets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

#include "engine/creation/galaxy_fixture.h"

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
    void Start() {
        world->Setup(0, 2);
        BuildFadePalettes(Model().colour, world->tables, UniverseSettings{});
        StartGalaxyVisit(*comets, Model(), 0, 0, fb.Surface());
    }
    void Frames(int n, int16_t k, int16_t g = 0, int16_t tourType = 0) {
        for (int f = 0; f < n; ++f)
            UpdateVisitComets(*comets, Model(), galaxies, {g, k, true, 0, tourType}, {fb.Surface(), screen});
    }
    int LiveComets() const {
        int n = 0;
        for (int c = 0; c < kCometTableSize; ++c)
            n += comets->table.live[c] > 0 || comets->table.emitting[c];
        return n;
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
    // A galaxy whose type index lies outside the tables still has comets, read within the tables.
    CometWorld odd;
    odd.Start();
    for (const int16_t slot : {int16_t(kGalaxyTableSize), int16_t(-1)}) {
        odd.galaxies.typeIndex[0] = slot;
        odd.Frames(3, 4);
    }
    EXPECT_GT(odd.LiveComets(), 0);
}

// An unvalidated orbit of many path points a frame keeps a nebula comet of the last galaxy within
// the path table; one of a point a frame wraps to the start on reaching the end.
TEST(Comets, AnOverlongNebulaOrbitStaysOnThePath) {
    for (const auto& [points, orbit] : {std::pair{20.0f, 5e7f}, {3.0f, 1e5f}}) {
        CometWorld w(5, 4);
        w.Type()[G::CP_Points] = points;
        w.Type()[G::CometOrbit] = orbit;
        w.Start();
        w.Frames(10, 4, 1);
        EXPECT_GT(w.LiveComets(), 0);
        for (int c = 0; c < kCometTableSize && points == 3; ++c)
            EXPECT_LT(w.comets->table.path[c], 3.0f) << c;
        w.comets->pool.alive[0] = 1; // whether or not comet 0 started: a later visit ends every star
        StartGalaxyVisit(*w.comets, w.Model(), 0, 1, w.fb.Surface());
        EXPECT_EQ(LiveCometStars(*w.comets), 0);
    }
}

// Chances are strict: a draw equal to the comet frequency starts no comet, one equal to a star's
// persistence ends the star, one equal to the comet's persistence keeps it emitting.
TEST(Comets, ADrawEqualToAChanceFailsIt) {
    // Seeds whose second (the start test) or third draw of the frame is exactly 0.25.
    for (const auto& [seed, freq, live, emitting] :
         {std::tuple{25050257, 0.25f, 0, false}, {1315942, 0.0f, 1, false}, {1315942, 0.0f, 0, true}}) {
        CometWorld w;
        w.Type()[G::CometSPersist] = w.Type()[G::CometCPersist] = 0.25f;
        w.Start();
        w.Model().run[0].cometFreqScaled = freq;
        w.comets->maxComets = w.comets->cometStars = 1; // slot 0 with one live star or none
        w.comets->pool.alive[0] = static_cast<uint8_t>(w.comets->table.live[0] = static_cast<int16_t>(live));
        w.comets->table.emitting[0] = emitting;
        w.Model().random.Seed(seed);
        w.Frames(1, 4);
        EXPECT_TRUE(w.comets->table.live[0] == 0 && w.comets->table.emitting[0] == emitting) << seed;
    }
}

// The visited type's tilt turns the comets and the tour type's frequency starts them, the last type's too.
TEST(Comets, TurnedByTheTiltOfTheVisitedType) {
    std::vector<std::vector<uint32_t>> pictures;
    for (const int16_t slot : {0, kGalaxyTypeSlots - 1, kGalaxyTypeSlots - 2}) {
        CometWorld w;
        w.Start();
        for (const int t : {0, kGalaxyTypeSlots - 1})
            w.Model().run[t].tiltSin = 1, w.Model().run[t].tiltCos = 0;
        w.galaxies.typeIndex[0] = slot;
        w.Frames(5, 4);
        pictures.emplace_back(w.fb.Pixels().begin(), w.fb.Pixels().end());
    }
    EXPECT_EQ(pictures[0], pictures[1]);
    EXPECT_NE(pictures[0], pictures[2]);
    CometWorld last;
    last.world->Type(kGalaxyTypeSlots - 1)[G::CometFreq] = 9999;
    last.Start();
    last.Frames(5, 4, 0, kGalaxyTypeSlots - 1);
    EXPECT_GT(last.LiveComets(), 0);
}

} // namespace orb
