#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/creation/galaxy_fixture.h"
#include "settings/presets.h"

namespace orb {
namespace {

using test::GalaxyWorld;
using test::MakeWorld;
using test::StarValues;

TEST(PrepareGalaxyTypes, DerivesScaledValues) {
    auto w = MakeWorld();
    GalaxyType& t = w->Type(3);
    t[G::RadSegs] = 4;
    t[G::RadBands] = 90;
    t[G::RadBFill] = 36.5f;
    t[G::GalStyle] = 5;
    w->Prepare();
    const GalaxyTypeRun& r = w->model.run[3];
    EXPECT_FLOAT_EQ(r.radiusScaled, 3.0f);
    EXPECT_FLOAT_EQ(r.radiusSquared, 9.0f);
    EXPECT_FLOAT_EQ(r.waveSpeed, 0.03f);
    EXPECT_FLOAT_EQ(r.spinRate, 0.0005f);
    EXPECT_FLOAT_EQ(r.standOff, 4.0f);
    EXPECT_FLOAT_EQ(r.armSpacing, kTwoPi / 4);
    EXPECT_FLOAT_EQ(r.bandAngle, kTwoPi / 4);
    EXPECT_FLOAT_EQ(r.tiltRate, 0.0f);
    EXPECT_FLOAT_EQ(r.colourScale, 180.0f);
    EXPECT_FLOAT_EQ(r.colourScaleFine, 1.8f);
    EXPECT_FLOAT_EQ(r.heightScaled, 0.9f);
    EXPECT_EQ(r.bandFillWhole, 36); // halves to even
    EXPECT_FLOAT_EQ(r.angleParam, 1.4f * kTwoPi / 360);
    EXPECT_FLOAT_EQ(r.novaFreqScaled, 0.02f);
    EXPECT_FLOAT_EQ(r.cometOrbitScaled, 0.001f);
}

TEST(PrepareGalaxyTypes, CountsBelow1AreTakenAs1) {
    auto w = MakeWorld();
    w->Type(0)[G::RadSegs] = 0;
    w->Type(0)[G::RadBands] = -3;
    w->Prepare();
    EXPECT_EQ(w->model.run[0].armCount, 1);
    EXPECT_EQ(w->model.run[0].bandCount, 1);
    EXPECT_FLOAT_EQ(w->model.run[0].armSpacing, kTwoPi);
    EXPECT_EQ(w->model.run[0].ifsLevels, 0);
}

TEST(SetupGalaxies, ReusesTheReservedArrays) {
    auto w = MakeWorld();
    w->model.style.Reserve(kMaxGalaxies);
    const float* before = w->model.style.nebulaLayerX.data();
    w->Type(0)[G::GalStyle] = 4;
    w->Prepare();
    std::vector<int16_t> slots(kMaxGalaxies, 0);
    SetupGalaxies(w->model, kMaxGalaxies, -1, -1, slots);
    SetupGalaxies(w->model, 10, -1, -1, slots);
    EXPECT_EQ(w->model.style.nebulaLayerX.data(), before);
    EXPECT_EQ(w->model.style.count, 10);
}

TEST(SetupGalaxies, ClearsTheStateOfTheLastUniverse) {
    auto w = MakeWorld();
    w->Type(0)[G::GalStyle] = 4;
    w->Setup(0, 3);
    AdvanceNebulaPoints(w->model, 3, 0, {});
    ASSERT_NE(w->model.style.nebulaPhase[2], 0.0f);
    w->Type(0)[G::GalStyle] = 0;
    w->Setup(0, 3);
    EXPECT_EQ(w->model.style.nebulaPhase[2], 0.0f);
    EXPECT_EQ(w->model.style.nebulaLayerX[GalaxyStyleState::Layer(2, 0, 0)], 0.0f);
}

TEST(SetupGalaxies, GrowsWhenTheRunReservedTooLittle) {
    auto w = MakeWorld();
    w->Type(0)[G::GalStyle] = 3;
    w->Setup(0, 50);
    EXPECT_GE(w->model.style.Capacity(), 50);
    EXPECT_TRUE(w->Spawn(0, 49).Finite());
    EXPECT_EQ(w->model.style.count, 50);
}

TEST(SetupGalaxies, IfsAndNebulaStarsOfAGalaxyNotSetUpAreLeftInPlace) {
    auto w = MakeWorld();
    for (int style : {3, 4}) {
        w->Type(0)[G::GalStyle] = static_cast<float>(style);
        w->Setup(0, 2);
        StarValues s;
        s.x = s.radius = 5;
        SpawnStar(w->model, s.Ref(), 0, 7);
        EXPECT_EQ(s.x, 5.0f);
        EXPECT_EQ(s.radius, 5.0f);
    }
}

// ---- whole-model properties ----

// Galaxy g of type g for every type slot.
std::vector<int16_t> EverySlot() {
    std::vector<int16_t> slots(kGalaxyTypeSlots);
    for (int g = 0; g < kGalaxyTypeSlots; ++g)
        slots[g] = static_cast<int16_t>(g);
    return slots;
}

std::unique_ptr<GalaxyWorld> FactoryWorld(uint64_t seed, int style) {
    auto w = MakeWorld(seed);
    ApplyFactoryGalaxyTypes(w->tables, 0);
    for (int t = 0; t < kGalaxyTypeSlots; ++t) {
        w->Type(t)[G::GalStyle] = static_cast<float>(style);
        ValidateGalaxyType(w->Type(t)); // the new style's ranges, as the engine's start applies them
    }
    w->Prepare();
    BuildGalaxyColourTables(w->model.colour, w->tables);
    SetupGalaxies(w->model, kGalaxyTypeSlots, -1, -1, EverySlot());
    return w;
}

std::vector<StarValues> SpawnMany(GalaxyWorld& w, int n) {
    std::vector<StarValues> out(n);
    for (int i = 0; i < n; ++i) {
        const int16_t g = static_cast<int16_t>(i % kGalaxyTypeSlots);
        SpawnStar(w.model, out[i].Ref(), g, g);
    }
    return out;
}

TEST(GalaxyGeneration, FactoryTypesGiveFiniteStarsAndTheSameSeedTheSameStarsInEveryStyle) {
    for (int style = 0; style < kStyleCount; ++style) {
        const auto stars = SpawnMany(*FactoryWorld(77, style), 2000);
        for (const StarValues& s : stars)
            ASSERT_TRUE(s.Finite()) << "style " << style;
        EXPECT_EQ(SpawnMany(*FactoryWorld(77, style), 2000), stars) << "style " << style;
        EXPECT_NE(SpawnMany(*FactoryWorld(78, style), 2000), stars) << "style " << style;
    }
}

// Every property at a boundary or beyond it, in every style: no star value may become NaN
// or infinite, and nothing may hang.
TEST(GalaxyGeneration, ExtremeSettingsNeverGiveNonFiniteStars) {
    const float extremes[] = {0.0f, -1.0f, 1.0f, 30000.0f};
    const std::vector<int16_t> slots = EverySlot();
    int round = 0;
    for (float v : extremes) {
        for (int style = 0; style < kStyleCount; ++style) {
            auto w = MakeWorld(static_cast<uint64_t>(++round));
            for (int t = 0; t < kGalaxyTypeSlots; ++t) {
                GalaxyType& type = w->Type(t);
                for (int p = 0; p < kGalaxyPropCount; ++p)
                    if (p % 4 == t % 4) type.prop[p] = v; // a different mix of extremes per type
                type[G::GalStyle] = static_cast<float>(style);
            }
            w->Prepare();
            SetupGalaxies(w->model, kGalaxyTypeSlots, -1, -1, slots);
            for (int frame = 0; frame < 3; ++frame)
                AdvanceNebulaPoints(w->model, kGalaxyTypeSlots, -1, slots);
            for (const StarValues& s : SpawnMany(*w, 640))
                ASSERT_TRUE(s.Finite()) << "value " << v << " style " << style;
        }
    }
}

} // namespace
} // namespace orb
