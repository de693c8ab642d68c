// Parses arbitrary bytes as a profile text, changes keys named by the text itself and by the
// raw bytes, and checks that untouched text survives byte for byte and every change reads back,
// also after a re-parse of the serialised text.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile_file.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

std::string Identity(std::string_view section, std::string_view key) {
    std::string id(Trim(section));
    id.push_back('\n');
    id.append(Trim(key));
    for (char& c : id)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return id;
}

// What a read gives back after Set(value).
std::string Expected(std::string_view value) {
    std::string v = orb::ProfileLineValue(value);
    std::string_view t = Trim(v);
    return std::string(t.substr(0, std::min(t.size(), orb::kProfileValueMax)));
}

struct Change {
    std::string section, key, expected; // as set, and the value a read must give
};

// Names to exercise: the sections and keys of the text itself, then raw slices of it.
std::vector<std::pair<std::string, std::string>> NamesFrom(std::string_view text) {
    std::vector<std::pair<std::string, std::string>> names;
    std::string section;
    size_t pos = 0;
    for (int lines = 0; pos < text.size() && lines < 64 && names.size() < 24; ++lines) {
        size_t nl = text.find('\n', pos);
        std::string_view line = text.substr(pos, nl == text.npos ? text.npos : nl - pos);
        pos = nl == text.npos ? text.size() : nl + 1;
        std::string_view t = Trim(line);
        if (!t.empty() && t.front() == '[') {
            section = std::string(t.substr(1, t.find(']') == t.npos ? t.npos : t.find(']') - 1));
        } else if (size_t eq = line.find('='); eq != line.npos) {
            names.emplace_back(section, std::string(line.substr(0, eq)));
        } else {
            names.emplace_back(section, std::string(line.substr(0, 16)));
        }
    }
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    orb::ProfileText t(text);
    Check(t.Serialize() == text.substr(0, std::min(text.size(), orb::kProfileFileMax)));
    Check(t.Empty() == text.empty());

    std::map<std::string, Change> changes; // identity -> latest change
    auto names = NamesFrom(text);
    for (size_t i = 0; i < names.size(); ++i) {
        const auto& [section, key] = names[i];
        (void)t.Get(section, key);
        std::string value = names[(i + 1) % names.size()].second;
        if (i % 5 == 4) value.assign(300, 'v');
        t.Set(section, key, value);
        if (!orb::IsProfileSectionName(section) || !orb::IsProfileKeyName(key)) continue;
        Change c{section, key, Expected(value)};
        Check(t.Get(section, key) == c.expected);
        changes[Identity(section, key)] = c;
    }
    std::string out = t.Serialize();
    orb::ProfileText again(out);
    Check(again.Serialize() == out);
    for (const auto& [id, c] : changes)
        Check(again.Get(c.section, c.key) == c.expected);
    return 0;
}
