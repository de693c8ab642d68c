#include "app/properties_host.h"

#include "ui/fields/qt/field_helpers.h"
#include "ui/properties/qt/props_extras.h"

namespace orb {

void OpenModalProperties(ScreenWindow& screen, SettingsStore& store, AppState& state,
                         std::unique_ptr<PropertiesWindow>& properties) {
    if (properties) return;
    screen.StopRun();
    properties = std::make_unique<PropertiesWindow>(
        PropsContext{store, state.previewCancel, state.exitRequested}, &screen);
    properties->setWindowModality(Qt::ApplicationModal);
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
    AttachPropertiesExtras(*properties, store, state.templates);
    properties->show();
    CentreOnScreen(properties.get());
    properties->activateWindow();
}

} // namespace orb
