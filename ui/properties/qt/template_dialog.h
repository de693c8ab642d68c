// frmTemplate: choosing a template file to open or to save, with the status label and the cyan
// progress box under the desktop's own (Qt, non-native) file chooser, which brings the places,
// typing a path and the file-type list. The chooser is a widget inside this dialog, so tests
// drive it without a native dialog.
#pragma once

#include <QDialog>
#include <QFileDialog>
#include <functional>

#include "settings/templates.h"
#include "ui/fields/messages.h"
#include "ui/properties/template_actions.h"

class QLabel;
class QLineEdit;

namespace orb {

// The file chooser as a part of the template dialog: its Open/Save and Cancel buttons report to
// the dialog instead of closing the chooser.
class TemplateChooser : public QFileDialog {
    Q_OBJECT
  public:
    explicit TemplateChooser(QWidget* parent = nullptr);
    QLineEdit* FileNameBox() const; // txtFile
    // The path of the typed or selected file ("" when the name box is blank).
    QString ChosenPath() const;

  public slots:
    void accept() override;
    void reject() override;

  signals:
    void chosen(const QString& path); // Open/Save pressed on a file ("" for a blank name)
    void cancelled();
};

// picStatus: a box filled in cyan across step/total of its width.
class TemplateProgress : public QWidget, public ProgressSink {
    Q_OBJECT
  public:
    explicit TemplateProgress(QWidget* parent = nullptr);
    void Progress(int step, int total) override; // repaints at once: a save runs without the event loop
    int Step() const { return step_; }
    int Total() const { return total_; }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int step_ = 0;  // steps done
    int total_ = 1; // steps in all
};

class TemplateDialog : public QDialog {
    Q_OBJECT
  public:
    TemplateDialog(TemplateMode mode, TemplateState& state, TemplateTarget target, Messages& messages,
                   QWidget* parent = nullptr);

    TemplateChooser* Chooser() const { return chooser_; }
    TemplateProgress* ProgressBox() const { return picStatus_; }
    QLabel* StatusLabel() const { return lblStatus_; }

    // OK on a path as the chooser gives it: save or open, and close on success. A failure keeps
    // the dialog open with a message and the name box focused. False when it stayed open.
    bool Choose(const QString& path);

  signals:
    void templateOpened(); // the fields and tables now hold the template: refresh the lists

  protected:
    void done(int result) override; // remembers the folder for the next dialog

  private:
    bool Save(const QString& path);
    bool Open(const QString& path);
    void Refuse(std::string_view message);

    TemplateMode mode_;
    TemplateState& state_;  // current template file and last folder (process-wide)
    TemplateTarget target_; // store, universe fields, tables
    Messages& messages_;
    TemplateChooser* chooser_ = nullptr;
    QLabel* lblStatus_ = nullptr;           // "Saving Status:" / "Loading Status:"
    TemplateProgress* picStatus_ = nullptr; // the 48 steps
};

// The File menu's template items. Open and Save As show the dialog; Save writes the current
// template file at once and shows the dialog only when there is none. `opened` runs after a
// template was opened (the window refreshes its lists and fields).
class TemplateMenu {
  public:
    TemplateMenu(QWidget* window, TemplateState& state, TemplateTarget target, Messages& messages,
                 std::function<void()> opened);
    void Open();
    void Save();
    void SaveAs();
    // Before a dialog is shown (tests answer it there); none by default.
    std::function<void(TemplateDialog&)> beforeShow;

  private:
    void Show(TemplateMode mode);
    QWidget* window_;
    TemplateState& state_;
    TemplateTarget target_;
    Messages& messages_;
    std::function<void()> opened_;
};

} // namespace orb
