// Opens addresses with the desktop's handler (the browser for web pages and local files).
#pragma once

#include "ui/info/home_page.h"

namespace orb {

class DesktopPageOpener : public PageOpener {
  public:
    bool Open(const std::string& url) override;
};

} // namespace orb
