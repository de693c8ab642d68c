// The per-user settings file: one private-profile text file, sections named by the full key
// path ("[SOFTWARE\Brightquill\ZEFO_Orbis\Universe]"), one "name=text" line per value.
// The saver and the Properties dialog run as separate processes and may save at the same time:
// every commit takes an exclusive lock, re-reads the file, merges its own changes in and
// replaces the file atomically, so no write is lost and a crash never leaves a torn file.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/profile_file.h"
#include "settings/store_backend.h"

namespace orb {

// $XDG_CONFIG_HOME/orbelune/orbelune.ini, or ~/.config/orbelune/orbelune.ini.
std::string DefaultSettingsPath();

class FileStoreBackend : public StoreBackend {
  public:
    FileStoreBackend(); // the user's settings file (DefaultSettingsPath)
    explicit FileStoreBackend(std::string path);
    ~FileStoreBackend() override; // commits writes of a batch left open
    FileStoreBackend(const FileStoreBackend&) = delete;
    FileStoreBackend& operator=(const FileStoreBackend&) = delete;

    std::optional<std::string> Read(std::string_view keyPath, std::string_view valueName) override;
    // Outside a batch the value is on disk when this returns true; inside, it is committed by
    // the outermost EndBatch.
    bool Write(std::string_view keyPath, std::string_view valueName, std::string_view text) override;
    void BeginBatch() override;
    bool EndBatch() override; // false when the outermost commit failed
    // One read of the file (with the open batch's writes on top). A save replaces the file by a
    // rename, so one read sees exactly one save; no lock is needed. Nothing when it cannot be read.
    std::unique_ptr<StoreBackend> Snapshot() override;

    const std::string& Path() const { return path_; }

  private:
    struct PendingWrite {
        uint32_t section; // index into pendingSections_
        std::string name; // value name
        std::string text; // value as it will be written (one line)
    };
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
    };
    using NameMap = std::unordered_map<std::string, uint32_t, NameHash, std::equal_to<>>;
    const std::string& PendingKey(uint32_t section, std::string_view name);
    bool Commit();
    void Refresh();
    void Forget();

    std::string path_;                            // the settings file
    int depth_ = 0;                               // nesting depth of open batches
    bool checkedThisBatch_ = false;               // the cache was compared with the file in this batch
    std::vector<PendingWrite> pending_;           // writes of the open batch, in order
    std::vector<std::string> pendingSections_;    // key paths of the pending writes, as first written
    NameMap pendingSectionIndex_;                 // lower-cased, trimmed key path -> pendingSections_
    NameMap pendingIndex_;                        // section index + lower-cased value name -> pending_
    bool cacheValid_ = false;                     // cache_ reflects the file as identified by cacheSignature_
    std::optional<FileSignature> cacheSignature_; // of the file parsed; nothing: there was no file
    ProfileText cache_;                           // parse of the file as last read or written
    bool cacheWhole_ = false;                     // cache_ holds all of the file, not a cut at the read limit
    UniqueFd pin_; // the parsed file, kept open so its inode number is not reused
};

} // namespace orb
