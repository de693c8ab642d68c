// The per-user settings file: one private-profile text file, sections named by the full key
// path ("[SOFTWARE\Brightquill\ZEFO_Orbis\Universe]"), one "name=text" line per value.
// The saver and the Properties dialog run as separate processes and may save at the same time:
// every commit takes an exclusive lock, re-reads the file, merges its own changes in and
// replaces the file atomically, so no write is lost and a crash never leaves a torn file.
#pragma once

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

    const std::string& Path() const { return path_; }

  private:
    struct PendingWrite {
        std::string keyPath; // section
        std::string name;    // value name
        std::string text;    // value as it will be written (one line)
    };
    bool Commit();
    void Refresh();
    void Forget();

    std::string path_;                  // the settings file
    int depth_ = 0;                     // nesting depth of open batches
    bool checkedThisBatch_ = false;     // the cache was compared with the file in this batch
    std::vector<PendingWrite> pending_; // writes of the open batch, in order
    std::unordered_map<std::string, size_t> pendingIndex_; // lower-cased "keypath\nname" -> pending_
    bool cacheValid_ = false;                     // cache_ reflects the file as identified by cacheSignature_
    std::optional<FileSignature> cacheSignature_; // of the file parsed; nothing: there was no file
    ProfileText cache_;                           // parse of the file as last read or written
    UniqueFd pin_; // the parsed file, kept open so its inode number is not reused
};

} // namespace orb
