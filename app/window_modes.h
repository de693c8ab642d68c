// The window modes of the orbelune program on a Qt application: the full-screen saver, the
// application window and the hosted modes, with the single-instance test between starts.
#pragma once

#include "app/core/cli.h"
#include "settings/store_backend.h"

namespace orb {

class GuiWindowModes : public WindowModes {
  public:
    GuiWindowModes(const char* programName, StoreBackend& backend);
    bool WindowExists(std::string_view caption) override;
    bool BringToFront(std::string_view caption) override;
    int Run(const WindowRequest& request, std::ostream& err) override;

  private:
    const char* programName_; // argv[0], for the Qt application
    StoreBackend& backend_;   // the user's settings
};

} // namespace orb
