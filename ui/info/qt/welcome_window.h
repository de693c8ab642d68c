// frmWelcome: shown the first time a user opens the Properties dialog. A new user is greeted; a
// user with settings from before is offered the factory reset, which first backs up every stored
// setting to a template and resets only when that worked.
#pragma once

#include <QDialog>
#include <string>

#include "settings/store.h"
#include "settings/templates.h"
#include "ui/fields/messages.h"
#include "ui/info/welcome.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace orb {

class WelcomeWindow : public QDialog {
    Q_OBJECT
  public:
    // backupPath: where the reset saves the stored settings; templates: the dialog's template
    // state, whose current file becomes the backup (may be null).
    WelcomeWindow(SettingsStore& store, std::string backupPath, Messages& messages, TemplateState* templates,
                  QWidget* owner = nullptr);

    WelcomeKind Kind() const { return kind_; }
    bool ResetRequested() const { return resetRequested_; }
    QPushButton* ResetButton() const { return cmdReset_; }
    QPushButton* DismissButton() const { return cmdDismiss_; }
    QProgressBar* Status() const { return picStatus_; }
    QString Text() const;

    // The Reset button: back up the stored settings, then ask the dialog to reset.
    void Reset();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    SettingsStore& store_;
    std::string backupPath_;
    Messages& messages_;
    TemplateState* templates_;
    WelcomeKind kind_;
    QLabel* lblSmall_ = nullptr;
    QPushButton* cmdReset_ = nullptr;
    QPushButton* cmdDismiss_ = nullptr;
    QProgressBar* picStatus_ = nullptr; // the backup's progress, shown once a reset starts
    bool resetRequested_ = false;       // ResetRequested
};

// Shows the Welcome window (window-modal on `owner`, so other top-level windows such as the help
// stay usable) and returns whether the user chose the reset with its backup written.
bool RunWelcome(SettingsStore& store, const std::string& backupPath, Messages& messages,
                TemplateState* templates, QWidget* owner);

} // namespace orb
