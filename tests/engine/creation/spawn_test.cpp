#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "engine/creation/galaxy_fixture.h"

namespace orb {
namespace {

using test::GalaxyWorld;
using test::MakeWorld;
using test::StarValues;

void SetStyle(GalaxyWorld& w, int t, int style) {
    w.Type(t)[G::GalStyle] = static_cast<float>(style);
}

// A spawn resets the age and counters and colours the star; an unknown style or type draws no
// position (and no random number) and resets only the age.
TEST(SpawnStar, ResetsAgeAndCountersAndUnknownStylesOrTypesDrawNoPosition) {
    auto w = MakeWorld();
    SetStyle(*w, 1, 9); // unvalidated
    w->Setup(0);
    StarValues s;
    s.age = 99;
    s.retire = s.newFrames = s.novaFrames = 5;
    s.colour = 0xABCDEF;
    SpawnStar(w->model, s.Ref(), 0, 0);
    EXPECT_EQ(std::tuple(s.age, s.retire, s.newFrames, s.novaFrames), std::tuple(0, 0, 0, 0));
    EXPECT_NE(s.colour, 0xABCDEFu);
    s.radius = 7, s.x = 2, s.age = 4;
    const uint64_t before = w->random.State();
    for (int type : {1, kGalaxyTypeSlots, -1}) // a composite's stand-in slot is not a star type
        SpawnStar(w->model, s.Ref(), static_cast<int16_t>(type), 0);
    EXPECT_EQ(std::tuple(s.radius, s.x, s.age), std::tuple(7.0f, 2.0f, 0));
    EXPECT_EQ(w->random.State(), before);
}

// Each computation type picks its hue, which wraps modulo 360; type 4 is black and unknown
// types keep the colour.
TEST(StarColour, EachComputationTypePicksItsHue) {
    auto w = MakeWorld();
    for (int h = 0; h < kHueSteps; ++h) // every entry names its own hue, so an index mistake shows
        for (int t = 0; t < kColourColumns; ++t)
            w->model.colour.galaxyColour[h * kColourColumns + t] = h + 1000 * t;
    w->Type(2)[G::Radius] = 100; // Rg = 1
    const struct {
        int comp;
        float mult, spin, radius, height, offset;
        uint32_t colour;
    } cases[] = {
        {0, 10, 2.0f, 0, 0, 5, 2025u},    // 1 x 2 x 10 + 5
        {1, 10, 0.1f, 0, 0, 5, 2015u},    // sqrt(1 x 0.1 x 1000) + 5
        {2, 10, 0, 0.6f, 0.8f, 5, 2005u}, // on the rim: |1 - 1| = 0
        {2, 10, 0, 0, 0, 5, 2006u},       // at the core: 1 x |1 - 0|
        {3, 1000, 0, 0.5f, 0, 0, 2025u},  // 100 x 0.5^2
        {5, 1000, 0, 0.25f, 0, 0, 2090u}, // a quarter turn along the ribbon
        {5, 1000, 0, 1.0f, 0, 0, 2000u},  // one full turn
        {0, 10, 70.0f, 0, 0, 20, 2000u},  // 720
        {0, 10, 72.0f, 0, 0, 5, 2005u},   // 725
        {0, 10, -0.5f, 0, 0, 0, 2355u},   // a negative hue wraps forward
        {4, 10, 2.0f, 1, 1, 5, 0u},       {6, 10, 2.0f, 1, 1, 5, 0xDEADu}, {-1, 10, 2.0f, 1, 1, 5, 0xDEADu},
    };
    for (const auto& c : cases) {
        w->Type(2)[G::ColorComp] = static_cast<float>(c.comp);
        w->Type(2)[G::ColorMult] = c.mult;
        w->Prepare();
        w->model.run[2].hueOffset = c.offset;
        EXPECT_EQ(StarColour(w->model, 2, c.spin, c.radius, c.height, 0xDEAD), c.colour)
            << c.comp << " " << c.spin;
    }
}

} // namespace
} // namespace orb
