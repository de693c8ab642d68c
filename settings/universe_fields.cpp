#include "settings/universe_fields.h"

#include "settings/numeric.h"
#include "settings/template_values.h"

namespace orb {

namespace {
using C = UniverseControl;
constexpr int Box(UniverseCheck b) {
    return static_cast<int>(b);
}
} // namespace

const std::array<UniverseBinding, kUniverseCount> kUniverseBindings{{
    {U::Stars, C::Field, 0, true},
    {U::Galaxy, C::Field, 1, true},
    {U::STrail, C::Field, 2, true},
    {U::Expand, C::Field, 10, true},
    {U::ESteps, C::Field, 11, true},
    {U::Persist, C::Field, 12, true},
    {U::Symetry, C::Field, 13, true},
    {U::Damping, C::Field, 14, true},
    {U::HWRatio, C::Field, 15, true},
    {U::HW_Start, C::Field, 16, true},
    {U::HW_End, C::Field, 17, true},
    {U::NewFreq, C::Field, 20, true},
    {U::NewPctStEx, C::Field, 21, true},
    {U::Tour, C::Check, Box(UniverseCheck::UniTour), true},
    {U::GSteps, C::Field, 30, true},
    {U::GPCtrl, C::Field, 31, true},
    {U::GCCtrl, C::Field, 32, true},
    {U::DstCen, C::Field, 33, true},
    {U::GVisit, C::Check, Box(UniverseCheck::VisitSeq), true},
    {U::GTrack, C::Check, Box(UniverseCheck::TrackGrav), true},
    {U::AmStar, C::Field, 40, true},
    {U::AmPers, C::Field, 41, true},
    {U::AmCAge, C::Field, 42, true},
    {U::AmFrames, C::Field, 43, true},
    {U::AmMaxExt, C::Field, 44, true},
    {U::AmProf, C::Check, Box(UniverseCheck::AmbDisp), false},
    {U::GravForce, C::Field, 50, true},
    {U::GravFrame, C::Field, 51, true},
    {U::Profile, C::Profile, 0, true},
}};

void ShowUniverse(const UniverseSettings& u, UniverseFields& fields) {
    for (const UniverseBinding& b : kUniverseBindings) {
        const SettingDef& d = Def(b.value);
        double v = u[b.value];
        switch (b.control) {
        case C::Field:
            fields.SetFieldText(b.index, NumberText(v, d.type));
            break;
        case C::Check:
            fields.SetChecked(static_cast<UniverseCheck>(b.index), NearestInt(v) == 1);
            break;
        case C::Profile:
            fields.SetProfileIndex(NearestInt(v));
            break;
        }
    }
}

double UniverseControlValue(const UniverseFields& fields, const UniverseBinding& b) {
    switch (b.control) {
    case C::Check:
        return fields.Checked(static_cast<UniverseCheck>(b.index)) ? 1 : 0;
    case C::Profile:
        return fields.ProfileIndex();
    case C::Field:
        break;
    }
    return SaturateToType(ZeroPrefixedValue(fields.FieldText(b.index)), Def(b.value).type);
}

UniverseSettings ReadUniverseFields(const UniverseFields& fields) {
    UniverseSettings u;
    for (const UniverseBinding& b : kUniverseBindings)
        u[b.value] = static_cast<float>(UniverseControlValue(fields, b));
    return u;
}

std::string UniverseFieldValues::FieldText(int index) const {
    if (index < 0 || index >= kUniverseFieldSlots) return {};
    return text_[index];
}

void UniverseFieldValues::SetFieldText(int index, std::string_view text) {
    if (index < 0 || index >= kUniverseFieldSlots) return;
    text_[index] = std::string(text);
}

bool UniverseFieldValues::Checked(UniverseCheck box) const {
    int i = static_cast<int>(box);
    return i >= 0 && i < kUniverseCheckCount && checked_[i];
}

void UniverseFieldValues::SetChecked(UniverseCheck box, bool on) {
    int i = static_cast<int>(box);
    if (i >= 0 && i < kUniverseCheckCount) checked_[i] = on;
}

void UniverseFieldValues::SetProfileIndex(int index) {
    if (index >= 0 && index < kProfileCount) profile_ = index;
}

StoreUniverseFields::StoreUniverseFields(SettingsStore& store) {
    ShowUniverse(store.LoadUniverse(), *this);
}

} // namespace orb
