// Painting shared by the information windows: the banded gradient, the coloured frame border and
// labels with a shadow behind them.
#pragma once

#include <QColor>
#include <QLabel>
#include <optional>

#include "ui/info/gradient.h"

class QPainter;

namespace orb {

inline QColor ToQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// GradientFill: paints the bands over `area` with copy-pen and solid fill; the painter's state is
// restored afterwards.
void PaintGradient(QPainter& p, const QRectF& area, Rgb start, Rgb end, int steps, int style,
                   std::optional<QPointF> centre = std::nullopt);

// DrawFrameBorder: six rings inset 0 to 5 pixels from the edge of `area`, each side in its colour.
void DrawFrameBorder(QPainter& p, const QRect& area);

// The background of the About and Welcome windows: the circles gradient from deep blue to dark red
// about a point near the top left, and the frame border.
void PaintInfoBackground(QPainter& p, const QRect& area);

// A label drawn twice: its shadow two pixels right of and one below the text. Transparent, so the
// window's gradient shows through.
class ShadowLabel : public QLabel {
    Q_OBJECT
  public:
    enum class Tone { Green, Cyan }; // green on dark green, cyan on dark cyan
    ShadowLabel(const QString& text, Tone tone, QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor front_, shadow_;
};

} // namespace orb
