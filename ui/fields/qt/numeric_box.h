// A number box: a line edit with an optional spinner beside it, bound to a field fieldSpec of the
// field rules: which keys it takes, how the arrow keys step it, how it is clamped when it loses
// the focus and the spinner's ends. (A QSpinBox cannot be used: it refuses an empty box and
// reads "0"-prefixed texts its own way.)
#pragma once

#include <QWidget>

#include "ui/fields/field_rules.h"
#include "ui/fields/qt/filtered_line_edit.h"
#include "ui/fields/qt/spinner.h"

namespace orb {

class NumericBox : public QWidget {
    Q_OBJECT
  public:
    // A spinner is made when the fieldSpec asks for one (spinLength > 0).
    explicit NumericBox(const FieldSpec& fieldSpec, QWidget* parent = nullptr);
    QSize sizeHint() const override;

    FilteredLineEdit* Edit() const { return edit_; }
    Spinner* SpinnerControl() const { return spinner_; } // null without a spinner
    const FieldSpec& Rules() const { return spec_; }
    QString Text() const;
    void SetText(const QString& text);
    // A value put in by the program: shown as the box would hold it after losing the focus
    // (clamped into its range), even when it is longer than the box's character limit.
    void SetClampedText(const QString& text);
    // The box's number as the rules read it ("0" + text, leading numeric part).
    double Number() const;

    // New rules (a style change): the key filter, range and step; a box with a spinner goes
    // through SetupSpinField with the new range and character limit.
    void SetSpec(const FieldSpec& fieldSpec);
    // Applies the focus-loss clamp now.
    void Clamp();

  signals:
    void textChanged(const QString& text); // any change, typed, stepped or set
    void textEdited();                     // a change made by the user

  private:
    void SyncSpinner(const QString& text);
    bool Step(int direction);

    FieldSpec spec_;             // the rules the box follows
    FilteredLineEdit* edit_;     // the text
    Spinner* spinner_ = nullptr; // beside it, or none
};

// SetupSpinField for a box with a spinner: the text clamped as an integer into the range, the
// spinner's ends and step, and the box's character limit.
void SetupSpinField(NumericBox& box, double min, double max, int maxLength);

} // namespace orb
