#include "app/hosted_view.h"

#include <QLoggingCategory>
#include <QSocketNotifier>
#include <QWindow>
#include <cmath>

namespace orb {

HostedRun::HostedRun(SettingsStore& store, AppState& state, ViewOptions options, uint32_t hostWindow)
    : store_(store), state_(state), options_(options), host_(hostWindow) {}

HostedRun::~HostedRun() {
    view_.reset();
    delete foreign_;
}

bool HostedRun::Open() {
    if (!watch_.Connected()) return false;
    if (host_ == 0) host_ = watch_.RootWindow();
    // Watched before its size is read, so a change in between is not missed.
    if (!watch_.Watch(host_)) return false;
    const std::optional<WindowSize> size = watch_.Size(host_);
    if (!size) return false;
    notifier_ = new QSocketNotifier(watch_.Fd(), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &HostedRun::HandleHostEvents);

    foreign_ = QWindow::fromWinId(host_);
    view_ = std::make_unique<UniverseView>(store_, state_, options_);
    view_->winId(); // the native window exists before it is moved into the host
    view_->windowHandle()->setParent(foreign_);
    view_->windowHandle()->setFlag(Qt::WindowTransparentForInput);
    view_->move(0, 0);
    Resize(*size);
    connect(view_.get(), &UniverseView::runStopped, this, &HostedRun::Finish);
    view_->SetFrameCheck([this] { return HostRemains(); });
    view_->show();
    view_->StartRun();
    return true;
}

void HostedRun::HandleHostEvents() {
    watch_.Dispatch([this](WindowSize s) { Resize(s); }, [this] { Finish(); });
}

bool HostedRun::HostRemains() {
    const bool exists = watch_.Exists(host_);
    // That round trip read whatever events had arrived along with its reply into the connection's
    // own queue, where the socket notifier never sees them: a resize would wait for the next event.
    HandleHostEvents();
    return exists && !finished_;
}

void HostedRun::Resize(WindowSize size) {
    if (!view_) return;
    const qreal dpr = view_->devicePixelRatioF();
    view_->resize(std::max(1, static_cast<int>(std::lround(size.width / dpr))),
                  std::max(1, static_cast<int>(std::lround(size.height / dpr))));
}

void HostedRun::Finish() {
    if (finished_) return;
    finished_ = true;
    // The server destroyed our window with the host; Qt's own clean-up then only meets errors.
    if (!watch_.Exists(host_)) QLoggingCategory::setFilterRules(QStringLiteral("qt.qpa.xcb=false"));
    state_.stopFlag = true;
    if (view_) view_->StopRun();
    emit finished();
}

} // namespace orb
