#include "engine/creation/universe_sampling.h"

#include <cmath>

#include "engine/animation/sampling.h"
#include "settings/numeric.h"

namespace orb {

namespace {
double Sign(double v) {
    return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0);
}
} // namespace

Vec3f RandomUniversePoint(Random& random, const TrigTables& trig, const UniverseShape& shape, float magnitude,
                          float symmetry) {
    const double m = magnitude, p = symmetry;
    Vec3f v;
    if (shape.profile == 2) {
        const double u = random();
        RandomOnSphere(random, trig, static_cast<float>((u * (1.0 - p) + p) * m), v.x, v.y, v.z);
    } else {
        const float rr = static_cast<float>(random() * m);
        const int k = NearestLong(random() * 1000.0); // 0..1000: a draw is below 1
        v.x = static_cast<float>(static_cast<double>(trig.cos[k]) * rr);
        v.y = ProfileHeight(random, shape.profile, rr, magnitude, static_cast<float>(m * m));
        v.z = static_cast<float>(Sign(random() - 0.5) * trig.sin[k] * rr);
        const float f = static_cast<float>((1.0 - p) * random() + p);
        v.x = static_cast<float>(static_cast<double>(v.x) * f);
        v.y = static_cast<float>(static_cast<double>(v.y) * f);
        v.z = static_cast<float>(static_cast<double>(v.z) * f);
    }
    v.y = static_cast<float>(static_cast<double>(v.y) * shape.hwRatio);
    return v;
}

int16_t PickStarType(GalaxyModel& model, int16_t slot) {
    if (slot < 0 || slot >= kGalaxyTableSize) return 0;
    if (slot < kGalaxyTypeSlots) return slot;
    const CompositeGalaxy& c = model.tables.composites[slot - kGalaxyTypeSlots];
    int member = 0;
    if (model.run[slot].composite) {
        const double u = model.random();
        member = ClampRange<int>(static_cast<int>(IntPart(u * c.count)), 0, kMaxMembers - 1);
    }
    return ClampInt(c.member[member], 0, kGalaxyTypeSlots - 1);
}

int16_t SlotForDraw(const std::array<int32_t, kGalaxyTableSize>& cumulative, float draw) {
    for (int16_t s = 0; s < kGalaxyTableSize; ++s)
        if (cumulative[s] >= draw) return s;
    return kGalaxyTableSize - 1;
}

int16_t NextSlotInTurn(const GalaxyTables& tables, int16_t& cursor) {
    cursor = ClampRange<int16_t>(cursor, 0, kGalaxyTableSize - 1);
    for (int n = 0; n < kGalaxyTableSize; ++n) {
        const int16_t s = cursor;
        cursor = static_cast<int16_t>((cursor + 1) % kGalaxyTableSize);
        if (tables.types[s].pct != 0) return s;
    }
    return 0;
}

} // namespace orb
