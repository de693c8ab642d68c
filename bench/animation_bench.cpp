// Tour frames of the animation driver on a 1920 x 1080 surface, per frame and per star: the
// factory "Classical" theme, the largest star count (30000, trail 1), 4000 stars with trail 7,
// a visit with comets running in every slot, and the saver's own frame (a window's image with
// block flags, and the hand-over of the flagged blocks). Creation and departure frames are
// stepped through untimed.
#include <benchmark/benchmark.h>

#include <vector>

#include "app/core/frame_presenter.h"
#include "bench/cold_caches.h"
#include "engine/animation/animation.h"
#include "engine/creation/universe.h"
#include "settings/presets.h"

namespace orb {
namespace {

constexpr int32_t kWidth = 1920, kHeight = 1080;

struct TourRun {
    MemoryBackend backend;
    SettingsStore store{backend};
    OwnedFramebuffer fb{kWidth, kHeight};
    std::vector<uint32_t> window; // the window's image, when the engine draws into one
    FramePresenter presenter;     // its block flags and their hand-over
    UniverseEngine engine{store};
    UniverseAnimation animation{engine};

    // The factory set 0 and the "Classical" theme, changed by adjust; drawn into a window's
    // image as the saver does when intoWindow holds.
    template <typename Adjust> explicit TourRun(Adjust adjust, bool intoWindow = false) {
        FactoryConfiguration f = MakeFactoryConfiguration(0);
        adjust(f.universe, f.tables);
        store.SaveAllSettings(f.universe, f.tables);
        engine.SetFixedSeed(1);
        if (intoWindow) {
            window.assign(static_cast<size_t>(kWidth) * kHeight, 0xFF000000u);
            presenter.AttachWindow(window.data(), kWidth, kHeight, kWidth);
        }
        engine.SetupSurface(Surface());
        engine.SetupUniverse(false);
        animation.Begin();
    }

    // Steps (untimed by the caller) until the next frame is a tour frame at control point
    // minPoint or later.
    void ReachTour(int32_t minPoint) {
        while (animation.Phase() != AnimationPhase::Visiting || animation.ControlPoint() < minPoint)
            if (animation.Step().clearScreen) Surface().Clear();
        if (presenter.DrawsWindow()) presenter.TakeChanges();
    }
    Framebuffer& Surface() { return presenter.DrawsWindow() ? presenter.Surface() : fb.Surface(); }
    // One tour frame as the saver runs it: the step and, into a window, the rectangles of the
    // flagged blocks. Out of line, so that an instruction count can be confined to it.
    [[gnu::noinline]] void Frame() {
        animation.Step();
        if (presenter.DrawsWindow()) benchmark::DoNotOptimize(presenter.TakeChanges().data());
    }
};

// With cold, the caches are emptied (untimed) before every frame, as the saver's idle wait
// between frames leaves them.
template <typename Adjust>
void TourFrames(benchmark::State& state, Adjust adjust, int32_t minPoint = 1, bool intoWindow = false,
                bool cold = false) {
    TourRun run(adjust, intoWindow);
    run.ReachTour(minPoint);
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            bench::EvictCaches();
            state.ResumeTiming();
        }
        run.Frame();
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

// The side-by-side comparison's saver: factory values but 30000 stars, seed 1, drawn into the
// window's image with its block flags, the flagged blocks handed over as rectangles each frame.
void BM_TourFrameSaver(benchmark::State& state) {
    TourFrames(state, [](UniverseSettings& u, GalaxyTables&) { u[U::Stars] = 30000; }, 1, true);
}
BENCHMARK(BM_TourFrameSaver)->Name("TourFrame/saver")->Unit(benchmark::kMicrosecond);

// The same frames, each after the caches were emptied: what the saver pays at its 25 ms delay.
void BM_TourFrameSaverCold(benchmark::State& state) {
    TourFrames(state, [](UniverseSettings& u, GalaxyTables&) { u[U::Stars] = 30000; }, 1, true, true);
}
BENCHMARK(BM_TourFrameSaverCold)->Name("TourFrame/saver_cold")->Unit(benchmark::kMicrosecond);

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
