// The project's home page: where it is (a build setting) and opening it in the desktop's
// browser, with the message the user sees when that fails.
#pragma once

#include <string>

#include "ui/fields/messages.h"

namespace orb {

// Opens an address with the desktop's handler; false when it could not.
class PageOpener {
  public:
    virtual ~PageOpener() = default;
    virtual bool Open(const std::string& url) = 0;
};

// The home page address this program was built with (by default the installed help's front
// page).
std::string HomePageUrl();

// "The Web Page could not be reached." with the address.
std::string PageUnreachableMessage(const std::string& url);

// OpenMakerPage: opens `url`; when that fails, says so with an exclamation. True when opened.
bool OpenMakerPage(PageOpener& opener, Messages& messages, const std::string& url);

} // namespace orb
