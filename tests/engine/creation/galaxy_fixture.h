// A galaxy model over its own settings tables and generator, with one star to spawn into.
#pragma once

#include <cmath>
#include <memory>
#include <vector>

#include "engine/animation/trig.h"
#include "engine/creation/galaxy_model.h"

namespace orb::test {

struct V3 {
    double x, y, z;
};

inline bool Near(V3 a, V3 b, double tol = 1e-5) {
    return std::fabs(a.x - b.x) < tol && std::fabs(a.y - b.y) < tol && std::fabs(a.z - b.z) < tol;
}

struct StarValues {
    float x = 0, y = 0, z = 0;          // local position
    float velX = 0, velY = 0, velZ = 0; // local velocity
    float radius = 0, angle = 0, spin = 0;
    int32_t age = 0;
    int16_t retire = 0, newFrames = 0, novaFrames = 0;
    float height = 0;
    uint32_t colour = 0;

    StarRef Ref() {
        return {x,    y,   z,      velX,      velY,       velZ,   radius, angle,
                spin, age, retire, newFrames, novaFrames, height, colour};
    }
    bool Finite() const {
        for (float v : {x, y, z, velX, velY, velZ, radius, angle, spin, height})
            if (!std::isfinite(v)) return false;
        return true;
    }
};

// Heap-held because the model carries the colour tables (about 58 KB).
struct GalaxyWorld {
    GalaxyTables tables;
    Random random;
    GalaxyModel model;

    explicit GalaxyWorld(uint64_t seed = 42) : random(seed), model(tables, random, BuildTrigTables()) {}

    GalaxyType& Type(int t) { return tables.types[t]; }
    void Prepare() { PrepareGalaxyTypes(model); }
    // Every galaxy of type t.
    void Setup(int16_t t, int16_t count = 1) {
        Prepare();
        SetupGalaxies(model, count, t, -1, {});
    }
    StarValues Spawn(int16_t t, int16_t galaxy = 0) {
        StarValues s;
        SpawnStar(model, s.Ref(), t, galaxy);
        return s;
    }
};

inline std::unique_ptr<GalaxyWorld> MakeWorld(uint64_t seed = 42) {
    return std::make_unique<GalaxyWorld>(seed);
}

} // namespace orb::test
