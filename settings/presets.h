// Factory presets: the two factory sets ("3.0" = set 0, "2.0" = set 1) of 32 galaxy types and
// 16 composites, and the eight universe themes, all held as preset strings.
#pragma once

#include <cstdint>
#include <string_view>

#include "settings/records.h"

namespace orb {

namespace factory_data {
struct FactoryGalaxy {
    const char* name;    // factory name of the slot
    int16_t pct;         // factory weight
    const char* preset;  // the 46 properties
};
struct FactoryTheme {
    int item;            // list item number (1..8)
    bool v20;            // the variant used during a reset to the "2.0" set
    const char* name;    // theme name in the list
    const char* preset;  // the 29 universe values
};
extern const FactoryGalaxy kGalaxies0[32];
extern const FactoryGalaxy kGalaxies1[32];
extern const char* const kComposites0[16];
extern const char* const kComposites1[16];
extern const FactoryTheme kThemes[9];
} // namespace factory_data

inline constexpr int kFactorySets = 2;
inline constexpr int kThemeCount = 8;

// Preset strings; empty for any other set or number. Numbers count from 1 (slot + 1).
std::string_view GalaxyPreset(int set, int number);
std::string_view CompositePreset(int set, int number);
std::string_view UniverseTheme(int number, bool v20);
std::string_view UniverseThemeName(int number);  // empty outside 1..8

// The factory name table: name and weight of each slot of each set, built on first use.
struct FactoryName {
    std::string_view name;
    int16_t pct;
};
const FactoryName& FactoryNameOf(int set, int slot);

// Parse the 46 galaxy properties of a preset string into a galaxy type (name and weight untouched).
void ParseGalaxyPreset(std::string_view preset, GalaxyType& t);
// Parse a composite preset: name, weight, count and the first count members.
void ParseCompositePreset(std::string_view preset, CompositeGalaxy& c);
// Parse a universe theme into the 29 universe values.
void ParseUniverseTheme(std::string_view preset, UniverseSettings& u);

// A whole factory configuration as a reset to that set gives it: the set's galaxy types and
// composites with the first universe theme (in its variant for the set).
struct FactoryConfiguration {
    UniverseSettings universe;
    GalaxyTables tables;
};
FactoryConfiguration MakeFactoryConfiguration(int set);

void ApplyFactoryGalaxyType(GalaxyTables& tables, int set, int slot);
void ApplyFactoryGalaxyTypes(GalaxyTables& tables, int set);
void ApplyFactoryComposites(GalaxyTables& tables, int set);

} // namespace orb
