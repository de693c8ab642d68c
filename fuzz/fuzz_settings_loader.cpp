// Loads arbitrary bytes as the settings file through the real backend and the settings store:
// every record must load and validate without a crash, hang or unbounded memory.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/file_store_backend.h"
#include "settings/store.h"

namespace {

// One scratch directory per fuzzing process, removed at exit.
struct ScratchDir {
    std::string path;
    ScratchDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "orbelune-fuzz-XXXXXX").string();
        if (::mkdtemp(tmpl.data())) path = tmpl;
    }
    ~ScratchDir() {
        std::error_code ec;
        if (!path.empty()) std::filesystem::remove_all(path, ec);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ScratchDir dir;
    if (dir.path.empty()) return 0;
    std::string file = dir.path + "/orbelune.ini";
    if (FILE* f = std::fopen(file.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    orb::FileStoreBackend backend(file);
    orb::SettingsStore store(backend);
    orb::GalaxyTables tables;
    store.LoadAllGalaxyTypes(tables);
    store.LoadAllComposites(tables);
    orb::UniverseSettings u = store.LoadUniverse();
    for (int a = 0; a < orb::kAdvancedCount; ++a)
        (void)store.ReadAdvanced(static_cast<orb::A>(a));
    (void)store.AnimationType();
    (void)store.ResetSettings();
    // Validation must leave every loaded record inside its ranges.
    for (const auto& c : tables.composites)
        if (c.count < 0 || c.count > 31) std::abort();
    (void)u;
    return 0;
}
