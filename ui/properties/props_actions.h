// The Properties dialog's operations that touch the store or files: opening, Reset Properties
// with its backup, and the Accept save. The window calls them with its fields and lists; they
// report what the window must show.
#pragma once

#include <string>
#include <string_view>

#include "settings/records.h"
#include "settings/store.h"
#include "settings/universe_fields.h"
#include "ui/fields/messages.h"
#include "ui/properties/opening.h"

namespace orb {

// Factory sets as the Edit menu names them.
inline constexpr int kResetSet30 = 0; // "Orbelune 3.0"
inline constexpr int kResetSet20 = 1; // "Orbelune 2.0"

// The settings file of a store backed by a file, empty otherwise (named in failure messages).
std::string SettingsFileOf(StoreBackend& backend);

// The backup a reset makes: propsave.orb beside the settings file.
std::string PropsaveBackupPath();

// ---- opening ----

// What opening did, for the window to show.
struct OpeningResult {
    OpeningLoad load = OpeningLoad::Stored; // what was loaded
    bool saveFailed = false;                // ResetAndSave: the store refused the save
};
// Opening (after the window has filled its lists): loads the stored galaxy types, composites and
// universe values into the tables and fields; when ResetSettings is absent writes it as 1 and asks
// `welcome` (a callable returning true when the user chose the reset; the stored settings are in
// the tables and fields then, for its backup); then resets as DecideOpeningLoad says. The window
// then fills its lists from the tables.
template <typename Welcome>
OpeningResult OpenProperties(SettingsStore& store, GalaxyTables& tables, UniverseFields& fields,
                             Welcome&& welcome);
// The two halves of OpenProperties: the stored settings into the tables and fields, then the
// reset the Welcome answer and the markers call for.
void LoadStoredProperties(SettingsStore& store, GalaxyTables& tables, UniverseFields& fields);
OpeningResult FinishOpening(SettingsStore& store, GalaxyTables& tables, UniverseFields& fields,
                            bool welcomeShown, bool welcomeReset);

// ---- Reset Properties ----

// The reset question, naming the backup file by its full path.
std::string ResetQuestionText(int set, std::string_view backupPath);
// The message shown when the backup could not be written.
std::string BackupFailedText(std::string_view backupPath);

// Reset (set) without asking: writes the factory advanced values to the store at once, replaces
// the galaxy types and composites in memory with the set's, and puts universe theme 1 (in the
// set's variant) into the fields. The window then rewrites the galaxy list (WeightLines), selects
// line 0, shows "< NONE >" then item 1 of the universe themes and the first Extras page.
// False when the store refused the advanced values (the rest is done all the same).
bool ResetProperties(int set, SettingsStore& store, GalaxyTables& tables, UniverseFields& fields);

enum class ResetOutcome : uint8_t {
    Cancelled,    // Cancel, or the box closed: nothing changed
    Reset,        // reset done (after the backup when Yes was chosen)
    BackupFailed, // Yes, but the backup could not be written: nothing reset, the message shown
};
struct ResetReport {
    ResetOutcome outcome = ResetOutcome::Cancelled;
    bool advancedWritten = true; // false when the store refused the advanced values
};
// The Edit menu's reset: asks with Yes/No/Cancel; Yes saves a template of the current settings to
// backupPath first (creating its folder; the dialog's current template path is not touched) and
// resets only when that worked; No resets; Cancel does nothing.
ResetReport RunResetProperties(int set, Messages& messages, SettingsStore& store, GalaxyTables& tables,
                               UniverseFields& fields, const std::string& backupPath);

// ---- Accept ----

// Accept: AnimationType = 0, the universe values read from the fields, the 32 galaxy types
// (validated) and the 16 composites, in one commit. On failure the message naming the settings
// file is shown and false returned: the window stays open.
bool AcceptSave(SettingsStore& store, const UniverseFields& fields, GalaxyTables& tables, Messages& messages);
std::string SaveFailedText(std::string_view settingsFile);

// ---- implementation of the template ----
template <typename Welcome>
OpeningResult OpenProperties(SettingsStore& store, GalaxyTables& tables, UniverseFields& fields,
                             Welcome&& welcome) {
    LoadStoredProperties(store, tables, fields);
    const bool shown = ShowsWelcome(store.ResetSettings());
    bool reset = false;
    if (shown) {
        store.WriteNumber(kSectionGeneral, kResetSettings, 1, ValueType::Integer);
        reset = welcome();
    }
    return FinishOpening(store, tables, fields, shown, reset);
}

} // namespace orb
