// The Welcome window without its window: which text it shows, where its reset backs up the
// stored settings, the backup itself, and what the Properties dialog does afterwards.
#pragma once

#include <string>

#include "settings/store.h"
#include "settings/templates.h"

namespace orb {

enum class WelcomeKind {
    Greeting, // no settings were ever saved: a new user
    Upgrade,  // settings of an earlier version exist: offer the factory reset
};

// Greeting when the store holds no AnimationType, otherwise the upgrade notice.
WelcomeKind DecideWelcome(SettingsStore& store);

// Whether the opening Properties dialog shows the Welcome window: true once per user, when no
// ResetSettings is stored; it is then written as 1 so that the next opening goes straight on.
bool WelcomeDue(SettingsStore& store);

// After the Welcome window: the dialog resets to the factory settings when the user chose the
// reset (and its backup was written) or when no settings were ever saved.
bool ResetAfterWelcome(bool resetRequested, SettingsStore& store);

// The window's text (lines joined with "\n") and its dismiss button's caption.
std::string WelcomeText(WelcomeKind kind);
const char* WelcomeDismissCaption(WelcomeKind kind);
inline constexpr const char* kWelcomeTitle = "Welcome to Orbelune 3.0.";
inline constexpr const char* kWelcomeResetCaption = "Reset Properties to the Orbelune 3.0 Factory Settings";
inline constexpr const char* kBackupFileName = "propsave.orb";

// Where the reset backs up the settings: propsave.orb beside the settings file.
std::string WelcomeBackupPath(const std::string& settingsFile);

// Write every stored setting to a template at `path` the way the command line's export does
// (Advanced and universe values, galaxy types, composites; the first factory set's galaxy types
// when nothing was ever saved), creating the folder when needed. Anything but Done means the
// file was not written and nothing may be reset.
TemplateStatus BackupStoredSettings(StoreBackend& backend, const std::string& path,
                                    ProgressSink* progress = nullptr);

// The message shown when the backup fails.
std::string BackupFailedMessage(const std::string& path);

} // namespace orb
