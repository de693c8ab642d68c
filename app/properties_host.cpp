#include "app/properties_host.h"

#include "app/core/startup.h"
#include "platform/qt/instance_beacon.h"
#include "ui/fields/qt/field_helpers.h"
#include "ui/info/qt/info_wiring.h"

namespace orb {

void OpenModalProperties(ScreenWindow& screen, SettingsStore& store, AppState& state,
                         std::unique_ptr<PropertiesWindow>& properties) {
    if (properties) return;
    screen.StopRun();
    properties = std::make_unique<PropertiesWindow>(
        PropsContext{store, state.previewCancel, state.exitRequested}, &screen);
    properties->setWindowModality(Qt::ApplicationModal);
    InformationWindows::Attach(*properties, store);
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
    properties->Load();
    properties->show();
    CentreOnScreen(properties.get());
    properties->activateWindow();
}

} // namespace orb
