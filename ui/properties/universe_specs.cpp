#include "ui/properties/universe_specs.h"

#include "settings/presets.h"
#include "ui/properties/galaxy_fields.h"

namespace orb {

const std::array<UniverseBoxExtra, 5> kUniverseBoxExtras{{
    {0, 10, 5},
    {1, 1, 3},
    {2, 1, 2},
    {16, 1, 3},
    {17, 1, 3},
}};

const FieldSpec kWeightFieldSpec{FieldKind::Integer, KeyFilter::Digits, 0, 9999, false, 1, 4};
const FieldSpec kResetPctFieldSpec{FieldKind::Integer, KeyFilter::Digits, 0, 9999, false, 0, 0};
const FieldSpec kNameFieldSpec{FieldKind::Integer, KeyFilter::Name, 0, 0, false, 0, 0};

namespace {

FieldKind KindOf(ValueType type) {
    switch (type) {
    case ValueType::Long:
    case ValueType::WholeLong:
        return FieldKind::Long;
    case ValueType::Real:
        return FieldKind::Real;
    default:
        break;
    }
    return FieldKind::Integer;
}

} // namespace

std::optional<FieldSpec> UniverseFieldSpec(int index) {
    for (const UniverseBinding& b : kUniverseBindings) {
        if (b.control != UniverseControl::Field || b.index != index) continue;
        const SettingDef& d = Def(b.value);
        FieldSpec s;
        s.kind = KindOf(d.type);
        s.filter = s.kind == FieldKind::Real ? KeyFilter::Decimal : KeyFilter::Digits;
        s.min = d.min;
        s.max = d.max;
        for (const UniverseBoxExtra& e : kUniverseBoxExtras) {
            if (e.index != index) continue;
            s.arrowStep = e.arrowStep;
            s.spinLength = e.spinLength;
        }
        return s;
    }
    return std::nullopt;
}

void ClampUniverseFields(UniverseFields& fields) {
    for (const UniverseBinding& b : kUniverseBindings) {
        if (b.control != UniverseControl::Field) continue;
        if (auto fieldSpec = UniverseFieldSpec(b.index))
            fields.SetFieldText(b.index, LeaveFieldText(fields.FieldText(b.index), *fieldSpec));
    }
}

bool LoadUniverseTheme(int item, bool v20, UniverseFields& fields) {
    if (item < 1 || item > kThemeCount) return false;
    UniverseSettings u;
    ParseUniverseTheme(UniverseTheme(item, v20), u);
    ShowUniverse(u, fields);
    return true;
}

std::array<std::string, 9> UniverseThemeItems() {
    std::array<std::string, 9> items;
    items[0] = std::string(kNoneItem);
    for (int k = 1; k <= kThemeCount; ++k)
        items[k] = std::string(UniverseThemeName(k));
    return items;
}

} // namespace orb
