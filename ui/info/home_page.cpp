#include "ui/info/home_page.h"

#ifndef ORBELUNE_HOME_PAGE
#define ORBELUNE_HOME_PAGE "file:///usr/local/share/doc/orbelune/html/index.html"
#endif

namespace orb {

std::string HomePageUrl() {
    return ORBELUNE_HOME_PAGE;
}

std::string PageUnreachableMessage(const std::string& url) {
    return "The Web Page could not be reached.\n\nURL:  " + url;
}

bool OpenMakerPage(PageOpener& opener, Messages& messages, const std::string& url) {
    if (!url.empty() && opener.Open(url)) return true;
    messages.Warn(PageUnreachableMessage(url));
    return false;
}

} // namespace orb
