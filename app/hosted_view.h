// The animation inside a window that another program owns: the preview host of "/P" and
// --preview (reduced universe), or xscreensaver's window for --root and --window-id (full
// settings). The program shows no window of its own: its drawing area becomes a child of the
// host, follows the host's size, lets input through to the host, and the run ends within a frame
// of the host's destruction.
#pragma once

#include <QObject>
#include <cstdint>
#include <memory>

#include "app/universe_view.h"
#include "platform/x11/x11_window.h"

class QSocketNotifier;
class QWindow;

namespace orb {

class HostedRun : public QObject {
    Q_OBJECT
  public:
    // hostWindow 0 stands for the root window of the default screen.
    HostedRun(SettingsStore& store, AppState& state, ViewOptions options, uint32_t hostWindow);
    ~HostedRun() override;
    // False (and nothing shown) when the host window does not exist or the display is out of reach.
    bool Open();
    UniverseView* View() const { return view_.get(); }

  signals:
    void finished(); // the host window is gone or the run stopped

  private:
    // Handles the host's size changes and destruction that have arrived from the server.
    void HandleHostEvents();
    // The frame check: whether the host still exists, with its events handled.
    bool HostRemains();
    void Resize(WindowSize size);
    void Finish();

    SettingsStore& store_;                // settings of the run
    AppState& state_;                     // StopFlag
    ViewOptions options_;                 // preview reduction, seed, delay
    uint32_t host_;                       // the host window
    X11WindowWatch watch_;                // host size and destruction
    QSocketNotifier* notifier_ = nullptr; // on the watch's connection
    QWindow* foreign_ = nullptr;          // Qt's stand-in for the host, parent of the view's window
    std::unique_ptr<UniverseView> view_;  // the drawing area inside the host
    bool finished_ = false;               // Finish has run
};

} // namespace orb
