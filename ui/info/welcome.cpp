#include "ui/info/welcome.h"

#include <filesystem>
#include <system_error>

#include "settings/templates.h"

namespace orb {

WelcomeKind DecideWelcome(SettingsStore& store) {
    return store.AnimationType() == -1 ? WelcomeKind::Greeting : WelcomeKind::Upgrade;
}

std::string WelcomeText(WelcomeKind kind) {
    std::string text;
    if (kind == WelcomeKind::Greeting) {
        text = "Thank you for installing Orbelune 3.0.  "
               "You can use this product to simulate a Universe populated by several "
               "user-defined Galaxies.  Watch as the camera tours the Universe, visiting "
               "the Galaxies based on a trajectory that you provide. ";
    } else {
        text = "It appears that you already have an earlier version of the product.  "
               "In order to experience the new features in this version, you should "
               "Reset the Properties to the Factory Settings.  Your current settings "
               "will be saved to the default template file:  propsave.orb.  You may "
               "restore your settings by selecting Open Template from the File menu "
               "on the Properties window.  You may Reset the Properties to the Factory "
               "Settings by selecting Reset Properties from the Edit menu.";
    }
    text += "\n\n"
            "Please consider the following:\n"
            "*   The Factory settings have been optimized for a 300 MHz CPU.\n"
            "      Set the number of Stars in the Universe to match your hardware.\n"
            "*   You may disable mouse-move sensitivity from the Advanced Settings.\n"
            "*   Galaxy Styles are new feature in this version.  Styles include:\n"
            "      Nebulas, Fractals, Quasars, Gravitons, Starwaves and others.\n"
            "*   You may contact the author with comments, questions or suggestions:\n"
            "      see Help > KLVA Home Page for the project's page,\n"
            "      and the help's \"About Orbelune\" topic for its authors.\n"
            "\n"
            "Cheers.";
    return text;
}

const char* WelcomeDismissCaption(WelcomeKind kind) {
    return kind == WelcomeKind::Greeting ? "OK" : "Close";
}

TemplateStatus BackupStoredSettings(StoreBackend& backend, const std::string& path, ProgressSink* progress) {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    return ExportStoredSettings(backend, path, progress);
}

} // namespace orb
