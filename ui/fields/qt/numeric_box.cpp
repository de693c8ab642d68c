#include "ui/fields/qt/numeric_box.h"

#include <QHBoxLayout>
#include <algorithm>

namespace orb {

namespace {
constexpr int kLiftedLength = 12; // the character limit while a clamped text is put in
std::string Std(const QString& s) {
    return s.toStdString();
}
QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
} // namespace

NumericBox::NumericBox(const FieldSpec& fieldSpec, QWidget* parent)
    : QWidget(parent), spec_(fieldSpec), edit_(new FilteredLineEdit(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(edit_, 1);
    edit_->SetFilter(fieldSpec.filter);
    if (fieldSpec.spinLength > 0) {
        spinner_ = new Spinner(this);
        layout->addWidget(spinner_);
        connect(spinner_, &Spinner::valueChanged, this, [this](int v) {
            edit_->setText(QString::number(v));
            emit textEdited();
        });
        SetupSpinField(*this, fieldSpec.min, fieldSpec.max, fieldSpec.spinLength);
    }
    setFocusProxy(edit_);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    edit_->SetArrowHandler([this](int direction) { return Step(direction); });
    connect(edit_, &QLineEdit::textChanged, this, [this](const QString& t) {
        SyncSpinner(t);
        emit textChanged(t);
    });
    connect(edit_, &QLineEdit::textEdited, this, &NumericBox::textEdited);
    connect(edit_, &FilteredLineEdit::focusLeft, this, &NumericBox::Clamp);
}

QString NumericBox::Text() const {
    return edit_->text();
}

void NumericBox::SetText(const QString& text) {
    edit_->setText(text);
}

void NumericBox::SetClampedText(const QString& text) {
    const int limit = edit_->maxLength();
    edit_->setMaxLength(std::max(limit, static_cast<int>(text.size())));
    edit_->setText(Q(LeaveFieldText(Std(text), spec_)));
    edit_->setMaxLength(limit);
}

double NumericBox::Number() const {
    return ReadFieldNumber(Std(edit_->text()));
}

void NumericBox::SetSpec(const FieldSpec& fieldSpec) {
    spec_ = fieldSpec;
    edit_->SetFilter(fieldSpec.filter);
    if (spinner_ && fieldSpec.spinLength > 0) SetupSpinField(*this, fieldSpec.min, fieldSpec.max, fieldSpec.spinLength);
}

// Room for about eight digits: the boxes hold short numbers, and a layout should not stretch
// them to a line edit's usual width.
QSize NumericBox::sizeHint() const {
    const QFontMetrics fm = edit_->fontMetrics();
    const QSize edit = edit_->sizeHint();
    const int width = fm.horizontalAdvance(QLatin1Char('0')) * 8 + edit.height() / 2 +
                      (spinner_ ? spinner_->sizeHint().width() : 0);
    return QSize(width, edit.height());
}

// A text change moves the spinner to the box's number; a number outside its ends leaves it.
void NumericBox::SyncSpinner(const QString& text) {
    if (!spinner_) return;
    if (const auto v = SpinnerValueForText(Std(text), spinner_->Minimum(), spinner_->Maximum()))
        spinner_->SetValue(*v);
}

bool NumericBox::Step(int direction) {
    const std::optional<std::string> next = StepFieldText(Std(edit_->text()), spec_, direction);
    if (!next) return false;
    const QString text = Q(*next);
    if (text != edit_->text()) {
        edit_->setText(text);
        emit textEdited();
    }
    return true;
}

void NumericBox::Clamp() {
    if (edit_->isReadOnly()) return;
    const QString clamped = Q(LeaveFieldText(Std(edit_->text()), spec_));
    if (clamped != edit_->text()) {
        edit_->setText(clamped);
        emit textEdited();
    }
}

void SetupSpinField(NumericBox& box, double min, double max, int maxLength) {
    FilteredLineEdit* edit = box.Edit();
    const SpinSetup s = orb::SetupSpinField(Std(edit->text()), min, max, maxLength);
    edit->setMaxLength(kLiftedLength);
    edit->setText(Q(s.text));
    edit->setMaxLength(s.maxLength);
    if (Spinner* spinner = box.SpinnerControl()) {
        spinner->SetRange(s.bottom, s.top, s.step);
        if (const auto v = SpinnerValueForText(s.text, s.bottom, s.top)) spinner->SetValue(*v);
    }
}

} // namespace orb
