#include "ui/fields/qt/spinner.h"

#include <QEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace orb {

namespace {
QToolButton* ArrowButton(Qt::ArrowType arrow, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setArrowType(arrow);
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    b->setAutoRaise(false);
    return b;
}
} // namespace

Spinner::Spinner(QWidget* parent)
    : QWidget(parent), up_(ArrowButton(Qt::UpArrow, this)), down_(ArrowButton(Qt::DownArrow, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    const int w = std::max(14, fontMetrics().height());
    up_->setFixedWidth(w);
    down_->setFixedWidth(w);
    up_->setMinimumHeight(1);
    down_->setMinimumHeight(1);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    setFocusPolicy(Qt::NoFocus);
    connect(up_, &QToolButton::clicked, this, [this] { StepBy(1); });
    connect(down_, &QToolButton::clicked, this, [this] { StepBy(-1); });
}

void Spinner::SetRange(int minimum, int maximum, int step) {
    min_ = minimum;
    max_ = std::max(minimum, maximum);
    step_ = std::max(1, step);
    value_ = std::clamp(value_, min_, max_);
}

void Spinner::SetValue(int value) {
    if (value >= min_ && value <= max_) value_ = value;
}

void Spinner::StepBy(int direction) {
    const int next = std::clamp(value_ + direction * step_, min_, max_);
    if (next == value_) return;
    value_ = next;
    emit valueChanged(value_);
}

void Spinner::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        const int w = std::max(14, fontMetrics().height());
        up_->setFixedWidth(w);
        down_->setFixedWidth(w);
    }
}

} // namespace orb
