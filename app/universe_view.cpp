#include "app/universe_view.h"

#include <QBackingStore>
#include <QGuiApplication>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <xcb/xcb.h>

#include "engine/animation/ticks.h"
#include "engine/creation/colour.h"

namespace orb {

namespace {
constexpr int kLabelRefreshMs = 3000;

// ORBELUNE_STATS=1: how long after the process started the first frame went out, on stderr.
void ReportFirstFrame() {
    const char* v = std::getenv("ORBELUNE_STATS");
    if (v == nullptr || v[0] == '\0' || v[0] == '0') return;
    std::ifstream stat("/proc/self/stat");
    std::string line;
    std::getline(stat, line);
    const size_t end = line.rfind(')'); // the command name may hold spaces
    if (end == std::string::npos) return;
    std::istringstream fields(line.substr(end + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
    } // field 22: start, clock ticks after boot
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double started = std::strtod(field.c_str(), nullptr) / static_cast<double>(sysconf(_SC_CLK_TCK));
    const double ms = (static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9 - started) * 1000.0;
    std::fprintf(stderr, "orbelune: first frame %.0f ms after start\n", ms);
}
constexpr int kLabelTop = 8; // logical pixels between the window's top edge and the message
} // namespace

UniverseView::UniverseView(SettingsStore& store, AppState& state, ViewOptions options, QWidget* parent)
    : QWidget(parent), store_(store), state_(state), options_(options), engine_(store) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    frameTimer_.setSingleShot(true);
    frameTimer_.setTimerType(Qt::PreciseTimer);
    connect(&frameTimer_, &QTimer::timeout, this, &UniverseView::Tick);
    if (!options_.preview) {
        label_ = new QLabel(this);
        label_->setAttribute(Qt::WA_TransparentForMouseEvents);
        label_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label_->hide();
        labelTimer_.setInterval(kLabelRefreshMs);
        connect(&labelTimer_, &QTimer::timeout, this, &UniverseView::RefreshMessageLabel);
    }
}

UniverseView::~UniverseView() = default;

void UniverseView::StartRun() {
    state_.stopFlag = false;
    running_ = true;
    restartPending_ = true;
    paused_ = false;
    frameTimer_.start(0);
}

void UniverseView::StopRun() {
    const bool was = running_;
    running_ = false;
    frameTimer_.stop();
    labelTimer_.stop();
    if (was) emit runStopped();
}

QSize UniverseView::DeviceSize() const {
    const qreal dpr = devicePixelRatioF();
    return QSize(static_cast<int>(std::lround(width() * dpr)), static_cast<int>(std::lround(height() * dpr)));
}

bool UniverseView::Exposed() const {
    const QWindow* w = window()->windowHandle();
    return w != nullptr && w->isExposed() && isVisible();
}

void UniverseView::BeginRun() {
    restartPending_ = false;
    ++runs_;
    const QSize size = DeviceSize();
    image_ = QImage(size, QImage::Format_RGB32);
    image_.fill(Qt::black);
    image_.setDevicePixelRatio(devicePixelRatioF());
    OpenSharedImage(); // the engine draws into it, or into the presenter's own surface
    engine_.SetFixedSeed(options_.seed);
    engine_.SetupSurface(presenter_.Surface());
    if (!options_.preview) {
        GalaxyTables factory; // written to the store on first use, read back by SetupUniverse
        store_.EnsureFactoryGalaxyTypes(factory);
    }
    RefreshMessageLabel();
    if (label_) labelTimer_.start();
    engine_.SetupUniverse(options_.preview);
    presenter_.Surface().Clear();
    animation_ = std::make_unique<UniverseAnimation>(engine_);
    animation_->Begin();
}

void UniverseView::Tick() {
    if (!running_) return;
    if (state_.stopFlag) {
        StopRun();
        return;
    }
    if (!Exposed()) {
        paused_ = true; // the next paint, when the window shows again, resumes
        return;
    }
    if (restartPending_) BeginRun();
    if (shared_) shared_->Finish(); // the server has read the last frame before this one is drawn
    const FrameResult r = animation_->Step();
    if (r.clearScreen) presenter_.Surface().Clear();
    if (r.produced) {
        Present();
        if (++frames_ == 1) ReportFirstFrame();
    }
    if (frameCheck_ && !frameCheck_()) {
        StopRun();
        return;
    }
    Schedule(r);
}

void UniverseView::Schedule(const FrameResult& r) {
    int wait = 0;
    if (r.throttled) {
        const int delay = options_.frameDelay.value_or(engine_.FrameDelay());
        const int32_t elapsed = static_cast<int32_t>(DefaultTicks().Ticks() - r.frameStartTick);
        wait = std::max(0, delay - std::abs(elapsed));
    }
    frameTimer_.start(wait);
}

// On X11 at scale 1 the changed blocks go to the window from memory the server shares; Qt's
// backing store would take them in a second image first and copy them twice on the server.
void UniverseView::OpenSharedImage() {
    const QSize size = DeviceSize();
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    std::unique_ptr<X11SharedImage> image;
    if (devicePixelRatioF() == 1.0 && QGuiApplication::platformName() == QLatin1String("xcb") && x11 &&
        x11->connection()) {
        const auto window = static_cast<uint32_t>(winId());
        // The image looks at the window over a connection of its own: Qt's requests that made it
        // must have been handled first, which the answer to a request sent after them tells.
        xcb_connection_t* qt = x11->connection();
        std::free(xcb_get_input_focus_reply(qt, xcb_get_input_focus(qt), nullptr));
        image = std::make_unique<X11SharedImage>(window, size.width(), size.height());
    }
    // The surface leaves the old image before that is let go.
    if (!image || !image->Valid()) {
        presenter_.Resize(size.width(), size.height());
        shared_.reset();
        return;
    }
    presenter_.AttachWindow(image->Pixels(), image->Width(), image->Height(), image->Width());
    shared_ = std::move(image);
    // An expose shows the backing store, which lacks what went straight to the window.
    windowHandle()->removeEventFilter(this);
    windowHandle()->installEventFilter(this);
}

bool UniverseView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && shared_ && watched == windowHandle()) presenter_.MarkAll();
    return QWidget::eventFilter(watched, event);
}

void UniverseView::Present() {
    const std::vector<PixelRect>& rects = presenter_.TakeChanges();
    if (rects.empty()) return;
    if (shared_)
        PresentShared(rects);
    else
        PresentRegion(rects);
}

// The engine has drawn into the shared image itself: only the rectangles are sent.
void UniverseView::PresentShared(const std::vector<PixelRect>& rects) {
    const QRect band = label_ && label_->isVisible() ? label_->geometry() : QRect();
    std::vector<PixelRect> viaStore;
    for (const PixelRect& r : rects) {
        if (band.intersects(QRect(r.x, r.y, r.width, r.height)))
            viaStore.push_back(r);
        else
            shared_->Put(r.x, r.y, r.width, r.height);
    }
    shared_->Send(); // answered while the next frame waits its turn
    if (!viaStore.empty()) {
        PresentRegion(viaStore);
        xcb_flush(qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection());
    }
}

void UniverseView::PresentRegion(const std::vector<PixelRect>& rects) {
    const qreal dpr = devicePixelRatioF();
    QRegion region;
    if (dpr == 1.0) {
        std::vector<QRect> qrects;
        qrects.reserve(rects.size());
        for (const PixelRect& r : rects)
            qrects.emplace_back(r.x, r.y, r.width, r.height);
        region.setRects(qrects.data(), static_cast<int>(qrects.size()));
    } else {
        for (const PixelRect& r : rects) {
            const int x0 = static_cast<int>(std::floor(r.x / dpr)),
                      y0 = static_cast<int>(std::floor(r.y / dpr));
            const int x1 = static_cast<int>(std::ceil((r.x + r.width) / dpr));
            const int y1 = static_cast<int>(std::ceil((r.y + r.height) / dpr));
            region += QRect(x0, y0, x1 - x0, y1 - y0);
        }
    }
    presenting_ = region;
    repaint(region);
    presenting_ = QRegion();
}

// The window's own image in the backing store, when the changed pixels can be written into it
// directly: a raster store at the view's scale, holding the previous frame.
QImage* UniverseView::StoreImage(const QPainter& p) const {
    if (presenter_.LastWasWhole() || devicePixelRatioF() != 1.0 || !p.deviceTransform().isIdentity())
        return nullptr;
    QBackingStore* store = backingStore();
    auto* image = store ? dynamic_cast<QImage*>(store->paintDevice()) : nullptr;
    // Opaque 0xFFRRGGBB pixels read the same in each of these formats.
    const QImage::Format f = image ? image->format() : QImage::Format_Invalid;
    const bool sameLayout =
        f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied;
    if (!sameLayout || image->width() < image_.width() || image->height() < image_.height()) return nullptr;
    return image;
}

void UniverseView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    QRegion copy = event->region();
    // The backing store lacks what went through shared memory: copy from the surface itself then.
    const bool records = !shared_ && !presenting_.isEmpty() && event->region() == presenting_;
    if (QImage* store = records ? StoreImage(p) : nullptr) {
        // Only the pixels written in this frame; the label's band is copied whole, because the
        // label draws its text again over whatever lies below it.
        presenter_.CopyChanges(reinterpret_cast<uint32_t*>(store->bits()),
                               static_cast<int32_t>(store->bytesPerLine() / 4));
        copy = label_ && label_->isVisible() ? copy & label_->geometry() : QRegion();
    }
    const qreal dpr = image_.devicePixelRatio();
    const QRect covered(QPoint(0, 0), image_.deviceIndependentSize().toSize());
    auto* scratch = reinterpret_cast<uint32_t*>(image_.bits());
    const int32_t scratchStride = static_cast<int32_t>(image_.bytesPerLine() / 4);
    for (const QRect& r : copy) {
        if (!covered.contains(r)) p.fillRect(r, Qt::black);
        const QRect inside = r & covered;
        if (inside.isEmpty()) continue;
        const QRect source(static_cast<int>(std::floor(inside.x() * dpr)),
                           static_cast<int>(std::floor(inside.y() * dpr)),
                           static_cast<int>(std::ceil(inside.width() * dpr)) + 1,
                           static_cast<int>(std::ceil(inside.height() * dpr)) + 1);
        presenter_.CopyRect(PixelRect{source.x(), source.y(), source.width(), source.height()}, scratch,
                            scratchStride);
        p.drawImage(QRectF(inside), image_,
                    QRectF(inside.x() * dpr, inside.y() * dpr, inside.width() * dpr, inside.height() * dpr));
    }
    if (paused_ && running_) {
        paused_ = false;
        presenter_.MarkAll();
        frameTimer_.start(0);
    }
}

void UniverseView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (running_ && DeviceSize() != image_.size()) {
        restartPending_ = true; // the surface's centre and size change: a new universe fits it
        frameTimer_.start(0);
    }
}

void UniverseView::RefreshMessageLabel() {
    const SurfaceMessage& m = engine_.Message();
    if (!label_ || m.text.empty()) return;
    QFont font(QString::fromStdString(m.fontName));
    font.setPointSize(m.fontSize);
    label_->setFont(font);
    const uint32_t c = HueWheelColour(m.hue);
    QPalette palette = label_->palette();
    palette.setColor(QPalette::WindowText, QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
    label_->setPalette(palette);
    label_->setText(QString::fromStdString(m.text));
    label_->setGeometry(0, kLabelTop, width(), label_->sizeHint().height());
    label_->show();
}

} // namespace orb
