#include "ui/advanced/qt/advanced_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/fields/qt/field_helpers.h"
#include "ui/fields/qt/numeric_box.h"
#include "ui/fields/qt/qt_text.h"
#include "ui/properties/qt/samples.h"

namespace orb {

namespace {

QColor ToQColor(uint32_t c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

std::vector<std::string> ScreenFonts() {
    std::vector<std::string> fonts;
    for (const QString& family : QFontDatabase::families())
        fonts.push_back(Std(family));
    return fonts;
}

QLabel* Buddy(const QString& text, QWidget* control) {
    auto* label = new QLabel(text);
    label->setBuddy(control);
    return label;
}

} // namespace

AdvancedDialog::AdvancedDialog(SettingsStore& store, Messages& messages, QWidget* parent)
    : QDialog(parent), store_(store), messages_(messages) {
    setWindowTitle(QStringLiteral("Advanced Settings"));
    setModal(true);
    Build();
    Load();
}

void AdvancedDialog::Build() {
    for (int i = 0; i < kAdvancedNumberCount; ++i) {
        txtAdv_[i] = new NumericBox(kAdvancedNumbers[i].fieldSpec, this);
        SelectAllOnFocus(txtAdv_[i]->Edit());
    }
    FieldSpec focal = kFocalLengthSpec;
    focal.clampOnLeave = false; // its own clamp keeps a text such as "1.0"
    txtFocalLen_ = new NumericBox(focal, this);
    txtFocalLen_->Edit()->setMaxLength(kFocalLengthMaxLength);
    SelectAllOnFocus(txtFocalLen_->Edit());
    connect(txtFocalLen_->Edit(), &FilteredLineEdit::focusLeft, this,
            [this] { txtFocalLen_->SetText(Q(ClampFocalLengthText(Std(txtFocalLen_->Text())))); });
    txtMessage_ = new QLineEdit(this);
    txtMessage_->setMaxLength(static_cast<int>(kMessageMaxChars) * 2); // characters beyond the BMP take two
    SelectAllOnFocus(txtMessage_);
    connect(txtMessage_, &QLineEdit::textChanged, this, &AdvancedDialog::LimitMessageText);
    cboFont_ = new QComboBox(this);
    connect(cboFont_, &QComboBox::currentTextChanged, this, &AdvancedDialog::ShowFont);
    picHueFont_ = new ColourSample(this);
    connect(Number(AdvancedNumber::Hue), &NumericBox::textChanged, this, &AdvancedDialog::ShowHue);
    chkResize_ = new QCheckBox(QStringLiteral("Window can be resized (EXE version only)"), this);
    chkMouseM_ = new QCheckBox(QStringLiteral("Ignore mouse moves when running as a screen saver"), this);

    auto* delayFrame = new QGroupBox(QStringLiteral("Frame Delay for Animation Smoothing"));
    auto* delayRow = new QHBoxLayout(delayFrame);
    delayRow->addWidget(Buddy(QStringLiteral("De&lay in Milliseconds (0 - 999):"), txtAdv_[0]));
    delayRow->addWidget(txtAdv_[0]);
    delayRow->addStretch();

    auto* displayFrame = new QGroupBox(QStringLiteral("Display Enhancement"));
    auto* focalRow = new QHBoxLayout(displayFrame);
    focalRow->addWidget(Buddy(QStringLiteral("&Focal Length Distance (0.01 - 10.0):"), txtFocalLen_));
    focalRow->addWidget(txtFocalLen_);
    focalRow->addStretch();

    auto* messageFrame = new QGroupBox(QStringLiteral("On Screen Message"));
    auto* form = new QFormLayout(messageFrame);
    form->addRow(Buddy(QStringLiteral("&Text:"), txtMessage_), txtMessage_);
    form->addRow(Buddy(QStringLiteral("F&ont:"), cboFont_), cboFont_);
    auto* sizeHue = new QHBoxLayout;
    sizeHue->addWidget(txtAdv_[1]);
    sizeHue->addSpacing(12);
    sizeHue->addWidget(Buddy(QStringLiteral("Text &Hue (0 - 359):"), txtAdv_[2]));
    sizeHue->addWidget(txtAdv_[2]);
    sizeHue->addWidget(picHueFont_);
    sizeHue->addStretch();
    form->addRow(Buddy(QStringLiteral("&Size:"), txtAdv_[1]), sizeHue);

    auto* operationFrame = new QGroupBox(QStringLiteral("Operation Properties"));
    auto* checks = new QVBoxLayout(operationFrame);
    checks->addWidget(chkResize_);
    checks->addWidget(chkMouseM_);

    cmdDefaults_ = new QPushButton(QStringLiteral("&Defaults"), this);
    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdDismiss_ = new QPushButton(QStringLiteral("Cancel"), this);
    cmdOK_->setDefault(true);
    connect(cmdDefaults_, &QPushButton::clicked, this, &AdvancedDialog::Reset);
    connect(cmdOK_, &QPushButton::clicked, this, &AdvancedDialog::Apply);
    connect(cmdDismiss_, &QPushButton::clicked, this, &QDialog::reject); // Escape too
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdDefaults_);
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdDismiss_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(delayFrame);
    layout->addWidget(displayFrame);
    layout->addWidget(messageFrame);
    layout->addWidget(operationFrame);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* const order[] = {
        txtAdv_[0]->Edit(), txtFocalLen_->Edit(), txtMessage_, cboFont_,     txtAdv_[1]->Edit(),
        txtAdv_[2]->Edit(), chkResize_,           chkMouseM_,  cmdDefaults_, cmdOK_,
        cmdDismiss_};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
}

AdvancedForm AdvancedDialog::Form() const {
    AdvancedForm f;
    for (int i = 0; i < kAdvancedNumberCount; ++i)
        f.number[i] = Std(txtAdv_[i]->Text());
    f.focalLength = Std(txtFocalLen_->Text());
    f.message = Std(txtMessage_->text());
    f.fontName = Std(cboFont_->currentText());
    f.winResize = chkResize_->isChecked();
    f.mouseMove = chkMouseM_->isChecked();
    return f;
}

void AdvancedDialog::ShowForm(const AdvancedForm& form) {
    for (int i = 0; i < kAdvancedNumberCount; ++i)
        txtAdv_[i]->SetText(Q(form.number[i]));
    txtFocalLen_->SetText(Q(form.focalLength));
    txtMessage_->setText(Q(form.message));
    SelectFont(form.fontName);
    chkResize_->setChecked(form.winResize);
    chkMouseM_->setChecked(form.mouseMove);
}

void AdvancedDialog::Load() {
    ShowForm(LoadAdvancedForm(store_));
    CentreOnScreen(this);
}

void AdvancedDialog::Reset() {
    ShowForm(DefaultAdvancedForm());
}

bool AdvancedDialog::Apply() {
    const AdvancedForm clamped = ClampedAdvancedForm(Form());
    ShowForm(clamped);
    if (!SaveAdvancedForm(store_, clamped)) {
        messages_.Warn(std::string(kAdvancedNotSaved));
        return false;
    }
    accept();
    return true;
}

// The screen's fonts, with the wanted name kept as an entry when the screen has no such font.
void AdvancedDialog::SelectFont(const std::string& name) {
    std::vector<std::string> current;
    for (int i = 0; i < cboFont_->count(); ++i)
        current.push_back(Std(cboFont_->itemText(i)));
    if (current.empty()) current = ScreenFonts();
    const FontChoices choices = FontChoicesFor(std::move(current), name);
    if (static_cast<int>(choices.entries.size()) != cboFont_->count()) {
        QSignalBlocker block(cboFont_);
        cboFont_->clear();
        for (const std::string& e : choices.entries)
            cboFont_->addItem(Q(e));
    }
    cboFont_->setCurrentIndex(choices.selected);
    ShowFont(cboFont_->currentText());
}

void AdvancedDialog::ShowHue(const QString& hueText) {
    const uint32_t colour = HueSwatchColour(Std(hueText));
    picHueFont_->SetColour(colour);
    QPalette palette = txtMessage_->palette();
    palette.setColor(QPalette::Text, ToQColor(colour));
    txtMessage_->setPalette(palette);
}

void AdvancedDialog::ShowFont(const QString& family) {
    QFont font = txtMessage_->font();
    font.setFamily(family);
    font.setBold(false);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    txtMessage_->setFont(font);
}

void AdvancedDialog::LimitMessageText() {
    const std::string text = Std(txtMessage_->text());
    const std::string limited = LimitMessage(text);
    if (limited == text) return;
    const int cursor = txtMessage_->cursorPosition();
    QSignalBlocker block(txtMessage_);
    txtMessage_->setText(Q(limited));
    txtMessage_->setCursorPosition(std::min(cursor, static_cast<int>(txtMessage_->text().size())));
}

} // namespace orb
