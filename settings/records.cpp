#include "settings/records.h"

#include "settings/numeric.h"

namespace orb {

GalaxyType::GalaxyType() {
    for (int i = 0; i < kGalaxyPropCount; ++i) prop[i] = static_cast<float>(kGalaxyDefs[i].def);
}

UniverseSettings::UniverseSettings() {
    for (int i = 0; i < kUniverseCount; ++i) value[i] = static_cast<float>(kUniverseDefs[i].def);
}

std::string DefaultGalaxyName(int slot) { return "< Galaxy Profile " + std::to_string(slot + 1) + " >"; }
std::string DefaultCompositeName(int slot) {
    return "< Composite Galaxy " + std::to_string(slot + 1) + " >";
}

double ConvertToType(double v, ValueType type) {
    switch (type) {
    case ValueType::Integer:
    case ValueType::Flag:
        return NearestInt(v);
    case ValueType::Long:
        return NearestLong(v);
    case ValueType::Real:
    case ValueType::WholeInteger:
    case ValueType::WholeLong:
        return static_cast<float>(v);
    case ValueType::Text:
        break;
    }
    return v;
}

namespace {

double ClampWithRange(double v, ValueType type, double lo, double hi) {
    switch (type) {
    case ValueType::Integer:
    case ValueType::Flag:
    case ValueType::WholeInteger:
        return ClampInt(NearestInt(v), static_cast<int16_t>(lo), static_cast<int16_t>(hi));
    case ValueType::Long:
    case ValueType::WholeLong:
        return ClampLong(NearestLong(v), static_cast<int32_t>(lo), static_cast<int32_t>(hi));
    case ValueType::Real:
        return ClampSingle(std::isnan(v) ? static_cast<float>(lo) : static_cast<float>(v),
                           static_cast<float>(lo), static_cast<float>(hi));
    case ValueType::Text:
        break;
    }
    return v;
}

} // namespace

double ClampToDef(double v, const SettingDef& d) { return ClampWithRange(v, d.type, d.min, d.max); }

void ValidateGalaxyType(GalaxyType& t) {
    t.pct = static_cast<int16_t>(ClampToDef(t.pct, kUniGalPctDef));
    t[G::GalStyle] = static_cast<float>(ClampToDef(t[G::GalStyle], Def(G::GalStyle)));
    const int style = t.Style();
    for (int i = 0; i < kGalaxyPropCount; ++i) {
        if (i == static_cast<int>(G::GalStyle)) continue;
        StyleRange r = GalaxyRange(static_cast<G>(i), style);
        t.prop[i] = static_cast<float>(ClampWithRange(t.prop[i], kGalaxyDefs[i].type, r.min, r.max));
    }
    t.nebulaBiasPos = 0;
    t.spinPhase = 0;
    t.spinPhaseFast = 0;
}

void ValidateComposite(CompositeGalaxy& c) {
    c.pct = static_cast<int16_t>(ClampToDef(c.pct, kCompGalPctDef));
    c.count = static_cast<int16_t>(ClampToDef(c.count, kCompGalCountDef));
    for (int i = 0; i < c.count; ++i)
        c.member[i] = static_cast<int16_t>(ClampToDef(c.member[i], kCompGalTypeDef));
}

} // namespace orb
