#include "ui/info/qt/info_paint.h"

#include <QPainter>
#include <QStyle>

namespace orb {

void PaintGradient(QPainter& p, const QRectF& area, Rgb start, Rgb end, int steps, int style,
                   std::optional<QPointF> centre) {
    std::optional<std::pair<double, double>> c;
    if (centre) c = std::pair{centre->x(), centre->y()};
    const auto bands =
        GradientBands({area.left(), area.top(), area.width(), area.height()}, start, end, steps, style, c);
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(Qt::NoPen);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setClipRect(area, Qt::IntersectClip);
    for (const GradientBand& b : bands) {
        p.setBrush(ToQColor(b.colour));
        if (b.disc)
            p.drawEllipse(QPointF(b.x0, b.y0), b.radius, b.radius);
        else
            p.drawRect(QRectF(QPointF(b.x0, b.y0), QPointF(b.x1, b.y1)));
    }
    p.restore();
}

void DrawFrameBorder(QPainter& p, const QRect& area) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < kFrameRings; ++i) {
        const QRect r = area.adjusted(i, i, -i - 1, -i - 1);
        const QPoint corners[4] = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
        for (int side = 0; side < 4; ++side) {
            p.setPen(QPen(ToQColor(kFrameSideColours[side]), 1));
            p.drawLine(corners[side], corners[(side + 1) % 4]);
        }
    }
    p.restore();
}

void PaintInfoBackground(QPainter& p, const QRect& area) {
    // The centre sits at 840 x 660 twips: 56 x 44 pixels at 96 dots per inch.
    PaintGradient(p, area, {0, 32, 128}, {128, 0, 0}, 24, static_cast<int>(GradientStyle::Circles),
                  QPointF(area.left() + 56, area.top() + 44));
    DrawFrameBorder(p, area);
}

ShadowLabel::ShadowLabel(const QString& text, Tone tone, QWidget* parent) : QLabel(text, parent) {
    if (tone == Tone::Green) {
        front_ = QColor(0, 255, 0), shadow_ = QColor(0, 128, 0);
    } else {
        front_ = QColor(0, 255, 255), shadow_ = QColor(0, 128, 128);
    }
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    // Room for the shadow's offset.
    setContentsMargins(0, 0, 2, 1);
}

void ShadowLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int flags = static_cast<int>(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
    const QRect r = contentsRect();
    p.setFont(font());
    p.setPen(shadow_);
    p.drawText(r.translated(2, 1), flags, text());
    p.setPen(front_);
    p.drawText(r, flags, text());
}

} // namespace orb
