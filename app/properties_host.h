// The Properties dialog over the application window: any key but Escape and F5, or a click,
// freezes the animation and opens the dialog modally; when it closes a fresh run starts with the
// new settings, or the program ends after File > Exit.
#pragma once

#include <memory>

#include "app/core/app_state.h"
#include "app/screen_window.h"
#include "settings/store.h"
#include "ui/properties/qt/props_window.h"

namespace orb {

// Opens the dialog over `screen` unless one is open already; `properties` holds it while open.
void OpenModalProperties(ScreenWindow& screen, SettingsStore& store, AppState& state,
                         std::unique_ptr<PropertiesWindow>& properties);

} // namespace orb
