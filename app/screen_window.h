// frmScreen: the animation in an application window, maximized without a caption or, with
// Adv_WinResize on, as a resizable window captioned "ZEFO:Orbelune 3.0" whose placement is
// remembered. Escape ends the program, F5 restarts with reloaded settings.
#pragma once

#include <memory>

#include "app/universe_view.h"
#include "platform/qt/instance_beacon.h"

namespace orb {

class ScreenWindow : public UniverseView {
    Q_OBJECT
  public:
    ScreenWindow(SettingsStore& store, AppState& state, ViewOptions options);
    ~ScreenWindow() override;
    // Caption, cursor and placement from the settings, then shown; the run starts when the
    // window first becomes active or is shown.
    void Open();
    bool Resizable() const { return resizable_; }
    // WindowState and WindowSize (twips) in section General.
    void SaveWindowPlacement();
    void RestoreWindowPlacement();
    // The Properties dialog opened from this window has closed: the message is cleared and a
    // fresh run with the new settings starts (at once when the window is still shown).
    void PropertiesClosed();

  signals:
    void endRequested();        // Escape or a closed window: the program ends
    void propertiesRequested(); // any other key or a click: the Properties dialog's turn

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    bool resizable_ = false;                 // Adv_WinResize was "1" when the window opened
    bool screenActivated_ = false;           // ScreenActivated: a run has started for this activation
    std::unique_ptr<InstanceBeacon> beacon_; // holds the caption of a captioned window
};

} // namespace orb
