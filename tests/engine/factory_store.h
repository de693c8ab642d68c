// A factory set saved in a memory store, and engines over it with a fixed seed.
#pragma once

#include <initializer_list>
#include <memory>
#include <span>
#include <utility>

#include "engine/creation/universe.h"
#include "settings/presets.h"

namespace orb::test {

struct FactoryStore {
    MemoryBackend backend;        // the stored settings
    SettingsStore store{backend}; // reads and writes backend

    explicit FactoryStore(int set = 0) : FactoryStore(MakeFactoryConfiguration(set)) {}
    explicit FactoryStore(FactoryConfiguration f) { store.SaveAllSettings(f.universe, f.tables); }
    void Set(U u, double v) { store.WriteNumber(kSectionUniverse, Def(u).name, v, Def(u).type); }
    void Set(std::span<const std::pair<U, double>> values) {
        for (auto [u, v] : values)
            Set(u, v);
    }
    void Set(std::initializer_list<std::pair<U, double>> values) { Set({values.begin(), values.size()}); }
    void Set(A a, double v) { store.WriteNumber(kSectionAdvanced, Def(a).name, v, Def(a).type); }
    // An engine bound to the surface (as a preview's or the saver's) with its universe set up.
    std::unique_ptr<UniverseEngine> Engine(TickSource& ticks, Framebuffer& surface, uint64_t seed,
                                           bool preview = false) {
        auto e = std::make_unique<UniverseEngine>(store, ticks);
        e->SetFixedSeed(seed);
        e->SetupSurface(surface);
        e->SetupUniverse(preview);
        return e;
    }
};

} // namespace orb::test
