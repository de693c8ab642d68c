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
    for (std::string_view text :
         {GalaxyPreset(0, 0), GalaxyPreset(0, 33), GalaxyPreset(2, 1), CompositePreset(1, 17),
          CompositePreset(1, 0), CompositePreset(2, 1), UniverseTheme(9, false), UniverseTheme(0, false),
          UniverseThemeName(0), UniverseThemeName(kThemeCount + 1)})
        EXPECT_TRUE(text.empty()) << text;
    for (int n : {1, kThemeCount})
        EXPECT_FALSE(UniverseTheme(n, false).empty() || UniverseThemeName(n).empty()) << n;
}

TEST(Presets, FactoryNameTable) {
    EXPECT_EQ(std::tuple(FactoryNameOf(0, 0).name, FactoryNameOf(0, 0).pct, FactoryNameOf(1, 31).name,
                         FactoryNameOf(0, 9).name),
              std::tuple("Standard Galaxy", 25, "Elongated Bottle", "IFS Point:  Golden Spirals"));
    EXPECT_EQ(FactoryNameOf(7, 40).name, "Elongated Bottle") << "out of range reads the nearest";
}

TEST(Presets, ApplyFactoryGalaxyTypeSetsNameWeightAndValues) {
    GalaxyTables tables;
    ApplyFactoryGalaxyTypes(tables, 1);
    const GalaxyType& t = tables.types[6];
    EXPECT_EQ(std::tuple(t.name, t.pct, t[G::AngleTInc], t[G::HueGrn]),
              std::tuple("Red-Blue Exclusive", 10, 359.85f, 0));
    for (int slot = 0; slot < 32; ++slot)
        EXPECT_EQ(tables.types[slot].Style(), 0);
    ApplyFactoryGalaxyTypes(tables, 0);
    EXPECT_EQ(std::tuple(tables.types[15].Style(), tables.types[15][G::RadFill]), std::tuple(4, 750));
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
    EXPECT_EQ(std::tuple(older[U::Stars], current[U::Stars], current[U::AmStar]),
              std::tuple(2500, 4000, 125));
    EXPECT_EQ(UniverseTheme(2, true), UniverseTheme(2, false));
    UniverseSettings gravity;
    ParseUniverseTheme(UniverseTheme(8, false), gravity);
    EXPECT_EQ(std::tuple(gravity[U::GravForce], gravity[U::GravFrame], UniverseThemeName(8)),
              std::tuple(125000, 1, "Galaxies in Motion:  Gravity On"));
}

} // namespace
} // namespace orb
