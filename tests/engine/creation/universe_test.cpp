#include "engine/creation/universe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

#include "engine/creation/colour.h"
#include "engine/creation/universe_sampling.h"
#include "settings/presets.h"

namespace orb {
namespace {


// A store holding the factory galaxy types and composites of set 0 and the "Classical" theme,
// made small so each test runs fast.
class UniverseTest : public ::testing::Test {
  protected:
    MemoryBackend backend;
    SettingsStore store{backend};
    SteppingTicks ticks{1000, 7};
    OwnedFramebuffer fb{320, 240};

    void SetUp() override {
        FactoryConfiguration f = MakeFactoryConfiguration(0);
        store.SaveAllSettings(f.universe, f.tables);
        Set(U::Stars, 600);
        Set(U::Galaxy, 20);
        Set(U::ESteps, 60);
    }
    void Set(U u, double v) { store.WriteNumber(kSectionUniverse, Def(u).name, v, Def(u).type); }
    // Weights of galaxy types 0.. as given, every other type and every composite 0.
    void SetWeights(std::initializer_list<int> pcts) {
        for (int slot = 0; slot < kGalaxyTypeSlots; ++slot) {
            int pct = slot < static_cast<int>(pcts.size()) ? pcts.begin()[slot] : 0;
            store.WriteNumber(GalaxySection(slot), kUniGalPct, pct, ValueType::Integer);
        }
        for (int slot = 0; slot < kCompositeSlots; ++slot)
            store.WriteNumber(CompositeSection(slot), kCompGalPct, 0, ValueType::Integer);
    }
    std::unique_ptr<UniverseEngine> Engine(uint64_t seed = 42) {
        auto e = std::make_unique<UniverseEngine>(store, ticks);
        e->SetFixedSeed(seed);
        e->SetupSurface(fb.Surface(), false);
        e->SetupUniverse(false);
        return e;
    }
    static bool AllSettled(const UniverseEngine& e) {
        for (BurstState s : e.Burst().state)
            if (s != BurstState::Settled) return false;
        return true;
    }
};

std::vector<int16_t> Types(const UniverseEngine& e) {
    return e.Galaxies().typeIndex;
}

TEST_F(UniverseTest, InTurnAssignmentSkipsTypesWithoutWeight) {
    SetWeights({30, 0, 70});
    Set(U::GVisit, 1);
    auto e = Engine();
    e->BeginUniverse();
    const std::vector<int16_t> types = Types(*e);
    for (size_t g = 0; g < types.size(); ++g)
        EXPECT_EQ(types[g], g % 2 == 0 ? 0 : 2) << g;
}

TEST_F(UniverseTest, WithoutAnyWeightEveryGalaxyIsTypeZero) {
    for (int visit : {0, 1}) {
        SetWeights({});
        Set(U::GVisit, visit);
        auto e = Engine();
        e->BeginUniverse();
        for (int16_t t : Types(*e))
            EXPECT_EQ(t, 0) << "GVisit " << visit;
    }
}

TEST_F(UniverseTest, RandomMixFollowsTheWeights) {
    SetWeights({0, 25, 0, 75});
    Set(U::Galaxy, 400);
    auto e = Engine();
    e->BeginUniverse();
    int counts[kGalaxyTableSize] = {};
    for (int16_t t : Types(*e))
        ++counts[t];
    EXPECT_EQ(counts[1] + counts[3], 400);
    EXPECT_NEAR(counts[3] / 400.0, 0.75, 0.08);
}

TEST(SlotForDraw, FirstSlotWhoseRunningTotalIsNotBelowTheDraw) {
    std::array<int32_t, kGalaxyTableSize> cum{};
    for (int s = 0; s < kGalaxyTableSize; ++s)
        cum[s] = s < 2 ? 0 : (s < 5 ? 10 : 30); // weights 0, 0, 10, .., 20
    EXPECT_EQ(SlotForDraw(cum, 0.0f), 0) << "a draw of 0 lands on slot 0 whatever its weight";
    EXPECT_EQ(SlotForDraw(cum, 0.5f), 2);
    EXPECT_EQ(SlotForDraw(cum, 10.0f), 2);
    EXPECT_EQ(SlotForDraw(cum, 10.01f), 5);
    EXPECT_EQ(SlotForDraw(cum, 31.0f), kGalaxyTableSize - 1) << "beyond the total: the last slot";
}

TEST_F(UniverseTest, CompositeGalaxiesGiveTheirStarsMemberTypes) {
    SetWeights({});
    store.WriteNumber(CompositeSection(2), kCompGalPct, 50, ValueType::Integer);
    store.WriteNumber(CompositeSection(2), kCompGalCountStore, 3, ValueType::Integer);
    const int16_t members[] = {3, 5, 7};
    for (int i = 0; i < 3; ++i)
        store.WriteNumber(CompositeSection(2), std::string(kCompGalTypeStore) + std::to_string(i), members[i],
                          ValueType::Integer);
    auto e = Engine();
    ASSERT_TRUE(e->CreateUniverse({}));
    for (int16_t t : Types(*e))
        EXPECT_EQ(t, kGalaxyTypeSlots + 2);
    EXPECT_TRUE(e->Model().run[kGalaxyTypeSlots + 2].composite);
    std::set<int16_t> seen(e->Stars().type.begin(), e->Stars().type.end());
    EXPECT_EQ(seen, (std::set<int16_t>{3, 5, 7}));
}

TEST_F(UniverseTest, PickStarTypeDrawsMemberIntOfDrawTimesCount) {
    auto e = Engine();
    GalaxyModel& m = e->Model();
    CompositeGalaxy& c = m.tables.composites[4];
    c.count = 3;
    c.member = {};
    c.member[0] = 9;
    c.member[1] = 11;
    c.member[2] = 13;
    const int16_t slot = kGalaxyTypeSlots + 4;
    m.run[slot].composite = true;
    for (int n = 0; n < 20; ++n) {
        Random replay = m.random;
        const float u = replay();
        EXPECT_EQ(PickStarType(m, slot), c.member[static_cast<int>(std::floor(u * 3.0))]);
        EXPECT_EQ(m.random.State(), replay.State()) << "exactly one draw";
    }
    m.run[slot].composite = false;
    Random before = m.random;
    EXPECT_EQ(PickStarType(m, 6), 6) << "a galaxy type is its own star type";
    EXPECT_EQ(m.random.State(), before.State()) << "no draw for a plain type";
}

TEST_F(UniverseTest, MoreGalaxiesThanStarsShareSourceStars) {
    Set(U::Stars, 10);
    Set(U::Galaxy, 50);
    auto e = Engine();
    e->BeginUniverse();
    const BurstArrays& b = e->Burst();
    std::set<int> sources;
    for (int g = 0; g < 50; ++g) {
        int found = -1;
        for (int i = 0; i < 10; ++i)
            if (b.galaxyVelX[g] == b.velX[i] && b.galaxyVelY[g] == b.velY[i] && b.galaxyVelZ[g] == b.velZ[i])
                found = i;
        ASSERT_GE(found, 0) << "galaxy " << g << " rides on no star";
        sources.insert(found);
    }
    EXPECT_GT(sources.size(), 3u) << "sources are drawn at random, not all the same star";
}

TEST_F(UniverseTest, OneBurstStepFliesNoMinimumAndKeepsItsStepFactor) {
    Set(U::ESteps, 1);
    Set(U::Persist, 0.25);
    auto e = Engine();
    e->BeginUniverse();
    ASSERT_TRUE(e->BurstStep());
    EXPECT_FALSE(e->BurstStep());
    EXPECT_EQ(e->BurstStepIndex(), 1);
    int fading = 0;
    for (BurstState s : e->Burst().state)
        fading += s == BurstState::Fading;
    EXPECT_GT(fading, 0) << "MinFly is 0, so stars may stop at step 0";
    const float d = e->Values().stepFactor;
    EXPECT_FLOAT_EQ(e->ExpansionSpeed(), e->Values().expand * d);
    e->SettleRemaining();
    EXPECT_TRUE(AllSettled(*e));
}

TEST_F(UniverseTest, FullPersistenceKeepsEveryStarFlyingUntilTheEnd) {
    Set(U::Persist, 1.0);
    auto e = Engine();
    e->BeginUniverse();
    while (e->BurstStep()) {
    }
    for (BurstState s : e->Burst().state)
        ASSERT_EQ(s, BurstState::Flying);
    const BurstArrays& b = e->Burst();
    const GalaxyArrays& gal = e->Galaxies();
    for (int g = 0; g < gal.count; ++g) { // each galaxy flew with the burst star it rides on
        if (!(b.z[g] > kNearDepth)) continue; // that star stopped moving behind the viewer
        EXPECT_NEAR(gal.relX[g], b.x[g], 1e-3 * (1 + std::fabs(b.x[g]))) << g;
        EXPECT_NEAR(gal.relY[g], b.y[g], 1e-3 * (1 + std::fabs(b.y[g]))) << g;
        EXPECT_NEAR(gal.relZ[g], b.z[g], 1e-3 * (1 + std::fabs(b.z[g]))) << g;
    }
    e->SettleRemaining();
    EXPECT_TRUE(AllSettled(*e));
    for (int16_t g : e->Stars().galaxy)
        ASSERT_LT(g, 20);
}

TEST_F(UniverseTest, StarsSettleDuringTheBurstAndAreDrawnInTheirColours) {
    Set(U::Persist, 0.9);
    auto e = Engine();
    e->BeginUniverse();
    while (e->BurstStep()) {
    }
    int settled = 0;
    for (BurstState s : e->Burst().state)
        settled += s == BurstState::Settled;
    EXPECT_GT(settled, 300);
    std::set<uint32_t> starColours(e->Stars().colour.begin(), e->Stars().colour.end());
    int starPixels = 0;
    for (uint32_t p : fb.Pixels())
        starPixels += p != 0 && starColours.count(p);
    EXPECT_GT(starPixels, 50);
}

TEST_F(UniverseTest, LateBurstStepsUseTheLastPaletteEntry) {
    Set(U::ESteps, 300); // the last steps round step x 80 / 300 up to 80
    Set(U::Persist, 1.0);
    Set(U::STrail, 1);
    auto e = Engine();
    e->BeginUniverse();
    while (e->BurstStep()) {
    }
    const uint32_t last = e->Model().colour.universeFade[kFadeSteps - 1];
    int lastPixels = 0;
    for (uint32_t p : fb.Pixels())
        lastPixels += p == last;
    EXPECT_GT(lastPixels, 0);
}

TEST_F(UniverseTest, AStopBetweenStepsEndsCreationEarly) {
    Set(U::Persist, 1.0);
    auto e = Engine();
    int checks = 0;
    EXPECT_FALSE(e->CreateUniverse([&] { return ++checks == 3; }));
    EXPECT_EQ(checks, 3);
    EXPECT_EQ(e->BurstStepIndex(), 3);
    EXPECT_FALSE(AllSettled(*e)) << "stars are left unsettled";
}

TEST_F(UniverseTest, EachStepRecordsItsStartTick) {
    auto e = Engine();
    e->BeginUniverse();
    for (int n = 0; n < 3; ++n) {
        const uint32_t expected = ticks.now + 7;
        e->BurstStep();
        EXPECT_EQ(e->FrameStartTick(), expected);
    }
}

TEST(RandomUniversePoint, FullSymmetryGivesFullMagnitudeOnASphere) {
    Random random(3);
    const TrigTables& trig = BuildTrigTables();
    for (int n = 0; n < 200; ++n) {
        Vec3f v = RandomUniversePoint(random, trig, {2, 1.0f}, 50.0f, 1.0f);
        ASSERT_NEAR(std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z), 50.0f, 1e-3f);
    }
}

TEST(RandomUniversePoint, SphericalMagnitudesSpanFromTheSymmetryFractionToFull) {
    Random random(11);
    const TrigTables& trig = BuildTrigTables();
    float lo = 1e9f, hi = 0;
    for (int n = 0; n < 500; ++n) {
        Vec3f v = RandomUniversePoint(random, trig, {2, 1.0f}, 10.0f, 0.5f);
        const float m = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
        lo = std::min(lo, m);
        hi = std::max(hi, m);
    }
    EXPECT_GE(lo, 5.0f - 1e-3f);
    EXPECT_LT(lo, 5.5f);
    EXPECT_LE(hi, 10.0f + 1e-3f);
    EXPECT_GT(hi, 9.5f);
}

TEST(RandomUniversePoint, HeightWidthRatioScalesOnlyY) {
    const TrigTables& trig = BuildTrigTables();
    for (int16_t profile : {0, 2, 4}) {
        Random r1(5), r2(5);
        for (int n = 0; n < 50; ++n) {
            Vec3f a = RandomUniversePoint(r1, trig, {profile, 1.0f}, 20.0f, 0.1f);
            Vec3f b = RandomUniversePoint(r2, trig, {profile, 2.5f}, 20.0f, 0.1f);
            ASSERT_EQ(a.x, b.x);
            ASSERT_EQ(a.z, b.z);
            ASSERT_FLOAT_EQ(b.y, a.y * 2.5f);
        }
    }
}

TEST_F(UniverseTest, SurfaceSetupPreparesTheAdvancedValues) {
    const std::string_view sec = kSectionAdvanced;
    store.WriteText(sec, "FocalLength", "50");
    store.WriteText(sec, "Adv_FontName", "");
    store.WriteText(sec, "Adv_FontSize", "5");
    store.WriteText(sec, "Adv_FontHueV", "400");
    store.WriteText(sec, "Adv_TimeDelay", "25000");
    store.WriteText(sec, "LockMessage", "  " + std::string(60, 'x') + "  ");
    Set(U::HW_Start, 300);
    auto e = Engine();
    EXPECT_EQ(e->Model().colour.UniverseFade(7), HueWheelColour(300)) << "the universe palette's own hue";
    EXPECT_FLOAT_EQ(e->Screen().focalLength, 10.0f);
    EXPECT_FLOAT_EQ(e->Screen().focalScale, (160 + 120) * 0.5f * 10.0f);
    EXPECT_EQ(e->Message().fontName, "MS Sans Serif");
    EXPECT_EQ(e->Message().fontSize, 10);
    EXPECT_EQ(e->Message().hue, 359);
    EXPECT_EQ(e->FrameDelay(), 999);
    EXPECT_EQ(e->Message().text, std::string(50, 'x'));
}

TEST_F(UniverseTest, MessageIsCutByCharactersNotBytes) {
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "\xC3\xA9"; // e-acute, two bytes each
    store.WriteText(kSectionAdvanced, "LockMessage", text);
    auto e = Engine();
    EXPECT_EQ(e->Message().text, text.substr(0, 100));
}

TEST_F(UniverseTest, PreviewRunsALighterUniverse) {
    Set(U::Stars, 4000);
    Set(U::AmStar, 125);
    auto e = std::make_unique<UniverseEngine>(store, ticks);
    e->SetupSurface(fb.Surface(), true);
    e->SetupUniverse(true);
    EXPECT_EQ(e->Values().stars, 2600);
    EXPECT_EQ(e->Values().ambientStars, 62); // 62.5 rounds to even
    EXPECT_EQ(e->Stars().count, 2600);
    EXPECT_EQ(e->Ambient().Count(), 62);
}

} // namespace
} // namespace orb
