#include "settings/presets.h"

#include <array>

#include "settings/numeric.h"
#include "settings/store.h"

namespace orb {

using namespace factory_data;

namespace {

const FactoryGalaxy* GalaxySet(int set) {
    return set == 0 ? kGalaxies0 : set == 1 ? kGalaxies1 : nullptr;
}
const char* const* CompositeSet(int set) {
    return set == 0 ? kComposites0 : set == 1 ? kComposites1 : nullptr;
}

// A preset field as a number of the given type; a non-numeric field reads as 0.
double PresetNumber(std::string_view preset, int field, ValueType type) {
    return ParseStoredNumber(CommaField(preset, field), type).value_or(0.0);
}

} // namespace

std::string_view GalaxyPreset(int set, int number) {
    const FactoryGalaxy* g = GalaxySet(set);
    if (!g || number < 1 || number > kGalaxyTypeSlots) return {};
    return g[number - 1].preset;
}

std::string_view CompositePreset(int set, int number) {
    const char* const* c = CompositeSet(set);
    if (!c || number < 1 || number > kCompositeSlots) return {};
    return c[number - 1];
}

std::string_view UniverseTheme(int number, bool v20) {
    if (number < 1 || number > kThemeCount) return {};
    for (const FactoryTheme& t : kThemes)
        if (t.item == number && (number != 1 || t.v20 == v20)) return t.preset;
    return {};
}

std::string_view UniverseThemeName(int number) {
    if (number < 1 || number > kThemeCount) return {};
    for (const FactoryTheme& t : kThemes)
        if (t.item == number) return t.name;
    return {};
}

const FactoryName& FactoryNameOf(int set, int slot) {
    using Table = std::array<std::array<FactoryName, kGalaxyTypeSlots>, kFactorySets>;
    static const Table table = [] {
        Table t{};
        for (int set = 0; set < kFactorySets; ++set)
            for (int slot = 0; slot < kGalaxyTypeSlots; ++slot)
                t[set][slot] = {GalaxySet(set)[slot].name, GalaxySet(set)[slot].pct};
        return t;
    }();
    return table[ClampRange(set, 0, kFactorySets - 1)][ClampRange(slot, 0, kGalaxyTypeSlots - 1)];
}

void ParseGalaxyPreset(std::string_view preset, GalaxyType& t) {
    for (int i = 0; i < kGalaxyPropCount; ++i)
        t.prop[i] = static_cast<float>(PresetNumber(preset, i, kGalaxyDefs[i].type));
}

void ParseCompositePreset(std::string_view preset, CompositeGalaxy& c) {
    c.name = std::string(CommaField(preset, 0));
    c.pct = static_cast<int16_t>(PresetNumber(preset, 1, ValueType::Integer));
    c.count = static_cast<int16_t>(PresetNumber(preset, 2, ValueType::Integer));
    c.member.fill(0);
    for (int i = 0; i < c.count && i < kMaxMembers; ++i)
        c.member[i] = static_cast<int16_t>(PresetNumber(preset, 3 + i, ValueType::Integer));
}

void ParseUniverseTheme(std::string_view preset, UniverseSettings& u) {
    for (int i = 0; i < kUniverseCount; ++i)
        u.value[i] = static_cast<float>(PresetNumber(preset, i, kUniverseDefs[i].type));
}

void ApplyFactoryGalaxyType(GalaxyTables& tables, int set, int slot) {
    if (!GalaxySet(set) || slot < 0 || slot >= kGalaxyTypeSlots) return;
    GalaxyType& t = tables.types[slot];
    const FactoryName& n = FactoryNameOf(set, slot);
    t.name = std::string(n.name);
    t.pct = n.pct;
    ParseGalaxyPreset(GalaxyPreset(set, slot + 1), t);
}

void ApplyFactoryGalaxyTypes(GalaxyTables& tables, int set) {
    for (int slot = 0; slot < kGalaxyTypeSlots; ++slot) ApplyFactoryGalaxyType(tables, set, slot);
}

FactoryConfiguration MakeFactoryConfiguration(int set) {
    FactoryConfiguration f;
    ApplyFactoryGalaxyTypes(f.tables, set);
    ApplyFactoryComposites(f.tables, set);
    ParseUniverseTheme(UniverseTheme(1, set == 1), f.universe);
    return f;
}

void ApplyFactoryComposites(GalaxyTables& tables, int set) {
    if (!CompositeSet(set)) return;
    for (int slot = 0; slot < kCompositeSlots; ++slot)
        ParseCompositePreset(CompositePreset(set, slot + 1), tables.composites[slot]);
}

} // namespace orb
