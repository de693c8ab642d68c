#include <benchmark/benchmark.h>

#include "settings/presets.h"
#include "settings/store.h"

namespace orb {
namespace {

void BM_SaveAllSettingsMemory(benchmark::State& state) {
    MemoryBackend backend;
    SettingsStore store(backend);
    GalaxyTables tables;
    ApplyFactoryGalaxyTypes(tables, 0);
    ApplyFactoryComposites(tables, 0);
    UniverseSettings u;
    for (auto _ : state) benchmark::DoNotOptimize(store.SaveAllSettings(u, tables));
}
BENCHMARK(BM_SaveAllSettingsMemory)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace orb
