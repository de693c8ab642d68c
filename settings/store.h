// Typed reads and writes of the stored settings, and the load, validate and save operations
// on whole records. Every value is stored as text under "SOFTWARE\Brightquill\ZEFO_Orbis\" + section.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/records.h"
#include "settings/store_backend.h"

namespace orb {

// A stored text of this many bytes or more does not fit the read buffer and reads as the default.
inline constexpr size_t kStoreReadBuffer = 128;

class SettingsStore {
public:
    explicit SettingsStore(StoreBackend& backend) : backend_(backend) {}
    StoreBackend& Backend() { return backend_; }

    // ---- value operations ----
    // The stored text, or the default when absent or too long for the read buffer.
    std::string ReadText(std::string_view section, std::string_view name, std::string_view def);
    // Numeric reads: the stored text converted when numeric and in range of the type
    // (integers and longs round halves to even), otherwise the default.
    int16_t ReadInteger(std::string_view section, std::string_view name, int16_t def);
    int32_t ReadLong(std::string_view section, std::string_view name, int32_t def);
    float ReadReal(std::string_view section, std::string_view name, float def);
    // Read by a definition's type with its default (text values are not numeric: use ReadText).
    double Read(std::string_view section, const SettingDef& d);
    // Write a text, blanks trimmed from both ends.
    bool WriteText(std::string_view section, std::string_view name, std::string_view text);
    // Write a number as text: integer kinds as plain decimal, reals as the shortest text.
    bool WriteNumber(std::string_view section, std::string_view name, double v, ValueType type);

    // ---- record operations ----
    void LoadGalaxyType(GalaxyType& t, int slot, std::string_view section);
    void LoadAllGalaxyTypes(GalaxyTables& tables);       // load and validate slots 0..31
    bool SaveGalaxyType(const GalaxyType& t, std::string_view section);
    bool SaveAllGalaxyTypes(GalaxyTables& tables);       // validate, then save slots 0..31
    void LoadComposite(CompositeGalaxy& c, int slot, std::string_view section);
    void LoadAllComposites(GalaxyTables& tables);        // load and validate slots 0..15
    bool SaveComposite(const CompositeGalaxy& c, std::string_view section);
    bool SaveAllComposites(const GalaxyTables& tables);  // slots 0..15, not validated here

    // The 29 universe values with their defaults (not clamped: the dialog and engine clamp).
    UniverseSettings LoadUniverse();
    bool SaveUniverse(const UniverseSettings& u);
    // AnimationType = 0, the universe values, all galaxy types, all composites; one commit.
    bool SaveAllSettings(const UniverseSettings& u, GalaxyTables& tables);

    // Advanced values as their stored texts (defaults from the table).
    std::string ReadAdvanced(A a);
    bool WriteFactoryAdvanced();

    // General markers: -1 when absent or not numeric.
    int16_t AnimationType() { return ReadInteger(kSectionGeneral, kAnimationType, -1); }
    int16_t ResetSettings() { return ReadInteger(kSectionGeneral, kResetSettings, -1); }

    // Saver start-up: with no AnimationType stored, the factory galaxy types of the first set
    // are applied and saved (AnimationType itself stays absent). True when it wrote them.
    bool EnsureFactoryGalaxyTypes(GalaxyTables& tables);

private:
    std::optional<std::string> ReadFitting(std::string_view section, std::string_view name);
    StoreBackend& backend_;
};

std::string KeyPath(std::string_view section);     // "SOFTWARE\Brightquill\ZEFO_Orbis\" + section
std::string GalaxySection(int slot);               // "Universe\Galaxy" + slot
std::string CompositeSection(int slot);            // "Universe\CompGal" + slot

// Parse a stored text as a value of the given type; nothing when not numeric or out of the
// type's representable range (a 16-bit integer read of 70000 is not a value).
std::optional<double> ParseStoredNumber(std::string_view text, ValueType type);

// Text form of a number for storing.
std::string FormatNumber(double v, ValueType type);

} // namespace orb
