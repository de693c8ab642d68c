#include "engine/animation/animation.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/animation/alloc_count.h"
#include "engine/factory_store.h"

namespace orb {
namespace {

// The factory set 0 and the "Classical" theme, made small: 5 burst steps, 2 galaxies,
// 2 + 1 control points of 3 frames each.
class AnimationTest : public ::testing::Test, protected test::FactoryStore {
  protected:
    SteppingTicks ticks{5000, 3};
    OwnedFramebuffer fb{160, 120};
    std::unique_ptr<UniverseEngine> e;
    std::unique_ptr<UniverseAnimation> a;

    void SetUp() override {
        const std::pair<U, double> small[] = {{U::Stars, 400}, {U::Galaxy, 2}, {U::ESteps, 5},
                                              {U::GSteps, 3},  {U::GPCtrl, 2}, {U::GCCtrl, 1}};
        Set(small);
    }
    void Begin() {
        a.reset();
        e = Engine(ticks, fb.Surface(), 3);
        a = std::make_unique<UniverseAnimation>(*e);
        a->Begin();
    }
};

TEST_F(AnimationTest, BeginSizesTheArraysFromTheClampedValues) {
    Set({{U::Stars, 4000}, {U::STrail, 99}, {U::Galaxy, 5000}});
    Begin();
    EXPECT_EQ(e->Stars().trail, 7) << "30000 \\ 4000";
    EXPECT_EQ(e->Stars().scrX.size(), 28000u);
    EXPECT_EQ(e->Galaxies().count, 999);
}

// 5 burst steps, 2 galaxies x 3 control points x 3 frames, then 3 x 3 departure frames.
TEST_F(AnimationTest, EveryStepIsOneFrameInTheOrderOfAUniverse) {
    Set({{U::GravForce, 1000}, {U::GravFrame, 999}}); // gravity counts the visit frames alone
    Begin();
    std::vector<AnimationPhase> phases;
    std::vector<int> clears;
    uint32_t lastTick = 0;
    for (int n = 1; n <= 64; ++n) {
        phases.push_back(a->Phase());
        const FrameResult r = a->Step();
        ASSERT_TRUE(r.produced && r.throttled) << n; // departure frames are held to the delay too
        EXPECT_EQ(r.frameStartTick, e->FrameStartTick());
        EXPECT_GT(r.frameStartTick, lastTick) << "frame " << n;
        lastTick = r.frameStartTick;
        if (r.clearScreen) clears.push_back(n);
    }
    auto count = [&](AnimationPhase p, int from, int to) {
        return std::count(phases.begin() + from - 1, phases.begin() + to, p);
    };
    EXPECT_EQ(count(AnimationPhase::Creating, 1, 5), 5);
    EXPECT_EQ(count(AnimationPhase::Visiting, 6, 23), 18);
    EXPECT_EQ(count(AnimationPhase::Departing, 24, 32), 9);
    EXPECT_EQ(count(AnimationPhase::Creating, 33, 37), 5) << "the next universe";
    EXPECT_EQ(clears, (std::vector<int>{32, 64})) << "clear after the last departure frame only";
    EXPECT_EQ(a->Universes(), 2);
    EXPECT_EQ(a->Gravity().frameCounter, 2 * 18);
}

TEST_F(AnimationTest, FramesDoNotAllocate) {
    auto before = std::make_unique<int>(1); // the count sees what its own scope allocates, only that
    test::AllocationCount probe;
    std::vector<int> three(3);
    ASSERT_EQ(probe.Count(), 1);
    for (int trail : {1, 3}) {
        Set({{U::STrail, trail}, {U::Stars, 1000}, {U::GSteps, 20}});
        Begin();
        test::AllocationCount count;
        int frames = 0;
        for (int universe = 0; universe < 2; ++universe) {
            do
                a->Step(), ++frames;
            while (a->Phase() == AnimationPhase::Creating);
            while (a->Phase() != AnimationPhase::Creating)
                a->Step(), ++frames;
        }
        EXPECT_GT(frames, 2 * 2 * 3 * 20);
        EXPECT_EQ(count.Count(), 0) << "trail " << trail;
    }
}

} // namespace
} // namespace orb
