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

class ColourTableTest : public ::testing::Test {
  protected:
    std::unique_ptr<GalaxyTables> galaxies = std::make_unique<GalaxyTables>();
    std::unique_ptr<ColourTables> tables = std::make_unique<ColourTables>();
};

TEST_F(ColourTableTest, ReadersClampTheirIndex) {
    galaxies->types[1][G::HueBase] = 100; // column 1 white, unlike column 0
    BuildGalaxyColourTables(*tables, *galaxies);
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

TEST_F(ColourTableTest, FadeColumnsAddressTheUniverseOrATypePalette) {
    BuildFadePalette(*tables, 4, 60, 60);
    EXPECT_EQ(tables->galaxyFade[7 * kColourColumns + 4], HueWheelColour(60));
    EXPECT_EQ(tables->UniverseFade(7), 0u);
    BuildFadePalette(*tables, 33, 60, 60); // no such column: ignored, not wrapped into column 0
    BuildFadePalette(*tables, -2, 60, 60);
    EXPECT_EQ(tables->UniverseFade(7) | tables->GalaxyFade(0, 8), 0u);
}

// A type's hue is reduced modulo 360; a preview passes its own universe start hue.
TEST_F(ColourTableTest, FadePalettesReduceTypeHuesAndTakeAGivenStartHue) {
    galaxies->types[3][G::HWC_Start] = 400;
    BuildFadePalettes(*tables, *galaxies, UniverseSettings{}, 10, -1);
    EXPECT_EQ(tables->GalaxyFade(3, 7), HueWheelColour(40));
    EXPECT_EQ(tables->UniverseFade(7), HueWheelColour(10));
    EXPECT_EQ(tables->UniverseFade(79),
              ScaleColour(HueWheelColour(270), static_cast<float>(1.0 / 9 * 0.475f)));
}

} // namespace
} // namespace orb
