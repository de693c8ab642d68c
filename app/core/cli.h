// The program's command line: backup and restore of the settings as template files, help and
// version, the long options of the window modes, and otherwise the screen-saver start-up decision.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "settings/store_backend.h"

namespace orb {

inline constexpr std::string_view kProgramVersionLine = "orbelune 3.0";

enum class CliAction {
    Export,     // write the stored settings to a template file
    Import,     // copy a template file into the store
    Help,       // print the usage
    Version,    // print the version line
    Start,      // the screen-saver start-up decision on commandLine
    Window,     // --window: the application window
    Hosted,     // --root, --window-id: draw into a window another program owns (xscreensaver)
    Render,     // --render: the headless renderer, with renderArgs
    UsageError, // an unknown option or a missing file name
};

struct CliCommand {
    CliAction action = CliAction::Start; // what to do
    std::string file;                    // Export and Import: the template path
    std::string commandLine;             // Start: the switches ("/S", "/P 1234", ...) joined by blanks
    int64_t hostWindow = 0;              // Hosted: X11 window id (--window-id)
    bool hostRoot = false;               // Hosted: --root: $XSCREENSAVER_WINDOW, else the root window
    std::optional<uint64_t> seed;        // --seed: fixed random seed instead of the clock
    std::optional<int16_t> frameDelay;   // --delay: frame delay in ms (0..999) instead of Adv_TimeDelay
    std::vector<std::string> renderArgs; // Render: the arguments after --render
    std::string error;                   // UsageError: what was wrong, for the user
};

// What a window mode is asked to run.
enum class WindowMode {
    Saver,             // full-screen saver on every screen
    ApplicationWindow, // the application window
    Preview,           // inside a host window, reduced
    Hosted,            // inside a host window, full settings, input left to the host
    Properties,        // the Properties dialog
};

struct WindowRequest {
    WindowMode mode = WindowMode::Saver; // which window
    int64_t hostWindow = 0;              // Preview, Hosted: X11 window id; 0 for Hosted: the root window
    std::optional<uint64_t> seed;        // fixed random seed, or the clock
    std::optional<int16_t> frameDelay;   // frame delay in ms, or Adv_TimeDelay
};

// The window system as start-up sees it; a build without windows passes none.
class WindowModes {
  public:
    virtual ~WindowModes() = default;
    // True when a window of this program with exactly this caption exists (single instance).
    virtual bool WindowExists(std::string_view caption) = 0;
    // Asks the window with this caption to come to the front; false when there is none.
    virtual bool BringToFront(std::string_view caption) = 0;
    // Runs the window mode until it ends; the result is the exit code.
    virtual int Run(const WindowRequest& request, std::ostream& err) = 0;
};

// Exit codes of the program.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFileError = 1; // a template could not be read or written, or the store refused it
inline constexpr int kExitUsage = 2;     // unknown option or missing argument
inline constexpr int kExitNoWindows = 3; // the requested mode is not part of this build

// The arguments after the program name. An argument list that starts with "--" (or is "-h",
// "-root" or "-window-id", as xscreensaver spells them) holds options; anything else goes to the
// start-up decision. "--" alone ends the options.
CliCommand ParseArguments(const std::vector<std::string>& args);

// An X11 window id: decimal or "0x" hexadecimal, 1 .. 0xFFFFFFFF, blanks around allowed.
std::optional<int64_t> ParseWindowId(std::string_view text);

// The target of --root: the window named by $XSCREENSAVER_WINDOW (given here, may be null),
// or 0 for the root window when it is unset or not a window id.
int64_t RootTarget(const char* xscreensaverWindow);

std::string UsageText();

// Carry out a parsed command against a settings store. Results go to `out` as one line,
// problems to `err`; the result is the exit code. Without `windows` the window modes say that
// this build has none.
int RunCommand(const CliCommand& cmd, std::string_view programPath, StoreBackend& backend, std::ostream& out,
               std::ostream& err, WindowModes* windows = nullptr);

} // namespace orb
