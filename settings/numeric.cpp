#include "settings/numeric.h"

#include <charconv>

namespace orb {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the longest prefix of `s` shaped like a number (sign, digits, point, exponent).
// A prefix without a digit in its mantissa ("-", ".e5") is left for ToDouble to refuse.
size_t NumberPrefix(std::string_view s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    while (i < s.size() && IsDigit(s[i])) ++i;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) ++i;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        const size_t digitsFrom = j;
        while (j < s.size() && IsDigit(s[j])) ++j;
        if (j > digitsFrom) i = j;
    }
    return i;
}

// Locale-independent conversion of a text NumberPrefix accepted; out-of-range gives nothing.
std::optional<double> ToDouble(std::string_view s) {
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    double v = 0.0;
    auto res = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    if (res.ec != std::errc() || !std::isfinite(v)) return std::nullopt;
    return negative ? -v : v;
}

} // namespace

std::string_view TrimBlanks(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    return text.substr(b, e - b);
}

bool IsNumericText(std::string_view text) {
    std::string_view t = TrimBlanks(text);
    if (t.empty()) return false;
    return NumberPrefix(t) == t.size() && ToDouble(t).has_value();
}

std::optional<double> ParseNumericText(std::string_view text) {
    std::string_view t = TrimBlanks(text);
    if (t.empty() || NumberPrefix(t) != t.size()) return std::nullopt;
    return ToDouble(t);
}

double LeadingValue(std::string_view text) {
    std::string compact;
    compact.reserve(std::min<size_t>(text.size(), 512));
    for (char c : text) {
        if (IsBlank(c)) continue;  // blanks never end or start a number here
        compact.push_back(c);
        if (compact.size() >= 512) break;
    }
    return ToDouble(std::string_view(compact).substr(0, NumberPrefix(compact))).value_or(0.0);
}

double ZeroPrefixedValue(std::string_view text) {
    std::string s = "0";
    s.append(text.substr(0, 512));
    return LeadingValue(s);
}

std::string_view CommaField(std::string_view text, int n) {
    if (n < 0) return {};
    size_t start = 0;
    for (int k = 0; k < n; ++k) {
        size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) return {};
        start = comma + 1;
    }
    size_t end = text.find(',', start);
    if (end == std::string_view::npos) end = text.size();
    return TrimBlanks(text.substr(start, end - start));
}

std::string FormatSingle(float v) {
    char buf[128];  // fixed notation of FLT_MAX needs 40 digits
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    return std::string(buf, res.ptr);
}

} // namespace orb
