#include "app/core/saver_input.h"

#include <algorithm>
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
    // A field past the end of a short text is empty, and reads as 0.
    auto field = [&](size_t pos) { return NearestLong(LeadingValue(t.substr(std::min(pos, t.size()), 5))); };
    return WindowPlacement{field(0), field(5), field(10), field(15)};
}

} // namespace orb
