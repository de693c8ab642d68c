// Where the program opens the Properties dialog: as the window of configuration mode, and over
// the application window (any key but Escape and F5, or a click, freezes the animation and opens
// it modally; when it closes a fresh run starts with the new settings, or the program ends after
// File > Exit). Both go through FurnishPropertiesWindow, where the program's other windows join
// the dialog.
#pragma once

#include <memory>

#include "app/core/app_state.h"
#include "app/screen_window.h"
#include "settings/store.h"
#include "ui/properties/qt/props_window.h"

namespace orb {

// What the dialog gets from the rest of the program before it loads: the first-use Welcome step
// (for now it answers "no reset").
void FurnishPropertiesWindow(PropertiesWindow& window, AppState& state);

// Configuration mode: the dialog, modeless, holding its caption so that a second start brings it
// to the front instead of opening another; runs until it closes. The exit code.
int RunPropertiesDialog(SettingsStore& store, AppState& state);

// Opens the dialog over `screen` unless one is open already; `properties` holds it while open.
void OpenModalProperties(ScreenWindow& screen, SettingsStore& store, AppState& state,
                         std::unique_ptr<PropertiesWindow>& properties);

} // namespace orb
