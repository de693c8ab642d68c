#include "ui/info/gradient.h"

#include <algorithm>
#include <cmath>

namespace orb {

Rgb BandColour(Rgb start, Rgb end, int i, int steps) {
    auto part = [&](int s, int e) {
        return static_cast<int>(std::nearbyint(s + (e - s) * static_cast<double>(i) / steps));
    };
    return {part(start.r, end.r), part(start.g, end.g), part(start.b, end.b)};
}

std::vector<GradientBand> GradientBands(const GradientArea& a, Rgb start, Rgb end, int steps, int style,
                                        std::optional<std::pair<double, double>> centre) {
    std::vector<GradientBand> bands;
    if (steps < 1 || !(a.width > 0) || !(a.height > 0)) return bands;
    if (style < 0 || style > 7) style = 0;
    const auto s = static_cast<double>(steps);
    const double right = a.left + a.width, bottom = a.top + a.height;
    const auto [cx, cy] = centre.value_or(std::pair{a.left + a.width / 2, a.top + a.height / 2});
    // The disc of band 0 reaches the farthest corner, so the whole area is covered.
    const double reach =
        std::max({std::hypot(a.left - cx, a.top - cy), std::hypot(right - cx, a.top - cy),
                  std::hypot(a.left - cx, bottom - cy), std::hypot(right - cx, bottom - cy)});
    bands.reserve(static_cast<size_t>(steps));
    for (int i = 0; i < steps; ++i) {
        GradientBand b;
        b.colour = BandColour(start, end, i, steps);
        const double lo = i / s, hi = (i + 1) / s; // slice i of the range
        const double in = i / (2 * s), out = (s - i / 2.0) / s;
        switch (static_cast<GradientStyle>(style)) {
        case GradientStyle::Horizontal:
            b.x0 = a.left, b.x1 = right, b.y0 = a.top + a.height * lo, b.y1 = a.top + a.height * hi;
            break;
        case GradientStyle::Vertical:
            b.y0 = a.top, b.y1 = bottom, b.x0 = a.left + a.width * lo, b.x1 = a.left + a.width * hi;
            break;
        case GradientStyle::Nested:
            b.x0 = a.left + a.width * in, b.y0 = a.top + a.height * in;
            b.x1 = a.left + a.width * out, b.y1 = a.top + a.height * out;
            break;
        case GradientStyle::HorizontalUp:
            b.x0 = a.left, b.x1 = right, b.y1 = bottom - a.height * lo, b.y0 = bottom - a.height * hi;
            break;
        case GradientStyle::VerticalLeft:
            b.y0 = a.top, b.y1 = bottom, b.x1 = right - a.width * lo, b.x0 = right - a.width * hi;
            break;
        case GradientStyle::NestedWide:
            b.y0 = a.top, b.y1 = bottom, b.x0 = a.left + a.width * in, b.x1 = a.left + a.width * out;
            break;
        case GradientStyle::NestedTall:
            b.x0 = a.left, b.x1 = right, b.y0 = a.top + a.height * in, b.y1 = a.top + a.height * out;
            break;
        case GradientStyle::Circles:
            b.disc = true, b.x0 = cx, b.y0 = cy, b.radius = reach * (s - i) / s;
            break;
        }
        bands.push_back(b);
    }
    return bands;
}

std::optional<Rgb> GradientColourAt(const std::vector<GradientBand>& bands, double x, double y) {
    for (auto b = bands.rbegin(); b != bands.rend(); ++b) {
        const bool inside = b->disc ? std::hypot(x - b->x0, y - b->y0) <= b->radius
                                    : x >= b->x0 && x < b->x1 && y >= b->y0 && y < b->y1;
        if (inside) return b->colour;
    }
    return std::nullopt;
}

} // namespace orb
