#include "ui/properties/prop_copy.h"

#include "settings/numeric.h"

namespace orb {

namespace {

using S = GalaxyStyle;
constexpr FieldKind I = FieldKind::Integer;
constexpr FieldKind L = FieldKind::Long;
constexpr FieldKind R = FieldKind::Real;

constexpr uint8_t Only(S s) {
    return StyleBit(s);
}
constexpr uint8_t AllBut(S s) {
    return static_cast<uint8_t>(kAllStyles & ~StyleBit(s));
}
constexpr uint8_t kNotNebulaStarwave = AllBut(S::Nebula) & AllBut(S::Starwave);
constexpr uint8_t kArmStyles =
    static_cast<uint8_t>(StyleBit(S::Standard) | StyleBit(S::Nebula) | StyleBit(S::Quasar) |
                         StyleBit(S::Graviton) | StyleBit(S::Starwave));

constexpr PropCopyItem Box(std::string_view text, G g, FieldKind kind, double min, double max,
                           std::string_view range, uint8_t styles = kAllStyles) {
    return {text, g, CopyInput::Box, kind, min, max, range, styles};
}
constexpr PropCopyItem List(std::string_view text, G g) {
    return {text, g, CopyInput::List, I, 0, 0, {}, kAllStyles};
}

} // namespace

// Some ranges differ from the property's own on purpose: the copy frame has always offered
// these (tilt 0 - 359, starwave persistence labelled from 1).
const std::array<PropCopyItem, kPropCopyItemCount> kPropCopyItems{{
    Box("Galaxy Hue:  Red", G::HueRed, I, 0, 100, "Range (0 - 100):"),
    Box("Galaxy Hue:  Green", G::HueGrn, I, 0, 100, "Range (0 - 100):"),
    Box("Galaxy Hue:  Blue", G::HueBlu, I, 0, 100, "Range (0 - 100):"),
    Box("Galaxy Hue:  Base", G::HueBase, I, 0, 100, "Range (0 - 100):"),
    Box("Galaxy Hue:  Blend", G::HueBlend, I, 1, 60, "Range (1 - 60):"),
    Box("Galaxy Radius", G::Radius, L, 1, 30000, "Range (1 - 30000):", AllBut(S::Starwave)),
    Box("Galaxy Rotation Speed", G::Rotation, L, 0, 30000, "Range (0 - 30000):"),
    Box("Galaxy Core Distance from Eye", G::Distance, L, 0, 30000, "Range (0 - 30000):"),
    Box("Galaxy Radial Arms", G::RadSegs, I, 1, 99, "Range (1 - 99):", kArmStyles),
    Box("Galaxy Radial Arm Fill %", G::RadFill, I, 0, 100, "Range (0 - 100):", kArmStyles),
    Box("Galaxy Radial Bands", G::RadBands, I, 1, 99, "Range (1 - 99):"),
    Box("Galaxy Radial Band Fill %", G::RadBFill, I, 0, 100, "Range (0 - 100):", AllBut(S::Starwave)),
    List("Galaxy Style", G::GalStyle),
    List("Galaxy Axial Plane of Rotation", G::AxisPlane),
    List("Galaxy Shape Profile", G::Profile),
    Box("Galaxy Height/Width Ratio", G::GHW_Ratio, R, 0, 99.9, "Range (0 - 99.9):"),
    Box("Galaxy Radius Exponent", G::RadiusExp, R, 0, 99.9, "Range (0 - 99.9):", kNotNebulaStarwave),
    Box("Galaxy Height Exponent", G::HeightExp, R, 0, 99.9, "Range (0 - 99.9):", AllBut(S::Nebula)),
    Box("Galaxy Angular Tilt", G::AngleTilt, I, 0, 359, "Range (0 - 359):"),
    Box("Galaxy Angular Tilt Increment", G::AngleTInc, R, 0, 360, "Range (0 - 360.0):"),
    List("Galaxy Color Computation Index", G::ColorComp),
    Box("Galaxy Color Multiplier", G::ColorMult, L, 0, 30000, "Range (0 - 30000):"),
    Box("Galaxy Hue Wheel Start", G::HueStart, I, 0, 359, "Range (0 - 359):"),
    Box("Galaxy Hue Wheel Increment", G::HWheelInc, R, 0, 360, "Range (0 - 360.0):"),
    Box("New Star Frequency", G::NewFreq, I, 0, 9999, "Range (0 - 9999):"),
    Box("New Star Frames", G::NewFrames, I, 1, 999, "Range (1 - 999):"),
    Box("New Star Extension Multiplier", G::NewExtMult, I, 1, 9999, "Range (1 - 9999):"),
    Box("Nova Star Frequency", G::NovaFreq, I, 0, 9999, "Range (0 - 9999):"),
    Box("Nova Star Frames", G::NovaFrames, I, 1, 999, "Range (1 - 999):"),
    Box("Nova Star Extension Multiplier", G::NovaExtMult, I, 1, 9999, "Range (1 - 9999):"),
    Box("Comet Frequency", G::CometFreq, I, 0, 9999, "Range (0 - 9999):"),
    Box("Comet Stars", G::CometStars, I, 1, 999, "Range (1 - 999):"),
    Box("Comet Orbital Speed", G::CometOrbit, I, 0, 9999, "Range (0 - 9999):"),
    Box("Comet Emit Speed", G::CometSpeed, I, 0, 9999, "Range (0 - 9999):"),
    Box("Comet Solar Wind", G::CometSWind, I, 0, 9999, "Range (0 - 9999):"),
    Box("Comet Persistence", G::CometCPersist, R, 0.1, 0.9999, "Range (0.1 - 0.9999):"),
    Box("Comet Star Persistence", G::CometSPersist, R, 0.1, 0.9999, "Range (0.1 - 0.9999):"),
    Box("Comet Hue Wheel Start", G::HWC_Start, I, 0, 999, "Range (0 - 999):"),
    Box("Comet Hue Wheel End", G::HWC_End, I, 0, 999, "Range (0 - 999):"),
    Box("Attractor Iteration Points", G::RadSegs, I, 1, 99, "Range (1 - 99):", Only(S::IfsAttractor)),
    Box("Attractor Iteration Scale %", G::RadFill, I, 0, 100, "Range (0 - 100):", Only(S::IfsAttractor)),
    Box("Attractor Rotation Angle", G::RadBands, I, 0, 360, "Range (0 - 360):", Only(S::IfsAttractor)),
    Box("Wireframe Vertices", G::RadSegs, I, 4, 10, "Range (4 - 10):", Only(S::IfsWireframe)),
    Box("Wireframe Scale %", G::RadFill, I, 0, 100, "Range (0 - 100):", Only(S::IfsWireframe)),
    Box("Wireframe Iteration Levels", G::RadBands, I, 1, 99, "Range (1 - 99):", Only(S::IfsWireframe)),
    Box("Fractal Iteration Points", G::RadSegs, I, 4, 10, "Range (4 - 10):", Only(S::IfsFractal)),
    Box("Fractal Iteration Scale %", G::RadFill, I, 0, 100, "Range (0 - 100):", Only(S::IfsFractal)),
    Box("Nebula Control Points", G::CP_Points, I, 1, 20, "Range (1 - 20):", Only(S::Nebula)),
    Box("Nebula Control Point Steps", G::CP_Steps, I, 1, 9999, "Range (1 - 9999):", Only(S::Nebula)),
    Box("Nebula Bias Points", G::CP_B_Pts, I, 1, 99, "Range (1 - 99):", Only(S::Nebula)),
    Box("Nebula Bias Exponent", G::CP_B_Exp, I, 0, 100, "Range (0 - 100):", Only(S::Nebula)),
    Box("Nebula Bias Travel Speed", G::CP_B_Spd, I, 0, 999, "Range (0 - 999):", Only(S::Nebula)),
    Box("Nebula Expansion Speed", G::RadiusExp, R, 0, 99.9, "Range (0 - 99.9):", Only(S::Nebula)),
    Box("Nebula Solar Wind Magnitude", G::HeightExp, R, 0, 99.9, "Range (0 - 99.9):", Only(S::Nebula)),
    {"Nebula Control Points Closed", G::CP_Close, CopyInput::Check, I, 0, 1, {}, Only(S::Nebula)},
    Box("Quasar Emit Speed", G::QG_Force, R, 0, 99.9, "Range (0 - 99.9):", Only(S::Quasar)),
    Box("Graviton Force", G::QG_Force, R, 0, 99.9, "Range (0 - 99.9):", Only(S::Graviton)),
    Box("Starwave Expansion Rate", G::Radius, L, 1, 30000, "Range (1 - 30000):", Only(S::Starwave)),
    Box("Starwave Interleaved Waves", G::RadBands, I, 1, 99, "Range (1 - 99):", Only(S::Starwave)),
    Box("Starwave Amplitude Persistence", G::RadBFill, I, 0, 999, "Range (1 - 999):", Only(S::Starwave)),
    Box("Starwave Particle Angle Increment", G::RadiusExp, R, 0, 99.9,
        "Range (0 - 99.9):", Only(S::Starwave)),
}};

std::vector<std::string_view> CopyListTexts(int item) {
    if (item < 0 || item >= kPropCopyItemCount || kPropCopyItems[item].input != CopyInput::List) return {};
    switch (kPropCopyItems[item].property) {
    case G::GalStyle:
        return {kStyleListText.begin(), kStyleListText.end()};
    case G::AxisPlane:
        return {"Y-Z", "X-Z"};
    case G::Profile:
        return {kProfileNames.begin(), kProfileNames.end()};
    case G::ColorComp:
        return {kColourCompNames.begin(), kColourCompNames.end()};
    default:
        return {};
    }
}

std::string ClampCopyBoxText(int item, std::string_view text) {
    if (item < 0 || item >= kPropCopyItemCount) return std::string(text);
    const PropCopyItem& it = kPropCopyItems[item];
    return ClampTextField(text, it.kind, it.min, it.max);
}

CopyDecision DecideCopy(const CopyRequest& request) {
    if (request.item < 0 || request.item >= kPropCopyItemCount) return {kCopyNoItem};
    const PropCopyItem& it = kPropCopyItems[request.item];
    switch (it.input) {
    case CopyInput::List: {
        const int entries = static_cast<int>(CopyListTexts(request.item).size());
        if (request.listIndex < 0 || request.listIndex >= entries) return {kCopyNoListValue};
        return {std::nullopt, static_cast<double>(request.listIndex)};
    }
    case CopyInput::Check:
        return {std::nullopt, request.checked ? 1.0 : 0.0};
    case CopyInput::Box:
        break;
    }
    if (TrimBlanks(request.boxText).empty()) return {kCopyNoBoxValue};
    return {std::nullopt, ReadFieldNumber(ClampCopyBoxText(request.item, request.boxText))};
}

SlotMask CopyProperty(GalaxyTables& tables, int item, double value) {
    if (item < 0 || item >= kPropCopyItemCount) return 0;
    const PropCopyItem& it = kPropCopyItems[item];
    const bool whole = kGalaxyDefs[static_cast<int>(it.property)].type != ValueType::Real;
    const float stored = static_cast<float>(whole ? Nearest(value) : value);
    SlotMask took = 0;
    for (int slot = 0; slot < kGalaxyTypeSlots; ++slot) {
        GalaxyType& t = tables.types[slot];
        const int style = ClampRange<int>(t.Style(), 0, kStyleCount - 1);
        if (!(it.styles & (1u << style))) continue;
        t[it.property] = stored;
        took |= 1u << slot;
    }
    return took;
}

bool ShowCopiedValue(GalaxyFields& fields, int style, G property, double value) {
    bool shown = false;
    for (const GalaxyBinding& b : kGalaxyBindings) {
        if (ShownProp(b, style) != property) continue;
        shown = true;
        const std::string text = KindText(value, b.kind);
        switch (b.control) {
        case GalaxyControl::Field:
            fields.SetFieldText(b.index, text);
            break;
        case GalaxyControl::HueField:
            fields.SetHueText(b.index, text);
            break;
        case GalaxyControl::Style:
            fields.SetListIndex(GalaxyList::Style, NearestInt(value));
            break;
        case GalaxyControl::Plane:
            fields.SetListIndex(GalaxyList::Plane, NearestInt(value));
            break;
        case GalaxyControl::Colour:
            fields.SetListIndex(GalaxyList::Colour, NearestInt(value));
            break;
        case GalaxyControl::Profile:
            fields.SetListIndex(GalaxyList::Profile, NearestInt(value));
            break;
        case GalaxyControl::CpClosed:
            fields.SetCpClosed(NearestInt(value) == 1);
            break;
        }
    }
    return shown;
}

} // namespace orb
