// Private-profile (INI) text: sections "[name]" holding "key=value" lines. Section and key
// names match without regard to case, the first match wins, blanks around names and values
// are trimmed. Setting a key changes that one line and keeps the rest of the text as it was;
// a missing section or key is appended. Used for template files and the settings file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
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

private:
    enum class Eol : uint8_t { None, Lf, CrLf, Cr };
    struct Line {
        uint32_t start;    // offset of the text in base_, or index into edits_ when edited
        uint32_t size = 0; // bytes of text in base_, line ending excluded (unused once edited)
        uint32_t next;     // following line in file order, kNoLine after the last
        Eol eol;           // how the line ends
        bool edited;       // text lives in edits_ rather than base_
    };
    static constexpr uint32_t kNoLine = UINT32_MAX;

    std::string_view TextOf(const Line& line) const;
    void SetText(uint32_t line, std::string text);
    uint32_t AddLineAfter(uint32_t at, std::string text); // at = kNoLine: at the end
    void Terminate(uint32_t line);
    void Parse();

    std::string base_;               // the text as parsed; unchanged lines point into it
    std::vector<std::string> edits_; // text of changed and added lines
    std::vector<Line> lines_;        // every line; order is the next-chain from first_
    uint32_t first_ = kNoLine;       // first line of the file
    uint32_t last_ = kNoLine;        // last line of the file
    Eol newEol_ = Eol::Lf;           // ending for added lines: the file's own first ending
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
    };
    using NameMap = std::unordered_map<std::string, uint32_t, NameHash, std::equal_to<>>;
    // Lower-cased section name -> line after which a new key of its first occurrence goes.
    NameMap sectionTail_;
    // Lower-cased "section\nkey" -> the first matching key line of the first such section.
    NameMap keyLine_;
};

// Names that can be written so that they read back: a section without "]" or line breaks;
// a key that is not empty, has no "=" or line breaks and does not start with ";" or "[".
// Blanks around either name do not count. Set and WriteProfileString refuse other names.
bool IsProfileSectionName(std::string_view section);
bool IsProfileKeyName(std::string_view key);
// A value as it is written: line breaks and NUL bytes become blanks (a value is one line).
std::string ProfileLineValue(std::string_view value);

// File operations with the semantics of GetPrivateProfileString / WritePrivateProfileString.
// ReadProfileString gives the default when the file, section or key is missing.
std::string ReadProfileString(const std::string& path, std::string_view section, std::string_view key,
                              std::string_view def);
// Change one key of the file (creating the file and section when missing), replacing the file
// atomically. False when the file could not be written, is larger than kProfileFileMax (it is
// kept rather than cut), or a name cannot be written.
bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

} // namespace orb
