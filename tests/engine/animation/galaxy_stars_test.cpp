#include "engine/animation/galaxy_stars.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "engine/animation/effects.h"
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
    void Frame() { UpdateGalaxyStars(World(), {0, 1, 0.0f, false, false, 0}); }
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
    Pixels OnSurface(const PixelPattern& p) const {
        Pixels s;
        for (int n = 0; n < p.count; ++n)
            if (p.points[n].x >= 0 && p.points[n].x < 200 && p.points[n].y >= 0 && p.points[n].y < 200)
                s.insert({p.points[n].x, p.points[n].y});
        return s;
    }
};

TEST_F(GalaxyStarsTest, EachStarKeepsItsLastTrailPixelsLit) {
    for (int16_t trail : {1, 7}) {
        fb.Surface().Clear();
        ring = 0;
        Orbiting(3, trail);
        std::vector<Pixels> drawn; // pixels each frame lit anew
        for (int n = 0; n < 20; ++n) {
            const Pixels before = Lit();
            Frame();
            const Pixels after = Lit();
            Pixels fresh;
            for (const auto& p : after)
                if (!before.count(p)) fresh.insert(p);
            ASSERT_EQ(fresh.size(), 3u) << "one new pixel per star, frame " << n;
            drawn.push_back(fresh);
            Pixels expected;
            for (int k = std::max(0, n - trail + 1); k <= n; ++k)
                expected.insert(drawn[k].begin(), drawn[k].end());
            ASSERT_EQ(after, expected) << "trail " << trail << ", frame " << n;
        }
    }
}

TEST_F(GalaxyStarsTest, AStarBehindTheCameraKeepsItsPixelAndIsNotDrawn) {
    Orbiting(1, 1);
    Frame();
    const std::pair<int32_t, int32_t> shown{stars.scrX[0], stars.scrY[0]};
    EXPECT_EQ(Lit(), Pixels{shown});
    galaxies.relZ[0] = -50;
    Frame();
    EXPECT_TRUE(Lit().empty()) << "its pixel was erased";
    EXPECT_EQ(std::make_pair(stars.scrX[0], stars.scrY[0]), shown);
    galaxies.relZ[0] = 10;
    Frame();
    EXPECT_EQ(Lit().size(), 1u);
}

TEST_F(GalaxyStarsTest, PlainRenewalRespawnsAtOnceTrailRenewalAfterErasingTheTrail) {
    values.newFreq = 9999; // about 100 picks a frame: the one star is always picked
    model.run[0].novaFreqScaled = 0;
    tables.types[0].prop[static_cast<int>(G::NewFrames)] = 0; // reborn stars are normal at once
    Orbiting(1, 1);
    Frame();
    EXPECT_EQ(stars.age[0], 0) << "respawned in the first frame";

    constexpr int16_t kTrail = 4;
    Orbiting(1, kTrail);
    stars.age[0] = 0;
    int frame = 0;
    while (stars.retire[0] == 0 && frame < 20)
        Frame(), ++frame;
    EXPECT_EQ(frame, kTrail + 1) << "only a star older than its trail is renewed";
    EXPECT_EQ(stars.retire[0], kTrail + 1);
    for (int n = kTrail; n > 0; --n) {
        EXPECT_EQ(Lit().size(), static_cast<size_t>(n)) << "one trail pixel erased a frame, nothing drawn";
        Frame();
    }
    EXPECT_TRUE(Lit().empty());
    EXPECT_NE(stars.age[0], 0) << "still retiring";
    Frame();
    EXPECT_EQ(stars.age[0], 0) << "respawned once the countdown ended";
    EXPECT_EQ(stars.retire[0], 0);
}

TEST_F(GalaxyStarsTest, ASparkleShrinksAndLeavesNothingBehind) {
    model.run[0].novaFreqScaled = 0;
    model.run[0].newExtScaled = 2.0f;
    Orbiting(1, 1);
    RespawnStar(World(), 0);
    const int16_t total = stars.flashTotal[0];
    ASSERT_EQ(total, 8) << "Galaxy_NewFrames of type 0";
    for (int16_t left = total; left > 0; --left) {
        ASSERT_EQ(stars.newFrames[0], left);
        const Pixels pattern = OnSurface(
            SparklePattern(screen, stars.sparkX[0], stars.sparkY[0], stars.sparkDepth[0], left, total, 2.0f));
        EXPECT_EQ(Lit(), pattern) << left;
        EXPECT_EQ(fb.Surface().Get(stars.sparkX[0], stars.sparkY[0]), kSparkleWhite);
        Frame();
    }
    EXPECT_TRUE(Lit().empty()) << "the last sparkle frame only erases";
    Frame();
    EXPECT_EQ(Lit().size(), 1u) << "a normal star from then on";
    tables.types[0].prop[static_cast<int>(G::NewFrames)] = 1; // a one-frame sparkle is drawn too
    fb.Surface().Clear();
    RespawnStar(World(), 0);
    EXPECT_EQ(fb.Surface().Get(stars.sparkX[0], stars.sparkY[0]), kSparkleWhite);
}

TEST_F(GalaxyStarsTest, ANovaGrowsThroughItsPaletteAndIsReborn) {
    model.run[0].novaFreqScaled = 1.0f; // every respawn is a nova
    model.run[0].novaExtScaled = 3.0f;
    tables.types[0].prop[static_cast<int>(G::NovaFrames)] = 6;
    Orbiting(1, 1);
    RespawnStar(World(), 0);
    auto nova = [&] {
        return NovaPattern(screen, stars.camX[0], stars.camY[0], stars.camDepth[0], stars.novaFrames[0],
                           stars.flashTotal[0], 3.0f);
    };
    auto pattern = [&] { return OnSurface(nova()); };
    auto centre = [&] { return fb.Surface().Get(nova().points[0].x, nova().points[0].y); };
    EXPECT_EQ(Lit(), pattern());
    EXPECT_EQ(centre(), kSparkleWhite) << "a nova starts white";
    for (int16_t left = 5; left > 0; --left) {
        Frame();
        ASSERT_EQ(stars.novaFrames[0], left);
        EXPECT_EQ(Lit(), pattern()) << "the last burst is erased exactly, frame " << left;
        EXPECT_EQ(centre(), model.colour.GalaxyFade(0, NovaFadeIndex(6, left)));
    }
    Frame();
    EXPECT_EQ(stars.novaFrames[0], 6) << "reborn as a new nova";
    EXPECT_EQ(Lit(), pattern());
    EXPECT_EQ(centre(), kSparkleWhite);
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
