#include "ui/properties/galaxy_styles.h"

#include "settings/numeric.h"
#include "settings/setting_defs.h"

namespace orb {

const std::array<std::string_view, kGalaxyLabelCount> kStandardCaptions{
    "Radius, Rotation (1, 0 - 30000):",           "Distance (0 - 30000), Axial Plane:",
    "Radials (1 - 99), Fill % (0 - 100):",        "Bands (1 - 99), Fill % (0 - 100):",
    "Galaxy Height / Width Ratio (0.0 - 99.9):",  "Radius Distribution Exponent (0.0 - 99.9):",
    "Height Distribution Exponent (0.0 - 99.9):", "Initial Tilt Angle in Degrees (0 - 360):",
};

namespace {

using L = GalaxyLabel;

struct Caption {
    GalaxyLabel label;
    std::string_view text;
};

constexpr std::array<SpinRange, 4> kStandardBoxes{{{1, 99, 2}, {0, 100, 3}, {1, 99, 2}, {0, 100, 3}}};
constexpr SpinRange kTilt{0, 360, 3};
constexpr uint32_t kNotNebula = kHideCpClosed | kHideBox8;

// The Standard captions with a style's own put over them.
std::array<std::string_view, kGalaxyLabelCount> Captions(std::initializer_list<Caption> own) {
    auto c = kStandardCaptions;
    for (const Caption& o : own)
        c[static_cast<int>(o.label)] = o.text;
    return c;
}

std::array<StyleView, kStyleCount> MakeViews() {
    std::array<StyleView, kStyleCount> v;
    v[0] = {Captions({}), kNotNebula, kStandardBoxes, kTilt};
    v[1] = {Captions({{L::Box3And4, "Points (1 - 99), Scale % (0 - 100):"},
                      {L::Box5And6, "Rotation Angle Degrees (0 - 360):"}}),
            kHideBox6 | kNotNebula,
            {{{1, 99, 2}, {0, 100, 3}, {0, 360, 3}, {0, 100, 3}}},
            kTilt};
    v[2] = {Captions({{L::Box3And4, "Vertices (4 - 10), Scale % (0 - 100):"},
                      {L::Box5And6, "Linear Iteration Levels (1 - 99):"}}),
            kHideBox6 | kHideProfile | kHideBox91 | kHideBox92 | kNotNebula,
            {{{4, 10, 2}, {0, 100, 3}, {1, 99, 2}, {0, 100, 3}}},
            kTilt};
    v[3] = {Captions({{L::Box3And4, "Points (4 - 10), Scale % (0 - 100):"}}),
            kHideBox5 | kHideBox6 | kHideProfile | kHideBox91 | kHideBox92 | kNotNebula,
            {{{4, 10, 2}, {0, 100, 3}, {1, 99, 2}, {0, 100, 3}}},
            kTilt};
    v[4] = {Captions({{L::Box3And4, "C-Points (1 - 20), Steps (0 - 9999):"},
                      {L::Box5And6, "Bias Points (1 - 99), Span (0 - 100):"},
                      {L::Box91, "Expansion from Spline Path (0.0 - 99.9):"},
                      {L::Box92, "Solar Wind Magnitude (0.0 - 99.9):"},
                      {L::Box93, "Bias Point Travel Speed (0 - 999):"}}),
            kHideProfile | kHideColourList | kHideBox8,
            {{{1, 20, 2}, {0, 9999, 4}, {1, 99, 2}, {0, 100, 3}}},
            {0, 999, 3}};
    v[5] = {Captions({{L::Box90, "Quasar Speed, H/W Ratio (0.0 - 99.9):"}}), kHideCpClosed, kStandardBoxes,
            kTilt};
    v[6] = {Captions({{L::Box90, "Gravity Force, H/W Ratio (0.0 - 99.9):"}}), kHideCpClosed, kStandardBoxes,
            kTilt};
    v[7] = {Captions({{L::RadiusRotation, "Expansion, Rotation (1, 0 - 30000):"},
                      {L::Box5And6, "Waves (1 - 99), Persist (0 - 999):"},
                      {L::Box91, "Particle Wave Angle Increment (0.0 - 99.9):"}}),
            kHideProfile | kHideBox92 | kNotNebula,
            {{{1, 99, 2}, {0, 100, 3}, {1, 99, 2}, {0, 999, 3}}},
            kTilt};
    return v;
}

} // namespace

const StyleView& StyleViewOf(int style) {
    static const std::array<StyleView, kStyleCount> views = MakeViews();
    return views[ClampRange(style, 0, kStyleCount - 1)];
}

} // namespace orb
