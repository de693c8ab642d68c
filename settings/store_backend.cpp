#include "settings/store_backend.h"

namespace orb {

std::string AsciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

namespace {
std::string MemoryKey(std::string_view keyPath, std::string_view valueName) {
    return AsciiLower(keyPath) + '\n' + AsciiLower(valueName);
}
} // namespace

std::optional<std::string> MemoryBackend::Read(std::string_view keyPath, std::string_view valueName) {
    auto it = values_.find(MemoryKey(keyPath, valueName));
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

bool MemoryBackend::Write(std::string_view keyPath, std::string_view valueName, std::string_view text) {
    if (failWrites) return false;
    values_[MemoryKey(keyPath, valueName)] = std::string(text);
    return true;
}

std::unique_ptr<StoreBackend> MemoryBackend::Snapshot() {
    auto copy = std::make_unique<MemoryBackend>(*this);
    copy->failWrites = true;
    return copy;
}

} // namespace orb
