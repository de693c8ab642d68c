// The pictures themselves: small runs of the factory sets, hashed every tenth frame through the
// burst, the tour and the end of a universe, against hashes recorded from the program as it
// draws today. Any change in where, when or in what colour a pixel lands shows up here; the
// fuller check of large runs is scripts/pixel-hash-check.sh.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>

#include "engine/animation/animation.h"
#include "engine/creation/universe.h"
#include "settings/presets.h"

namespace orb {
namespace {

struct GoldenRun {
    const char* what;
    int16_t factorySet;  // MakeFactoryConfiguration index
    int32_t stars;       // Universe_Stars
    int32_t trail;       // STrail, 0: the set's own
    int32_t frames;      // animation steps to run
    uint64_t expected;   // hash of every tenth frame's pixels
};

uint64_t RunHash(const GoldenRun& run) {
    MemoryBackend backend;
    SettingsStore store(backend);
    FactoryConfiguration f = MakeFactoryConfiguration(run.factorySet);
    f.universe[U::Stars] = run.stars;
    if (run.trail) f.universe[U::STrail] = run.trail;
    store.SaveAllSettings(f.universe, f.tables);
    SteppingTicks ticks(1000, 25);
    OwnedFramebuffer fb(320, 240);
    UniverseEngine engine(store, ticks);
    engine.SetFixedSeed(1);
    engine.SetupSurface(fb.Surface(), false);
    engine.SetupUniverse(false);
    UniverseAnimation animation(engine);
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
        {"factory set 0", 0, 3000, 0, 600, 0x9fb5123b522a23caull},
        {"factory set 1", 1, 3000, 0, 600, 0x352a33bf1f1f6253ull},
        {"trails of 7", 0, 4000, 99, 300, 0xb955f1316169384cull},
    };
    for (const GoldenRun& run : runs) {
        const uint64_t h = RunHash(run);
        EXPECT_EQ(h, run.expected) << run.what << ": 0x" << std::hex << h;
    }
}

} // namespace
} // namespace orb
