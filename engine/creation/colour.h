// Hue wheel, per-type colour tables, fade palettes and the colour a star takes when it spawns.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

#include "settings/records.h"

namespace orb {

inline constexpr int kColourColumns = 33; // 32 galaxy types plus one column that stays black
inline constexpr int kHueSteps = 360;     // hues 0..359
inline constexpr int kFadeSteps = 80;     // fade palette entries 0..79

// Colours are packed with red in the low byte, green next, blue in the third byte.
constexpr uint32_t PackColour(uint32_t r, uint32_t g, uint32_t b) {
    return r | (g << 8) | (b << 16);
}
constexpr uint32_t RedOf(uint32_t c) {
    return c & 0xFFu;
}
constexpr uint32_t GreenOf(uint32_t c) {
    return (c >> 8) & 0xFFu;
}
constexpr uint32_t BlueOf(uint32_t c) {
    return (c >> 16) & 0xFFu;
}

// The precomputed colour tables. In the per-type tables the type index varies fastest
// (element (type, k) lies at k * 33 + type), so one hue row of all types is contiguous.
struct ColourTables {
    std::array<uint32_t, kHueSteps * kColourColumns> galaxyColour{}; // GalaxyColourTable (type, hue)
    std::array<uint32_t, kFadeSteps * kColourColumns> galaxyFade{};  // GalaxyFadePalette (type, step), comets
    std::array<uint32_t, kFadeSteps> universeFade{};                 // UniverseFadePalette (step), burst

    // Readers clamp the index into the table: an index one past the end (80 from a rounded
    // progress of 1.0) takes the last entry, a type outside 0..32 reads the black column.
    uint32_t GalaxyColour(int type, int hue) const;
    uint32_t GalaxyFade(int type, int step) const;
    uint32_t UniverseFade(int step) const { // inline: ambient stars read it for every dot
        return universeFade[std::clamp(step, 0, kFadeSteps - 1)];
    }
};

// Colour of a hue 0..359 on the saturated wheel (channels 55..255); any other hue is black.
uint32_t HueWheelColour(int16_t hue);

// Each channel multiplied by factor and rounded to nearest (halves to even).
uint32_t ScaleColour(uint32_t colour, float factor);

// Fills the colour column of galaxy types 0..31 from their hue settings; column 32 is black.
void BuildGalaxyColourTables(ColourTables& tables, const GalaxyTables& galaxies);

// Fills 80 entries from start hue to end hue: column -1 is the universe palette, any other
// column 0..32 that type's comet palette (other columns are ignored).
void BuildFadePalette(ColourTables& tables, int16_t column, int16_t startHue, int16_t endHue);

// The universe palette from startHue..endHue (-1 takes Universe_HW_Start / Universe_HW_End
// from the universe values) and every type's comet palette from its Galaxy_HWC_* hues.
void BuildFadePalettes(ColourTables& tables, const GalaxyTables& galaxies, const UniverseSettings& universe,
                       int16_t startHue = -1, int16_t endHue = -1);

} // namespace orb
