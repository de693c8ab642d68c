// The start-up decision: from the program's file name and its command line, which one window
// (or action) the process hands over to.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "app/core/app_state.h"

namespace orb {

inline constexpr std::string_view kSaverCaption = "ZEFO:Orbelune 3.0";
inline constexpr std::string_view kPropertiesCaption = "Galaxy Properties";

// Whether the program's "<base>.exe" and "<base>.scr" twins lie beside it.
struct ExecutableProbe {
    bool exeExists = false;
    bool scrExists = false;
};
ExecutableProbe ProbeExecutableTwins(std::string_view programPath);

enum class StartAction {
    ApplicationWindow,   // run as an ordinary program: the application window
    OpenProperties,      // show the Properties dialog
    FocusProperties,     // a Properties dialog is open already: bring it to the front
    StartSaver,          // show the full-screen saver
    SaverAlreadyRunning, // a saver window exists: end without effect
    Preview,             // draw inside the host window previewHostWindow
    PasswordChange,      // the system's password change, owned by passwordOwner
    ImportThenSaver,     // import templatePath into the store, then the saver
};

struct StartDecision {
    StartAction action = StartAction::StartSaver;
    RunMode runMode = RunMode::Normal;
    int64_t previewHostWindow = 0;  // for Preview
    int64_t passwordOwner = 0;      // for PasswordChange
    std::string templatePath;       // for ImportThenSaver
};

// windowExists(caption): true when a top-level window with exactly this caption exists.
StartDecision DecideStart(const ExecutableProbe& probe, std::string_view commandLine,
                          const std::function<bool(std::string_view)>& windowExists);

// A window handle from the text after a two-character switch: leading blanks skipped, the
// leading number read, no digits gives 0, rounded (halves to even) and saturated to 32 bits.
int64_t ParseSwitchHandle(std::string_view afterSwitch);

} // namespace orb
