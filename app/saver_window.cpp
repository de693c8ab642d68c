#include "app/saver_window.h"

#include <QCloseEvent>
#include <QScreen>
#include <QTime>

#include "app/core/startup.h"

namespace orb {

SaverWindow::SaverWindow(SettingsStore& store, AppState& state, ViewOptions options, QScreen* screen)
    : UniverseView(store, state, options) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowTitle(QString::fromUtf8(kSaverCaption.data(), static_cast<int>(kSaverCaption.size())));
    setCursor(Qt::BlankCursor);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    if (screen) {
        setScreen(screen);
        setGeometry(screen->geometry());
    }
}

void SaverWindow::Open() {
    mouseMovesIgnored_ = Store().ReadAdvanced(A::MouseMove) == "1";
    showFullScreen();
    raise();
    activateWindow();
    setFocus();
    StartRun();
}

void SaverWindow::keyPressEvent(QKeyEvent*) {
    emit closeRequested();
}

void SaverWindow::mousePressEvent(QMouseEvent*) {
    emit closeRequested();
}

void SaverWindow::mouseMoveEvent(QMouseEvent*) {
    if (mouseMovesIgnored_) return;
    const double now = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    if (moves_.OnMove(now)) emit closeRequested();
}

void SaverWindow::closeEvent(QCloseEvent* event) {
    if (closeAllowed_) {
        StopRun();
        event->accept();
        return;
    }
    event->ignore();
    emit closeRequested();
}

} // namespace orb
