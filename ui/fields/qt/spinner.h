// The small up/down control beside a number box: its top end is the range's maximum and its
// bottom end the minimum, so the upper arrow raises the value. Clicks only; the box beside it
// keeps the keyboard focus.
#pragma once

#include <QWidget>

class QToolButton;

namespace orb {

class Spinner : public QWidget {
    Q_OBJECT
  public:
    explicit Spinner(QWidget* parent = nullptr);
    // Ends and small step; the value is kept inside the ends.
    void SetRange(int minimum, int maximum, int step);
    // Sets the value without announcing it; a value outside the ends leaves it where it is.
    void SetValue(int value);
    int Value() const { return value_; }
    int Minimum() const { return min_; }
    int Maximum() const { return max_; }
    int Step() const { return step_; }
    // One click on the upper (+1) or lower (-1) arrow.
    void StepBy(int direction);

  signals:
    void valueChanged(int value); // by a click

  protected:
    void changeEvent(QEvent* event) override;

  private:
    QToolButton* up_;   // raises the value
    QToolButton* down_; // lowers it
    int min_ = 0;       // bottom end
    int max_ = 100;     // top end
    int step_ = 1;      // small step of one click
    int value_ = 0;     // current position
};

} // namespace orb
