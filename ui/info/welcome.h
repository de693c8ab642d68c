// The Welcome window without its window: which text it shows and the backup of the stored
// settings its reset makes. When it is shown and what the Properties dialog does afterwards are
// the dialog's opening rules.
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

// The window's text (lines joined with "\n") and its dismiss button's caption.
std::string WelcomeText(WelcomeKind kind);
const char* WelcomeDismissCaption(WelcomeKind kind);
inline constexpr const char* kWelcomeTitle = "Welcome to Orbelune 3.0.";
inline constexpr const char* kWelcomeResetCaption = "Reset Properties to the Orbelune 3.0 Factory Settings";
// Write every stored setting to a template at `path` the way the command line's export does
// (Advanced and universe values, galaxy types, composites; the first factory set's galaxy types
// when nothing was ever saved), creating the folder when needed. Anything but Done means the
// file was not written and nothing may be reset.
TemplateStatus BackupStoredSettings(StoreBackend& backend, const std::string& path,
                                    ProgressSink* progress = nullptr);

} // namespace orb
