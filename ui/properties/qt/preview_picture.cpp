#include "ui/properties/qt/preview_picture.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "engine/animation/ticks.h"

namespace orb {

PreviewPicture::PreviewPicture(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    const int h = fontMetrics().height();
    setMinimumSize(h * 16, h * 12);
}

QSize PreviewPicture::sizeHint() const {
    const int h = fontMetrics().height();
    return QSize(h * 18, h * 13);
}

Framebuffer& PreviewPicture::PrepareSurface() {
    const qreal dpr = devicePixelRatioF();
    const int w = std::max(1, static_cast<int>(std::lround(width() * dpr)));
    const int h = std::max(1, static_cast<int>(std::lround(height() * dpr)));
    pixels_.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0u);
    surface_ = Framebuffer{};
    surface_.pixels = pixels_.data();
    surface_.width = w;
    surface_.height = h;
    surface_.stride = w;
    image_ = QImage(w, h, QImage::Format_RGB32);
    image_.setDevicePixelRatio(dpr);
    update();
    return surface_;
}

int PreviewPicture::LitPixels() const {
    int n = 0;
    for (uint32_t p : pixels_)
        n += (p & 0xFFFFFFu) != 0;
    return n;
}

void PreviewPicture::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(event->rect(), Qt::black);
    if (image_.isNull() || pixels_.empty()) return;
    // The engine's colours hold red in the low byte; the image wants blue there.
    for (int y = 0; y < surface_.height; ++y) {
        const uint32_t* src = pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(surface_.stride);
        auto* dst = reinterpret_cast<uint32_t*>(image_.scanLine(y));
        for (int x = 0; x < surface_.width; ++x) {
            const uint32_t c = src[x];
            dst[x] = 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
        }
    }
    p.drawImage(QPointF(0, 0), image_);
}

PreviewRun::PreviewRun(SettingsStore& store, PreviewPicture& picture, std::atomic<bool>& cancel,
                       QObject* parent)
    : QObject(parent), store_(store), picture_(picture), cancel_(cancel) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &PreviewRun::Tick);
}

PreviewRun::~PreviewRun() = default;

void PreviewRun::Start(const GalaxyTables& tables, const PropertiesPreviewFields& fields) {
    if (preview_) Finish();
    cancel_ = false;
    engine_ = std::make_unique<UniverseEngine>(store_);
    GalaxyTables& own = engine_->Tables();
    own = tables;
    for (int slot = 0; slot < kGalaxyTypeSlots; ++slot)
        ValidateGalaxyType(own.types[slot]);
    for (CompositeGalaxy& c : own.composites)
        ValidateComposite(c);
    const PropertiesPreview values = PropertiesPreviewValues(fields);
    surface_ = PreparePreviewSurface(*engine_, picture_.PrepareSurface(), false);
    BuildPreviewColours(*engine_, values);
    preview_ = std::make_unique<PreviewGalaxy>(*engine_, surface_, values.params, &cancel_);
    timer_.start(0);
}

void PreviewRun::Stop() {
    if (!preview_) return;
    cancel_ = true;
    Tick(); // the stepper sees the flag, clears it and ends
}

void PreviewRun::Tick() {
    if (!preview_) return;
    const PreviewFrame f = preview_->Step();
    if (f.status != PreviewStatus::Cancelled) picture_.Present();
    if (f.status != PreviewStatus::Running) {
        Finish();
        return;
    }
    const int32_t elapsed = static_cast<int32_t>(DefaultTicks().Ticks() - f.frameStartTick);
    timer_.start(std::max(0, surface_.frameDelay - std::abs(elapsed)));
}

void PreviewRun::Finish() {
    timer_.stop();
    preview_.reset();
    engine_.reset();
    emit finished();
}

} // namespace orb
