// A widget that runs the universe animation on its own area: the run sequence (surface set-up,
// factory galaxy types on first use, universe values, the animation driver), one frame per timer
// tick paced from the frame's start, what changed presented once per frame, and the on-screen
// message along the top. The saver, the application window and the hosted modes build on it.
#pragma once

#include <QImage>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "app/core/app_state.h"
#include "app/core/frame_presenter.h"
#include "engine/animation/animation.h"
#include "engine/creation/universe.h"
#include "platform/x11/x11_window.h"
#include "settings/store.h"

class QLabel;
class QPainter;

namespace orb {

struct ViewOptions {
    bool preview = false;              // reduced universe values, no message label
    std::optional<uint64_t> seed;      // fixed random seed, or the clock
    std::optional<int16_t> frameDelay; // frame delay in ms, or Adv_TimeDelay
};

class UniverseView : public QWidget {
    Q_OBJECT
  public:
    UniverseView(SettingsStore& store, AppState& state, ViewOptions options, QWidget* parent = nullptr);
    ~UniverseView() override;

    // A new run at the next frame: settings read afresh, a new universe.
    void StartRun();
    // No more frames.
    void StopRun();
    bool Running() const { return running_; }
    // Asked after every frame; false ends the run (a host window that is gone).
    void SetFrameCheck(std::function<bool()> check) { frameCheck_ = std::move(check); }
    // RefreshMessageLabel: the prepared message, font, size and hue on the label along the top.
    void RefreshMessageLabel();

    QLabel* MessageLabel() const { return label_; }
    int64_t FramesPresented() const { return frames_; }
    int32_t RunsStarted() const { return runs_; }
    // The engine's surface, in device pixels.
    const Framebuffer& Surface() { return presenter_.Surface(); }

  signals:
    void runStopped(); // the run ended by StopFlag, StopRun or a failed frame check

  protected:
    SettingsStore& Store() { return store_; }
    AppState& State() { return state_; }
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Tick();
    void BeginRun();
    void Present();
    // The changes put straight onto the window from shared memory; the label's band still goes
    // through the backing store, which draws the label over it.
    void PresentShared(const std::vector<PixelRect>& rects);
    void PresentRegion(const std::vector<PixelRect>& rects);
    void OpenSharedImage();
    void Schedule(const FrameResult& r);
    bool Exposed() const;
    QImage* StoreImage(const QPainter& p) const;
    QSize DeviceSize() const;

    SettingsStore& store_;                         // settings of every run
    AppState& state_;                              // StopFlag
    ViewOptions options_;                          // fixed for the view's life
    UniverseEngine engine_;                        // run-time arrays and creation
    std::unique_ptr<UniverseAnimation> animation_; // the driver of the current run
    FramePresenter presenter_;                     // the engine's surface and what changed
    QImage image_;                           // converted parts of the surface for drawImage, device pixels
    std::unique_ptr<X11SharedImage> shared_; // the window's pixels shared with the X server, or none
    QTimer frameTimer_;                      // next frame
    QTimer labelTimer_;                      // message refresh every 3000 ms
    QLabel* label_ = nullptr;                // lblMessage; none in previews
    QRegion presenting_;                     // region of the frame being presented, else empty
    std::function<bool()> frameCheck_;       // host still there
    bool running_ = false;                   // frames are wanted
    bool restartPending_ = false;            // begin a new run at the next tick
    bool paused_ = false;                    // not exposed: frames wait for the next paint
    int64_t frames_ = 0;                     // frames presented since construction
    int32_t runs_ = 0;                       // runs begun since construction
};

} // namespace orb
