#include "ui/info/gradient.h"

#include <gtest/gtest.h>

namespace orb {
namespace {

constexpr Rgb kStart{0, 0, 48}, kEnd{160, 0, 0};
constexpr GradientArea kArea{0, 0, 240, 120};

// Band colours at chosen pixels: a corner, the centre and the far corner of each layout.
TEST(GradientFill, ColourAtChosenPixels) {
    const Rgb last = BandColour(kStart, kEnd, 23, 24);
    const Rgb middle = BandColour(kStart, kEnd, 12, 24);
    const std::tuple<int, double, double, Rgb> cases[] = {
        // style, pixel, colour
        {0, 0, 0, kStart},     {0, 120, 60, middle},
        {0, 239, 119, last}, // strips top to bottom
        {2, 0, 0, kStart},     {2, 120, 60, last},
        {2, 239, 119, kStart},                                              // nested towards the centre
        {7, 56, 44, last},     {7, 0, 0, BandColour(kStart, kEnd, 15, 24)}, // 71 of 199 from (56, 44)
        {7, 239, 119, kStart},                                              // farthest corner: outer disc
    };
    for (auto [style, x, y, expected] : cases) {
        std::optional<std::pair<double, double>> centre;
        if (style == 7) centre = std::pair{56.0, 44.0};
        const auto bands = GradientBands(kArea, kStart, kEnd, 24, style, centre);
        EXPECT_EQ(GradientColourAt(bands, x, y), expected) << "style " << style << " at " << x << "," << y;
    }
}

TEST(GradientFill, BandColoursRunFromStartTowardsEnd) {
    EXPECT_EQ(BandColour(kStart, kEnd, 0, 24), kStart);
    EXPECT_EQ(BandColour(kStart, kEnd, 12, 24), (Rgb{80, 0, 24}));
    // 160 * 23 / 24 = 153.33 and 48 - 48 * 23 / 24 = 2: rounded, never the end colour itself.
    EXPECT_EQ(BandColour(kStart, kEnd, 23, 24), (Rgb{153, 0, 2}));
    EXPECT_EQ(BandColour({0, 0, 0}, {255, 255, 255}, 1, 2), (Rgb{128, 128, 128})); // 127.5 to even
}

TEST(GradientFill, EveryLayoutCoversTheWholeAreaUnlessThereIsNothingToDraw) {
    for (int style = 0; style <= 7; ++style) {
        const auto bands = GradientBands(kArea, kStart, kEnd, 24, style);
        ASSERT_EQ(bands.size(), 24u);
        for (double x : {0.0, 17.0, 119.5, 239.0})
            for (double y : {0.0, 59.0, 119.0})
                EXPECT_TRUE(GradientColourAt(bands, x, y)) << style;
    }
    EXPECT_TRUE(GradientBands(kArea, kStart, kEnd, 0, 2).empty());
    EXPECT_TRUE(GradientBands(kArea, kStart, kEnd, -3, 7).empty());
    EXPECT_TRUE(GradientBands({0, 0, 0, 100}, kStart, kEnd, 24, 0).empty());
    // An unknown style paints as strips rather than nothing.
    EXPECT_EQ(GradientBands(kArea, kStart, kEnd, 4, 42).size(), 4u);
}

} // namespace
} // namespace orb
