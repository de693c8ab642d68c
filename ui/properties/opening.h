// What the Properties dialog loads when it opens, decided from the two general markers and the
// Welcome window's answer.
#pragma once

#include <cstdint>

namespace orb {

// The dialog shows the Welcome window (and writes ResetSettings = 1) when ResetSettings is absent
// (reads as -1).
bool ShowsWelcome(int16_t resetSettings);

enum class OpeningLoad : uint8_t {
    Stored,       // load the stored universe values and composites
    Reset,        // reset to the "3.0" factory set in the dialog only (saved on Accept)
    ResetAndSave, // reset to the "3.0" set and save all settings at once
};

// welcomeShown: ShowsWelcome was true; welcomeReset: the user chose the Welcome window's reset.
// The Welcome reset resets without asking; otherwise settings never saved (AnimationType -1) are
// reset, and saved at once when the Welcome window was not shown; else the stored ones load.
OpeningLoad DecideOpeningLoad(bool welcomeShown, bool welcomeReset, int16_t animationType);

} // namespace orb
