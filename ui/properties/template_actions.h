// Opening and saving templates from the Properties dialog: the template dialog's texts, the
// save path rule, and the open and save operations that leave everything as it was when they
// fail. Window-free; the template dialog and the File menu call these.
#pragma once

#include <string>
#include <string_view>

#include "platform/profile_file.h"
#include "settings/records.h"
#include "settings/store.h"
#include "settings/templates.h"
#include "settings/universe_fields.h"

namespace orb {

// The dialog's state: 0 open, 1 save (no current file yet), 2 save as.
enum class TemplateMode : int { Open = 0, Save = 1, SaveAs = 2 };

struct TemplateDialogTexts {
    std::string_view caption; // window caption
    std::string_view status;  // caption of the progress label
};
TemplateDialogTexts TextsFor(TemplateMode mode);

// The file types offered, description and pattern (the first is chosen at the start).
inline constexpr std::string_view kTemplateTypeName = "Galaxy Templates (*.orb)";
inline constexpr std::string_view kAllFilesTypeName = "All Files (*)";
inline constexpr std::string_view kTemplateExtension = ".orb";

inline constexpr std::string_view kNeedFileName = "Please enter a file name.";
inline constexpr std::string_view kInvalidPath = "Please enter a valid path and file.";
inline constexpr std::string_view kNeedExistingFile = "Please select an existing file.";
inline constexpr std::string_view kNotATemplate =
    "This file is not a Galaxy Template: it holds none of a template's settings. Nothing was loaded.";
inline constexpr std::string_view kUnreadableTemplate = "The template file could not be read.";
inline constexpr std::string_view kAdvancedNotStored =
    "The Advanced Settings of the template could not be stored. Nothing was loaded.";

// The path a save writes: ".orb" appended when the file name (not its folders) holds no ".".
std::string TemplateSavePath(std::string_view path);

// Whether parsed text holds any value of a template's sections (Admin, General, Advanced,
// Universe, UniGal0..31, CompGal0..15).
bool HoldsTemplateValues(const ProfileText& text);

// Where an open or save reads and writes: the store (Advanced values), the dialog's universe
// fields and the galaxy-type and composite tables in memory.
struct TemplateTarget {
    SettingsStore& store;
    UniverseFields& fields;
    GalaxyTables& tables;
};

// Save the settings to `path` as it is (no extension added). On success the path becomes the
// current template file; on failure nothing changes and the message says why.
struct TemplateOutcome {
    bool done = false;
    std::string_view message; // empty when done
};
TemplateOutcome SaveTemplateAt(TemplateState& state, const std::string& path, TemplateTarget target,
                               ProgressSink* progress = nullptr);

// Open the template at `path`. A path that names no file, a file that cannot be read or holds
// no template values, and a store that refuses the Advanced values change nothing (not the
// fields, not the tables, not the current template file). On success the path becomes the
// current template file.
TemplateOutcome OpenTemplateAt(TemplateState& state, const std::string& path, TemplateTarget target,
                               ProgressSink* progress = nullptr);

// The message for a failed "&Save Template" to the current file.
std::string SaveFailedMessage(const std::string& path);

} // namespace orb
