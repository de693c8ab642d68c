// The banded colour gradient behind the information windows, as a list of filled shapes painted
// in order (later bands over earlier ones), so the layout can be checked without a display.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace orb {

struct Rgb {
    int r = 0; // 0..255
    int g = 0; // 0..255
    int b = 0; // 0..255
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Layouts of the bands.
enum class GradientStyle : int {
    Horizontal = 0,   // strips from top to bottom
    Vertical = 1,     // strips from left to right
    Nested = 2,       // rectangles shrinking towards the centre
    HorizontalUp = 3, // strips from bottom to top
    VerticalLeft = 4, // strips from right to left
    NestedWide = 5,   // rectangles shrinking from the left and right edges only
    NestedTall = 6,   // rectangles shrinking from the top and bottom edges only
    Circles = 7,      // concentric discs about a centre point
};

// One band: a filled box, or a filled disc for the circle style. Surface units.
struct GradientBand {
    Rgb colour;
    bool disc = false; // a disc of `radius` about (x0, y0); otherwise the box (x0, y0)-(x1, y1)
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    double radius = 0;
};

struct GradientArea {
    double left = 0, top = 0, width = 0, height = 0;
};

// Colour of band i of `steps`: each part start + (end - start) * i / steps, rounded.
Rgb BandColour(Rgb start, Rgb end, int i, int steps);

// The bands of a gradient over `area`. No bands for steps below 1 or an empty area; a style
// outside 0..7 paints as horizontal strips. The centre (circle style only) defaults to the
// middle of the area.
std::vector<GradientBand> GradientBands(const GradientArea& area, Rgb start, Rgb end, int steps, int style,
                                        std::optional<std::pair<double, double>> centre = std::nullopt);

// The colour painted at the point (x, y) by the bands (the last band that covers it), or nothing.
std::optional<Rgb> GradientColourAt(const std::vector<GradientBand>& bands, double x, double y);

// The frame around the About and Welcome windows: six rings inset 0..5 pixels, the four sides
// of each in these colours (top, right, bottom, left).
inline constexpr int kFrameRings = 6;
inline constexpr Rgb kFrameSideColours[4] = {{96, 64, 255}, {255, 32, 128}, {64, 128, 192}, {64, 160, 160}};

} // namespace orb
