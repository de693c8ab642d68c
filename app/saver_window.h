// frmSaver: the full-screen saver on one screen. It covers the screen, hides the cursor, stays on
// top and asks to close on any key, any mouse button or the fourth counted mouse move.
#pragma once

#include "app/core/saver_input.h"
#include "app/universe_view.h"

class QScreen;

namespace orb {

class SaverWindow : public UniverseView {
    Q_OBJECT
  public:
    SaverWindow(SettingsStore& store, AppState& state, ViewOptions options, QScreen* screen);
    // Covers the window's screen and starts the run.
    void Open();
    // The window closes for real from now on (the close check passed).
    void AllowClose() { closeAllowed_ = true; }

  signals:
    void closeRequested(); // input, or a close from the system: the session decides

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    MouseMoveCounter moves_;         // MoveCount and FirstMoveTime of this window
    bool mouseMovesIgnored_ = false; // MouseMovesIgnored: Adv_MouseMove is "1"
    bool closeAllowed_ = false;      // the session let the window close
};

} // namespace orb
