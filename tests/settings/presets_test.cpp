#include "settings/presets.h"

#include <gtest/gtest.h>

#include <tuple>

#include "settings/numeric.h"

namespace orb {
namespace {

TEST(Presets, EveryGalaxyPresetHas46NumericFieldsWithinRange) {
    for (int set = 0; set < kFactorySets; ++set)
        for (int n = 1; n <= 32; ++n) {
            std::string_view p = GalaxyPreset(set, n);
            ASSERT_FALSE(p.empty());
            EXPECT_FALSE(CommaField(p, 45).empty()) << set << '/' << n;
            EXPECT_TRUE(CommaField(p, 46).empty()) << set << '/' << n;
            GalaxyType t;
            ParseGalaxyPreset(p, t);
            GalaxyType v = t;
            ValidateGalaxyType(v);
            EXPECT_EQ(v.prop, t.prop) << "factory values are already valid: set " << set << " preset " << n;
        }
}

TEST(Presets, OutOfRangeNumbersGiveEmptyText) {
    EXPECT_TRUE(GalaxyPreset(0, 0).empty());
    EXPECT_TRUE(GalaxyPreset(0, 33).empty());
    EXPECT_TRUE(GalaxyPreset(2, 1).empty());
    EXPECT_TRUE(CompositePreset(1, 17).empty());
    EXPECT_TRUE(CompositePreset(1, 0).empty());
    EXPECT_TRUE(CompositePreset(2, 1).empty());
    EXPECT_TRUE(UniverseTheme(9, false).empty());
    EXPECT_TRUE(UniverseTheme(0, false).empty());
    EXPECT_TRUE(UniverseThemeName(0).empty());
    EXPECT_TRUE(UniverseThemeName(kThemeCount + 1).empty());
    for (int n : {1, kThemeCount}) {
        EXPECT_FALSE(UniverseTheme(n, false).empty()) << n;
        EXPECT_FALSE(UniverseThemeName(n).empty()) << n;
    }
}

TEST(Presets, FactoryNameTable) {
    EXPECT_EQ(FactoryNameOf(0, 0).name, "Standard Galaxy");
    EXPECT_EQ(FactoryNameOf(0, 0).pct, 25);
    EXPECT_EQ(FactoryNameOf(1, 31).name, "Elongated Bottle");
    EXPECT_EQ(FactoryNameOf(0, 9).name, "IFS Point:  Golden Spirals");
    EXPECT_EQ(FactoryNameOf(7, 40).name, "Elongated Bottle") << "out of range reads the nearest";
}

TEST(Presets, ApplyFactoryGalaxyTypeSetsNameWeightAndValues) {
    GalaxyTables tables;
    ApplyFactoryGalaxyTypes(tables, 1);
    const GalaxyType& t = tables.types[6];
    EXPECT_EQ(t.name, "Red-Blue Exclusive");
    EXPECT_EQ(t.pct, 10);
    EXPECT_FLOAT_EQ(t[G::AngleTInc], 359.85f);
    EXPECT_EQ(t[G::HueGrn], 0);
    for (int slot = 0; slot < 32; ++slot)
        EXPECT_EQ(tables.types[slot].Style(), 0);
    ApplyFactoryGalaxyTypes(tables, 0);
    EXPECT_EQ(tables.types[15].Style(), 4);
    EXPECT_EQ(tables.types[15][G::RadFill], 750);
    ApplyFactoryGalaxyType(tables, 0, kGalaxyTypeSlots);
    EXPECT_EQ(tables.types[kGalaxyTypeSlots].name, GalaxyTables{}.types[kGalaxyTypeSlots].name)
        << "not a type slot";
}

TEST(Presets, IntegerFieldsRoundAndRealsKeepFractions) {
    GalaxyType t;
    ParseGalaxyPreset("0.0, 2.5, 3.5, 1.5, 0, 1, 100, 1, 100, 1800, 0.3, 1.4, 2, 170, 359.85", t);
    EXPECT_EQ(t[G::Radius], 0);   // whole reals parse as reals; validation makes them whole
    EXPECT_EQ(t[G::GalStyle], 2); // 1.5 -> 2
    EXPECT_FLOAT_EQ(t[G::AngleTInc], 359.85f);
    EXPECT_EQ(t[G::QG_Force], 0); // a missing field reads as 0
}

TEST(Presets, GoldGalaxyInAShellHasTwoMembersAlthoughThreeAreListed) {
    GalaxyTables tables;
    ApplyFactoryComposites(tables, 0);
    const CompositeGalaxy& c = tables.composites[12];
    EXPECT_EQ(c.name, "Gold Galaxy in a Shell");
    EXPECT_EQ(std::tuple(c.count, c.member[0], c.member[1], c.member[2]), std::tuple(2, 9, 30, 0));
    const CompositeGalaxy& three = tables.composites[6];
    EXPECT_EQ(std::tuple(three.count, three.member[2]), std::tuple(3, 8));
}

TEST(Presets, ThemeOneHasAVariantForTheOlderSet) {
    UniverseSettings older, current;
    ParseUniverseTheme(UniverseTheme(1, true), older);
    ParseUniverseTheme(UniverseTheme(1, false), current);
    EXPECT_EQ(older[U::Stars], 2500);
    EXPECT_EQ(current[U::Stars], 4000);
    EXPECT_EQ(current[U::AmStar], 125);
    EXPECT_EQ(UniverseTheme(2, true), UniverseTheme(2, false));
    UniverseSettings gravity;
    ParseUniverseTheme(UniverseTheme(8, false), gravity);
    EXPECT_EQ(gravity[U::GravForce], 125000);
    EXPECT_EQ(gravity[U::GravFrame], 1);
    EXPECT_EQ(UniverseThemeName(8), "Galaxies in Motion:  Gravity On");
}

} // namespace
} // namespace orb
