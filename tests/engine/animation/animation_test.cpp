#include "engine/animation/animation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "engine/animation/alloc_count.h"
#include "engine/creation/universe.h"
#include "settings/presets.h"

namespace orb {
namespace {


// The factory set 0 with the "Classical" theme, made small: 5 burst steps, 2 galaxies,
// 2 + 1 control points of 3 frames each.
class AnimationTest : public ::testing::Test {
  protected:
    MemoryBackend backend;
    SettingsStore store{backend};
    SteppingTicks ticks{5000, 3};
    OwnedFramebuffer fb{160, 120};

    void SetUp() override {
        FactoryConfiguration f = MakeFactoryConfiguration(0);
        store.SaveAllSettings(f.universe, f.tables);
        Set(U::Stars, 400);
        Set(U::Galaxy, 2);
        Set(U::ESteps, 5);
        Set(U::GSteps, 3);
        Set(U::GPCtrl, 2);
        Set(U::GCCtrl, 1);
    }
    void Set(U u, double v) { store.WriteNumber(kSectionUniverse, Def(u).name, v, Def(u).type); }
    std::unique_ptr<UniverseEngine> Engine(Framebuffer& surface, uint64_t seed = 3) {
        auto e = std::make_unique<UniverseEngine>(store, ticks);
        e->SetFixedSeed(seed);
        e->SetupSurface(surface, false);
        e->SetupUniverse(false);
        return e;
    }
};

TEST_F(AnimationTest, BeginSizesTheArraysFromTheClampedValues) {
    Set(U::Stars, 4000);
    Set(U::STrail, 99);
    Set(U::Galaxy, 5000);
    auto e = Engine(fb.Surface());
    UniverseAnimation a(*e);
    a.Begin();
    EXPECT_EQ(e->Stars().trail, 7) << "30000 \\ 4000";
    EXPECT_EQ(e->Stars().scrX.size(), 28000u);
    EXPECT_EQ(e->Galaxies().count, 999);
}

TEST_F(AnimationTest, EveryStepIsOneFrameInTheOrderOfAUniverse) {
    auto e = Engine(fb.Surface());
    UniverseAnimation a(*e);
    a.Begin();
    std::vector<AnimationPhase> phases;
    std::vector<int> clears;
    uint32_t lastTick = 0;
    for (int n = 1; n <= 64; ++n) {
        phases.push_back(a.Phase());
        const FrameResult r = a.Step();
        ASSERT_TRUE(r.produced);
        // Departure frames are held to the frame delay like the others: each has its own start.
        EXPECT_TRUE(r.throttled);
        EXPECT_EQ(r.frameStartTick, e->FrameStartTick());
        EXPECT_GT(r.frameStartTick, lastTick) << "frame " << n;
        lastTick = r.frameStartTick;
        if (r.clearScreen) clears.push_back(n);
    }
    // 5 burst steps, 2 galaxies x 3 control points x 3 frames, then 3 x 3 departure frames.
    auto count = [&](AnimationPhase p, int from, int to) {
        int c = 0;
        for (int n = from; n <= to; ++n)
            c += phases[n - 1] == p;
        return c;
    };
    EXPECT_EQ(count(AnimationPhase::Creating, 1, 5), 5);
    EXPECT_EQ(count(AnimationPhase::Visiting, 6, 23), 18);
    EXPECT_EQ(count(AnimationPhase::Departing, 24, 32), 9);
    EXPECT_EQ(count(AnimationPhase::Creating, 33, 37), 5) << "the next universe";
    EXPECT_EQ(clears, (std::vector<int>{32, 64})) << "clear after the last departure frame only";
    EXPECT_EQ(a.Universes(), 2);
}

TEST_F(AnimationTest, CometsResetOnlyAtTheSecondControlPointOfAVisit) {
    struct Case {
        int gp, gc;
        bool started; // StartGalaxyVisit ran during the visits
    };
    for (const Case c : {Case{1, 0, false}, Case{1, 1, true}, Case{2, 0, true}}) {
        Set(U::GPCtrl, c.gp);
        Set(U::GCCtrl, c.gc);
        auto e = Engine(fb.Surface());
        UniverseAnimation a(*e);
        a.Begin();
        bool started = false;
        for (;;) {
            const AnimationPhase phase = a.Phase();
            const int16_t g = a.VisitedGalaxy();
            const int32_t k = a.ControlPoint();
            if (phase == AnimationPhase::Departing) break;
            a.Step();
            if (phase != AnimationPhase::Visiting) continue;
            started = started || a.Comets().maxComets != 0;
            if (k >= 2) {
                const int16_t slot = e->Galaxies().typeIndex[g];
                EXPECT_EQ(a.Tour().currentTourType,
                          VisitTypeSlot(e->Tables(), slot, e->Model().run[slot].composite));
            }
        }
        if (!c.started) {
            EXPECT_EQ(a.Tour().currentTourType, 0) << c.gp << "/" << c.gc;
        }
        EXPECT_EQ(started, c.started) << c.gp << "/" << c.gc;
    }
}

TEST_F(AnimationTest, WithoutTheTourTheCameraStaysAtTheOriginUntilTheDeparture) {
    Set(U::Tour, 0);
    auto e = Engine(fb.Surface());
    UniverseAnimation a(*e);
    a.Begin();
    float departed = 0;
    for (int n = 0; n < 32; ++n) {
        const AnimationPhase phase = a.Phase();
        a.Step();
        const Vec3f c = a.Camera();
        if (phase == AnimationPhase::Visiting) {
            EXPECT_TRUE(c.x == 0 && c.y == 0 && c.z == 0) << n;
        }
        if (phase == AnimationPhase::Departing) departed = std::min(departed, c.z);
    }
    EXPECT_LT(departed, 0.0f) << "the departure flies away along -Z";
}

TEST_F(AnimationTest, TheSameSeedDrawsTheSameFrames) {
    OwnedFramebuffer other{160, 120};
    auto a = Engine(fb.Surface(), 11);
    auto b = Engine(other.Surface(), 11);
    UniverseAnimation runA(*a), runB(*b);
    runA.Begin();
    runB.Begin();
    for (int n = 0; n < 40; ++n) {
        runA.Step();
        runB.Step();
    }
    EXPECT_EQ(fb.Pixels(), other.Pixels());
    EXPECT_EQ(a->Stars().angle, b->Stars().angle);

    OwnedFramebuffer third{160, 120};
    auto c = Engine(third.Surface(), 12);
    UniverseAnimation runC(*c);
    for (int n = 0; n < 40; ++n)
        runC.Step();
    EXPECT_NE(fb.Pixels(), third.Pixels());
}

TEST_F(AnimationTest, FramesDoNotAllocate) {
    for (int trail : {1, 3}) {
        Set(U::STrail, trail);
        Set(U::Stars, 1000);
        Set(U::GSteps, 20);
        auto e = Engine(fb.Surface());
        UniverseAnimation a(*e);
        a.Begin();
        test::AllocationCount count;
        int frames = 0;
        for (int universe = 0; universe < 2; ++universe) {
            do
                a.Step(), ++frames;
            while (a.Phase() == AnimationPhase::Creating);
            while (a.Phase() != AnimationPhase::Creating)
                a.Step(), ++frames;
        }
        EXPECT_GT(frames, 2 * 2 * 3 * 20);
        EXPECT_EQ(count.Count(), 0) << "trail " << trail;
    }
}

// Several universes of every kind of frame, with the effects turned up: nothing leaves its range.
TEST_F(AnimationTest, ALongRunKeepsEveryStarFiniteAndInRange) {
    Set(U::NewFreq, 3000);
    Set(U::Galaxy, 4);
    Set(U::ESteps, 20);
    Set(U::GSteps, 12);
    struct Case {
        int trail;
        double gravity;
        int tour;
    };
    for (const Case c : {Case{1, 0, 1}, Case{4, 0, 1}, Case{2, 400000, 0}}) {
        Set(U::STrail, c.trail);
        Set(U::GravForce, c.gravity);
        Set(U::GravFrame, 3);
        Set(U::Tour, c.tour);
        auto e = Engine(fb.Surface(), 5);
        UniverseAnimation a(*e);
        a.Begin();
        for (int n = 0; n < 1500; ++n)
            if (a.Step().clearScreen) fb.Surface().Clear();
        EXPECT_GE(a.Universes(), 3) << c.trail;
        const StarArrays& s = e->Stars();
        const int16_t g = e->Galaxies().count;
        for (int32_t i = 0; i < s.count; ++i) {
            ASSERT_TRUE(s.galaxy[i] >= 0 && s.galaxy[i] < g) << i;
            ASSERT_TRUE(s.type[i] >= 0 && s.type[i] < kGalaxyTypeSlots) << i;
            ASSERT_TRUE(s.newFrames[i] >= 0 && s.novaFrames[i] >= 0 && s.retire[i] >= 0) << i;
            for (float v : {s.x[i], s.y[i], s.z[i], s.radius[i], s.angle[i], s.height[i]})
                ASSERT_TRUE(std::isfinite(v)) << "star " << i << ", case " << c.trail;
        }
        for (int16_t k = 0; k < g; ++k)
            ASSERT_TRUE(std::isfinite(e->Galaxies().posX[k]) && std::isfinite(e->Galaxies().relZ[k]));
        EXPECT_TRUE(e->TrailRing() >= 0 && e->TrailRing() < s.trail);
    }
}

} // namespace
} // namespace orb
