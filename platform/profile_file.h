// Private-profile (INI) text: sections "[name]" holding "key=value" lines. Section and key
// names match without regard to case, the first match wins, blanks around names and values
// are trimmed. Setting a key changes that one line and keeps the rest of the text as it was;
// a missing section or key is appended. Used for template files and the settings file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orb {

// A read returns at most this many characters of a value.
inline constexpr size_t kProfileValueMax = 254;
// Files larger than this are not read past it (hostile or corrupt input).
inline constexpr size_t kProfileFileMax = 16u << 20;

class ProfileText {
public:
    ProfileText() = default;
    explicit ProfileText(std::string_view text);  // parse

    // The value, trimmed and cut to kProfileValueMax characters; nothing when absent.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // Change the first matching key, or add it (and its section) when missing.
    void Set(std::string_view section, std::string_view key, std::string_view value);
    // The whole text, every untouched line as it was read.
    std::string Serialize() const;
    bool Empty() const;
};

// File operations with the semantics of GetPrivateProfileString / WritePrivateProfileString.
// ReadProfileString gives the default when the file, section or key is missing.
std::string ReadProfileString(const std::string& path, std::string_view section, std::string_view key,
                              std::string_view def);
// Change one key of the file (creating the file and section when missing), replacing the file
// atomically. False when the file could not be written.
bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

} // namespace orb
