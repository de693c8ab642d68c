// Small numeric helpers shared by the settings code, the engine and the dialogs.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orb {

// Clamp into [lo, hi]. The lower bound is tested last, so it wins when a range is inverted.
template <typename T> constexpr T ClampRange(T v, T lo, T hi) {
    if (v > hi) v = hi;
    if (v < lo) v = lo;
    return v;
}
constexpr int16_t ClampInt(int16_t v, int16_t lo, int16_t hi) { return ClampRange(v, lo, hi); }
constexpr int32_t ClampLong(int32_t v, int32_t lo, int32_t hi) { return ClampRange(v, lo, hi); }
constexpr float ClampSingle(float v, float lo, float hi) { return ClampRange(v, lo, hi); }

template <typename T> constexpr T MinOf(T a, T b) { return a < b ? a : b; }
template <typename T> constexpr T MaxOf(T a, T b) { return a > b ? a : b; }

// Round to the nearest integer, halves to the even neighbour (the conversion rule for every
// real-to-integer assignment).
inline double Nearest(double v) { return std::nearbyint(v); }

// Nearest, saturated to the target integer type (NaN gives 0), so no conversion can overflow.
template <typename I> I NearestTo(double v) {
    if (std::isnan(v)) return 0;
    double r = Nearest(v);
    constexpr double lo = static_cast<double>(INT64_C(-1) << (sizeof(I) * 8 - 1));
    constexpr double hi = -lo - 1.0;
    if (r < lo) return static_cast<I>(lo);
    if (r > hi) return static_cast<I>(hi);
    return static_cast<I>(r);
}
inline int16_t NearestInt(double v) { return NearestTo<int16_t>(v); }
inline int32_t NearestLong(double v) { return NearestTo<int32_t>(v); }

// Int(x): the largest integer not above x.
inline double IntPart(double v) { return std::floor(v); }

// True when the text is a plain decimal number: optional blanks around it, an optional sign,
// digits with at most one decimal point (at least one digit), an optional exponent
// (e or E, optional sign, digits). Nothing else counts as numeric.
bool IsNumericText(std::string_view text);

// The value of a numeric text (IsNumericText), or nothing.
std::optional<double> ParseNumericText(std::string_view text);

// The leading numeric part of "0" followed by the text, as the dialog fields are read:
// blanks are skipped, reading stops at the first character that cannot continue the number,
// so "12abc" is 12, "abc" is 0, ".5" is 0.5 and "-5" is 0 (the minus follows the leading 0).
double ZeroPrefixedValue(std::string_view text);

// The leading numeric value of a text: blanks skipped, optional sign, digits, one point,
// exponent; reading stops at the first character that cannot continue the number; no digits
// gives 0. Used for window handles on the command line.
double LeadingValue(std::string_view text);

// Blanks (spaces and tabs) removed from both ends.
std::string_view TrimBlanks(std::string_view text);

// Field n (from 0) of a comma-separated string, blanks removed from both ends. A comma is
// appended first, so a trailing comma is allowed; a field past the end is empty.
std::string_view CommaField(std::string_view text, int n);

// Shortest decimal text that reads back as the same single-precision value ("0.9975", "300").
std::string FormatSingle(float v);

} // namespace orb
