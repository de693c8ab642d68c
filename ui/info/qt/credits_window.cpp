#include "ui/info/qt/credits_window.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "ui/info/qt/info_paint.h"

namespace orb {

// picField: the gradient with the stars drawn over it by exclusive-or, kept in an image so that
// each frame only touches the stars' pixels.
class CreditStarView : public QWidget {
  public:
    explicit CreditStarView(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

    // Repaints the background at the current size; the stars are drawn again by the caller.
    void Reset() {
        image_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        QPainter p(&image_);
        PaintGradient(p, QRectF(image_.rect()), {0, 0, 48}, {160, 0, 0}, 24,
                      static_cast<int>(GradientStyle::Nested));
    }

    // A dot of `width` pixels centred on the field point (x, y) in -1..1, inverted in place.
    void XorDot(float x, float y, int width) {
        if (!std::isfinite(x) || !std::isfinite(y) || image_.isNull()) return;
        const double cx = (x + 1.0) * 0.5 * image_.width(), cy = (y + 1.0) * 0.5 * image_.height();
        const int w = std::clamp(width, 1, 64);
        const int left = static_cast<int>(std::floor(cx - w / 2.0)),
                  top = static_cast<int>(std::floor(cy - w / 2.0));
        for (int py = std::max(top, 0); py < std::min(top + w, image_.height()); ++py) {
            auto* row = reinterpret_cast<QRgb*>(image_.scanLine(py));
            for (int px = std::max(left, 0); px < std::min(left + w, image_.width()); ++px)
                row[px] ^= 0x00FFFFFFu;
        }
    }

    const QImage& Image() const { return image_; }
    std::function<void()> onDoubleClick;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, image_);
    }
    void mouseDoubleClickEvent(QMouseEvent*) override {
        if (onDoubleClick) onDoubleClick();
    }

  private:
    QImage image_; // background and stars, one pixel per widget pixel
};

// picCredits: every credit line printed once into a tall picture that moves inside the frame.
class CreditColumnView : public QWidget {
  public:
    explicit CreditColumnView(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }
    void SetImage(QImage image) {
        image_ = std::move(image);
        resize(image_.size());
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, image_);
    }

  private:
    QImage image_;
};

namespace {

// Text measured in the column's font at a point size.
class FontMeasure : public TextMeasure {
  public:
    explicit FontMeasure(QFont base) : base_(std::move(base)) {}
    double Width(std::string_view text, int pointSize) const override {
        return QFontMetricsF(At(pointSize))
            .horizontalAdvance(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
    }
    double Height(std::string_view, int pointSize) const override {
        return QFontMetricsF(At(pointSize)).height();
    }
    QFont At(int pointSize) const {
        QFont f = base_;
        f.setPointSize(pointSize);
        return f;
    }

  private:
    QFont base_;
};

} // namespace

CreditsWindow::CreditsWindow(int frameDelayMs, TickSource& ticks, QRect over, QWidget* owner)
    : QDialog(owner), frameDelay_(std::clamp(frameDelayMs, 0, 999)), ticks_(ticks) {
    setWindowTitle(tr("Credits"));
    setWindowModality(Qt::WindowModal);
    field_ = new CreditStarView(this);
    field_->onDoubleClick = [this] { isMaximized() ? showNormal() : showMaximized(); };
    frame_ = new QWidget(this);
    frame_->setAutoFillBackground(true);
    QPalette black = frame_->palette();
    black.setColor(QPalette::Window, Qt::black);
    frame_->setPalette(black);
    credits_ = new CreditColumnView(frame_);
    cmdDismiss_ = new QPushButton(tr("&Dismiss"), this);
    cmdDismiss_->setDefault(true);
    connect(cmdDismiss_, &QPushButton::clicked, this, &QDialog::accept);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &CreditsWindow::Tick);
    params_.credits = OrbeluneCredits();
    if (over.isValid()) {
        setGeometry(over);
    } else {
        resize(520, 400);
    }
    setMinimumSize(240, 160);
}

CreditsWindow::~CreditsWindow() = default;

QWidget* CreditsWindow::Field() const {
    return field_;
}

void CreditsWindow::FormLet(const CreditsParams& params) {
    params_ = params;
}

void CreditsWindow::BuildColumn() {
    const FontMeasure measure(font());
    const bool highDpi = logicalDpiX() >= 120;
    column_ = LayoutCreditColumn(params_.credits, highDpi, measure);
    QImage image(
        QSize(static_cast<int>(std::ceil(column_.width)), static_cast<int>(std::ceil(column_.height))),
        QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    for (const PlacedCreditLine& l : column_.lines) {
        const QFont f = measure.At(l.line.pointSize);
        p.setFont(f);
        const double ascent = QFontMetricsF(f).ascent();
        const QString text = QString::fromStdString(l.line.text);
        p.setPen(l.line.centred ? QColor(0, 128, 0) : QColor(0, 128, 128));
        p.drawText(QPointF(l.shadowX, l.y + 1 + ascent), text);
        p.setPen(l.line.centred ? QColor(0, 255, 0) : QColor(0, 255, 255));
        p.drawText(QPointF(l.textX, l.y + ascent), text);
    }
    p.end();
    credits_->SetImage(std::move(image));
}

void CreditsWindow::Place() {
    const QRect client = rect();
    field_->setGeometry(client);
    const QSize button = cmdDismiss_->sizeHint();
    const int buttonTop = client.height() - static_cast<int>(std::lround(1.25 * button.height()));
    cmdDismiss_->setGeometry((client.width() - button.width()) / 2, buttonTop, button.width(),
                             button.height());
    const int width = std::min(static_cast<int>(std::ceil(column_.width)), client.width());
    const int top = 10;
    frame_->setGeometry((client.width() - width) / 2, top, width, std::max(buttonTop - top - 10, 1));
}

void CreditsWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (!started_) return;
    Place();
    // The background is painted again at the new size; the stars are drawn over it where they are.
    field_->Reset();
    stars_->DrawAll([this](float x, float y, int w) { field_->XorDot(x, y, w); });
    field_->update();
}

void CreditsWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!started_) StartAnimation(); // the first activation
}

void CreditsWindow::StartAnimation() {
    started_ = true;
    params_ = ClampCreditsParams(params_);
    BuildColumn();
    Place();
    columnTop_ = CreditColumnStart(frame_->height());
    credits_->move(0, static_cast<int>(std::lround(columnTop_)));
    stars_ =
        std::make_unique<CreditStarField>(params_.stars, params_.speed, ticks_.Ticks() * 2654435761ULL + 1);
    field_->Reset();
    stars_->Start([this](float x, float y, int w) { field_->XorDot(x, y, w); });
    field_->update();
    timer_.start(0);
}

void CreditsWindow::Tick() {
    const uint32_t frameStart = ticks_.Ticks(); // FrameStartTick
    stars_->Step([this](float x, float y, int w) { field_->XorDot(x, y, w); });
    field_->update();
    columnTop_ = ScrollCreditColumn(columnTop_, credits_->height(), frame_->height(), params_.scroll);
    credits_->move(0, static_cast<int>(std::lround(columnTop_)));
    ++frames_;
    const int64_t spent = static_cast<int32_t>(ticks_.Ticks() - frameStart);
    timer_.start(static_cast<int>(std::clamp<int64_t>(frameDelay_ - spent, 0, frameDelay_)));
}

void CreditsWindow::done(int result) {
    timer_.stop(); // only this window's animation ends
    QDialog::done(result);
}

} // namespace orb
