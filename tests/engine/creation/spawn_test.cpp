#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

#include "engine/creation/galaxy_fixture.h"

namespace orb {
namespace {

using test::GalaxyWorld;
using test::MakeWorld;
using test::StarValues;

void SetStyle(GalaxyWorld& w, int t, int style) {
    w.Type(t)[G::GalStyle] = static_cast<float>(style);
}

TEST(SpawnStar, ResetsAgeAndCountersAndColours) {
    auto w = MakeWorld();
    w->Setup(0);
    StarValues s;
    s.age = 99;
    s.retire = s.newFrames = s.novaFrames = 5;
    s.colour = 0xABCDEF;
    SpawnStar(w->model, s.Ref(), 0, 0);
    EXPECT_EQ(std::tuple(s.age, s.retire, s.newFrames, s.novaFrames), std::tuple(0, 0, 0, 0));
    EXPECT_NE(s.colour, 0xABCDEFu);
}

TEST(SpawnStar, StandardArmFill0PutsStarsOnSpokes) {
    auto w = MakeWorld();
    w->Type(0)[G::RadSegs] = 5;
    w->Type(0)[G::RadFill] = 0;
    w->Type(0).spinPhase = 0.3f;
    w->Setup(0);
    const double spacing = kTwoPi / 5.0;
    std::set<long> spokes;
    for (int i = 0; i < 300; ++i) {
        const StarValues s = w->Spawn(0);
        const double k = (s.angle - 0.3) / spacing;
        ASSERT_NEAR(k, std::round(k), 1e-5) << "angle " << s.angle;
        spokes.insert(std::lround(k));
    }
    EXPECT_EQ(spokes.size(), 5u);
}

TEST(SpawnStar, StandardInnerStarsSpinFasterAndRotation0GivesNoSpin) {
    for (float rotation : {500.0f, 0.0f}) {
        auto w = MakeWorld();
        w->Type(0)[G::Rotation] = rotation;
        w->Setup(0);
        const double spinRate = rotation * 0.000001;
        for (int i = 0; i < 200; ++i) {
            const StarValues s = w->Spawn(0);
            ASSERT_NEAR(s.spin * s.radius, kTwoPi * spinRate, rotation == 0 ? 0 : 1e-7) << rotation;
        }
    }
}

TEST(SpawnStar, QuasarStreamsOutAtEmitSpeedTimesPosition) {
    auto w = MakeWorld();
    SetStyle(*w, 0, 5);
    w->Type(0)[G::QG_Force] = 5;
    w->Setup(0);
    EXPECT_FLOAT_EQ(w->model.run[0].emitSpeed, 0.05f);
    for (int i = 0; i < 100; ++i) {
        const StarValues s = w->Spawn(0);
        ASSERT_FLOAT_EQ(s.velX, static_cast<float>(0.05f * double(s.x)));
        ASSERT_FLOAT_EQ(s.velY, static_cast<float>(0.05f * double(s.y)));
        ASSERT_FLOAT_EQ(s.velZ, static_cast<float>(0.05f * double(s.z)));
        ASSERT_EQ(s.y, s.height);
        ASSERT_NEAR(s.x, s.radius * std::cos(s.angle), 1e-5);
        ASSERT_NEAR(s.z, s.radius * std::sin(s.angle), 1e-5);
    }
}

TEST(SpawnStar, StarwaveStartsAtTheCoreWithAWavePhase) {
    auto w = MakeWorld();
    SetStyle(*w, 0, 7);
    w->Type(0)[G::RadBands] = 3;
    w->Setup(0);
    std::set<long> phases;
    for (int i = 0; i < 200; ++i) {
        StarValues s;
        s.x = s.y = s.z = 9;
        const Random before = w->random;
        SpawnStar(w->model, s.Ref(), 0, 0);
        ASSERT_EQ(test::DrawsSince(before, w->random), 3); // arm angle (2) then the phase
        ASSERT_EQ(std::tuple(s.x, s.y, s.z, s.radius, s.height), std::tuple(0.0f, 0.0f, 0.0f, 3.0f, 0.0f));
        ASSERT_NEAR(std::hypot(s.velX, s.velZ), 0.03, 1e-7);
        const double k = s.velY / (kTwoPi / 3.0);
        ASSERT_NEAR(k, std::round(k), 1e-6);
        phases.insert(std::lround(k));
    }
    EXPECT_EQ(phases, (std::set<long>{0, 1, 2}));
}

// The emitting styles keep the old spin; a graviton star starts at rest, pulled by 0.0005.
TEST(SpawnStar, EmittingStylesKeepTheOldSpinAndGravitonsStartAtRest) {
    for (int style : {5, 6, 7}) {
        auto w = MakeWorld();
        SetStyle(*w, 0, style);
        w->Setup(0);
        StarValues s;
        s.spin = 0.125f;
        s.velX = s.velY = s.velZ = 1;
        SpawnStar(w->model, s.Ref(), 0, 0);
        EXPECT_EQ(s.spin, 0.125f) << "style " << style;
        if (style != 6) continue;
        EXPECT_FLOAT_EQ(w->model.run[0].emitSpeed, 0.0005f);
        EXPECT_EQ(std::tuple(s.velX, s.velY, s.velZ), std::tuple(0.0f, 0.0f, 0.0f));
        EXPECT_GT(s.radius, 0.0f);
    }
}

TEST(SpawnStar, UnknownStyleOrTypeDrawsNoPosition) {
    auto w = MakeWorld();
    SetStyle(*w, 0, 9); // unvalidated
    w->Setup(0);
    StarValues s;
    s.radius = 7;
    s.x = 2;
    s.age = 4;
    const uint64_t before = w->random.State();
    SpawnStar(w->model, s.Ref(), 0, 0);
    EXPECT_EQ(std::tuple(s.radius, s.x, s.age), std::tuple(7.0f, 2.0f, 0)) << "only the age is reset";
    EXPECT_EQ(w->random.State(), before);
    SpawnStar(w->model, s.Ref(), 40, 0); // a composite slot is not a star type
    SpawnStar(w->model, s.Ref(), -1, 0);
    EXPECT_EQ(s.radius, 7.0f);
}

// Each computation type picks its hue, which wraps modulo 360; type 4 is black and unknown
// types keep the colour.
TEST(StarColour, EachComputationTypePicksItsHue) {
    auto w = MakeWorld();
    for (int h = 0; h < kHueSteps; ++h) // every entry names its own hue, so an index mistake shows
        for (int t = 0; t < kColourColumns; ++t)
            w->model.colour.galaxyColour[h * kColourColumns + t] = h + 1000 * t;
    w->Type(2)[G::Radius] = 100; // Rg = 1
    const struct {
        int comp;
        float mult, spin, radius, height, offset;
        uint32_t colour;
    } cases[] = {
        {0, 10, 2.0f, 0, 0, 5, 2025u},    // 1 x 2 x 10 + 5
        {1, 10, 0.1f, 0, 0, 5, 2015u},    // sqrt(1 x 0.1 x 1000) + 5
        {2, 10, 0, 0.6f, 0.8f, 5, 2005u}, // on the rim: |1 - 1| = 0
        {2, 10, 0, 0, 0, 5, 2006u},       // at the core: 1 x |1 - 0|
        {3, 1000, 0, 0.5f, 0, 0, 2025u},  // 100 x 0.5^2
        {5, 1000, 0, 0.25f, 0, 0, 2090u}, // a quarter turn along the ribbon
        {5, 1000, 0, 1.0f, 0, 0, 2000u},  // one full turn
        {0, 10, 70.0f, 0, 0, 20, 2000u},  // 720
        {0, 10, 72.0f, 0, 0, 5, 2005u},   // 725
        {0, 10, -0.5f, 0, 0, 0, 2355u},   // a negative hue wraps forward
        {4, 10, 2.0f, 1, 1, 5, 0u},       {6, 10, 2.0f, 1, 1, 5, 0xDEADu}, {-1, 10, 2.0f, 1, 1, 5, 0xDEADu},
    };
    for (const auto& c : cases) {
        w->Type(2)[G::ColorComp] = static_cast<float>(c.comp);
        w->Type(2)[G::ColorMult] = c.mult;
        w->Prepare();
        w->model.run[2].hueOffset = c.offset;
        EXPECT_EQ(StarColour(w->model, 2, c.spin, c.radius, c.height, 0xDEAD), c.colour) << c.comp << " " << c.spin;
    }
}

} // namespace
} // namespace orb
