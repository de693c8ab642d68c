// Where stored settings live: a key path (registry-style, "SOFTWARE\Brightquill\ZEFO_Orbis\Universe")
// and a value name map to a text. Key paths and value names match without regard to case.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace orb {

class StoreBackend {
public:
    virtual ~StoreBackend() = default;
    // The stored text, or nothing when the key or value is absent.
    virtual std::optional<std::string> Read(std::string_view keyPath, std::string_view valueName) = 0;
    // Store one text; false when it could not be stored.
    virtual bool Write(std::string_view keyPath, std::string_view valueName, std::string_view text) = 0;
    // Writes between Begin and End may be committed together; End reports whether they all landed.
    virtual void BeginBatch() {}
    virtual bool EndBatch() { return true; }
    // A read-only copy of everything stored, as it stood at one moment, for readers of the whole
    // configuration (an export, a backup): a save by another process meanwhile cannot mix two
    // versions into what they read. Writes to the copy fail. Nothing when the store could not be
    // read (or cannot be copied), which such a reader reports rather than reading defaults.
    virtual std::unique_ptr<StoreBackend> Snapshot() { return nullptr; }
};

// Settings held in memory only (unit tests, the About show's private tables).
class MemoryBackend : public StoreBackend {
public:
    std::optional<std::string> Read(std::string_view keyPath, std::string_view valueName) override;
    bool Write(std::string_view keyPath, std::string_view valueName, std::string_view text) override;
    std::unique_ptr<StoreBackend> Snapshot() override;
    size_t Size() const { return values_.size(); }
    void Clear() { values_.clear(); }
    bool failWrites = false;  // simulate a store that refuses writes

private:
    std::map<std::string, std::string> values_;  // lower-cased "keypath\nname" -> text
};

// Lower-case ASCII copy (key and value names are matched without regard to case).
std::string AsciiLower(std::string_view s);

// Groups the writes of one operation into one commit.
class StoreBatch {
public:
    explicit StoreBatch(StoreBackend& b) : backend_(b) { backend_.BeginBatch(); }
    ~StoreBatch() { if (!ended_) backend_.EndBatch(); }
    bool End() { ended_ = true; return backend_.EndBatch(); }
    StoreBatch(const StoreBatch&) = delete;
    StoreBatch& operator=(const StoreBatch&) = delete;

private:
    StoreBackend& backend_;
    bool ended_ = false;
};

} // namespace orb
