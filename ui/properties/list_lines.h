// Lines of the galaxy-type and composite lists: the name, blanks up to a column, the weight.
// Widths are measured by the caller in the list's font (QFontMetrics in the window, a fake in tests).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace orb {

// Width of a text in the list's font, in any unit the column is given in.
using TextWidth = std::function<double(std::string_view)>;

// Where the weights line up, in twips (15 twips to a pixel at 96 dots per inch).
inline constexpr double kListColumnTwips = 2400;
inline constexpr int kMinListBlanks = 3;

// name + n blanks + weight, n the larger of 3 and the whole number nearest to
// (column - width(name)) / width(" "). A blank of no width gives 3 blanks.
std::string FormatListLine(std::string_view name, int weight, const TextWidth& width,
                           double column = kListColumnTwips);

// A line read back: the name is the line without its last 4 characters, blanks trimmed; the
// weight is the number in its last 4 characters (0 when there is none).
struct ListLine {
    std::string name;
    int16_t weight = 0;
};
ListLine ParseListLine(std::string_view line);

// The line without its last 4 characters (untrimmed), as the composite editor's type lists show it.
std::string_view LineWithoutWeight(std::string_view line);

} // namespace orb
