#include "platform/file_store_backend.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace orb {

namespace {

std::string_view TrimName(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// The settings are private to the user: their directory and a new file are not for others.
constexpr uint32_t kDirectoryMode = 0700;
constexpr uint32_t kNewFileMode = 0600;

// The settings file as parsed at one moment; reads match FileStoreBackend's, writes fail.
class ProfileSnapshot : public StoreBackend {
  public:
    explicit ProfileSnapshot(ProfileText text) : text_(std::move(text)) {}
    std::optional<std::string> Read(std::string_view keyPath, std::string_view valueName) override {
        return text_.Get(keyPath, valueName);
    }
    bool Write(std::string_view, std::string_view, std::string_view) override { return false; }
    std::unique_ptr<StoreBackend> Snapshot() override { return std::make_unique<ProfileSnapshot>(text_); }

  private:
    ProfileText text_; // the file's parse, pending writes applied
};

} // namespace

std::string DefaultSettingsPath() {
    std::string base;
    // A relative XDG_CONFIG_HOME is invalid and ignored.
    if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && x[0] == '/') {
        base = x;
    } else if (const char* home = std::getenv("HOME"); home && home[0]) {
        base = std::string(home) + "/.config";
    } else if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) {
        base = std::string(pw->pw_dir) + "/.config";
    } else {
        base = ".config";
    }
    return base + "/orbelune/orbelune.ini";
}

FileStoreBackend::FileStoreBackend() : FileStoreBackend(DefaultSettingsPath()) {}

FileStoreBackend::FileStoreBackend(std::string path) : path_(std::move(path)) {}

FileStoreBackend::~FileStoreBackend() {
    if (!pending_.empty()) Commit();
}

void FileStoreBackend::Forget() {
    cacheValid_ = false;
    cacheSignature_.reset();
    cache_ = ProfileText();
    pin_.Reset();
}

void FileStoreBackend::Refresh() {
    // Within a batch the file is looked at once, so one load sees one version of it.
    if (depth_ > 0 && checkedThisBatch_) return;
    checkedThisBatch_ = depth_ > 0;
    auto now = StatSignature(path_);
    if (cacheValid_ && now == cacheSignature_) return;
    FileContents f = ReadFileLimited(path_, kProfileFileMax);
    Forget();
    if (f.status == ReadStatus::Error) return; // read as defaults, try again next time
    cacheValid_ = true;
    cacheWhole_ = f.status != ReadStatus::TooLarge;
    if (f.status == ReadStatus::Missing) return;
    cache_ = ProfileText(f.data);
    cacheSignature_ = f.signature;
    pin_ = std::move(f.fd);
}

std::unique_ptr<StoreBackend> FileStoreBackend::Snapshot() {
    // Outside a batch, or first thing in one, this compares the cache with the file; later in
    // a batch the batch's one look at the file stands.
    Refresh();
    if (!cacheValid_) return nullptr; // the file exists but could not be read
    ProfileText text = cache_;
    for (const PendingWrite& w : pending_)
        text.Set(pendingSections_[w.section], w.name, w.text);
    return std::make_unique<ProfileSnapshot>(std::move(text));
}

const std::string& FileStoreBackend::PendingKey(uint32_t section, std::string_view name) {
    thread_local std::string key;
    key.assign(reinterpret_cast<const char*>(&section), sizeof section);
    key.append(AsciiLower(TrimName(name)));
    return key;
}

std::optional<std::string> FileStoreBackend::Read(std::string_view keyPath, std::string_view valueName) {
    if (!pending_.empty()) {
        // The batch's own writes win over the file.
        auto sec = pendingSectionIndex_.find(AsciiLower(TrimName(keyPath)));
        if (sec != pendingSectionIndex_.end()) {
            auto it = pendingIndex_.find(std::string_view(PendingKey(sec->second, valueName)));
            if (it != pendingIndex_.end()) {
                std::string_view v = TrimName(pending_[it->second].text);
                return std::string(v.substr(0, std::min(v.size(), kProfileValueMax)));
            }
        }
    }
    Refresh();
    return cache_.Get(keyPath, valueName);
}

bool FileStoreBackend::Write(std::string_view keyPath, std::string_view valueName, std::string_view text) {
    if (!IsProfileKeyName(valueName)) return false;
    // Writes come grouped by key path: the last one is the usual match.
    uint32_t section;
    if (!pendingSections_.empty() && pendingSections_.back() == keyPath) {
        section = static_cast<uint32_t>(pendingSections_.size() - 1);
    } else {
        if (!IsProfileSectionName(keyPath)) return false;
        auto [sec, added] =
            pendingSectionIndex_.try_emplace(AsciiLower(TrimName(keyPath)), pendingSections_.size());
        if (added) pendingSections_.emplace_back(keyPath);
        section = sec->second;
    }
    auto [it, added] = pendingIndex_.try_emplace(PendingKey(section, valueName), pending_.size());
    if (added)
        pending_.push_back({section, std::string(valueName), ProfileLineValue(text)});
    else
        pending_[it->second].text = ProfileLineValue(text);
    return depth_ > 0 || Commit();
}

void FileStoreBackend::BeginBatch() {
    if (depth_++ == 0) checkedThisBatch_ = false;
}

bool FileStoreBackend::EndBatch() {
    if (depth_ == 0) return true; // unbalanced: nothing is open
    if (--depth_ > 0) return true;
    checkedThisBatch_ = false;
    return Commit();
}

bool FileStoreBackend::Commit() {
    if (pending_.empty()) return true;
    std::vector<PendingWrite> writes = std::move(pending_);
    std::vector<std::string> sections = std::move(pendingSections_);
    pending_.clear();
    pendingSections_.clear();
    pendingSectionIndex_.clear();
    pendingIndex_.clear();

    if (!EnsureParentDirectory(path_, kDirectoryMode)) return false;
    // Writers of this file serialise on the lock; each merges into what the last one left.
    FileLock lock(path_ + ".lock");
    if (!lock.Held()) return false;
    RemoveStaleTemps(path_);

    ProfileText doc;
    uint32_t mode = kNewFileMode;
    auto now = StatSignature(path_);
    // The cached parse stands in for a re-read only when it holds the whole file: writing back
    // a parse cut at the read limit would truncate it.
    if (cacheValid_ && cacheWhole_ && now && now == cacheSignature_) {
        doc = std::move(cache_);
        mode = now->mode;
    } else {
        FileContents f = ReadFileLimited(path_, kProfileFileMax);
        // A file past the read limit, or one that cannot be read, is kept rather than rewritten
        // from part of it.
        if (f.status == ReadStatus::TooLarge || f.status == ReadStatus::Error) {
            Forget();
            return false;
        }
        if (f.status == ReadStatus::Ok) {
            doc = ProfileText(f.data);
            mode = f.signature.mode;
        }
    }
    for (const PendingWrite& w : writes)
        doc.Set(sections[w.section], w.name, w.text);

    ReplaceResult r = ReplaceFileAtomically(path_, doc.Serialize(), mode);
    Forget();
    if (!r.ok) return false;
    cache_ = std::move(doc);
    cacheSignature_ = r.signature;
    pin_ = std::move(r.fd);
    cacheValid_ = true;
    cacheWhole_ = true;
    return true;
}

} // namespace orb
