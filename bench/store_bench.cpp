// Saving and loading the whole factory set through the settings file.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/file_store_backend.h"
#include "settings/presets.h"
#include "settings/store.h"

namespace orb {
namespace {

class BenchDir {
  public:
    BenchDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "orbelune-bench-XXXXXX").string();
        if (::mkdtemp(tmpl.data())) path_ = tmpl;
    }
    ~BenchDir() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    std::string File() const { return path_ + "/orbelune.ini"; }

  private:
    std::string path_; // the directory, empty when it could not be made
};

GalaxyTables FactoryTables() {
    GalaxyTables t;
    ApplyFactoryGalaxyTypes(t, 0);
    ApplyFactoryComposites(t, 0);
    return t;
}

void BM_StoreFileSaveAll(benchmark::State& state) {
    BenchDir dir;
    FileStoreBackend backend(dir.File());
    SettingsStore store(backend);
    GalaxyTables tables = FactoryTables();
    UniverseSettings u;
    for (auto _ : state)
        if (!store.SaveAllSettings(u, tables)) state.SkipWithError("save failed");
}
BENCHMARK(BM_StoreFileSaveAll)->Name("StoreFile/SaveAll")->Unit(benchmark::kMillisecond);

void BM_StoreFileLoadAll(benchmark::State& state) {
    BenchDir dir;
    {
        FileStoreBackend backend(dir.File());
        SettingsStore store(backend);
        GalaxyTables tables = FactoryTables();
        if (!store.SaveAllSettings(UniverseSettings(), tables)) state.SkipWithError("save failed");
    }
    GalaxyTables tables;
    for (auto _ : state) {
        FileStoreBackend backend(dir.File());
        SettingsStore store(backend);
        benchmark::DoNotOptimize(store.LoadUniverse());
        store.LoadAllGalaxyTypes(tables);
        store.LoadAllComposites(tables);
        benchmark::DoNotOptimize(tables);
    }
}
BENCHMARK(BM_StoreFileLoadAll)->Name("StoreFile/LoadAll")->Unit(benchmark::kMillisecond);

} // namespace
} // namespace orb
