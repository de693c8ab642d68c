// Process-wide values, owned by the program's entry point and handed to every window and loop.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "settings/templates.h"

namespace orb {

enum class RunMode : int16_t { ApplicationWindow = 0, Normal = 1, Preview = 2 };

struct AppState {
    RunMode runMode = RunMode::Normal;       // RunMode: which kind of window hosts the animation
    int64_t previewHostWindow = 0;           // PreviewHostWindow: host window id given with /P, 0 if none
    std::atomic<bool> stopFlag{false};       // StopFlag: ends the running animation at its next stop test
    std::atomic<bool> previewCancel{false};  // PreviewCancel: ends an in-dialog preview
    std::atomic<bool> exitRequested{false};  // ExitRequested: the dialog's File menu asked to end the program
    int16_t twipsPerPixelX = 15;             // TwipsPerPixelX: layout units (1/1440 inch) per pixel
    int16_t twipsPerPixelY = 15;             // TwipsPerPixelY
    std::string helpFileName = "Orbis30.hlp";  // HelpFileName
    TemplateState templates;                 // CurrentTemplateFile and the template dialog's last folder
};

// Twips per pixel for a screen of the given logical dots per inch; 15 (96 dpi) without a screen.
int16_t TwipsPerPixelFromDpi(double dpi);

} // namespace orb
