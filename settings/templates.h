// Template files (.orb): a complete copy of the settings that the Properties dialog saves and
// opens, and that the command line imports into the store.
#pragma once

#include <cstdint>
#include <string>

#include "settings/records.h"
#include "settings/store.h"
#include "settings/universe_fields.h"

namespace orb {

// Process-wide template state, owned by whoever runs the dialogs.
struct TemplateState {
    std::string currentTemplateFile; // CurrentTemplateFile: full path of the template last opened or saved;
                                     // empty at start
    std::string
        lastTemplateDrive; // LastTemplateDrive: drive (root) the template dialog showed when it last closed
    std::string
        lastTemplateFolder; // LastTemplateFolder: folder the template dialog showed when it last closed
};

// Where a save or open reports how far it has come.
class ProgressSink {
  public:
    virtual ~ProgressSink() = default;
    // `step` of `total` steps done; a dialog fills step/total of its status picture's width.
    virtual void Progress(int step, int total) = 0;
};

inline constexpr int kTemplateProgressSteps = 48;       // 32 galaxy types, then 16 composites
inline constexpr uint32_t kProgressColour = 0x00FFFF00; // cyan: red 0 (low byte), green 255, blue 255

// Report a step to the sink when there is one.
void ShowProgress(ProgressSink* sink, int step, int total);
// Width of the filled box in a picture `scaleWidth` wide: step/total of it, kept inside the picture.
int ProgressFillWidth(int step, int total, int scaleWidth);

enum class TemplateStatus {
    Done,
    Unreadable,  // no readable file at the path: nothing was changed
    Unwritable,  // the file could not be written: the old file (if any) is untouched
    StoreFailed, // the file was read but the store refused some writes
};

// Write the current settings to state.currentTemplateFile, replacing the file as a whole: the
// Advanced values from the store, the universe values from the fields, and the galaxy types
// and composites from memory (each validated in place first).
TemplateStatus SaveTemplate(const TemplateState& state, SettingsStore& store, const UniverseFields& fields,
                            GalaxyTables& tables, ProgressSink* progress = nullptr);

// Read state.currentTemplateFile: the Advanced values go to the store at once, the universe
// values into the fields, the galaxy types and composites (validated) into memory. Missing
// keys read as their defaults.
TemplateStatus OpenTemplate(const TemplateState& state, SettingsStore& store, UniverseFields& fields,
                            GalaxyTables& tables, ProgressSink* progress = nullptr);

// Copy everything the template at `path` holds into the store in one batch: AnimationType,
// the Advanced and universe values, the 32 galaxy types and the 16 composites (validated).
// Missing keys read as their defaults. A path that names no readable file changes nothing.
TemplateStatus ImportTemplateFile(SettingsStore& store, const std::string& path);

// Write every stored setting to a template at `path`: the Advanced and universe values, the
// galaxy types (the first factory set's while nothing was ever saved: the saver runs on those)
// and the composites, all read from one snapshot of the store, so that a save by another process
// meanwhile cannot mix two versions. Unreadable when the store could not be read (nothing is
// written), Unwritable when the file could not be.
TemplateStatus ExportStoredSettings(StoreBackend& backend, const std::string& path,
                                    ProgressSink* progress = nullptr);

} // namespace orb
