#include "app/core/cli.h"

#include <cstdlib>

#include "app/core/render.h"
#include "app/core/startup.h"
#include "settings/numeric.h"
#include "settings/store.h"
#include "settings/templates.h"

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

// xscreensaver starts its programs with single-dash options.
std::string Normalised(const std::string& arg) {
    if (arg == "-root" || arg == "-window-id" || arg.starts_with("-window-id=")) return "-" + arg;
    return arg;
}

bool StartsOptions(const std::string& first) {
    return first.starts_with("--") || first == "-h" || Normalised(first) != first;
}

// The value of "--name VALUE" or "--name=VALUE" at args[i]; i moves past what was used.
std::optional<std::string> OptionValue(const std::vector<std::string>& args, size_t& i,
                                       std::string_view name) {
    const std::string arg = Normalised(args[i]);
    if (arg.size() > name.size()) return arg.substr(name.size() + 1);
    if (i + 1 >= args.size()) return std::nullopt;
    return args[++i];
}

std::optional<uint64_t> ParseUnsigned(std::string_view text, uint64_t max) {
    text = TrimBlanks(text);
    if (text.empty() || text.size() > 20) return std::nullopt;
    uint64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const uint64_t digit = static_cast<uint64_t>(c - '0');
        if (v > (max - digit) / 10) return std::nullopt;
        v = v * 10 + digit;
    }
    return v;
}

// A window-id option's value, or nothing when it is missing or not a window id.
std::optional<int64_t> WindowIdValue(const std::vector<std::string>& args, size_t& i, std::string_view name) {
    std::optional<std::string> text = OptionValue(args, i, name);
    return text ? ParseWindowId(*text) : std::nullopt;
}

// The window modes and their settings, in any order.
CliCommand ModeOptions(const std::vector<std::string>& args) {
    CliCommand c;
    std::string mode; // the mode option given, for the message about a second one
    auto setMode = [&](const std::string& option, CliAction action, std::string commandLine) {
        if (!mode.empty()) return false;
        mode = option;
        c.action = action;
        c.commandLine = std::move(commandLine);
        return true;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string arg = Normalised(args[i]);
        const std::string name = arg.substr(0, arg.find('='));
        bool ok = true;
        if (arg == "--window") {
            ok = setMode(arg, CliAction::Window, "");
        } else if (arg == "--saver") {
            ok = setMode(arg, CliAction::Start, "/S");
        } else if (arg == "--config") {
            ok = setMode(arg, CliAction::Start, "/C");
        } else if (arg == "--root") {
            ok = setMode(arg, CliAction::Hosted, "");
            c.hostRoot = true;
        } else if (name == "--preview" || name == "--window-id") {
            std::optional<int64_t> id = WindowIdValue(args, i, name);
            if (!id) return UsageError(name + " needs an X11 window id (decimal or 0x hexadecimal)");
            if (name == "--preview") {
                ok = setMode(name, CliAction::Start, "/P " + std::to_string(*id));
            } else {
                ok = setMode(name, CliAction::Hosted, "");
                c.hostWindow = *id;
            }
        } else if (name == "--seed") {
            std::optional<std::string> text = OptionValue(args, i, name);
            c.seed = text ? ParseUnsigned(*text, UINT64_MAX) : std::nullopt;
            if (!c.seed) return UsageError("--seed needs a whole number from 0 to 18446744073709551615");
        } else if (name == "--delay") {
            std::optional<std::string> text = OptionValue(args, i, name);
            std::optional<uint64_t> ms = text ? ParseUnsigned(*text, 999) : std::nullopt;
            if (!ms) return UsageError("--delay needs milliseconds from 0 to 999");
            c.frameDelay = static_cast<int16_t>(*ms);
        } else if (arg.starts_with("-")) {
            return UsageError("unknown option '" + args[i] + "'");
        } else {
            return UsageError("unexpected argument '" + args[i] + "'");
        }
        if (!ok) return UsageError("only one of " + mode + " and " + name + " can be given");
    }
    const bool draws = c.action == CliAction::Window || c.action == CliAction::Hosted ||
                       c.commandLine == "/S" || c.commandLine.starts_with("/P");
    if ((c.seed || c.frameDelay) && !draws)
        return UsageError(
            "--seed and --delay need one of --window, --saver, --preview, --root or --window-id");
    return c;
}

} // namespace

std::optional<int64_t> ParseWindowId(std::string_view text) {
    text = TrimBlanks(text);
    std::optional<uint64_t> v;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        if (text.size() > 8) return std::nullopt;
        uint64_t h = 0;
        for (char ch : text) {
            const int d = ch >= '0' && ch <= '9'   ? ch - '0'
                          : ch >= 'a' && ch <= 'f' ? ch - 'a' + 10
                          : ch >= 'A' && ch <= 'F' ? ch - 'A' + 10
                                                   : -1;
            if (d < 0) return std::nullopt;
            h = h * 16 + static_cast<uint64_t>(d);
        }
        v = h;
    } else {
        v = ParseUnsigned(text, 0xFFFFFFFFu);
    }
    if (!v || *v == 0) return std::nullopt;
    return static_cast<int64_t>(*v);
}

int64_t RootTarget(const char* xscreensaverWindow) {
    if (xscreensaverWindow == nullptr) return 0;
    return ParseWindowId(xscreensaverWindow).value_or(0);
}

CliCommand ParseArguments(const std::vector<std::string>& args) {
    CliCommand start;
    start.action = CliAction::Start;
    if (args.empty()) return start;
    const std::string& first = args[0];
    if (first == "--") {
        start.commandLine = Join(args, 1);
        return start;
    }
    if (!StartsOptions(first)) {
        start.commandLine = Join(args, 0);
        return start;
    }
    if (first == "--help" || first == "-h") return BareOption(args, CliAction::Help);
    if (first == "--version") return BareOption(args, CliAction::Version);
    if (IsOption(first, "--export")) return FileOption(args, "--export", CliAction::Export);
    if (IsOption(first, "--import")) return FileOption(args, "--import", CliAction::Import);
    if (first == "--render") {
        CliCommand render;
        render.action = CliAction::Render;
        render.renderArgs.assign(args.begin() + 1, args.end());
        return render;
    }
    return ModeOptions(args);
}

std::string UsageText() {
    return "Usage: orbelune --window | --saver | --config | --preview WINDOW   [--seed N] [--delay MS]\n"
           "       orbelune --root | --window-id WINDOW                        [--seed N] [--delay MS]\n"
           "       orbelune --render DIR --frames N --size WxH [--seed S] [--every K] [--no-write]\n"
           "       orbelune --export FILE | --import FILE | --help | --version\n"
           "       orbelune [/S | /C | /P WINDOW | /A | FILE.orb]\n"
           "\n"
           "  --window          the animation in an application window (Escape ends, F5 restarts)\n"
           "  --saver           the full-screen saver on every screen (any key, click or mouse\n"
           "                    movement ends it); /S does the same\n"
           "  --config          the settings dialog; /C and no argument do the same\n"
           "  --preview WINDOW  a reduced animation inside the X11 window WINDOW (decimal or 0x hex),\n"
           "                    until that window is destroyed; /P WINDOW does the same (decimal)\n"
           "  --root            for xscreensaver: draw into $XSCREENSAVER_WINDOW, else the root window\n"
           "  --window-id WINDOW  for xscreensaver: draw into the X11 window WINDOW\n"
           "  --seed N          the same universes on every run (random seed N)\n"
           "  --delay MS        frame delay in milliseconds (0-999) instead of the stored one\n"
           "  --export FILE     write the stored settings to the template FILE\n"
           "  --import FILE     copy every setting the template FILE holds into the stored settings\n"
           "  --render DIR --frames N --size WxH [--seed S] [--every K] [--no-write]\n"
           "                    run the animation without a display and write every K-th frame\n"
           "                    as DIR/frame-NNNNNN.png\n"
           "  --help            show this text\n"
           "  --version         show the program's version\n"
           "  FILE.orb          import the template FILE.orb, then run the full-screen saver\n"
           "  /A                (password change) has nothing to do on Linux\n"
           "\n"
           "Settings are kept in $XDG_CONFIG_HOME/orbelune/orbelune.ini (default ~/.config).\n"
           "Exit status: 0 done, 1 a file could not be read or written, 2 bad command line,\n"
           "3 the requested mode is not part of this build.\n";
}

namespace {

int Export(const std::string& file, StoreBackend& backend, std::ostream& out, std::ostream& err) {
    switch (ExportStoredSettings(backend, file)) {
    case TemplateStatus::Done:
        out << "Exported the settings to '" << file << "'\n";
        return kExitOk;
    case TemplateStatus::Unreadable:
        err << "orbelune: cannot read the stored settings; nothing was exported\n";
        return kExitFileError;
    default:
        err << "orbelune: cannot write the template file '" << file << "'\n";
        return kExitFileError;
    }
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

std::string ModeName(const WindowRequest& r) {
    switch (r.mode) {
    case WindowMode::ApplicationWindow:
        return "application window mode";
    case WindowMode::Properties:
        return "configuration (Properties dialog) mode";
    case WindowMode::Preview:
        return "preview mode (host window " + std::to_string(r.hostWindow) + ")";
    case WindowMode::Hosted:
        return "xscreensaver mode";
    default:
        return "full-screen saver mode";
    }
}

int RunWindow(const WindowRequest& r, WindowModes* windows, std::ostream& err) {
    if (windows) return windows->Run(r, err);
    err << "orbelune: " << ModeName(r) << " requested, but this build has no window modes\n";
    return kExitNoWindows;
}

// The decision on the switches, carried out. Nothing but the window modes can be asked twice.
int Start(const CliCommand& cmd, std::string_view programPath, StoreBackend& backend, std::ostream& out,
          std::ostream& err, WindowModes* windows) {
    WindowRequest r;
    r.seed = cmd.seed;
    r.frameDelay = cmd.frameDelay;
    if (cmd.action == CliAction::Window) {
        r.mode = WindowMode::ApplicationWindow;
        return RunWindow(r, windows, err);
    }
    if (cmd.action == CliAction::Hosted) {
        r.mode = WindowMode::Hosted;
        r.hostWindow = cmd.hostRoot ? RootTarget(std::getenv("XSCREENSAVER_WINDOW")) : cmd.hostWindow;
        return RunWindow(r, windows, err);
    }
    StartDecision d =
        DecideStart(ProbeExecutableTwins(programPath), cmd.commandLine,
                    [&](std::string_view c) { return windows != nullptr && windows->WindowExists(c); });
    switch (d.action) {
    case StartAction::ApplicationWindow:
        r.mode = WindowMode::ApplicationWindow;
        break;
    case StartAction::OpenProperties:
        r.mode = WindowMode::Properties;
        break;
    case StartAction::FocusProperties:
        if (windows) windows->BringToFront(kPropertiesCaption);
        return kExitOk;
    case StartAction::SaverAlreadyRunning:
    case StartAction::PasswordChange: // the desktop's own tools change the password
        return kExitOk;
    case StartAction::Preview:
        r.mode = WindowMode::Preview;
        r.hostWindow = d.previewHostWindow;
        break;
    case StartAction::ImportThenSaver:
        if (!Import(d.templatePath, backend, out, err)) return kExitFileError;
        r.mode = WindowMode::Saver;
        break;
    case StartAction::StartSaver:
        r.mode = WindowMode::Saver;
        break;
    }
    return RunWindow(r, windows, err);
}

} // namespace

int RunCommand(const CliCommand& cmd, std::string_view programPath, StoreBackend& backend, std::ostream& out,
               std::ostream& err, WindowModes* windows) {
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
    case CliAction::Render: {
        std::string error;
        std::optional<RenderOptions> options = ParseRenderOptions(cmd.renderArgs, error);
        if (!options) {
            err << "orbelune: " << error << "\nTry 'orbelune --help' for more information.\n";
            return kExitUsage;
        }
        return RunRender(*options, backend, out, err);
    }
    case CliAction::Start:
    case CliAction::Window:
    case CliAction::Hosted:
        break;
    }
    return Start(cmd, programPath, backend, out, err, windows);
}

} // namespace orb
