// The program's command line: backup and restore of the settings as template files, help and
// version, and otherwise the screen-saver start-up decision.
#pragma once

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
    Start,      // the screen-saver start-up decision on the joined arguments
    UsageError, // an unknown option or a missing file name
};

struct CliCommand {
    CliAction action = CliAction::Start; // what to do
    std::string file;                    // Export and Import: the template path
    std::string commandLine;             // Start: the arguments joined by blanks
    std::string error;                   // UsageError: what was wrong, for the user
};

// Exit codes of the program.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFileError = 1; // a template could not be read or written, or the store refused it
inline constexpr int kExitUsage = 2;     // unknown option or missing argument
inline constexpr int kExitNoWindows = 3; // a window mode was requested; this build has none

// The arguments after the program name. An argument list that starts with "--" (or is "-h")
// is an option; anything else goes to the start-up decision. "--" alone ends the options.
CliCommand ParseArguments(const std::vector<std::string>& args);

std::string UsageText();

// Carry out a parsed command against a settings store. Results go to `out` as one line,
// problems to `err`; the result is the exit code.
int RunCommand(const CliCommand& cmd, std::string_view programPath, StoreBackend& backend, std::ostream& out,
               std::ostream& err);

} // namespace orb
