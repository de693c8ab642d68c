#include "app/core/saver_input.h"

#include <cstdio>

#include "settings/numeric.h"

namespace orb {

bool MouseMoveCounter::OnMove(double now) {
    ++moveCount;
    bool close = moveCount == 4;
    if (firstMoveTime != 0) {
        if (now - firstMoveTime > 10.0) {
            firstMoveTime = 0;
            moveCount = 0;
        }
    } else {
        firstMoveTime = NearestLong(now);
    }
    return close;
}

namespace {
std::string FiveDigits(int32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%05d", static_cast<int>(ClampLong(v, 0, 99999)));
    return buf;
}
} // namespace

std::string FormatWindowSize(const WindowPlacement& p) {
    return FiveDigits(p.left) + FiveDigits(p.top) + FiveDigits(p.width) + FiveDigits(p.height);
}

std::optional<WindowPlacement> ParseWindowSize(std::string_view text) {
    std::string_view t = TrimBlanks(text);
    if (t.empty()) return std::nullopt;
    auto field = [&](size_t pos) -> int32_t {
        if (pos >= t.size()) return 0;
        return NearestLong(LeadingValue(t.substr(pos, 5)));
    };
    return WindowPlacement{field(0), field(5), field(10), field(15)};
}

} // namespace orb
