#include "settings/template_values.h"

#include <limits>

#include "platform/atomic_file.h"
#include "settings/numeric.h"

namespace orb {

std::string TemplateGalaxySection(int slot) {
    return std::string(kTemplateGalaxyPrefix) + std::to_string(slot);
}
std::string TemplateCompositeSection(int slot) {
    return std::string(kTemplateCompositePrefix) + std::to_string(slot);
}

double SaturateToType(double v, ValueType type) {
    if (type == ValueType::Text) return v;
    if (!IsIntegral(type)) {
        constexpr double kMax = std::numeric_limits<float>::max();
        if (std::isnan(v)) return 0;
        return static_cast<float>(ClampRange(v, -kMax, kMax));
    }
    return ConvertToType(v, type); // integer kinds saturate there
}

std::string NumberText(double v, ValueType type) {
    return FormatNumber(SaturateToType(v, type), type);
}

std::string ReadTemplateText(const ProfileText& tpl, std::string_view section, std::string_view key,
                             std::string_view def) {
    auto v = tpl.Get(section, key);
    return v ? *v : std::string(def.substr(0, kProfileValueMax));
}

double ReadTemplateNumber(const ProfileText& tpl, std::string_view section, std::string_view key, double def,
                          ValueType type) {
    auto text = tpl.Get(section, key);
    auto v = text ? ParseStoredNumber(*text, type) : std::nullopt;
    return v ? *v : def;
}

double ReadTemplateNumber(const ProfileText& tpl, std::string_view section, const SettingDef& d) {
    return ReadTemplateNumber(tpl, section, d.name, d.def, d.type);
}

void WriteTemplateValue(ProfileText& tpl, std::string_view section, std::string_view key,
                        std::string_view text) {
    tpl.Set(section, key, TrimBlanks(text)); // Set turns line breaks into blanks
}

void WriteTemplateNumber(ProfileText& tpl, std::string_view section, std::string_view key, double v,
                         ValueType type) {
    WriteTemplateValue(tpl, section, key, NumberText(v, type));
}

void CopyStoreToTemplate(SettingsStore& store, ProfileText& tpl, std::string_view section,
                         std::string_view key, std::string_view def) {
    WriteTemplateValue(tpl, section, key, store.ReadText(section, key, def));
}

bool CopyTemplateToStore(const ProfileText& tpl, SettingsStore& store, std::string_view section,
                         std::string_view key, std::string_view def) {
    return store.WriteText(section, key, ReadTemplateText(tpl, section, key, def));
}

namespace {

// A name the store could not read back (its read buffer rule) is replaced by the default name.
std::string ReadTemplateName(const ProfileText& tpl, std::string_view section, std::string_view key,
                             const std::string& def) {
    std::string name = ReadTemplateText(tpl, section, key, def);
    return name.size() >= kStoreReadBuffer ? def : name;
}

std::string MemberKey(int position) {
    return std::string(kCompGalTypeTemplate) + std::to_string(position);
}

} // namespace

void WriteTemplateGalaxy(ProfileText& tpl, int slot, const GalaxyType& t) {
    const std::string section = TemplateGalaxySection(slot);
    WriteTemplateNumber(tpl, section, kUniGalPct, t.pct, ValueType::Integer);
    WriteTemplateValue(tpl, section, kUniGalName, t.name);
    for (int i = 0; i < kGalaxyPropCount; ++i)
        WriteTemplateNumber(tpl, section, kGalaxyDefs[i].name, t.prop[i], kGalaxyDefs[i].type);
}

void ReadTemplateGalaxy(const ProfileText& tpl, int slot, GalaxyType& t) {
    const std::string section = TemplateGalaxySection(slot);
    t.pct = static_cast<int16_t>(ReadTemplateNumber(tpl, section, kUniGalPctDef));
    t.name = ReadTemplateName(tpl, section, kUniGalName, DefaultGalaxyName(slot));
    for (int i = 0; i < kGalaxyPropCount; ++i)
        t.prop[i] = static_cast<float>(ReadTemplateNumber(tpl, section, kGalaxyDefs[i]));
}

void WriteTemplateComposite(ProfileText& tpl, int slot, const CompositeGalaxy& c) {
    const std::string section = TemplateCompositeSection(slot);
    WriteTemplateValue(tpl, section, kCompGalName, c.name);
    WriteTemplateNumber(tpl, section, kCompGalPct, c.pct, ValueType::Integer);
    WriteTemplateNumber(tpl, section, kCompGalCountTemplate, c.count, ValueType::Integer);
    for (int i = 0; i < c.count && i < kMaxMembers; ++i)
        WriteTemplateNumber(tpl, section, MemberKey(i), c.member[i], ValueType::Integer);
}

void ReadTemplateComposite(const ProfileText& tpl, int slot, CompositeGalaxy& c) {
    const std::string section = TemplateCompositeSection(slot);
    c.pct = static_cast<int16_t>(ReadTemplateNumber(tpl, section, kCompGalPctDef));
    c.name = ReadTemplateName(tpl, section, kCompGalName, DefaultCompositeName(slot));
    c.count =
        static_cast<int16_t>(ReadTemplateNumber(tpl, section, kCompGalCountTemplate, 0, ValueType::Integer));
    c.member.fill(0);
    for (int i = 0; i < c.count && i < kMaxMembers; ++i)
        c.member[i] =
            static_cast<int16_t>(ReadTemplateNumber(tpl, section, MemberKey(i), 0, ValueType::Integer));
}

std::optional<ProfileText> LoadTemplateFile(const std::string& path) {
    if (path.empty()) return std::nullopt;
    FileContents file = ReadFileLimited(path, kProfileFileMax);
    if (file.status != ReadStatus::Ok && file.status != ReadStatus::TooLarge) return std::nullopt;
    return ProfileText(file.data);
}

bool WriteTemplateFile(const std::string& path, const ProfileText& tpl) {
    return !path.empty() && ReplaceFileAtomically(path, tpl.Serialize(), std::nullopt).ok;
}

} // namespace orb
