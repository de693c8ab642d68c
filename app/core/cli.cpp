#include "app/core/cli.h"

#include "app/core/startup.h"
#include "settings/presets.h"
#include "settings/store.h"
#include "settings/templates.h"
#include "settings/universe_fields.h"

namespace orb {

namespace {

CliCommand UsageError(std::string message) {
    CliCommand c;
    c.action = CliAction::UsageError;
    c.error = std::move(message);
    return c;
}

std::string Join(const std::vector<std::string>& args, size_t from) {
    std::string line;
    for (size_t i = from; i < args.size(); ++i) {
        if (i > from) line += ' ';
        line += args[i];
    }
    return line;
}

// "--export FILE" or "--export=FILE", and nothing after it.
CliCommand FileOption(const std::vector<std::string>& args, std::string_view option, CliAction action) {
    CliCommand c;
    c.action = action;
    size_t next = 1;
    if (args[0].size() > option.size()) {
        c.file = args[0].substr(option.size() + 1);
    } else if (args.size() > 1) {
        c.file = args[1];
        next = 2;
    }
    if (c.file.empty()) return UsageError(std::string(option) + " needs a FILE argument");
    if (args.size() > next) return UsageError("unexpected argument '" + args[next] + "'");
    return c;
}

// An option that takes no argument.
CliCommand BareOption(const std::vector<std::string>& args, CliAction action) {
    if (args.size() > 1) return UsageError("unexpected argument '" + args[1] + "'");
    CliCommand c;
    c.action = action;
    return c;
}

bool IsOption(std::string_view arg, std::string_view option) {
    return arg == option ||
           (arg.size() > option.size() && arg.starts_with(option) && arg[option.size()] == '=');
}

} // namespace

CliCommand ParseArguments(const std::vector<std::string>& args) {
    CliCommand start;
    start.action = CliAction::Start;
    if (args.empty()) return start;
    const std::string& first = args[0];
    if (first == "--") {
        start.commandLine = Join(args, 1);
        return start;
    }
    if (first == "--help" || first == "-h") return BareOption(args, CliAction::Help);
    if (first == "--version") return BareOption(args, CliAction::Version);
    if (IsOption(first, "--export")) return FileOption(args, "--export", CliAction::Export);
    if (IsOption(first, "--import")) return FileOption(args, "--import", CliAction::Import);
    if (first.starts_with("--")) return UsageError("unknown option '" + first + "'");
    start.commandLine = Join(args, 0);
    return start;
}

std::string UsageText() {
    return "Usage: orbelune --export FILE | --import FILE | --help | --version\n"
           "       orbelune [/S | /C | /P HANDLE | /A HANDLE | FILE.orb]\n"
           "\n"
           "  --export FILE   write the stored settings to the template FILE\n"
           "  --import FILE   copy every setting the template FILE holds into the stored settings\n"
           "  --help          show this text\n"
           "  --version       show the program's version\n"
           "\n"
           "Settings are kept in $XDG_CONFIG_HOME/orbelune/orbelune.ini (default ~/.config).\n"
           "Exit status: 0 done, 1 a file could not be read or written, 2 bad command line,\n"
           "3 a window mode was requested (this build has none yet).\n";
}

namespace {

int Export(const std::string& file, StoreBackend& backend, std::ostream& out, std::ostream& err) {
    SettingsStore store(backend);
    GalaxyTables tables;
    {
        StoreBatch snapshot(backend); // one consistent reading of the store
        // With nothing saved yet the saver runs on the first factory set: export that.
        if (store.AnimationType() == -1)
            ApplyFactoryGalaxyTypes(tables, 0);
        else
            store.LoadAllGalaxyTypes(tables);
        store.LoadAllComposites(tables);
    }
    StoreUniverseFields fields(store);
    TemplateState state;
    state.currentTemplateFile = file;
    if (SaveTemplate(state, store, fields, tables) != TemplateStatus::Done) {
        err << "orbelune: cannot write the template file '" << file << "'\n";
        return kExitFileError;
    }
    out << "Exported the settings to '" << file << "'\n";
    return kExitOk;
}

// Import a template; false (with the reason on err) when nothing or not everything was stored.
bool Import(const std::string& file, StoreBackend& backend, std::ostream& out, std::ostream& err) {
    SettingsStore store(backend);
    switch (ImportTemplateFile(store, file)) {
    case TemplateStatus::Done:
        out << "Imported the settings from '" << file << "'\n";
        return true;
    case TemplateStatus::Unreadable:
        err << "orbelune: cannot read the template file '" << file << "'; the settings are unchanged\n";
        return false;
    default:
        err << "orbelune: the settings from '" << file << "' could not all be stored\n";
        return false;
    }
}

std::string ModeName(const StartDecision& d) {
    switch (d.action) {
    case StartAction::ApplicationWindow:
        return "application window mode";
    case StartAction::OpenProperties:
    case StartAction::FocusProperties:
        return "configuration (Properties dialog) mode";
    case StartAction::Preview:
        return "preview mode (host window " + std::to_string(d.previewHostWindow) + ")";
    case StartAction::PasswordChange:
        return "password change (owner window " + std::to_string(d.passwordOwner) + ")";
    default:
        return "full-screen saver mode";
    }
}

int Start(const CliCommand& cmd, std::string_view programPath, StoreBackend& backend, std::ostream& out,
          std::ostream& err) {
    // No window of this program can exist yet, so no single-instance check can succeed.
    StartDecision d = DecideStart(ProbeExecutableTwins(programPath), cmd.commandLine,
                                  [](std::string_view) { return false; });
    if (d.action == StartAction::ImportThenSaver && !Import(d.templatePath, backend, out, err))
        return kExitFileError;
    err << "orbelune: " << ModeName(d) << " requested, but this build has no window modes yet\n";
    return kExitNoWindows;
}

} // namespace

int RunCommand(const CliCommand& cmd, std::string_view programPath, StoreBackend& backend, std::ostream& out,
               std::ostream& err) {
    switch (cmd.action) {
    case CliAction::Help:
        out << UsageText();
        return kExitOk;
    case CliAction::Version:
        out << kProgramVersionLine << '\n';
        return kExitOk;
    case CliAction::UsageError:
        err << "orbelune: " << cmd.error << "\nTry 'orbelune --help' for more information.\n";
        return kExitUsage;
    case CliAction::Export:
        return Export(cmd.file, backend, out, err);
    case CliAction::Import:
        return Import(cmd.file, backend, out, err) ? kExitOk : kExitFileError;
    case CliAction::Start:
        break;
    }
    return Start(cmd, programPath, backend, out, err);
}

} // namespace orb
