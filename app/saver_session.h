// The full-screen saver on every screen: one window per screen, each with its own universe at
// that screen's size. Input on any of them is a close request for all; the close check asks the
// system whether the saver may close.
#pragma once

#include <QObject>
#include <memory>
#include <vector>

#include "app/core/app_state.h"
#include "app/universe_view.h"
#include "platform/qt/instance_beacon.h"
#include "platform/saver_system.h"

namespace orb {

class SaverWindow;

class SaverSession : public QObject {
    Q_OBJECT
  public:
    SaverSession(SettingsStore& store, AppState& state, SaverSystem& system, ViewOptions options);
    ~SaverSession() override;
    // Shows a window on every screen and starts their runs.
    void Open();
    const std::vector<SaverWindow*>& Windows() const { return windows_; }

  signals:
    void finished(); // every window has closed

  private:
    void CloseCheck(SaverWindow* asking);
    void CloseAll();

    SettingsStore& store_;                   // settings of the runs
    AppState& state_;                        // StopFlag
    SaverSystem& system_;                    // saver-running notice and password check
    ViewOptions options_;                    // seed and delay of every window
    std::vector<SaverWindow*> windows_;      // one per screen, deleted with the session
    std::unique_ptr<InstanceBeacon> beacon_; // holds the saver caption while the windows are open
    bool closing_ = false;                   // CloseAll has run
};

} // namespace orb
