#include "app/properties_host.h"

#include <QApplication>

#include "app/core/startup.h"
#include "platform/instance_socket.h"
#include "platform/qt/instance_beacon.h"
#include "ui/fields/qt/field_helpers.h"
#include "ui/info/qt/info_wiring.h"
#include "ui/properties/qt/props_extras.h"

namespace orb {

void FurnishPropertiesWindow(PropertiesWindow& window, AppState& state) {
    // The Welcome step, the Help menu, F1 and the About window; the Welcome reset's backup
    // becomes the program's current template file.
    InformationWindows::Attach(window, window.Store(), &state.templates);
}

int RunPropertiesDialog(SettingsStore& store, AppState& state) {
    InstanceBeacon beacon(kPropertiesCaption);
    if (!beacon.Held()) { // another start took the caption first
        RequestToFront(kPropertiesCaption);
        return 0;
    }
    PropertiesWindow window(PropsContext{store, state.previewCancel, state.exitRequested});
    QObject::connect(&beacon, &InstanceBeacon::frontRequested, &window, [&window] {
        if (window.isMinimized()) window.showNormal();
        window.raise();
        window.activateWindow();
    });
    // Leaves the event loop without asking other windows to close.
    QObject::connect(
        &window, &PropertiesWindow::closed, &window, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    FurnishPropertiesWindow(window, state);
    window.Load();
    AttachPropertiesExtras(window, store, state.templates);
    window.show();
    CentreOnScreen(&window);
    window.activateWindow();
    return QApplication::exec();
}

void OpenModalProperties(ScreenWindow& screen, SettingsStore& store, AppState& state,
                         std::unique_ptr<PropertiesWindow>& properties) {
    if (properties) return;
    screen.StopRun();
    properties = std::make_unique<PropertiesWindow>(
        PropsContext{store, state.previewCancel, state.exitRequested}, &screen);
    properties->setWindowModality(Qt::ApplicationModal);
    // A configuration start meanwhile finds this dialog by its caption and brings it forward.
    auto* beacon = new InstanceBeacon(kPropertiesCaption, properties.get());
    PropertiesWindow* window = properties.get();
    QObject::connect(beacon, &InstanceBeacon::frontRequested, window, [window] {
        window->raise();
        window->activateWindow();
    });
    QObject::connect(
        properties.get(), &PropertiesWindow::closed, &screen,
        [&screen, &state, &properties] {
            properties.release()->deleteLater();
            if (state.exitRequested) {
                screen.close(); // the program ends with its window
                return;
            }
            screen.PropertiesClosed();
        },
        Qt::QueuedConnection);
    FurnishPropertiesWindow(*properties, state);
    properties->Load();
    AttachPropertiesExtras(*properties, store, state.templates);
    properties->show();
    CentreOnScreen(properties.get());
    properties->activateWindow();
}

} // namespace orb
