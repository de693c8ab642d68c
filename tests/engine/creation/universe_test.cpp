#include "engine/creation/universe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>

#include "engine/creation/colour.h"
#include "engine/creation/universe_sampling.h"
#include "engine/factory_store.h"

namespace orb {
namespace {

// The factory set 0 and the "Classical" theme, made small so each test runs fast.
class UniverseTest : public ::testing::Test, protected test::FactoryStore {
  protected:
    SteppingTicks ticks{1000, 7};
    OwnedFramebuffer fb{320, 240};

    void SetUp() override { Set({{U::Stars, 600}, {U::Galaxy, 20}, {U::ESteps, 60}}); }
    // Weights of galaxy types 0.. as given, every other type and every composite 0.
    void SetWeights(std::initializer_list<int> pcts) {
        for (int slot = 0; slot < kGalaxyTypeSlots; ++slot) {
            const int pct = slot < static_cast<int>(pcts.size()) ? pcts.begin()[slot] : 0;
            store.WriteNumber(GalaxySection(slot), kUniGalPct, pct, ValueType::Integer);
        }
        for (int slot = 0; slot < kCompositeSlots; ++slot)
            store.WriteNumber(CompositeSection(slot), kCompGalPct, 0, ValueType::Integer);
    }
    std::unique_ptr<UniverseEngine> Engine(bool begin = true) {
        auto e = FactoryStore::Engine(ticks, fb.Surface(), 42);
        if (begin) e->BeginUniverse();
        return e;
    }
    static int Count(const UniverseEngine& e, BurstState state) {
        return static_cast<int>(std::count(e.Burst().state.begin(), e.Burst().state.end(), state));
    }
    static bool All(const UniverseEngine& e, BurstState state) {
        return Count(e, state) == static_cast<int>(e.Burst().state.size());
    }
};

TEST_F(UniverseTest, GalaxyTypesFollowTheWeightsInTurnOrAtRandom) {
    SetWeights({30, 0, 70}); // in turn: types without weight are skipped
    Set(U::GVisit, 1);
    std::vector<int16_t> types = Engine()->Galaxies().typeIndex;
    for (size_t g = 0; g < types.size(); ++g)
        EXPECT_EQ(types[g], g % 2 == 0 ? 0 : 2) << g;
    for (int visit : {0, 1}) { // without any weight every galaxy is type 0
        SetWeights({});
        Set(U::GVisit, visit);
        const auto e = Engine();
        for (int16_t t : e->Galaxies().typeIndex)
            EXPECT_EQ(t, 0) << "GVisit " << visit;
    }
    SetWeights({0, 0, 0, 0, 0, 1}); // a single weight of 1 that is not type 0's
    for (int16_t t : std::vector<int16_t>(Engine()->Galaxies().typeIndex))
        EXPECT_EQ(t, 5);
}

TEST(PickStarType, AnUnmarkedCompositeGivesItsMajorWithinTheTypes) {
    GalaxyTables tables;
    Random random;
    GalaxyModel model{tables, random, BuildTrigTables()};
    tables.composites[1].member[0] = kGalaxyTypeSlots; // never validated
    EXPECT_EQ(PickStarType(model, kGalaxyTypeSlots + 1), kGalaxyTypeSlots - 1);
    tables.composites[2].member[0] = -1;
    EXPECT_EQ(PickStarType(model, kGalaxyTypeSlots + 2), 0);
}

TEST(SlotForDraw, FirstSlotWhoseRunningTotalIsNotBelowTheDraw) {
    std::array<int32_t, kGalaxyTableSize> cum{};
    for (int s = 0; s < kGalaxyTableSize; ++s)
        cum[s] = s < 2 ? 0 : (s < 5 ? 10 : 30);
    const std::pair<float, int16_t> cases[] = {
        {0.0f, 0}, {0.5f, 2}, {10.0f, 2}, {10.01f, 5}, {31.0f, kGalaxyTableSize - 1}};
    for (auto [draw, slot] : cases)
        EXPECT_EQ(SlotForDraw(cum, draw), slot) << draw;
}

TEST_F(UniverseTest, OneBurstStepFliesNoMinimumAndKeepsItsStepFactor) {
    Set(U::ESteps, 1);
    Set(U::Persist, 0.25);
    auto e = Engine();
    ASSERT_TRUE(e->BurstStep());
    EXPECT_FALSE(e->BurstStep());
    EXPECT_EQ(e->BurstStepIndex(), 1);
    EXPECT_GT(Count(*e, BurstState::Fading), 0) << "MinFly is 0, so stars may stop at step 0";
    EXPECT_FLOAT_EQ(e->ExpansionSpeed(), e->Values().expand * e->Values().stepFactor);
    const auto due = [&] {
        const auto& paths = e->Model().style.nebulaPathDue;
        return std::count_if(paths.begin(), paths.end(), [](auto d) { return d.points > 0; });
    };
    EXPECT_GT(due(), 0) << "a step leaves the nebulae's paths to be worked out when read";
    e->SettleRemaining();
    EXPECT_TRUE(All(*e, BurstState::Settled));
    EXPECT_EQ(due(), 0) << "the tour finds every path worked out";
}

TEST_F(UniverseTest, StepsRecordTheirStartTickAndAStopBetweenThemEndsCreationEarly) {
    Set(U::STrail, 3);
    auto e = Engine();
    for (int n = 0; n < 4; ++n) {
        const uint32_t expected = ticks.now + 7;
        e->BurstStep();
        EXPECT_EQ(e->FrameStartTick(), expected);
        EXPECT_EQ(e->TrailRing(), (n + 1) % 3) << "the trail ring turns once a step";
    }
    Set(U::Persist, 1.0);
    e = Engine(false);
    int checks = 0;
    EXPECT_FALSE(e->CreateUniverse([&] { return ++checks == 3; }));
    EXPECT_EQ(checks, 3);
    EXPECT_EQ(e->BurstStepIndex(), 3);
    EXPECT_FALSE(All(*e, BurstState::Settled)) << "stars are left unsettled";
    EXPECT_TRUE(e->CreateUniverse([] { return false; }) && All(*e, BurstState::Settled));
}

// A surface that records its changes and a window's image with block flags take the burst's
// pixels through other writes than a plain one; with one trail slot or three, early in the
// burst (every star flying) and at its end, all three must show the same picture, and the
// window's image must flag every block it shows a star in.
TEST_F(UniverseTest, ABurstDrawsTheSamePictureIntoEveryKindOfSurface) {
    constexpr int32_t kWidth = 320, kHeight = 240, kColumns = kWidth / 16;
    enum class Kind { Plain, Records, Blocks };
    for (const double trail : {1.0, 3.0})
        for (const int steps : {12, 1000}) { // 1000: the whole burst
            Set({{U::STrail, trail}, {U::Persist, 0.9}});
            std::vector<uint8_t> blocks;
            auto picture = [&](Kind kind) {
                OwnedFramebuffer own{kWidth, kHeight};
                std::vector<uint32_t> changes;
                blocks.assign(kColumns * (kHeight / 16), 0);
                if (kind == Kind::Records) own.Surface().changes = &changes;
                if (kind == Kind::Blocks) own.Surface().blocks = blocks.data(), own.Surface().blockColumns = kColumns;
                auto e = FactoryStore::Engine(ticks, own.Surface(), 42);
                e->BeginUniverse();
                for (int n = 0; n < steps && e->BurstStep(); ++n) {
                }
                return own.Pixels();
            };
            SCOPED_TRACE(testing::Message() << "trail " << trail << ", steps " << steps);
            const std::vector<uint32_t> plain = picture(Kind::Plain);
            EXPECT_GT(std::count_if(plain.begin(), plain.end(), [](uint32_t c) { return c != 0; }), 200);
            EXPECT_EQ(picture(Kind::Records), plain);
            std::vector<uint32_t> window = plain; // the window's image stores the window's order
            for (uint32_t& c : window)
                c = PixelWriter::WindowOrder(c);
            ASSERT_EQ(picture(Kind::Blocks), window);
            for (int32_t y = 0; y < kHeight; ++y)
                for (int32_t x = 0; x < kWidth; ++x)
                    if (plain[static_cast<size_t>(y * kWidth + x)] != 0) {
                        ASSERT_EQ(blocks[static_cast<size_t>((y / 16) * kColumns + x / 16)], 1) << x << "," << y;
                    }
        }
}

TEST_F(UniverseTest, SurfaceSetupPreparesTheAdvancedValues) {
    const std::string_view sec = kSectionAdvanced;
    store.WriteText(sec, "Adv_FontName", "");
    store.WriteText(sec, "Adv_FontSize", "5");
    store.WriteText(sec, "Adv_FontHueV", "400");
    store.WriteText(sec, "Adv_TimeDelay", "25000");
    store.WriteText(sec, "LockMessage", "  " + std::string(60, 'x') + "  ");
    Set(U::HW_Start, 300);
    auto e = Engine(false);
    EXPECT_EQ(e->Model().colour.UniverseFade(7), HueWheelColour(300)) << "the universe palette's own hue";
    EXPECT_EQ(std::tuple(e->Message().fontName, e->Message().fontSize, e->Message().hue, e->FrameDelay()),
              std::tuple("MS Sans Serif", 10, 359, 999));
    EXPECT_EQ(e->Message().text, std::string(50, 'x'));
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "\xC3\xA9"; // e-acute, two bytes each: cut by characters, not bytes
    store.WriteText(sec, "LockMessage", text);
    store.WriteText(sec, "Adv_TimeDelay", "-5");
    const auto e2 = Engine(false);
    EXPECT_EQ(e2->Message().text, text.substr(0, 100));
    EXPECT_EQ(e2->FrameDelay(), 0);
    store.WriteText(sec, "Adv_TimeDelay", "none");
    EXPECT_EQ(Engine(false)->FrameDelay(), 30) << "unreadable: the default";
}

} // namespace
} // namespace orb
