// The settings records shared by the settings code, the dialogs and the engine.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings/setting_defs.h"

namespace orb {

// One galaxy type: its weight, its name and the 46 properties in canonical order. Every
// property is held as a single; integer properties hold whole values.
struct GalaxyType {
    int16_t pct = 0;                          // _UniGalPct: relative weight in the universe, 0..9999
    std::string name;                         // _UniGalName: display name
    std::array<float, kGalaxyPropCount> prop; // Galaxy_* values, indexed by G

    // Working fields the engine runs on; validation resets them to zero.
    float spinPhase = 0;      // SpinPhase: phase of the arms, radians, wraps at 2 pi
    float spinPhaseFast = 0;  // SpinPhaseFast: 8x phase, radians, wraps at 2 pi
    float nebulaBiasPos = 0;  // nebula bias position along the spline path

    GalaxyType();  // every property at its default, empty name
    float& operator[](G g) { return prop[static_cast<int>(g)]; }
    float operator[](G g) const { return prop[static_cast<int>(g)]; }
    int16_t Style() const { return static_cast<int16_t>(prop[static_cast<int>(G::GalStyle)]); }
};

// One composite galaxy: a galaxy built from several galaxy types.
struct CompositeGalaxy {
    std::string name;                         // _CompGalName
    int16_t pct = 0;                          // _CompGalPct: relative weight, 0..9999
    int16_t count = 0;                        // CompGal_Count: member types, 0..31
    std::array<int16_t, kMaxMembers> member{};  // galaxy-type slots, [0] is the major type
};

// The 29 universe values in canonical order, indexed by U.
struct UniverseSettings {
    std::array<float, kUniverseCount> value;
    UniverseSettings();  // every value at its default
    float& operator[](U u) { return value[static_cast<int>(u)]; }
    float operator[](U u) const { return value[static_cast<int>(u)]; }
};

// The galaxy-type table (32 types and the 16 composite stand-ins) and the composites.
struct GalaxyTables {
    std::array<GalaxyType, kGalaxyTableSize> types;
    std::array<CompositeGalaxy, kCompositeSlots> composites;
};

// Default names: "< Galaxy Profile 3 >" for slot 2, "< Composite Galaxy 1 >" for slot 0.
std::string DefaultGalaxyName(int slot);
std::string DefaultCompositeName(int slot);

// Clamp every value of a galaxy type into its range: the style first, then positions 5 to 8
// by the clamped style's column; whole reals through integer rounding (halves to even); then
// the three working fields are zeroed.
void ValidateGalaxyType(GalaxyType& t);

// Weight 0..9999, count 0..31, then each of the first count members 0..31.
void ValidateComposite(CompositeGalaxy& c);

// Clamp a value of the given definition (used for universe values and dialog fields).
double ClampToDef(double v, const SettingDef& d);

// Convert a parsed number to a definition's type: integer kinds round halves to even.
double ConvertToType(double v, ValueType type);

} // namespace orb
