#include "app/saver_session.h"

#include <QGuiApplication>
#include <QScreen>

#include "app/core/startup.h"
#include "app/saver_window.h"

namespace orb {

SaverSession::SaverSession(SettingsStore& store, AppState& state, SaverSystem& system, ViewOptions options)
    : store_(store), state_(state), system_(system), options_(options) {}

SaverSession::~SaverSession() {
    for (SaverWindow* w : windows_)
        delete w;
}

void SaverSession::Open() {
    beacon_ = std::make_unique<InstanceBeacon>(kSaverCaption);
    state_.stopFlag = false;
    system_.SetSaverRunning(true);
    QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty()) screens.append(nullptr);
    for (QScreen* screen : screens) {
        auto* w = new SaverWindow(store_, state_, options_, screen);
        connect(w, &SaverWindow::closeRequested, this, [this, w] { CloseCheck(w); });
        windows_.push_back(w);
    }
    for (SaverWindow* w : windows_)
        w->Open();
}

void SaverSession::CloseCheck(SaverWindow* asking) {
    if (closing_) return;
    state_.stopFlag = true;
    if (!system_.VerifySaverPassword(static_cast<uint64_t>(asking->winId()))) {
        state_.stopFlag = false; // refused: the animation goes on
        return;
    }
    CloseAll();
}

void SaverSession::CloseAll() {
    closing_ = true;
    for (SaverWindow* w : windows_) {
        w->AllowClose();
        w->close();
    }
    system_.SetSaverRunning(false);
    beacon_.reset();
    emit finished();
}

} // namespace orb
