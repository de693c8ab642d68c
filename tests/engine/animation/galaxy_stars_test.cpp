#include "engine/animation/galaxy_stars.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "settings/presets.h"

namespace orb {
namespace {

using Pixels = std::set<std::pair<int32_t, int32_t>>;

// One galaxy of factory type 0 (standard style, untilted here) 10 units in front of the camera.
class GalaxyStarsTest : public ::testing::Test {
  protected:
    GalaxyTables tables;
    Random random{21};
    GalaxyModel model{tables, random, BuildTrigTables()};
    StarArrays stars;
    GalaxyArrays galaxies;
    UniverseValues values;
    int16_t ring = 0;
    OwnedFramebuffer fb{200, 200};
    ScreenGeometry screen = MakeScreenGeometry(200, 200, 1.0f);

    void SetUp() override {
        ApplyFactoryGalaxyTypes(tables, 0);
        PrepareGalaxyTypes(model);
        BuildGalaxyColourTables(model.colour, tables);
        BuildFadePalettes(model.colour, tables, UniverseSettings{});
        galaxies.Size(1);
        galaxies.relZ[0] = 10;
        SetupGalaxies(model, 1, -1, -1, galaxies.typeIndex);
        values.newFreq = 0;
    }
    StarWorld World() { return {stars, galaxies, model, values, ring, fb.Surface(), screen, nullptr}; }
    // A departure frame: the universe's new-star rate, renewed stars go to random galaxies.
    void Frame(bool visiting = false) { UpdateGalaxyStars(World(), {0, 1, 0.0f, visiting, false, 0}); }
    // count stars on circles of radius 5 at heights 3 apart, turning 0.1 radians a frame.
    void Orbiting(int count, int16_t trail) {
        stars.Size(count, trail);
        for (int i = 0; i < count; ++i) {
            stars.radius[i] = 5;
            stars.spin[i] = 0.1f;
            stars.height[i] = static_cast<float>(3 * i - 3);
            stars.colour[i] = 0x00AA00u;
        }
    }
    Pixels Lit() const {
        Pixels lit;
        for (int32_t y = 0; y < fb.Surface().height; ++y)
            for (int32_t x = 0; x < fb.Surface().width; ++x)
                if (fb.Surface().Get(x, y) != 0) lit.insert({x, y});
        return lit;
    }
};


// A star that has lived as long as an age can count stays that old; a visit frame without a
// comet state draws the stars alone.
TEST_F(GalaxyStarsTest, AgesStopAtTheirLimitAndVisitsNeedNoComets) {
    Orbiting(2, 4);
    stars.age[0] = INT32_MAX;
    ring = 9; // beyond the trail: the ring starts over at 0
    Frame(true);
    Frame(true);
    EXPECT_EQ(ring, 2);
    EXPECT_EQ(stars.age[0], INT32_MAX);
    EXPECT_EQ(stars.age[1], 2);
    EXPECT_GE(Lit().size(), 2u);
}

// A single-galaxy frame renews at the rate of the galaxy's own type, not the universe's (0 here).
TEST_F(GalaxyStarsTest, ASingleGalaxyRenewsAtItsOwnTypesRate) {
    Orbiting(4, 1);
    tables.types[0][G::NewFreq] = 400; // four a frame
    UpdateGalaxyStars(World(), {0, 1, 0.0f, false, true, 0});
    EXPECT_LT(std::count(stars.radius.begin(), stars.radius.begin() + 4, 5.0f), 4) << "renewed stars move";
}

TEST(ChooseRenewedGalaxy, VisitCoreAndDeparture) {
    struct Case {
        const char* what;
        RenewalChoice choice;
        int16_t want; // -1: a random galaxy (not always the same)
    };
    const Case cases[] = {
        {"departure", {50, 7, 6, false, 2, 1.0f, 1.0f}, -1},
        {"core keeps every star", {50, 7, 3, true, 2, 1.0f, 1.0f}, 7},
        {"core keeps none", {50, 7, 3, true, 2, 0.0f, 1.0f}, -1},
        {"in front of the galaxy", {50, 7, 2, true, 2, 1.0f, 1.0f}, 7},
        {"leaving the previous galaxy, full fade", {50, 7, 1, true, 2, 1.0f, 1.0f}, 6},
        {"leaving the previous galaxy, faded out", {50, 7, 1, true, 2, 1.0f, 0.0f}, 7},
        {"first galaxy has no previous one", {50, 0, 1, true, 2, 1.0f, 1.0f}, 0},
        {"leaving the first galaxy for the second", {50, 1, 1, true, 2, 1.0f, 1.0f}, 0},
        {"the last visit point is not yet the core", {50, 7, 1, true, 1, 1.0f, 1.0f}, 6},
        {"nothing kept in front", {50, 7, 2, true, 2, 0.0f, 1.0f}, -1},
    };
    Random random(4);
    for (const Case& c : cases) {
        std::set<int16_t> seen;
        for (int n = 0; n < 200; ++n) {
            const int16_t g = ChooseRenewedGalaxy(random, c.choice);
            ASSERT_TRUE(g >= 0 && g < 50) << c.what;
            seen.insert(g);
        }
        if (c.want >= 0)
            EXPECT_EQ(seen, std::set<int16_t>{c.want}) << c.what;
        else
            EXPECT_GT(seen.size(), 20u) << c.what;
    }
}

} // namespace
} // namespace orb
