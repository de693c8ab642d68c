// ReadProfileString and WriteProfileString over whole files.
#include <mutex>

#include "platform/atomic_file.h"
#include "platform/profile_file.h"

namespace orb {

namespace {

// Loading a template reads every value of one file in turn; the parse of the last file read
// is kept until the file changes, so each read costs a stat rather than a parse.
struct ParsedFileCache {
    std::mutex mutex;        // guards the fields below
    std::string path;        // the file parsed; empty (no file) until the first parse
    FileSignature signature; // its identity when parsed
    UniqueFd pin;            // keeps that inode allocated, so a replacement gets another number
    ProfileText text;        // the parse
};

ParsedFileCache& Cache() {
    static ParsedFileCache cache;
    return cache;
}

std::string CutValue(std::string_view v) {
    return std::string(v.substr(0, std::min(v.size(), kProfileValueMax)));
}

} // namespace

std::string ReadProfileString(const std::string& path, std::string_view section, std::string_view key,
                              std::string_view def) {
    ParsedFileCache& c = Cache();
    std::lock_guard lock(c.mutex);
    auto now = StatSignature(path);
    if (!now) return CutValue(def);
    // A failed read leaves path, signature and text as they were: still one parse of one file.
    if (c.path != path || !(c.signature == *now)) {
        FileContents f = ReadFileLimited(path, kProfileFileMax);
        if (f.status != ReadStatus::Ok && f.status != ReadStatus::TooLarge) return CutValue(def);
        c.text = ProfileText(f.data);
        c.path = path;
        c.signature = f.signature;
        c.pin = std::move(f.fd);
    }
    auto v = c.text.Get(section, key);
    return v ? *v : CutValue(def);
}

bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    if (!IsProfileSectionName(section) || !IsProfileKeyName(key)) return false;
    FileContents f = ReadFileLimited(path, kProfileFileMax);
    // Writing back a file cut at the read limit, or one that could not be read, would lose data.
    if (f.status != ReadStatus::Ok && f.status != ReadStatus::Missing) return false;
    bool existed = f.status == ReadStatus::Ok;
    ProfileText text(f.data);
    text.Set(section, key, value);
    ReplaceResult r = ReplaceFileAtomically(
        path, text.Serialize(), existed ? std::optional<uint32_t>(f.signature.mode) : std::nullopt);
    if (!r.ok) return false;
    ParsedFileCache& c = Cache();
    std::lock_guard lock(c.mutex);
    c.text = std::move(text);
    c.path = path;
    c.signature = r.signature;
    c.pin = std::move(r.fd);
    return true;
}

} // namespace orb
