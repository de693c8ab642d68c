#include "app/screen_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QScreen>

#include "app/core/saver_input.h"
#include "app/core/startup.h"
#include "settings/numeric.h"

namespace orb {

ScreenWindow::ScreenWindow(SettingsStore& store, AppState& state, ViewOptions options)
    : UniverseView(store, state, options) {
    setFocusPolicy(Qt::StrongFocus);
}

ScreenWindow::~ScreenWindow() = default;

void ScreenWindow::Open() {
    State().runMode = RunMode::ApplicationWindow;
    resizable_ = Store().ReadAdvanced(A::WinResize) == "1";
    if (resizable_) {
        setWindowTitle(QString::fromUtf8(kSaverCaption.data(), static_cast<int>(kSaverCaption.size())));
        beacon_ = std::make_unique<InstanceBeacon>(kSaverCaption);
        connect(beacon_.get(), &InstanceBeacon::frontRequested, this, [this] {
            raise();
            activateWindow();
        });
        unsetCursor();
        RestoreWindowPlacement();
    } else {
        setWindowTitle(QString());
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        setCursor(Qt::BlankCursor);
        if (QScreen* s = screen()) setGeometry(s->availableGeometry());
        showMaximized();
    }
    activateWindow();
    setFocus();
}

bool ScreenWindow::event(QEvent* event) {
    const bool handled = UniverseView::event(event);
    const bool becameActive = event->type() == QEvent::WindowActivate || event->type() == QEvent::Show;
    if (becameActive && !screenActivated_) {
        screenActivated_ = true;
        StartRun();
    }
    return handled;
}

void ScreenWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
    } else if (event->key() == Qt::Key_F5) {
        SaveWindowPlacement();
        StartRun();
    } else {
        SaveWindowPlacement();
        emit propertiesRequested();
    }
}

void ScreenWindow::mousePressEvent(QMouseEvent*) {
    SaveWindowPlacement();
    emit propertiesRequested();
}

// Escape, or a close from the window manager: the program ends with the window.
void ScreenWindow::closeEvent(QCloseEvent* event) {
    SaveWindowPlacement();
    State().stopFlag = true;
    StopRun();
    event->accept();
    emit endRequested();
}

void ScreenWindow::PropertiesClosed() {
    if (QLabel* label = MessageLabel()) {
        label->clear();
        label->hide();
    }
    screenActivated_ = false;
    // Without a window manager the window may never be activated again: start the run here.
    QTimer::singleShot(0, this, [this] {
        if (screenActivated_ || !isVisible()) return;
        screenActivated_ = true;
        StartRun();
    });
}

void ScreenWindow::SaveWindowPlacement() {
    const int tx = State().twipsPerPixelX, ty = State().twipsPerPixelY;
    StoreBatch batch(Store().Backend());
    Store().WriteNumber(kSectionGeneral, kWindowState, isMaximized() ? 2 : 0, ValueType::Integer);
    if (isMinimized()) return;
    const WindowPlacement p{x() * tx, y() * ty, width() * tx, height() * ty};
    Store().WriteText(kSectionGeneral, kWindowSize, FormatWindowSize(p));
}

void ScreenWindow::RestoreWindowPlacement() {
    const int tx = State().twipsPerPixelX, ty = State().twipsPerPixelY;
    const int16_t state = Store().ReadInteger(kSectionGeneral, kWindowState, 0);
    const std::optional<WindowPlacement> p =
        ParseWindowSize(Store().ReadText(kSectionGeneral, kWindowSize, ""));
    if (state == 2) {
        showMaximized();
        return;
    }
    if (p) {
        move(NearestLong(double(p->left) / tx), NearestLong(double(p->top) / ty));
        if (p->width > 0 && p->height > 0)
            resize(NearestLong(double(p->width) / tx), NearestLong(double(p->height) / ty));
    }
    show();
}

} // namespace orb
