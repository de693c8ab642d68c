#include "engine/creation/colour.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace orb {
namespace {

struct Rgb {
    uint32_t r, g, b;
};
uint32_t Pack(Rgb c) {
    return PackColour(c.r, c.g, c.b);
}

TEST(HueWheelColour, GivesTheSextantColoursAndBlackOutsideTheWheel) {
    const std::pair<int16_t, Rgb> cases[] = {
        {0, {255, 55, 55}},    {59, {255, 251, 55}},  {60, {255, 255, 55}},  {119, {58, 255, 55}},
        {120, {55, 255, 55}},  {179, {55, 255, 251}}, {180, {55, 255, 255}}, {240, {55, 55, 255}},
        {300, {255, 55, 255}}, {359, {255, 55, 58}},  {360, {0, 0, 0}},      {999, {0, 0, 0}},
        {-1, {0, 0, 0}}};
    for (const auto& [hue, colour] : cases)
        EXPECT_EQ(HueWheelColour(hue), Pack(colour)) << "hue " << hue;
}


class GalaxyColourTableTest : public ::testing::Test {
  protected:
    std::unique_ptr<GalaxyTables> galaxies = std::make_unique<GalaxyTables>();
    std::unique_ptr<ColourTables> tables = std::make_unique<ColourTables>();
    GalaxyType& type0 = galaxies->types[0];

    void Build() { BuildGalaxyColourTables(*tables, *galaxies); }
    bool AllHues(int type, uint32_t colour) const {
        for (int h = 0; h < kHueSteps; ++h)
            if (tables->GalaxyColour(type, h) != colour) return false;
        return true;
    }
};

// A base of 100 is white whatever the weights; zero weights give the base grey. The type index
// varies fastest and column 32 stays black.
TEST_F(GalaxyColourTableTest, BaseAndWeightsPerTypeColumn) {
    galaxies->types[5][G::HueBase] = 100;
    galaxies->types[5][G::HueRed] = 0;
    galaxies->types[5][G::HueGrn] = 37;
    for (int t : {1, 2}) {
        galaxies->types[t][G::HueRed] = galaxies->types[t][G::HueGrn] = galaxies->types[t][G::HueBlu] = 0;
        galaxies->types[t][G::HueBase] = t == 1 ? 40 : 50; // 102, and 127.5 rounds to the even 128
    }
    Build();
    EXPECT_TRUE(AllHues(5, Pack({255, 255, 255})));
    EXPECT_TRUE(AllHues(1, Pack({102, 102, 102})));
    EXPECT_TRUE(AllHues(2, Pack({128, 128, 128})));
    EXPECT_EQ(tables->galaxyColour[10 * kColourColumns + 5], Pack({255, 255, 255}));
    EXPECT_TRUE(AllHues(32, 0u));
}

TEST_F(GalaxyColourTableTest, BlendIsClampedTo1To60) {
    const float blends[] = {0, 1, 99, 60};
    for (int t = 0; t < 4; ++t)
        galaxies->types[t][G::HueBlend] = blends[t];
    Build();
    for (int h = 0; h < kHueSteps; ++h) {
        EXPECT_EQ(tables->GalaxyColour(0, h), tables->GalaxyColour(1, h)) << h;
        EXPECT_EQ(tables->GalaxyColour(2, h), tables->GalaxyColour(3, h)) << h;
    }
    // Blend 1: every hue is its sextant's start colour.
    EXPECT_EQ(tables->GalaxyColour(0, 59), Pack({254, 0, 0}));
    EXPECT_EQ(tables->GalaxyColour(0, 119), Pack({254, 254, 0}));
}

TEST_F(GalaxyColourTableTest, ReadersClampTheirIndex) {
    galaxies->types[1][G::HueBase] = 100; // column 1 white, unlike column 0
    Build();
    BuildFadePalettes(*tables, *galaxies, UniverseSettings{});
    tables->universeFade[kFadeSteps - 1] = 0x123456; // the last entries marked: no neighbour is taken
    tables->galaxyFade[(kFadeSteps - 1) * kColourColumns + 2] = 0x654321;
    EXPECT_EQ(std::pair(tables->UniverseFade(80), tables->UniverseFade(79)), std::pair(0x123456u, 0x123456u));
    EXPECT_EQ(tables->UniverseFade(-3), tables->UniverseFade(0));
    EXPECT_EQ(std::pair(tables->GalaxyFade(2, 80), tables->GalaxyFade(2, 79)), std::pair(0x654321u, 0x654321u));
    EXPECT_EQ(tables->GalaxyColour(0, 360), tables->GalaxyColour(0, 359));
    EXPECT_EQ(tables->GalaxyColour(40, 10), 0u);
    EXPECT_EQ(tables->GalaxyColour(-1, 10), tables->galaxyColour[10 * kColourColumns]);
    EXPECT_EQ(tables->GalaxyFade(40, 7), tables->GalaxyFade(kColourColumns - 1, 7));
}

class FadePaletteTest : public ::testing::Test {
  protected:
    std::unique_ptr<ColourTables> tables = std::make_unique<ColourTables>();
    uint32_t At(int step) const { return tables->universeFade[step]; }
};

TEST_F(FadePaletteTest, EqualHuesFadeASingleHue) {
    BuildFadePalette(*tables, -1, 0, 0);
    EXPECT_EQ(At(8), Pack({255, 55, 55}));
    EXPECT_EQ(At(40), ScaleColour(Pack({255, 55, 55}), static_cast<float>(88.00000011920929 / 120)));
    EXPECT_EQ(At(71), Pack({121, 26, 26})); // factor 0.475
    EXPECT_EQ(At(72), ScaleColour(Pack({255, 55, 55}), static_cast<float>(8.0 / 9 * 0.475f)));
}

TEST_F(FadePaletteTest, StartAboveEndSweepsDownwards) {
    BuildFadePalette(*tables, -1, 300, 100);
    // A quarter of the way down from 300 is 250, not the 150 of an upward sweep.
    EXPECT_EQ(At(24), ScaleColour(HueWheelColour(250), static_cast<float>(104.00000011920929 / 120)));
}

TEST_F(FadePaletteTest, ColumnsAddressTheUniverseOrATypePalette) {
    BuildFadePalette(*tables, 4, 60, 60);
    EXPECT_EQ(tables->GalaxyFade(4, 7), HueWheelColour(60));
    EXPECT_EQ(tables->galaxyFade[7 * kColourColumns + 4], HueWheelColour(60));
    EXPECT_EQ(tables->UniverseFade(7), 0u);
    BuildFadePalette(*tables, 33, 60, 60); // no such column: ignored
    BuildFadePalette(*tables, -2, 60, 60);
    EXPECT_EQ(tables->UniverseFade(7), 0u);
}

// A type's hue is reduced modulo 360; a preview passes its own universe start hue.
TEST_F(FadePaletteTest, BuildFadePalettesReducesTypeHuesAndTakesAGivenStartHue) {
    auto galaxies = std::make_unique<GalaxyTables>();
    galaxies->types[3][G::HWC_Start] = 400;
    BuildFadePalettes(*tables, *galaxies, UniverseSettings{}, 10, -1);
    EXPECT_EQ(tables->GalaxyFade(3, 7), HueWheelColour(40));
    EXPECT_EQ(tables->UniverseFade(7), HueWheelColour(10));
    EXPECT_EQ(tables->UniverseFade(79), ScaleColour(HueWheelColour(270), static_cast<float>(1.0 / 9 * 0.475f)));
}

} // namespace
} // namespace orb
