#include "ui/properties/list_lines.h"

#include "settings/numeric.h"

namespace orb {

namespace {
constexpr size_t kWeightChars = 4; // a line's weight is read from its last 4 characters
constexpr int kMaxBlanks = 400;    // a name of no width in a wide column stays a sane line
} // namespace

std::string FormatListLine(std::string_view name, int weight, const TextWidth& width, double column) {
    const double blank = width ? width(" ") : 0;
    int blanks = kMinListBlanks;
    if (blank > 0) {
        const double n = Nearest((column - width(name)) / blank);
        if (n > blanks) blanks = n > kMaxBlanks ? kMaxBlanks : static_cast<int>(n);
    }
    std::string line(name);
    line.append(static_cast<size_t>(blanks), ' ');
    line += std::to_string(weight);
    return line;
}

ListLine ParseListLine(std::string_view line) {
    const size_t cut = line.size() > kWeightChars ? line.size() - kWeightChars : 0;
    ListLine r;
    r.name = std::string(TrimBlanks(line.substr(0, cut)));
    r.weight = NearestInt(ZeroPrefixedValue(TrimBlanks(line.substr(cut))));
    return r;
}

std::string_view LineWithoutWeight(std::string_view line) {
    return line.substr(0, line.size() > kWeightChars ? line.size() - kWeightChars : 0);
}

} // namespace orb
