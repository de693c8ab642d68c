#include "engine/creation/colour.h"

#include <algorithm>
#include <cmath>

#include "settings/numeric.h"

namespace orb {

namespace {

// A channel computed from junk settings could leave 0..255 and bleed into its neighbour.
uint32_t Channel(double v) {
    return static_cast<uint32_t>(std::clamp(v, 0.0, 255.0));
}

uint32_t PackChannels(double r, double g, double b) {
    return PackColour(Channel(r), Channel(g), Channel(b));
}

int16_t WholeOf(float v) {
    return NearestInt(v);
}

void FillTypeColumn(ColourTables& tables, int type, const GalaxyType& t) {
    const double weightR = WholeOf(t[G::HueRed]);
    const double weightG = WholeOf(t[G::HueGrn]);
    const double weightB = WholeOf(t[G::HueBlu]);
    const double b = NearestLong(WholeOf(t[G::HueBase]) * 255.0 / 100.0);
    const int blend = ClampInt(WholeOf(t[G::HueBlend]), 1, 60);
    // The scale is single precision: with full weights and base 0 the brightest channel is 254.
    const double s = static_cast<float>((255.0 - b) * 0.01);
    const double step = 1.0 / blend;
    for (int h = 0; h < kHueSteps; ++h) {
        const double ramp = static_cast<float>((h % blend) * step);
        const double fall = 1.0 - ramp;
        double r = b, g = b, bl = b;
        switch (h / 60) {
        case 0:
            r = std::floor(weightR * s + b);
            g = std::floor(ramp * s * weightG + b);
            break;
        case 1:
            r = std::floor(fall * s * weightR + b);
            g = std::floor(weightG * s + b);
            break;
        case 2:
            g = std::floor(weightG * s + b);
            bl = std::floor(ramp * s * weightB + b);
            break;
        case 3:
            g = std::floor(fall * s * weightG + b);
            bl = std::floor(weightB * s + b);
            break;
        case 4:
            r = std::floor(ramp * s * weightR + b);
            bl = std::floor(weightB * s + b);
            break;
        default:
            r = std::floor(weightR * s + b);
            bl = std::floor(fall * s * weightB + b);
            break;
        }
        tables.galaxyColour[h * kColourColumns + type] = PackChannels(r, g, bl);
    }
}

// The entries of one fade palette: the first and the distance between neighbours.
struct FadeEntries {
    uint32_t* first; // entry 0, null when there is no such palette
    int stride;      // entries between step s and step s + 1
};

FadeEntries FadeColumn(ColourTables& tables, int16_t column) {
    if (column == -1) return {tables.universeFade.data(), 1};
    if (column < 0 || column >= kColourColumns) return {nullptr, 0};
    return {tables.galaxyFade.data() + column, kColourColumns};
}

constexpr int kSweepFirst = 8; // the white flash takes the steps before the sweep
constexpr int kFadeFirst = 72; // the sweep takes the steps before the fade to black

} // namespace

uint32_t ColourTables::GalaxyColour(int type, int hue) const {
    return galaxyColour[std::clamp(hue, 0, kHueSteps - 1) * kColourColumns +
                        std::clamp(type, 0, kColourColumns - 1)];
}

uint32_t ColourTables::GalaxyFade(int type, int step) const {
    return galaxyFade[std::clamp(step, 0, kFadeSteps - 1) * kColourColumns +
                      std::clamp(type, 0, kColourColumns - 1)];
}

uint32_t HueWheelColour(int16_t hue) {
    if (hue < 0 || hue >= 360) return 0;
    // The sextant fraction uses this constant rather than 1/60, so "up" tops out at 251.
    const double f = (hue % 60) * 0.0166666;
    const uint32_t up = static_cast<uint32_t>(std::floor(2.0 * f * 100.0 + 55.0));
    const uint32_t down = static_cast<uint32_t>(std::floor(2.0 * (1.0 - f) * 100.0 + 55.0));
    switch (hue / 60) {
    case 0:
        return PackColour(255, up, 55);
    case 1:
        return PackColour(down, 255, 55);
    case 2:
        return PackColour(55, 255, up);
    case 3:
        return PackColour(55, down, 255);
    case 4:
        return PackColour(up, 55, 255);
    default:
        return PackColour(255, 55, down);
    }
}

uint32_t ScaleColour(uint32_t colour, float factor) {
    const double k = factor;
    return PackChannels(Nearest(RedOf(colour) * k), Nearest(GreenOf(colour) * k),
                        Nearest(BlueOf(colour) * k));
}

void BuildGalaxyColourTables(ColourTables& tables, const GalaxyTables& galaxies) {
    tables.galaxyColour.fill(0);
    for (int type = 0; type < kGalaxyTypeSlots; ++type)
        FillTypeColumn(tables, type, galaxies.types[type]);
}

void BuildFadePalette(ColourTables& tables, int16_t column, int16_t startHue, int16_t endHue) {
    const auto [out, stride] = FadeColumn(tables, column);
    if (out == nullptr) return;
    // A short white flash into the start hue.
    const uint32_t c0 = HueWheelColour(static_cast<int16_t>(startHue % 360));
    for (int step = 0; step < kSweepFirst; ++step) {
        const double f = step / 7.0;
        auto fade = [f](uint32_t x) { return Nearest(255.0 - (255.0 - x) * f); };
        out[step * stride] = PackChannels(fade(RedOf(c0)), fade(GreenOf(c0)), fade(BlueOf(c0)));
    }
    // A sweep across the hue range at slowly falling brightness.
    const int span = endHue - startHue;
    for (int step = kSweepFirst; step < kFadeFirst; ++step) {
        const int32_t hue = NearestLong(static_cast<double>(span) * (step - 8) / 64.0 + startHue) % 360;
        const float factor = static_cast<float>((120 - step + 8.00000011920929) / 120.0);
        out[step * stride] = ScaleColour(HueWheelColour(static_cast<int16_t>(hue)), factor);
    }
    // A fade to black in the end hue.
    const uint32_t cE = HueWheelColour(static_cast<int16_t>(endHue % 360));
    const double last = static_cast<float>((120 - 71 + 8.00000011920929) / 120.0);
    for (int step = kFadeFirst; step < kFadeSteps; ++step) {
        const float factor = static_cast<float>((80 - step) / 9.0 * last);
        out[step * stride] = ScaleColour(cE, factor);
    }
}

void BuildFadePalettes(ColourTables& tables, const GalaxyTables& galaxies, const UniverseSettings& universe,
                       int16_t startHue, int16_t endHue) {
    if (startHue == -1) startHue = NearestInt(universe[U::HW_Start]);
    if (endHue == -1) endHue = NearestInt(universe[U::HW_End]);
    BuildFadePalette(tables, -1, startHue, endHue);
    for (int16_t type = 0; type < kGalaxyTypeSlots; ++type) {
        const GalaxyType& t = galaxies.types[type];
        BuildFadePalette(tables, type, WholeOf(t[G::HWC_Start]), WholeOf(t[G::HWC_End]));
    }
}

} // namespace orb
