// Universe creation: one burst step at the "Classical" theme's size and at the largest universe,
// and a whole creation at the default settings. Steps must not allocate: operator new is counted
// while steps run (test::AllocationCount) and any allocation fails the benchmark.
#include <benchmark/benchmark.h>

#include <vector>

#include "app/core/frame_presenter.h"
#include "bench/cold_caches.h"
#include "engine/animation/alloc_count.h"
#include "engine/creation/universe.h"
#include "settings/presets.h"

namespace orb {
namespace {

struct Universe {
    MemoryBackend backend;
    SettingsStore store{backend};
    OwnedFramebuffer fb{1024, 768};
    UniverseEngine engine{store};

    // Factory galaxy types and composites of set 0 with the given universe values.
    explicit Universe(const UniverseSettings& u) {
        FactoryConfiguration f = MakeFactoryConfiguration(0);
        f.universe = u;
        store.SaveAllSettings(f.universe, f.tables);
        engine.SetFixedSeed(1);
        engine.SetupSurface(fb.Surface());
        engine.SetupUniverse(false);
    }
};

UniverseSettings Classical() { return MakeFactoryConfiguration(0).universe; }

UniverseSettings Largest() {
    UniverseSettings u = Classical();
    u[U::Stars] = 30000;
    u[U::Galaxy] = 999;
    u[U::AmStar] = 3000;
    return u;
}

// Steps through whole bursts; a new universe begins (untimed) when one ends.
void BurstSteps(benchmark::State& state, const UniverseSettings& settings) {
    Universe u(settings);
    u.engine.BeginUniverse();
    int64_t allocations = 0;
    for (auto _ : state) {
        bool stepped;
        {
            test::AllocationCount count;
            stepped = u.engine.BurstStep();
            allocations += count.Count();
        }
        if (!stepped) {
            state.PauseTiming();
            u.engine.SettleRemaining();
            u.fb.Surface().Clear();
            u.engine.BeginUniverse();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations() * u.engine.Values().stars);
    state.counters["stars"] = u.engine.Values().stars;
    state.counters["allocations"] = static_cast<double>(allocations);
    if (allocations != 0) state.SkipWithError("a burst step allocated");
}

void BM_BurstStepClassical(benchmark::State& state) {
    BurstSteps(state, Classical());
}
BENCHMARK(BM_BurstStepClassical)->Name("BurstStep/classical")->Unit(benchmark::kMicrosecond);

void BM_BurstStepMax(benchmark::State& state) {
    BurstSteps(state, Largest());
}
BENCHMARK(BM_BurstStepMax)->Name("BurstStep/max")->Unit(benchmark::kMicrosecond);
// Exactly one whole burst (300 steps): a fixed amount of work for counting instructions
// (valgrind --tool=callgrind), which a timed run's varying iteration count would not give.
BENCHMARK(BM_BurstStepMax)->Name("BurstStep/max_burst")->Iterations(300)->Unit(benchmark::kMicrosecond);

// The saver's burst: factory values with 30000 stars, drawn into a 1920 x 1080 window's image
// with block flags, the flagged blocks handed over as rectangles after every step; with cold,
// the caches emptied (untimed) before every step, as the saver's idle wait leaves them.
void SaverBurstSteps(benchmark::State& state, bool cold) {
    constexpr int32_t kWidth = 1920, kHeight = 1080;
    MemoryBackend backend;
    SettingsStore store{backend};
    FactoryConfiguration f = MakeFactoryConfiguration(0);
    f.universe[U::Stars] = 30000;
    store.SaveAllSettings(f.universe, f.tables);
    std::vector<uint32_t> window(static_cast<size_t>(kWidth) * kHeight, 0xFF000000u);
    FramePresenter presenter;
    presenter.AttachWindow(window.data(), kWidth, kHeight, kWidth);
    UniverseEngine engine{store};
    engine.SetFixedSeed(1);
    engine.SetupSurface(presenter.Surface());
    engine.SetupUniverse(false);
    engine.BeginUniverse();
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            bench::EvictCaches();
            state.ResumeTiming();
        }
        if (engine.BurstStep()) {
            benchmark::DoNotOptimize(presenter.TakeChanges().data());
        } else {
            state.PauseTiming();
            engine.SettleRemaining();
            presenter.Surface().Clear();
            presenter.TakeChanges();
            engine.BeginUniverse();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations() * engine.Values().stars);
}
void BM_BurstStepSaver(benchmark::State& state) {
    SaverBurstSteps(state, false);
}
BENCHMARK(BM_BurstStepSaver)->Name("BurstStep/saver")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BurstStepSaver)->Name("BurstStep/saver_burst")->Iterations(300)->Unit(benchmark::kMicrosecond);
void BM_BurstStepSaverCold(benchmark::State& state) {
    SaverBurstSteps(state, true);
}
BENCHMARK(BM_BurstStepSaverCold)->Name("BurstStep/saver_cold")->Unit(benchmark::kMicrosecond);

// The slowest steps of the largest universe: late ones, when every star has settled and is
// moved and projected like a frame of the tour. Short persistence settles all stars soon after
// the first quarter (MinFly) of 400 steps; steps 150 to 399 are timed.
void BM_BurstStepMaxSettled(benchmark::State& state) {
    UniverseSettings s = Largest();
    s[U::ESteps] = 400;
    s[U::Persist] = 0.25f;
    Universe u(s);
    int64_t allocations = 0;
    for (auto _ : state) {
        if (u.engine.BurstStepIndex() >= 399 || u.engine.BurstStepIndex() < 150) {
            state.PauseTiming();
            u.engine.BeginUniverse();
            while (u.engine.BurstStepIndex() < 150)
                u.engine.BurstStep();
            state.ResumeTiming();
        }
        test::AllocationCount count;
        u.engine.BurstStep();
        allocations += count.Count();
    }
    state.SetItemsProcessed(state.iterations() * u.engine.Values().stars);
    state.counters["allocations"] = static_cast<double>(allocations);
    if (allocations != 0) state.SkipWithError("a burst step allocated");
}
BENCHMARK(BM_BurstStepMaxSettled)->Name("BurstStep/max_settled")->Unit(benchmark::kMicrosecond);

void BM_CreateUniverse(benchmark::State& state) {
    Universe u{UniverseSettings{}};
    for (auto _ : state)
        benchmark::DoNotOptimize(u.engine.CreateUniverse({}));
    state.SetItemsProcessed(state.iterations() * u.engine.Values().stars);
}
BENCHMARK(BM_CreateUniverse)->Name("CreateUniverse")->Unit(benchmark::kMillisecond);

} // namespace
} // namespace orb
