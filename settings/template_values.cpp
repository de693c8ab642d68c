#include "settings/template_values.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>

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
    std::string clean(TrimBlanks(text));
    for (char& c : clean)
        if (c == '\n' || c == '\r' || c == '\0') c = ' ';
    tpl.Set(section, key, TrimBlanks(clean));
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
    namespace fs = std::filesystem;
    std::error_code ec;
    if (path.empty() || !fs::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text;
    char buf[1 << 16];
    while (text.size() < kProfileFileMax && in.read(buf, sizeof buf).gcount() > 0)
        text.append(buf, static_cast<size_t>(in.gcount()));
    if (in.bad()) return std::nullopt;
    if (text.size() > kProfileFileMax) text.resize(kProfileFileMax);
    return ProfileText(text);
}

namespace {

// Create a file that did not exist before beside `path`; its name is returned through `tmp`.
std::FILE* CreateSibling(const std::string& path, std::string& tmp) {
    std::random_device rd;
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(rd()));
        tmp = path + suffix;
        if (std::FILE* f = std::fopen(tmp.c_str(), "wbx")) return f;
        if (errno != EEXIST) break;
    }
    return nullptr;
}

} // namespace

bool WriteTemplateFile(const std::string& path, const ProfileText& tpl) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (path.empty() || fs::is_directory(path, ec)) return false;
    const std::string data = tpl.Serialize();
    std::string tmp;
    std::FILE* f = CreateSibling(path, tmp);
    if (!f) return false;
    bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    ok &= std::fflush(f) == 0;
    ok &= std::fclose(f) == 0;
    if (ok) {
        fs::rename(tmp, path, ec);
        ok = !ec;
    }
    if (!ok) fs::remove(tmp, ec);
    return ok;
}

} // namespace orb
