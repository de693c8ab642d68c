// Tour frames of the animation driver on a 1920 x 1080 surface, per frame and per star: the
// factory "Classical" theme, the largest star count (30000, trail 1), 4000 stars with trail 7,
// and a visit with comets running in every slot. Creation and departure frames are stepped
// through untimed.
#include <benchmark/benchmark.h>

#include "engine/animation/animation.h"
#include "engine/creation/universe.h"
#include "settings/presets.h"

namespace orb {
namespace {

struct TourRun {
    MemoryBackend backend;
    SettingsStore store{backend};
    OwnedFramebuffer fb{1920, 1080};
    UniverseEngine engine{store};
    UniverseAnimation animation{engine};

    // The factory set 0 and the "Classical" theme, changed by adjust.
    template <typename Adjust> explicit TourRun(Adjust adjust) {
        FactoryConfiguration f = MakeFactoryConfiguration(0);
        adjust(f.universe, f.tables);
        store.SaveAllSettings(f.universe, f.tables);
        engine.SetFixedSeed(1);
        engine.SetupSurface(fb.Surface(), false);
        engine.SetupUniverse(false);
        animation.Begin();
    }

    // Steps (untimed by the caller) until the next frame is a tour frame at control point
    // minPoint or later.
    void ReachTour(int32_t minPoint) {
        while (animation.Phase() != AnimationPhase::Visiting || animation.ControlPoint() < minPoint)
            if (animation.Step().clearScreen) fb.Surface().Clear();
    }
};

template <typename Adjust> void TourFrames(benchmark::State& state, Adjust adjust, int32_t minPoint = 1) {
    TourRun run(adjust);
    run.ReachTour(minPoint);
    for (auto _ : state) {
        run.animation.Step();
        if (run.animation.Phase() != AnimationPhase::Visiting || run.animation.ControlPoint() < minPoint) {
            state.PauseTiming();
            run.ReachTour(minPoint);
            state.ResumeTiming();
        }
    }
    const int32_t stars = run.engine.Values().stars;
    state.SetItemsProcessed(state.iterations() * stars);
    state.counters["stars"] = stars;
    state.counters["trail"] = run.engine.Values().trail;
    state.counters["comet_stars"] = LiveCometStars(run.animation.Comets());
}

void BM_TourFrameClassical(benchmark::State& state) {
    TourFrames(state, [](UniverseSettings&, GalaxyTables&) {});
}
BENCHMARK(BM_TourFrameClassical)->Name("TourFrame/classical")->Unit(benchmark::kMicrosecond);

void BM_TourFrameMax(benchmark::State& state) {
    TourFrames(state, [](UniverseSettings& u, GalaxyTables&) {
        u[U::Stars] = 30000;
        u[U::STrail] = 1;
    });
}
BENCHMARK(BM_TourFrameMax)->Name("TourFrame/max")->Unit(benchmark::kMicrosecond);

void BM_TourFrameTrail7(benchmark::State& state) {
    TourFrames(state, [](UniverseSettings& u, GalaxyTables&) {
        u[U::Stars] = 4000;
        u[U::STrail] = 99; // 30000 \ 4000 = 7 slots a star
    });
}
BENCHMARK(BM_TourFrameTrail7)->Name("TourFrame/trail7")->Unit(benchmark::kMicrosecond);

// Comets start from the third control point of a visit; here every type starts one nearly every
// frame and keeps it emitting, so the pool stays full.
void BM_TourFrameComets(benchmark::State& state) {
    TourFrames(
        state,
        [](UniverseSettings&, GalaxyTables& t) {
            for (int s = 0; s < kGalaxyTypeSlots; ++s) {
                t.types[s].prop[static_cast<int>(G::CometFreq)] = 9999;
                t.types[s].prop[static_cast<int>(G::CometCPersist)] = 0.9999f;
            }
        },
        3);
}
BENCHMARK(BM_TourFrameComets)->Name("TourFrame/comets")->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace orb
