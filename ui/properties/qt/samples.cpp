#include "ui/properties/qt/samples.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "engine/animation/random.h"
#include "engine/creation/colour.h"
#include "engine/creation/galaxy_model.h"

namespace orb {

namespace {
QColor ToQColor(uint32_t c) {
    return QColor(static_cast<int>(RedOf(c)), static_cast<int>(GreenOf(c)), static_cast<int>(BlueOf(c)));
}
} // namespace

ColourSample::ColourSample(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QSize ColourSample::sizeHint() const {
    const int h = fontMetrics().height();
    return QSize(h * 3, h);
}

void ColourSample::SetColour(uint32_t colour) {
    run_ = false;
    colour_ = colour;
    update();
}

void ColourSample::SetHueRun(int start, int end) {
    auto tables = std::make_unique<ColourTables>();
    BuildFadePalette(*tables, -1, static_cast<int16_t>(start), static_cast<int16_t>(end));
    for (int i = 0; i < 80; ++i)
        strips_[static_cast<size_t>(i)] = tables->UniverseFade(i);
    run_ = true;
    update();
}

uint32_t ColourSample::ColourAt(int strip) const {
    return run_ ? strips_[static_cast<size_t>(std::clamp(strip, 0, 79))] : colour_;
}

void ColourSample::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    if (!run_) {
        p.fillRect(r, ToQColor(colour_));
    } else {
        for (int i = 0; i < 80; ++i) {
            const int x0 = r.width() * i / 80, x1 = r.width() * (i + 1) / 80;
            p.fillRect(QRect(x0, 0, std::max(1, x1 - x0), r.height()),
                       ToQColor(strips_[static_cast<size_t>(i)]));
        }
    }
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

ProfileSketch::ProfileSketch(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QSize ProfileSketch::sizeHint() const {
    const int h = fontMetrics().height();
    return QSize(h * 6, h * 2);
}

void ProfileSketch::SetProfile(int profile) {
    profile_ = profile;
    update();
}

// The envelope's height at each column across the disc, drawn above and below the axis.
void ProfileSketch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::black);
    if (profile_ < 0 || profile_ > 6) return;
    const int w = width(), h = height();
    const float R = 1.0f, Q = 1.0f;
    Random random;
    std::vector<double> env(static_cast<size_t>(w));
    double top = 0;
    for (int x = 0; x < w; ++x) {
        const float r = std::abs((x + 0.5f) / w * 2.0f - 1.0f) * R;
        env[static_cast<size_t>(x)] =
            std::abs(ProfileHeight(random, static_cast<int16_t>(profile_), r, R, Q));
        top = std::max(top, env[static_cast<size_t>(x)]);
    }
    if (top <= 0) top = 1;
    const double mid = h / 2.0, scale = (h / 2.0 - 2) / top;
    QPainterPath path;
    path.moveTo(0, mid);
    for (int x = 0; x < w; ++x)
        path.lineTo(x + 0.5, mid - env[static_cast<size_t>(x)] * scale);
    for (int x = w - 1; x >= 0; --x)
        path.lineTo(x + 0.5, mid + env[static_cast<size_t>(x)] * scale);
    path.closeSubpath();
    p.fillPath(path, QColor(90, 140, 255));
    p.setPen(QColor(200, 220, 255));
    p.drawPath(path);
}

} // namespace orb
