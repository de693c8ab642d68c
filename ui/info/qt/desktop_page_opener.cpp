#include "ui/info/qt/desktop_page_opener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace orb {

bool DesktopPageOpener::Open(const std::string& url) {
    const QUrl u(QString::fromStdString(url), QUrl::StrictMode);
    return u.isValid() && QDesktopServices::openUrl(u);
}

} // namespace orb
