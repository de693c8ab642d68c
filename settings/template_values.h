// Values and records in a template (.orb) file. A template is read by parsing its file once and
// built in memory before it is written in one go, so these operations work on the parsed text;
// LoadTemplateFile and WriteTemplateFile are the only file accesses.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/profile_file.h"
#include "settings/records.h"
#include "settings/store.h"

namespace orb {

inline constexpr std::string_view kSectionAdmin = "Admin";
inline constexpr std::string_view kTemplateGalaxyPrefix = "UniGal";     // + slot 0..31
inline constexpr std::string_view kTemplateCompositePrefix = "CompGal"; // + slot 0..15
inline constexpr std::string_view kTemplateProduct = "Orbelune";
inline constexpr std::string_view kTemplateVersion = "3.0";
inline constexpr std::string_view kTemplateCopyright = "Copyright (C) the Orbelune developers";

std::string TemplateGalaxySection(int slot);    // "UniGal" + slot
std::string TemplateCompositeSection(int slot); // "CompGal" + slot

// A number converted to a type without overflow: integer kinds round halves to even and
// saturate to 16 or 32 bits, reals saturate to the largest single.
double SaturateToType(double v, ValueType type);
// Text of a number as templates hold it and fields show it: integers plain decimal, reals the
// shortest text that reads back as the same single.
std::string NumberText(double v, ValueType type);

// The value's text (at most kProfileValueMax characters), or the default when absent.
std::string ReadTemplateText(const ProfileText& tpl, std::string_view section, std::string_view key,
                             std::string_view def);
// The value read as the store reads numbers: numeric text converted to the type (integers
// round halves to even), anything else or a number the type cannot hold gives the default.
double ReadTemplateNumber(const ProfileText& tpl, std::string_view section, std::string_view key, double def,
                          ValueType type);
double ReadTemplateNumber(const ProfileText& tpl, std::string_view section, const SettingDef& d);

// Set one value; line breaks become blanks so a value cannot break the file's structure.
void WriteTemplateValue(ProfileText& tpl, std::string_view section, std::string_view key,
                        std::string_view text);
void WriteTemplateNumber(ProfileText& tpl, std::string_view section, std::string_view key, double v,
                         ValueType type);

// Stored text (default when absent) into the template, and template text into the store.
void CopyStoreToTemplate(SettingsStore& store, ProfileText& tpl, std::string_view section,
                         std::string_view key, std::string_view def);
bool CopyTemplateToStore(const ProfileText& tpl, SettingsStore& store, std::string_view section,
                         std::string_view key, std::string_view def);

// Galaxy type of a slot in section UniGal + slot: weight, name and the 46 properties.
void WriteTemplateGalaxy(ProfileText& tpl, int slot, const GalaxyType& t);
// Read with the defaults; a name too long for the store becomes the slot's default name. Not validated.
void ReadTemplateGalaxy(const ProfileText& tpl, int slot, GalaxyType& t);
// Composite of a slot in section CompGal + slot: name, weight, count, GalaxyIndex_ + position.
void WriteTemplateComposite(ProfileText& tpl, int slot, const CompositeGalaxy& c);
// Read with the defaults; members beyond position 31 are never read. Not validated.
void ReadTemplateComposite(const ProfileText& tpl, int slot, CompositeGalaxy& c);

// The parsed file (at most kProfileFileMax bytes of it), or nothing when no readable regular
// file has this path.
std::optional<ProfileText> LoadTemplateFile(const std::string& path);
// Replace the file with the template: written to a new file beside it, flushed, then renamed
// over it, so the path holds the old file or the whole new one, even after a crash. False
// (and no file left behind) when it could not be written.
bool WriteTemplateFile(const std::string& path, const ProfileText& tpl);

} // namespace orb
