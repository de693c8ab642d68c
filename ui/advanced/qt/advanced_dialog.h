// frmAdvanced, "Advanced Settings": the frame delay, focal length, on-screen message with its
// font, size and hue, and the two operation switches. Modal; nothing is stored before OK.
#pragma once

#include <QDialog>
#include <array>

#include "settings/store.h"
#include "ui/advanced/advanced_form.h"
#include "ui/fields/messages.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace orb {

class ColourSample;
class NumericBox;

class AdvancedDialog : public QDialog {
    Q_OBJECT
  public:
    // The store the values are read from and written to; messages report a failed OK.
    AdvancedDialog(SettingsStore& store, Messages& messages, QWidget* parent = nullptr);

    // The controls' values (load and Defaults put them in, OK reads them).
    AdvancedForm Form() const;
    void ShowForm(const AdvancedForm& form);
    // The stored values into the controls.
    void Load();
    // "&Defaults": the factory values into the controls only.
    void Reset();
    // OK: clamp, write the eight values in one batch, close. A store that refuses them keeps the
    // dialog open with a message; false then.
    bool Apply();

    // Controls, for tests.
    NumericBox* Number(AdvancedNumber n) const { return txtAdv_[static_cast<int>(n)]; }
    NumericBox* FocalLength() const { return txtFocalLen_; }
    QLineEdit* Message() const { return txtMessage_; }
    QComboBox* Fonts() const { return cboFont_; }
    ColourSample* HueSwatch() const { return picHueFont_; }
    QCheckBox* Resize() const { return chkResize_; }
    QCheckBox* MouseMoves() const { return chkMouseM_; }
    QPushButton* DefaultsButton() const { return cmdDefaults_; }
    QPushButton* OkButton() const { return cmdOK_; }
    QPushButton* CancelButton() const { return cmdDismiss_; }

  private:
    void Build();
    void SelectFont(const std::string& name);
    void ShowHue(const QString& hueText);
    void ShowFont(const QString& family);
    void LimitMessageText();

    SettingsStore& store_;
    Messages& messages_;
    std::array<NumericBox*, kAdvancedNumberCount> txtAdv_{}; // delay, size, hue with spinners
    NumericBox* txtFocalLen_ = nullptr;                      // focal length
    QLineEdit* txtMessage_ = nullptr;                        // the on-screen message
    QComboBox* cboFont_ = nullptr;                           // the desktop's font families
    ColourSample* picHueFont_ = nullptr;                     // hue swatch
    QCheckBox* chkResize_ = nullptr;                         // Adv_WinResize
    QCheckBox* chkMouseM_ = nullptr;                         // Adv_MouseMove
    QPushButton* cmdDefaults_ = nullptr;                     // "&Defaults"
    QPushButton* cmdOK_ = nullptr;                           // "OK", the default button
    QPushButton* cmdDismiss_ = nullptr;                      // "Cancel", also Escape
};

} // namespace orb
