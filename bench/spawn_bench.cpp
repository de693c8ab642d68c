// SpawnStar per galaxy style over the factory types (validated for that style), spawning into
// struct-of-arrays star storage across 100 galaxies. Items are stars.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "engine/animation/trig.h"
#include "engine/creation/galaxy_model.h"
#include "settings/presets.h"

namespace orb {
namespace {

constexpr int kBenchGalaxies = 100;
constexpr int kBenchStars = 4096;

struct SpawnSetup {
    GalaxyTables tables;
    Random random{12345};
    GalaxyModel model{tables, random, BuildTrigTables()};
    std::vector<int16_t> slots;
    // Star storage, one array per value.
    std::vector<float> x, y, z, vx, vy, vz, radius, angle, spin, height;
    std::vector<int32_t> age;
    std::vector<int16_t> retire, newFrames, novaFrames;
    std::vector<uint32_t> colour;

    explicit SpawnSetup(int style) {
        ApplyFactoryGalaxyTypes(tables, 0);
        for (int t = 0; t < kGalaxyTypeSlots; ++t) {
            tables.types[t][G::GalStyle] = static_cast<float>(style);
            ValidateGalaxyType(tables.types[t]);
        }
        PrepareGalaxyTypes(model);
        BuildGalaxyColourTables(model.colour, tables);
        model.style.Reserve(kMaxGalaxies);
        for (int g = 0; g < kBenchGalaxies; ++g)
            slots.push_back(static_cast<int16_t>(g % kGalaxyTypeSlots));
        SetupGalaxies(model, kBenchGalaxies, -1, -1, slots);
        for (auto* v : {&x, &y, &z, &vx, &vy, &vz, &radius, &angle, &spin, &height})
            v->assign(kBenchStars, 0.0f);
        age.assign(kBenchStars, 0);
        for (auto* v : {&retire, &newFrames, &novaFrames})
            v->assign(kBenchStars, 0);
        colour.assign(kBenchStars, 0);
    }
    StarRef Star(int i) {
        return {x[i],    y[i],   z[i],      vx[i],        vy[i],         vz[i],     radius[i], angle[i],
                spin[i], age[i], retire[i], newFrames[i], novaFrames[i], height[i], colour[i]};
    }
};

void BM_SpawnStar(benchmark::State& state, int style) {
    auto setup = std::make_unique<SpawnSetup>(style);
    int i = 0;
    for (auto _ : state) {
        const int g = i % kBenchGalaxies;
        SpawnStar(setup->model, setup->Star(i), setup->slots[g], static_cast<int16_t>(g));
        i = (i + 1) & (kBenchStars - 1);
    }
    benchmark::DoNotOptimize(setup->colour.data());
    state.SetItemsProcessed(state.iterations());
}

void RegisterSpawnBenchmarks() {
    static const std::array<const char*, kStyleCount> names = {
        "Standard", "IfsAttractor", "IfsWireframe", "IfsFractal", "Nebula", "Quasar", "Graviton", "Starwave"};
    for (int style = 0; style < kStyleCount; ++style)
        benchmark::RegisterBenchmark((std::string("SpawnStar/") + names[style]).c_str(), BM_SpawnStar, style);
}

const int kRegistered = (RegisterSpawnBenchmarks(), 0);

} // namespace
} // namespace orb
