#include "settings/records.h"

#include <gtest/gtest.h>

namespace orb {
namespace {

TEST(ValidateGalaxyType, StyleIsClampedFirstAndSelectsTheColumn) {
    GalaxyType t;
    t[G::GalStyle] = 9;
    t[G::RadBFill] = 900;  // Starwave allows amplitude persistence up to 999
    t[G::RadSegs] = 150;
    ValidateGalaxyType(t);
    EXPECT_EQ(t[G::GalStyle], 7);
    EXPECT_EQ(t[G::RadBFill], 900);
    EXPECT_EQ(t[G::RadSegs], 99);

    GalaxyType s;
    s[G::RadBFill] = 900;  // Standard: band fill percent
    ValidateGalaxyType(s);
    EXPECT_EQ(s[G::RadBFill], 100);
}

TEST(ValidateGalaxyType, StyleColumnsDifferForWireframeAndNebula) {
    GalaxyType w;
    w[G::GalStyle] = 2;
    w[G::RadSegs] = 2;  // wireframe vertices 4..10
    ValidateGalaxyType(w);
    EXPECT_EQ(w[G::RadSegs], 4);

    GalaxyType n;
    n[G::GalStyle] = 4;
    n[G::RadFill] = 750;  // nebula allows 0..9999
    n[G::RadSegs] = 30;   // 1..20
    ValidateGalaxyType(n);
    EXPECT_EQ(n[G::RadFill], 750);
    EXPECT_EQ(n[G::RadSegs], 20);
}

TEST(ValidateGalaxyType, WholeRealsRoundHalvesToEven) {
    GalaxyType t;
    t[G::RadFill] = 37.6f;
    t[G::RadBFill] = 36.5f;
    t[G::Radius] = 300.5f;
    t[G::ColorMult] = 1801.5f;
    ValidateGalaxyType(t);
    EXPECT_EQ(t[G::RadFill], 38);
    EXPECT_EQ(t[G::RadBFill], 36);
    EXPECT_EQ(t[G::Radius], 300);
    EXPECT_EQ(t[G::ColorMult], 1802);
}

TEST(ValidateGalaxyType, RealsKeepFractionsAndClamp) {
    GalaxyType t;
    t[G::QG_Force] = 2.5f;
    t[G::CometCPersist] = 1.0f;
    t[G::AngleTilt] = -4;
    t[G::HueBlend] = 0;
    ValidateGalaxyType(t);
    EXPECT_FLOAT_EQ(t[G::QG_Force], 2.5f);
    EXPECT_FLOAT_EQ(t[G::CometCPersist], 0.9999f);
    EXPECT_EQ(t[G::AngleTilt], 0);
    EXPECT_EQ(t[G::HueBlend], 1);
}

TEST(ValidateGalaxyType, HugeAndNonFiniteValuesClampWithoutOverflow) {
    GalaxyType t;
    t[G::RadFill] = 1e30f;
    t[G::Radius] = -1e30f;
    t[G::GHW_Ratio] = std::numeric_limits<float>::quiet_NaN();
    t.pct = -5;
    ValidateGalaxyType(t);
    EXPECT_EQ(t[G::RadFill], 100);
    EXPECT_EQ(t[G::Radius], 1);
    EXPECT_EQ(t[G::GHW_Ratio], 0);
    EXPECT_EQ(t.pct, 0);
}

TEST(ValidateGalaxyType, ZeroesTheWorkingFields) {
    GalaxyType t;
    t.spinPhase = 1.5f;
    t.spinPhaseFast = 2.5f;
    t.nebulaBiasPos = 3;
    ValidateGalaxyType(t);
    EXPECT_EQ(t.spinPhase, 0);
    EXPECT_EQ(t.spinPhaseFast, 0);
    EXPECT_EQ(t.nebulaBiasPos, 0);
}

TEST(ValidateComposite, ClampsCountWeightAndMembers) {
    CompositeGalaxy c;
    c.count = 40;
    c.pct = 12000;
    c.member[0] = 45;
    c.member[30] = -2;
    c.member[31] = 99;  // beyond the clamped count: left alone
    ValidateComposite(c);
    EXPECT_EQ(c.count, 31);
    EXPECT_EQ(c.pct, 9999);
    EXPECT_EQ(c.member[0], 31);
    EXPECT_EQ(c.member[30], 0);
    EXPECT_EQ(c.member[31], 99);
}

TEST(Defaults, RecordsStartAtTheirDefaultsAndNamesCountFromOne) {
    GalaxyType t;
    EXPECT_EQ(t[G::Radius], 300);
    EXPECT_FLOAT_EQ(t[G::CometCPersist], 0.9975f);
    EXPECT_EQ(t[G::HueStart], 240);
    UniverseSettings u;
    EXPECT_EQ(u[U::Stars], 4000);
    EXPECT_FLOAT_EQ(u[U::Persist], 0.985f);
    EXPECT_EQ(DefaultGalaxyName(2), "< Galaxy Profile 3 >");
    EXPECT_EQ(DefaultCompositeName(0), "< Composite Galaxy 1 >");
}

TEST(SettingTables, NamesAreUniqueAndDefaultsLieInRange) {
    for (int i = 0; i < kGalaxyPropCount; ++i) {
        const SettingDef& d = kGalaxyDefs[i];
        EXPECT_GE(d.def, d.min) << d.name;
        EXPECT_LE(d.def, d.max) << d.name;
        for (int j = i + 1; j < kGalaxyPropCount; ++j) EXPECT_NE(d.name, kGalaxyDefs[j].name);
    }
    for (const SettingDef& d : kUniverseDefs) {
        EXPECT_GE(d.def, d.min) << d.name;
        EXPECT_LE(d.def, d.max) << d.name;
    }
    EXPECT_EQ(kUniverseDefs[static_cast<int>(U::GravFrame)].name, "Universe_GravFrame");
    EXPECT_EQ(kGalaxyDefs[static_cast<int>(G::QG_Force)].name, "Galaxy_QG_Force");
}

} // namespace
} // namespace orb
