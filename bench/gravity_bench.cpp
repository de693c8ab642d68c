#include <benchmark/benchmark.h>

#include <vector>

#include "engine/animation/gravity.h"
#include "engine/animation/random.h"

namespace orb {
namespace {

// One velocity recompute frame (Universe_GravFrame 1) over galaxies spread through a cube.
void GravityFrame(benchmark::State& state) {
    const size_t count = static_cast<size_t>(state.range(0));
    Random random(42);
    std::vector<float> px(count), py(count), pz(count), vx(count), vy(count), vz(count);
    for (size_t i = 0; i < count; ++i) {
        px[i] = (random() - 0.5f) * 2000.0f;
        py[i] = (random() - 0.5f) * 2000.0f;
        pz[i] = (random() - 0.5f) * 2000.0f;
    }
    const GalaxyBodies bodies{px, py, pz, vx, vy, vz};
    GravityState gravity;
    for (auto _ : state) {
        benchmark::DoNotOptimize(GravityStep(gravity, bodies, 0.0999999f, 1));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(count * (count - 1)));
}
BENCHMARK(GravityFrame)->Arg(999)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace orb
