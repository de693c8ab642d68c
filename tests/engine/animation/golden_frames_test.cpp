// The pictures themselves: small runs of the factory sets and of a few universes that lean on
// one feature each, hashed every tenth frame through the burst, the tour and the end of a
// universe, against hashes recorded from the program as it draws today. Any change in where,
// when or in what colour a pixel lands shows up here; the fuller check of large runs is
// scripts/pixel-hash-check.sh.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>

#include "engine/animation/animation.h"
#include "engine/factory_store.h"

namespace orb {
namespace {

using Tweak = void (*)(FactoryConfiguration&);

struct GoldenRun {
    const char* what;
    int16_t factorySet; // MakeFactoryConfiguration index
    int32_t stars;      // Universe_Stars
    int32_t trail;      // STrail, 0: the set's own
    int32_t frames;     // animation steps to run
    Tweak tweak;        // further changes to the configuration, or null
    uint64_t expected;  // hash of every tenth frame's pixels
};

// Only the first `count` galaxy types weigh in, visited in turn, each visit short.
void OnlyTypes(FactoryConfiguration& f, int count, int galaxies) {
    for (int t = 0; t < kGalaxyTypeSlots; ++t)
        f.tables.types[t].pct = t < count ? 10 : 0;
    for (CompositeGalaxy& c : f.tables.composites)
        c.pct = 0;
    const std::pair<U, int> values[] = {{U::Galaxy, galaxies}, {U::GVisit, 1}, {U::GSteps, 6},
                                        {U::GPCtrl, 2},        {U::GCCtrl, 2}, {U::ESteps, 40}};
    for (auto [u, v] : values)
        f.universe[u] = static_cast<float>(v);
}

// One galaxy of each style, tilted and turning.
void EveryStyle(FactoryConfiguration& f) {
    OnlyTypes(f, kStyleCount, kStyleCount);
    for (int t = 0; t < kStyleCount; ++t) {
        f.tables.types[t][G::GalStyle] = t;
        f.tables.types[t][G::AngleTilt] = 30 + 10 * t;
        f.tables.types[t][G::AxisPlane] = t % 2;
    }
}

// Comets in every visit: orbiting ones, ones of style 1 and nebula ones on their path.
void Comets(FactoryConfiguration& f) {
    OnlyTypes(f, 3, 3);
    f.universe[U::GSteps] = 20;
    const int styles[] = {1, 4, 0};
    const std::pair<G, float> values[] = {{G::AngleTilt, 40},       {G::CometFreq, 9999},
                                          {G::CometStars, 30},      {G::CometOrbit, 3000},
                                          {G::CometCPersist, 0.9f}, {G::CometSPersist, 0.95f}};
    for (int t = 0; t < 3; ++t) {
        f.tables.types[t][G::GalStyle] = styles[t];
        for (auto [g, v] : values)
            f.tables.types[t][g] = v;
    }
}

// Only composites, each of the lightest weight; the first has every member slot filled with its
// last member of another style.
void Composites(FactoryConfiguration& f) {
    for (int t = 0; t < kGalaxyTypeSlots; ++t)
        f.tables.types[t].pct = 0;
    for (int c = 0; c < kCompositeSlots; ++c)
        f.tables.composites[c].pct = c < 4 ? 1 : 0;
    CompositeGalaxy& full = f.tables.composites[0];
    full.count = kMaxMembers - 1;
    for (int m = 0; m < full.count; ++m)
        full.member[m] = static_cast<int16_t>(m == full.count - 1 ? 5 : 1);
    f.tables.types[1][G::GalStyle] = 0;
    f.tables.types[5][G::GalStyle] = 4;
    f.universe[U::Galaxy] = 6;
}

// Gravity pulling the galaxies together, no tour, an odd universe shape.
void GravityNoTour(FactoryConfiguration& f) {
    const std::pair<U, float> values[] = {{U::GravForce, 50000}, {U::GravFrame, 2},  {U::Tour, 0},
                                          {U::Profile, 4},       {U::Symetry, 0.5f}, {U::HWRatio, 300},
                                          {U::Galaxy, 5}};
    for (auto [u, v] : values)
        f.universe[u] = v;
}

// Short universes one after another, with trails.
void ShortUniverses(FactoryConfiguration& f) {
    OnlyTypes(f, 2, 2);
    const std::pair<U, float> values[] = {{U::ESteps, 15}, {U::GSteps, 4}, {U::GPCtrl, 1}, {U::GCCtrl, 1}};
    for (auto [u, v] : values)
        f.universe[u] = v;
}

uint64_t RunHash(const GoldenRun& run) {
    FactoryConfiguration f = MakeFactoryConfiguration(run.factorySet);
    f.universe[U::Stars] = run.stars;
    if (run.trail) f.universe[U::STrail] = run.trail;
    if (run.tweak) run.tweak(f);
    test::FactoryStore settings(f);
    SteppingTicks ticks(1000, 25);
    OwnedFramebuffer fb(320, 240);
    const auto engine = settings.Engine(ticks, fb.Surface(), 1);
    UniverseAnimation animation(*engine);
    animation.Begin();
    uint64_t h = 0xcbf29ce484222325ull;
    for (int32_t frame = 1; frame <= run.frames; ++frame) {
        const FrameResult r = animation.Step();
        if (frame % 10 == 0)
            for (uint32_t p : fb.Pixels())
                h = (h ^ p) * 0x100000001b3ull;
        if (r.clearScreen) fb.Surface().Clear();
    }
    return h;
}

TEST(GoldenFrames, SmallRunsDrawTheRecordedPictures) {
    const GoldenRun runs[] = {
        {"factory set 0", 0, 3000, 0, 600, nullptr, 0x9fb5123b522a23caull},
        {"factory set 1", 1, 3000, 0, 600, nullptr, 0x352a33bf1f1f6253ull},
        {"trails of 7", 0, 4000, 99, 300, nullptr, 0xb955f1316169384cull},
        {"every style", 0, 3000, 0, 400, EveryStyle, 0xb1671f1a44db4449ull},
        {"comets", 0, 1500, 0, 300, Comets, 0xab2433eafa4b60b7ull},
        {"composites", 1, 3000, 0, 300, Composites, 0xc2f1474f62c1231aull},
        {"gravity, no tour", 0, 2000, 0, 300, GravityNoTour, 0x8d7c034a82980f6dull},
        {"short universes", 1, 2000, 3, 250, ShortUniverses, 0xa4120a53a463d76dull},
    };
    for (const GoldenRun& run : runs) {
        const uint64_t h = RunHash(run);
        EXPECT_EQ(h, run.expected) << run.what << ": 0x" << std::hex << h;
    }
}

} // namespace
} // namespace orb
