// Text between the window-free cores (UTF-8 std::string) and the Qt widgets.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace orb {

inline QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

inline std::string Std(const QString& s) {
    return s.toStdString();
}

} // namespace orb
