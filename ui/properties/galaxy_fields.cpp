#include "ui/properties/galaxy_fields.h"

#include "settings/numeric.h"
#include "settings/presets.h"
#include "settings/template_values.h"
#include "ui/properties/galaxy_styles.h"

namespace orb {

namespace {

using C = GalaxyControl;
using K = FieldKind;

constexpr int kNebula = static_cast<int>(GalaxyStyle::Nebula);
constexpr int kTiltBox = 93;
constexpr int kFirstStyleBox = 3; // boxes 3 to 6 show positions 5 to 8 (39 to 42 for Nebula)

// A box showing the same property for every style.
constexpr GalaxyBinding Box(int index, G prop, K kind, int step = 0, int spin = 0) {
    return {C::Field, index, prop, prop, kind, step, spin, false};
}
constexpr GalaxyBinding StyleBox(int index, G prop, G nebula, int step) {
    return {C::Field, index, prop, nebula, K::Integer, step, 0, true};
}
constexpr GalaxyBinding Hue(int index, G prop, int spin) {
    return {C::HueField, index, prop, prop, K::Integer, 1, spin, false};
}
constexpr GalaxyBinding Other(C control, G prop) {
    return {control, 0, prop, prop, K::Integer, 0, 0, false};
}

int ClampedStyle(double v) {
    return ClampRange<int>(NearestInt(v), 0, kStyleCount - 1);
}

int ListOf(C control) {
    switch (control) {
    case C::Plane:
        return static_cast<int>(GalaxyList::Plane);
    case C::Colour:
        return static_cast<int>(GalaxyList::Colour);
    case C::Profile:
        return static_cast<int>(GalaxyList::Profile);
    default:
        break;
    }
    return static_cast<int>(GalaxyList::Style);
}

double BoxValue(const GalaxyFields& fields, const GalaxyBinding& b, G prop) {
    const std::string text = b.control == C::HueField ? fields.HueText(b.index) : fields.FieldText(b.index);
    return SaturateToType(ReadFieldNumber(text), Def(prop).type);
}

} // namespace

// Whole reals are edited as whole numbers (radius, rotation, distance and the colour multiplier
// as longs), and so are the comet speeds and the tilt, which are real properties.
const std::array<GalaxyBinding, kGalaxyBindingCount> kGalaxyBindings{{
    Box(0, G::Radius, K::Long, 10, 5),
    Box(1, G::Rotation, K::Long, 10, 5),
    Box(2, G::Distance, K::Long, 10, 5),
    StyleBox(3, G::RadSegs, G::CP_Points, 1),
    StyleBox(4, G::RadFill, G::CP_Steps, 1),
    StyleBox(5, G::RadBands, G::CP_B_Pts, 1),
    StyleBox(6, G::RadBFill, G::CP_B_Exp, 1),
    Box(7, G::ColorMult, K::Long, 10, 5),
    Box(8, G::QG_Force, K::Real),
    Box(10, G::NewFreq, K::Integer),
    Box(11, G::NewFrames, K::Integer),
    Box(12, G::NewExtMult, K::Integer),
    Box(20, G::NovaFreq, K::Integer),
    Box(21, G::NovaFrames, K::Integer),
    Box(22, G::NovaExtMult, K::Integer),
    Box(40, G::CometFreq, K::Integer),
    Box(41, G::CometStars, K::Integer),
    Box(42, G::CometOrbit, K::Integer),
    Box(43, G::CometSpeed, K::Integer),
    Box(44, G::CometSWind, K::Integer),
    Box(45, G::CometCPersist, K::Real),
    Box(46, G::CometSPersist, K::Real),
    Box(47, G::HWC_Start, K::Integer, 1, 3),
    Box(48, G::HWC_End, K::Integer, 1, 3),
    Box(90, G::GHW_Ratio, K::Real),
    Box(91, G::RadiusExp, K::Real),
    Box(92, G::HeightExp, K::Real),
    StyleBox(kTiltBox, G::AngleTilt, G::CP_B_Spd, 0),
    Box(94, G::AngleTInc, K::Real),
    Box(95, G::HueStart, K::Integer, 5, 3),
    Box(96, G::HWheelInc, K::Real),
    Hue(0, G::HueRed, 3),
    Hue(1, G::HueGrn, 3),
    Hue(2, G::HueBlu, 3),
    Hue(3, G::HueBase, 3),
    Hue(4, G::HueBlend, 2),
    Other(C::Style, G::GalStyle),
    Other(C::Plane, G::AxisPlane),
    Other(C::Colour, G::ColorComp),
    Other(C::Profile, G::Profile),
    Other(C::CpClosed, G::CP_Close),
}};

const GalaxyBinding* FindGalaxyBinding(GalaxyControl control, int index) {
    const bool indexed = control == C::Field || control == C::HueField;
    for (const GalaxyBinding& b : kGalaxyBindings)
        if (b.control == control && (!indexed || b.index == index)) return &b;
    return nullptr;
}

G ShownProp(const GalaxyBinding& b, int style) {
    return ClampedStyle(style) == kNebula ? b.nebulaProp : b.prop;
}

FieldSpec GalaxyFieldSpec(const GalaxyBinding& b, int style) {
    FieldSpec s;
    s.kind = b.kind;
    s.filter = b.kind == K::Real ? KeyFilter::Decimal : KeyFilter::Digits;
    s.arrowStep = b.arrowStep;
    s.spinLength = b.spinLength;
    const StyleView& view = StyleViewOf(style);
    if (b.styleRange && b.index == kTiltBox) {
        s.min = view.box93.min;
        s.max = view.box93.max;
    } else if (b.styleRange) {
        const StyleRange r = GalaxyRange(b.prop, ClampedStyle(style));
        s.min = r.min;
        s.max = r.max;
        s.spinLength = view.boxes3to6[b.index - kFirstStyleBox].length;
    } else {
        s.min = Def(b.prop).min;
        s.max = Def(b.prop).max;
    }
    return s;
}

int GalaxyListSize(GalaxyList list) {
    switch (list) {
    case GalaxyList::Style:
        return kStyleCount;
    case GalaxyList::Plane:
        return 2;
    case GalaxyList::Colour:
        return static_cast<int>(kColourCompNames.size());
    case GalaxyList::Profile:
        return kProfileCount;
    }
    return 0;
}

void ShowGalaxyType(const GalaxyType& t, GalaxyFields& fields) {
    const int style = ClampedStyle(t[G::GalStyle]);
    for (const GalaxyBinding& b : kGalaxyBindings) {
        const G prop = ShownProp(b, style);
        const double v = t[prop];
        switch (b.control) {
        case C::Field:
            fields.SetFieldText(b.index, NumberText(v, Def(prop).type));
            break;
        case C::HueField:
            fields.SetHueText(b.index, NumberText(v, Def(prop).type));
            break;
        case C::CpClosed:
            fields.SetCpClosed(NearestInt(v) == 1);
            break;
        default:
            fields.SetListIndex(static_cast<GalaxyList>(ListOf(b.control)), NearestInt(v));
            break;
        }
    }
}

void ReadGalaxyFields(const GalaxyFields& fields, GalaxyType& t) {
    const int listed = fields.ListIndex(GalaxyList::Style);
    if (listed >= 0) t[G::GalStyle] = static_cast<float>(listed);
    const bool nebula = ClampedStyle(t[G::GalStyle]) == kNebula;
    for (const GalaxyBinding& b : kGalaxyBindings) {
        switch (b.control) {
        case C::Field:
        case C::HueField:
            // Boxes 3 to 6 and 93 show either of two properties; both take the box, except that
            // a Nebula type's tilt is not in any box and keeps its value.
            if (!(nebula && b.index == kTiltBox && b.control == C::Field))
                t[b.prop] = static_cast<float>(BoxValue(fields, b, b.prop));
            if (b.nebulaProp != b.prop)
                t[b.nebulaProp] = static_cast<float>(BoxValue(fields, b, b.nebulaProp));
            break;
        case C::CpClosed:
            t[b.prop] = fields.CpClosed() ? 1.0f : 0.0f;
            break;
        case C::Style:
            break;
        default:
            if (int i = fields.ListIndex(static_cast<GalaxyList>(ListOf(b.control))); i >= 0)
                t[b.prop] = static_cast<float>(i);
            break;
        }
    }
    if (nebula) t[G::ColorComp] = 5;
}

void ApplyStyleToFields(int style, GalaxyFields& fields) {
    const StyleView& view = StyleViewOf(style);
    for (int i = 0; i < 4; ++i) {
        const SpinRange& r = view.boxes3to6[i];
        const int box = kFirstStyleBox + i;
        fields.SetFieldText(box, SetupSpinField(fields.FieldText(box), r.min, r.max, r.length).text);
    }
    fields.SetFieldText(
        kTiltBox, ClampTextField(fields.FieldText(kTiltBox), K::Integer, view.box93.min, view.box93.max));
}

bool LoadGalaxyTheme(int item, GalaxyFields& fields) {
    if (item < 1 || item > kGalaxyTypeSlots) return false;
    GalaxyType t;
    ParseGalaxyPreset(GalaxyPreset(0, item), t);
    ShowGalaxyType(t, fields);
    ApplyStyleToFields(ClampedStyle(t[G::GalStyle]), fields);
    return true;
}

std::array<std::string, 33> GalaxyThemeItems() {
    std::array<std::string, 33> items;
    items[0] = std::string(kNoneItem);
    for (int slot = 0; slot < kGalaxyTypeSlots; ++slot)
        items[slot + 1] = std::string(FactoryNameOf(0, slot).name);
    return items;
}

std::string GalaxyFieldValues::FieldText(int index) const {
    if (index < 0 || index >= kGalaxyFieldSlots) return {};
    return text_[index];
}

void GalaxyFieldValues::SetFieldText(int index, std::string_view text) {
    if (index >= 0 && index < kGalaxyFieldSlots) text_[index] = std::string(text);
}

std::string GalaxyFieldValues::HueText(int index) const {
    if (index < 0 || index >= kHueFieldCount) return {};
    return hue_[index];
}

void GalaxyFieldValues::SetHueText(int index, std::string_view text) {
    if (index >= 0 && index < kHueFieldCount) hue_[index] = std::string(text);
}

int GalaxyFieldValues::ListIndex(GalaxyList list) const {
    return list_[static_cast<int>(list)];
}

void GalaxyFieldValues::SetListIndex(GalaxyList list, int index) {
    list_[static_cast<int>(list)] = index >= 0 && index < GalaxyListSize(list) ? index : -1;
}

} // namespace orb
