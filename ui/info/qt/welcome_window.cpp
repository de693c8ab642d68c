#include "ui/info/qt/welcome_window.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/fields/qt/field_helpers.h"
#include "ui/info/qt/info_paint.h"
#include "ui/properties/props_actions.h"

namespace orb {

namespace {

// Shows a template save's progress in the status bar as it goes.
class BarProgress : public ProgressSink {
  public:
    explicit BarProgress(QProgressBar* bar) : bar_(bar) {}
    void Progress(int step, int total) override {
        bar_->setMaximum(std::max(total, 1));
        bar_->setValue(std::clamp(step, 0, std::max(total, 1)));
        bar_->repaint();
    }

  private:
    QProgressBar* bar_;
};

} // namespace

WelcomeWindow::WelcomeWindow(SettingsStore& store, std::string backupPath, Messages& messages,
                             TemplateState* templates, QWidget* owner)
    : QDialog(owner), store_(store), backupPath_(std::move(backupPath)), messages_(messages),
      templates_(templates), kind_(DecideWelcome(store)) {
    setWindowTitle(tr("Welcome"));
    setWindowModality(Qt::WindowModal);
    auto* lblSpecial = new ShadowLabel(QString::fromUtf8(kWelcomeTitle), ShadowLabel::Tone::Green, this);
    QFont big = lblSpecial->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    lblSpecial->setFont(big);
    lblSmall_ = new ShadowLabel(QString::fromStdString(WelcomeText(kind_)), ShadowLabel::Tone::Cyan, this);
    lblSmall_->setWordWrap(true);
    lblSmall_->setMinimumWidth(520);
    // The caption with an access key on its first letter.
    cmdReset_ = new QPushButton(QStringLiteral("&") + QString::fromUtf8(kWelcomeResetCaption), this);
    cmdDismiss_ = new QPushButton(QString::fromUtf8(WelcomeDismissCaption(kind_)), this);
    cmdDismiss_->setDefault(true);
    cmdReset_->setVisible(kind_ == WelcomeKind::Upgrade);
    picStatus_ = new QProgressBar(this);
    picStatus_->setTextVisible(false);
    picStatus_->setVisible(false);
    connect(cmdReset_, &QPushButton::clicked, this, &WelcomeWindow::Reset);
    connect(cmdDismiss_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdReset_);
    buttons->addStretch(1);
    buttons->addWidget(cmdDismiss_);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(18, 18, 18, 18); // clear of the frame border
    outer->addWidget(lblSpecial);
    outer->addWidget(lblSmall_);
    outer->addWidget(picStatus_);
    outer->addLayout(buttons);
    outer->setSizeConstraint(QLayout::SetFixedSize); // the height follows the text
    adjustSize();                                    // the layout's size, so that the centring uses it
    CentreOnScreen(this);
}

QString WelcomeWindow::Text() const {
    return lblSmall_->text();
}

void WelcomeWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintInfoBackground(p, rect());
}

void WelcomeWindow::Reset() {
    cmdReset_->setVisible(false);
    picStatus_->setValue(0);
    picStatus_->setVisible(true);
    picStatus_->repaint();
    BarProgress progress(picStatus_);
    if (BackupStoredSettings(store_.Backend(), backupPath_, &progress) != TemplateStatus::Done) {
        // Without the backup the user's settings would be lost: nothing is reset.
        picStatus_->setVisible(false);
        cmdReset_->setVisible(true);
        messages_.Warn(BackupFailedText(backupPath_));
        return;
    }
    if (templates_) templates_->currentTemplateFile = backupPath_;
    resetRequested_ = true;
    accept();
}

bool RunWelcome(SettingsStore& store, const std::string& backupPath, Messages& messages,
                TemplateState* templates, QWidget* owner) {
    WelcomeWindow w(store, backupPath, messages, templates, owner);
    w.exec();
    return w.ResetRequested();
}

} // namespace orb
