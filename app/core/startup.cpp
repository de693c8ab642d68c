#include "app/core/startup.h"

#include <filesystem>

#include "settings/numeric.h"

namespace orb {

int16_t TwipsPerPixelFromDpi(double dpi) {
    if (!(dpi > 0)) return 15;
    return ClampInt(NearestInt(1440.0 / dpi), 1, 1440);
}

ExecutableProbe ProbeExecutableTwins(std::string_view programPath) {
    namespace fs = std::filesystem;
    fs::path p(programPath);
    fs::path base = p.parent_path() / p.stem();
    std::error_code ec;
    ExecutableProbe probe;
    probe.exeExists = fs::exists(fs::path(base.string() + ".exe"), ec);
    probe.scrExists = fs::exists(fs::path(base.string() + ".scr"), ec);
    return probe;
}

int64_t ParseSwitchHandle(std::string_view afterSwitch) {
    return NearestLong(LeadingValue(afterSwitch));
}

StartDecision DecideStart(const ExecutableProbe& probe, std::string_view commandLine,
                          const std::function<bool(std::string_view)>& windowExists) {
    StartDecision d;
    if (probe.exeExists && !probe.scrExists) {
        d.runMode = RunMode::ApplicationWindow;
        d.action = StartAction::ApplicationWindow;
        return d;
    }
    d.runMode = RunMode::Normal;
    auto openProperties = [&] {
        d.action = windowExists(kPropertiesCaption) ? StartAction::FocusProperties : StartAction::OpenProperties;
        return d;
    };
    if (TrimBlanks(commandLine).empty()) return openProperties();

    std::string head(commandLine.substr(0, 2));
    for (char& c : head)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    std::string_view rest = commandLine.size() > 2 ? commandLine.substr(2) : std::string_view{};

    if (head == "/C") return openProperties();
    if (head == "/S") {
        d.action = windowExists(kSaverCaption) ? StartAction::SaverAlreadyRunning : StartAction::StartSaver;
        return d;
    }
    if (head == "/P") {
        d.runMode = RunMode::Preview;
        d.previewHostWindow = ParseSwitchHandle(rest);
        d.action = StartAction::Preview;
        return d;
    }
    if (head == "/A") {
        d.passwordOwner = ParseSwitchHandle(rest);
        d.action = StartAction::PasswordChange;
        return d;
    }
    if (commandLine.size() >= 4) {
        std::string tail(commandLine.substr(commandLine.size() - 4));
        for (char& c : tail)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (tail == ".ORB") {
            d.action = StartAction::ImportThenSaver;
            d.templatePath = std::string(commandLine);
            return d;
        }
    }
    d.action = StartAction::StartSaver;
    return d;
}

} // namespace orb
