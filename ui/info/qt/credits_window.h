// frmCredits: the credit lines scrolling up through a frame over a field of stars that fly at the
// viewer, on the banded background. Paced by the frame delay it is given (the About show's 32 ms).
#pragma once

#include <QDialog>
#include <QImage>
#include <QTimer>
#include <memory>

#include "engine/animation/ticks.h"
#include "ui/info/credits.h"

class QPushButton;

namespace orb {

class CreditStarView;
class CreditColumnView;

class CreditsWindow : public QDialog {
    Q_OBJECT
  public:
    // over: where to lie (the Properties dialog's frame); an empty rectangle centres the window.
    CreditsWindow(int frameDelayMs, TickSource& ticks, QRect over, QWidget* owner = nullptr);
    ~CreditsWindow() override;

    // FormLet: the stars, speed, scroll and credit lines, clamped when the animation starts.
    void FormLet(const CreditsParams& params);

    bool Started() const { return started_; }     // CreditsStarted
    int64_t FramesRun() const { return frames_; } // frames animated so far
    double ColumnTop() const { return columnTop_; }
    const CreditColumn& Column() const { return column_; }
    const CreditStarField* Stars() const { return stars_.get(); }
    QWidget* Field() const;
    QWidget* Frame() const { return frame_; }
    QPushButton* DismissButton() const { return cmdDismiss_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void done(int result) override;

  private:
    void StartAnimation();
    void Tick();
    void BuildColumn();
    void Place();

    int frameDelay_;                         // ms per frame
    TickSource& ticks_;                      // frame start and throttle
    CreditsParams params_;                   // as handed by FormLet, clamped at the start
    CreditColumn column_;                    // the laid-out credit lines
    std::unique_ptr<CreditStarField> stars_; // the flying stars
    CreditStarView* field_ = nullptr;        // picField
    QWidget* frame_ = nullptr;               // picFrame
    CreditColumnView* credits_ = nullptr;    // picCredits
    QPushButton* cmdDismiss_ = nullptr;
    QTimer timer_;         // next frame
    bool started_ = false; // CreditsStarted
    double columnTop_ = 0; // picCredits' top within the frame, pixels
    int64_t frames_ = 0;   // frames animated
};

} // namespace orb
