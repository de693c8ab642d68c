#include "ui/properties/props_actions.h"

#include "platform/atomic_file.h"
#include "platform/file_store_backend.h"
#include "settings/presets.h"
#include "settings/templates.h"
#include "ui/properties/universe_specs.h"

namespace orb {

namespace {
constexpr std::string_view kPropsaveName = "propsave.orb";
constexpr uint32_t kFolderMode = 0700; // the settings folder is the user's own
} // namespace

std::string SettingsFileOf(StoreBackend& backend) {
    if (auto* file = dynamic_cast<FileStoreBackend*>(&backend)) return file->Path();
    return {};
}

std::string PropsaveBackupPath() {
    const std::string settings = DefaultSettingsPath();
    const size_t slash = settings.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : settings.substr(0, slash);
    return folder + "/" + std::string(kPropsaveName);
}

void LoadStoredProperties(SettingsStore& store, GalaxyTables& tables, UniverseFields& fields) {
    store.LoadAllGalaxyTypes(tables);
    ShowUniverse(store.LoadUniverse(), fields);
    store.LoadAllComposites(tables);
}

OpeningResult FinishOpening(SettingsStore& store, GalaxyTables& tables, UniverseFields& fields,
                            bool welcomeShown, bool welcomeReset) {
    OpeningResult r;
    r.load = DecideOpeningLoad(welcomeShown, welcomeReset, store.AnimationType());
    if (r.load == OpeningLoad::Stored) return r;
    ResetProperties(kResetSet30, store, tables, fields);
    if (r.load == OpeningLoad::ResetAndSave)
        r.saveFailed = !store.SaveAllSettings(ReadUniverseFields(fields), tables);
    return r;
}

std::string ResetQuestionText(int set, std::string_view backupPath) {
    std::string t = "Do you really want to reset the Properties to the ";
    t += set == kResetSet20 ? "Orbelune 2.0 factory settings?" : "Orbelune 3.0 factory settings?";
    t += "\n\nYes      - Save current settings to '";
    t += backupPath;
    t += "' then Reset the Properties.\n";
    t += "No       - Reset Properties without saving current settings.\n";
    t += "Cancel - Don't Reset or Save Properties.";
    return t;
}

std::string BackupFailedText(std::string_view backupPath) {
    std::string t = "The current settings could not be saved to '";
    t += backupPath;
    t += "'.\n\nThe Properties were not reset.";
    return t;
}

bool ResetProperties(int set, SettingsStore& store, GalaxyTables& tables, UniverseFields& fields) {
    const bool advanced = store.WriteFactoryAdvanced();
    ApplyFactoryComposites(tables, set);
    ApplyFactoryGalaxyTypes(tables, set);
    LoadUniverseTheme(1, set == kResetSet20, fields);
    return advanced;
}

ResetReport RunResetProperties(int set, Messages& messages, SettingsStore& store, GalaxyTables& tables,
                               UniverseFields& fields, const std::string& backupPath) {
    ResetReport r;
    const MessageAnswer answer =
        messages.Show(MessageIcon::Question, MessageButtons::YesNoCancel, ResetQuestionText(set, backupPath));
    if (answer != MessageAnswer::Yes && answer != MessageAnswer::No) return r;
    if (answer == MessageAnswer::Yes) {
        TemplateState backup; // the dialog's own current template stays as it is
        backup.currentTemplateFile = backupPath;
        const bool saved = EnsureParentDirectory(backupPath, kFolderMode) &&
                           SaveTemplate(backup, store, fields, tables) == TemplateStatus::Done;
        if (!saved) {
            messages.Warn(BackupFailedText(backupPath));
            r.outcome = ResetOutcome::BackupFailed;
            return r;
        }
    }
    r.advancedWritten = ResetProperties(set, store, tables, fields);
    r.outcome = ResetOutcome::Reset;
    return r;
}

std::string SaveFailedText(std::string_view settingsFile) {
    if (settingsFile.empty()) return "The settings could not be saved.";
    std::string t = "The settings could not be saved to '";
    t += settingsFile;
    t += "'.\n\nCheck that its folder can be written, then try again.";
    return t;
}

bool AcceptSave(SettingsStore& store, const UniverseFields& fields, GalaxyTables& tables,
                Messages& messages) {
    if (store.SaveAllSettings(ReadUniverseFields(fields), tables)) return true;
    messages.Warn(SaveFailedText(SettingsFileOf(store.Backend())));
    return false;
}

} // namespace orb
