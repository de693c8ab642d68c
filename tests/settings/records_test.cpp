#include "settings/records.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

namespace orb {
namespace {

struct ValidateCase {
    int style; // set before the value: the clamped style selects the range column
    G g;
    float value, expected;
};

TEST(ValidateGalaxyType, ClampsByTheClampedStylesColumnAndRoundsWholeRealsToEven) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // Style 9 clamps to Starwave, whose persistence reaches 999 where Standard's band fill stops at
    // 100; wireframe vertices are 4..10, nebula control points 1..20 with fills up to 9999.
    using enum G;
    // clang-format off
    const ValidateCase cases[] = {
        {9, GalStyle, 9, 7},           {9, RadBFill, 900, 900},       {9, RadSegs, 150, 99},
        {0, RadBFill, 900, 100},       {2, RadSegs, 2, 4},            {4, RadSegs, 30, 20},
        {4, RadFill, 750, 750},        {0, RadFill, 37.6f, 38},       {0, RadBFill, 36.5f, 36},
        {0, Radius, 300.5f, 300},      {0, ColorMult, 1801.5f, 1802}, {0, QG_Force, 2.5f, 2.5f},
        {0, CometCPersist, 1, 0.9999f}, {0, AngleTilt, -4, 0},         {0, HueBlend, 0, 1},
        {0, RadFill, 1e30f, 100},      {0, Radius, -1e30f, 1},        {0, GHW_Ratio, nan, 0}};
    // clang-format on
    for (const ValidateCase& c : cases) {
        GalaxyType t;
        t[G::GalStyle] = static_cast<float>(c.style);
        t[c.g] = c.value;
        ValidateGalaxyType(t);
        EXPECT_FLOAT_EQ(t[c.g], c.expected)
            << kGalaxyDefs[static_cast<int>(c.g)].name << " = " << c.value << " in style " << c.style;
    }
}

TEST(ValidateGalaxyType, ClampsTheWeightAndZeroesTheWorkingFields) {
    GalaxyType t;
    t.pct = -5;
    t.spinPhase = 1.5f;
    t.spinPhaseFast = 2.5f;
    t.nebulaBiasPos = 3;
    ValidateGalaxyType(t);
    EXPECT_EQ(std::tuple(t.pct, t.spinPhase, t.spinPhaseFast, t.nebulaBiasPos), std::tuple(0, 0, 0, 0));
}

TEST(ValidateComposite, ClampsCountWeightAndMembers) {
    CompositeGalaxy c;
    c.count = 40;
    c.pct = 12000;
    c.member[0] = 45;
    c.member[30] = -2;
    c.member[31] = 99; // beyond the clamped count: left alone
    ValidateComposite(c);
    EXPECT_EQ(std::tuple(c.count, c.pct, c.member[0], c.member[30], c.member[31]),
              std::tuple(31, 9999, 31, 0, 99));
}

TEST(SettingTables, NamesAreUniqueAndDefaultsLieInRange) {
    for (int i = 0; i < kGalaxyPropCount; ++i) {
        const SettingDef& d = kGalaxyDefs[i];
        EXPECT_GE(d.def, d.min) << d.name;
        EXPECT_LE(d.def, d.max) << d.name;
        for (int j = i + 1; j < kGalaxyPropCount; ++j)
            EXPECT_NE(d.name, kGalaxyDefs[j].name);
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
