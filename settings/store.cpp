#include "settings/store.h"

#include <limits>

#include "settings/numeric.h"
#include "settings/presets.h"

namespace orb {

std::string KeyPath(std::string_view section) {
    std::string k(kKeyRoot);
    k.append(kAppName).append("\\").append(section);
    return k;
}
std::string GalaxySection(int slot) { return std::string(kSectionGalaxyPrefix) + std::to_string(slot); }
std::string CompositeSection(int slot) { return std::string(kSectionCompGalPrefix) + std::to_string(slot); }

std::optional<double> ParseStoredNumber(std::string_view text, ValueType type) {
    auto v = ParseNumericText(text);
    if (!v) return std::nullopt;
    switch (type) {
    case ValueType::Integer:
    case ValueType::Flag: {
        double r = Nearest(*v);
        if (r < INT16_MIN || r > INT16_MAX) return std::nullopt;
        return r;
    }
    case ValueType::Long: {
        double r = Nearest(*v);
        if (r < INT32_MIN || r > INT32_MAX) return std::nullopt;
        return r;
    }
    case ValueType::Real:
    case ValueType::WholeInteger:
    case ValueType::WholeLong:
        if (std::abs(*v) > std::numeric_limits<float>::max()) return std::nullopt;
        return static_cast<float>(*v);
    case ValueType::Text:
        break;
    }
    return std::nullopt;
}

std::string FormatNumber(double v, ValueType type) {
    if (IsIntegral(type)) return std::to_string(static_cast<long long>(Nearest(v)));
    return FormatSingle(static_cast<float>(v));
}

std::optional<std::string> SettingsStore::ReadFitting(std::string_view section, std::string_view name) {
    auto text = backend_.Read(KeyPath(section), name);
    if (text && text->size() >= kStoreReadBuffer) return std::nullopt;
    return text;
}

std::string SettingsStore::ReadText(std::string_view section, std::string_view name, std::string_view def) {
    auto text = ReadFitting(section, name);
    return text ? *text : std::string(def);
}

int16_t SettingsStore::ReadInteger(std::string_view section, std::string_view name, int16_t def) {
    auto text = ReadFitting(section, name);
    auto v = text ? ParseStoredNumber(*text, ValueType::Integer) : std::nullopt;
    return v ? static_cast<int16_t>(*v) : def;
}

int32_t SettingsStore::ReadLong(std::string_view section, std::string_view name, int32_t def) {
    auto text = ReadFitting(section, name);
    auto v = text ? ParseStoredNumber(*text, ValueType::Long) : std::nullopt;
    return v ? static_cast<int32_t>(*v) : def;
}

float SettingsStore::ReadReal(std::string_view section, std::string_view name, float def) {
    auto text = ReadFitting(section, name);
    auto v = text ? ParseStoredNumber(*text, ValueType::Real) : std::nullopt;
    return v ? static_cast<float>(*v) : def;
}

double SettingsStore::Read(std::string_view section, const SettingDef& d) {
    switch (d.type) {
    case ValueType::Integer:
    case ValueType::Flag:
        return ReadInteger(section, d.name, static_cast<int16_t>(d.def));
    case ValueType::Long:
        return ReadLong(section, d.name, static_cast<int32_t>(d.def));
    default:
        return ReadReal(section, d.name, static_cast<float>(d.def));
    }
}

bool SettingsStore::WriteText(std::string_view section, std::string_view name, std::string_view text) {
    // A line break would end the value in the settings file: store it as a blank.
    std::string clean(TrimBlanks(text));
    for (char& c : clean)
        if (c == '\n' || c == '\r' || c == '\0') c = ' ';
    return backend_.Write(KeyPath(section), name, TrimBlanks(clean));
}

bool SettingsStore::WriteNumber(std::string_view section, std::string_view name, double v, ValueType type) {
    return WriteText(section, name, FormatNumber(v, type));
}

void SettingsStore::LoadGalaxyType(GalaxyType& t, int slot, std::string_view section) {
    t.pct = ReadInteger(section, kUniGalPct, 0);
    t.name = ReadText(section, kUniGalName, DefaultGalaxyName(slot));
    for (int i = 0; i < kGalaxyPropCount; ++i) t.prop[i] = static_cast<float>(Read(section, kGalaxyDefs[i]));
}

void SettingsStore::LoadAllGalaxyTypes(GalaxyTables& tables) {
    StoreBatch batch(backend_);
    for (int slot = 0; slot < kGalaxyTypeSlots; ++slot) {
        LoadGalaxyType(tables.types[slot], slot, GalaxySection(slot));
        ValidateGalaxyType(tables.types[slot]);
    }
}

bool SettingsStore::SaveGalaxyType(const GalaxyType& t, std::string_view section) {
    bool ok = WriteNumber(section, kUniGalPct, t.pct, ValueType::Integer);
    ok &= WriteText(section, kUniGalName, t.name);
    for (int i = 0; i < kGalaxyPropCount; ++i) ok &= WriteNumber(section, kGalaxyDefs[i].name, t.prop[i], kGalaxyDefs[i].type);
    return ok;
}

bool SettingsStore::SaveAllGalaxyTypes(GalaxyTables& tables) {
    StoreBatch batch(backend_);
    bool ok = true;
    for (int slot = 0; slot < kGalaxyTypeSlots; ++slot) {
        ValidateGalaxyType(tables.types[slot]);
        ok &= SaveGalaxyType(tables.types[slot], GalaxySection(slot));
    }
    return batch.End() && ok;
}

void SettingsStore::LoadComposite(CompositeGalaxy& c, int slot, std::string_view section) {
    c.pct = ReadInteger(section, kCompGalPct, 0);
    c.name = ReadText(section, kCompGalName, DefaultCompositeName(slot));
    c.count = ReadInteger(section, kCompGalCountStore, 0);
    c.member.fill(0);
    for (int i = 0; i < c.count && i < kMaxMembers; ++i)
        c.member[i] = ReadInteger(section, std::string(kCompGalTypeStore) + std::to_string(i), 0);
}

void SettingsStore::LoadAllComposites(GalaxyTables& tables) {
    StoreBatch batch(backend_);
    for (int slot = 0; slot < kCompositeSlots; ++slot) {
        LoadComposite(tables.composites[slot], slot, CompositeSection(slot));
        ValidateComposite(tables.composites[slot]);
    }
}

bool SettingsStore::SaveComposite(const CompositeGalaxy& c, std::string_view section) {
    bool ok = WriteNumber(section, kCompGalPct, c.pct, ValueType::Integer);
    ok &= WriteText(section, kCompGalName, c.name);
    ok &= WriteNumber(section, kCompGalCountStore, c.count, ValueType::Integer);
    for (int i = 0; i < c.count && i < kMaxMembers; ++i)
        ok &= WriteNumber(section, std::string(kCompGalTypeStore) + std::to_string(i), c.member[i], ValueType::Integer);
    return ok;
}

bool SettingsStore::SaveAllComposites(const GalaxyTables& tables) {
    StoreBatch batch(backend_);
    bool ok = true;
    for (int slot = 0; slot < kCompositeSlots; ++slot)
        ok &= SaveComposite(tables.composites[slot], CompositeSection(slot));
    return batch.End() && ok;
}

UniverseSettings SettingsStore::LoadUniverse() {
    StoreBatch batch(backend_);
    UniverseSettings u;
    for (int i = 0; i < kUniverseCount; ++i) u.value[i] = static_cast<float>(Read(kSectionUniverse, kUniverseDefs[i]));
    return u;
}

bool SettingsStore::SaveUniverse(const UniverseSettings& u) {
    StoreBatch batch(backend_);
    bool ok = true;
    for (int i = 0; i < kUniverseCount; ++i)
        ok &= WriteNumber(kSectionUniverse, kUniverseDefs[i].name, u.value[i], kUniverseDefs[i].type);
    return batch.End() && ok;
}

bool SettingsStore::SaveAllSettings(const UniverseSettings& u, GalaxyTables& tables) {
    StoreBatch batch(backend_);
    bool ok = WriteNumber(kSectionGeneral, kAnimationType, 0, ValueType::Integer);
    ok &= SaveUniverse(u);
    ok &= SaveAllGalaxyTypes(tables);
    ok &= SaveAllComposites(tables);
    return batch.End() && ok;
}

std::string SettingsStore::ReadAdvanced(A a) {
    const SettingDef& d = Def(a);
    return ReadText(kSectionAdvanced, d.name, d.defText);
}

bool SettingsStore::WriteFactoryAdvanced() {
    StoreBatch batch(backend_);
    bool ok = true;
    for (const SettingDef& d : kAdvancedDefs) ok &= WriteText(kSectionAdvanced, d.name, d.defText);
    return batch.End() && ok;
}

bool SettingsStore::EnsureFactoryGalaxyTypes(GalaxyTables& tables) {
    if (AnimationType() != -1) return false;
    ApplyFactoryGalaxyTypes(tables, 0);
    SaveAllGalaxyTypes(tables);
    return true;
}

} // namespace orb
