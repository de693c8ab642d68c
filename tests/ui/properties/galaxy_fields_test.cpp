#include "ui/properties/galaxy_fields.h"

#include <gtest/gtest.h>

#include <set>

#include "settings/numeric.h"
#include "settings/presets.h"
#include "ui/properties/galaxy_styles.h"

namespace orb {
namespace {

constexpr int kNebula = static_cast<int>(GalaxyStyle::Nebula);
using Texts = std::vector<std::string>;

GalaxyType Factory(int set, int slot) {
    GalaxyTables tables;
    ApplyFactoryGalaxyType(tables, set, slot);
    return tables.types[slot];
}

TEST(GalaxyBindings, EveryPropertyHasOneControlWithItsRange) {
    std::multiset<int> shown;
    for (const GalaxyBinding& b : kGalaxyBindings) {
        shown.insert(static_cast<int>(b.prop));
        if (b.nebulaProp != b.prop) shown.insert(static_cast<int>(b.nebulaProp));
        EXPECT_EQ(FindGalaxyBinding(b.control, b.index), &b);
        if (b.styleRange || b.control != GalaxyControl::Field) continue;
        const FieldSpec s = GalaxyFieldSpec(b, 0);
        EXPECT_EQ(std::pair(s.min, s.max), std::pair(Def(b.prop).min, Def(b.prop).max)) << b.index;
        // A real property may be edited as a whole number, never a whole one as a decimal.
        EXPECT_TRUE(Def(b.prop).type == ValueType::Real || s.kind != FieldKind::Real) << b.index;
    }
    for (int p = 0; p < kGalaxyPropCount; ++p)
        EXPECT_EQ(shown.count(p), 1u) << "position " << p;
    EXPECT_EQ(FindGalaxyBinding(GalaxyControl::Field, 9), nullptr);
    EXPECT_EQ(FindGalaxyBinding(GalaxyControl::HueField, 5), nullptr);
}

// A box takes the arrows exactly when it has a spinner, which holds the maximum's digits; the long
// boxes step by 10 and the hue wheel's start by 5, the others by 1.
TEST(GalaxyBindings, ArrowStepsAndSpinnersOfTheBoxes) {
    int spinners = 0;
    for (const GalaxyBinding& b : kGalaxyBindings) {
        if (b.control != GalaxyControl::Field && b.control != GalaxyControl::HueField) continue;
        for (int style : {0, kNebula}) {
            SCOPED_TRACE(testing::Message() << b.index << " style " << style);
            const FieldSpec s = GalaxyFieldSpec(b, style);
            EXPECT_EQ(s.arrowStep > 0, s.spinLength > 0);
            if (s.spinLength == 0) continue;
            spinners += style == 0;
            EXPECT_EQ(s.spinLength, static_cast<int>(std::to_string(NearestLong(s.max)).size()));
            const bool hueStart = b.control == GalaxyControl::Field && b.index == 95;
            EXPECT_EQ(s.arrowStep, s.kind == FieldKind::Long ? 10 : hueStart ? 5 : 1);
        }
    }
    EXPECT_EQ(spinners, 16);
}

TEST(GalaxyBindings, SpecsFollowTheStyle) {
    const auto fieldOf = [](int box, int style) {
        return GalaxyFieldSpec(*FindGalaxyBinding(GalaxyControl::Field, box), style);
    };
    // Box 5 holds IfsAttractor's rotation angle, box 6 Starwave's amplitude persistence.
    const std::tuple<int, int, double> maxima[] = {{4, kNebula, 9999}, {4, 0, 100}, {5, 0, 99},
                                                   {5, 1, 360},        {6, 7, 999}, {93, kNebula, 999},
                                                   {93, 2, 360}};
    for (auto [box, style, max] : maxima)
        EXPECT_EQ(fieldOf(box, style).max, max) << box << " style " << style;
    EXPECT_EQ(fieldOf(93, 2).kind, FieldKind::Integer);
    EXPECT_EQ(fieldOf(45, 0).filter, KeyFilter::Decimal);
    EXPECT_EQ(fieldOf(42, 0).filter, KeyFilter::Digits);
    const GalaxyBinding& box93 = *FindGalaxyBinding(GalaxyControl::Field, 93);
    EXPECT_EQ(ShownProp(box93, kNebula), G::CP_B_Spd);
    EXPECT_EQ(ShownProp(box93, 99), G::AngleTilt); // clamped to Starwave
}

TEST(GalaxyFields, FactoryTypesRoundTripUnchangedInEveryVisibleValue) {
    for (int set = 0; set < kFactorySets; ++set) {
        for (int slot = 0; slot < kGalaxyTypeSlots; ++slot) {
            const GalaxyType t = Factory(set, slot);
            GalaxyFieldValues fields; // the type moved into the fields and back
            ShowGalaxyType(t, fields);
            GalaxyType back = t;
            ReadGalaxyFields(fields, back);
            const int style = t.Style();
            for (const GalaxyBinding& b : kGalaxyBindings) {
                const G p = ShownProp(b, style);
                EXPECT_EQ(back[p], t[p]) << "set " << set << " slot " << slot << " position " << int(p);
            }
            if (style == kNebula) {
                // Only positions 5 to 8, which a nebula does not use, take the control points;
                // the tilt and everything else stay.
                GalaxyType expected = t;
                for (int i = 0; i < 4; ++i)
                    expected.prop[5 + i] = t.prop[39 + i];
                EXPECT_EQ(back.prop, expected.prop) << "set " << set << " slot " << slot;
            } else {
                // The boxes 3 to 6 also go into the control-point positions.
                EXPECT_EQ(back[G::CP_Points], t[G::RadSegs]) << slot;
                EXPECT_EQ(back[G::CP_B_Exp], t[G::RadBFill]) << slot;
                EXPECT_EQ(back[G::CP_B_Spd], t[G::AngleTilt]) << slot;
            }
        }
    }
}

TEST(GalaxyFields, NebulaShowsControlPointsAndKeepsItsTilt) {
    GalaxyType t = Factory(0, 18); // "Nebula:  5-Cycle Comets": tilt 0, travel speed 15
    ASSERT_EQ(t.Style(), kNebula);
    t[G::RadSegs] = 1; // positions 5 to 8 differ from the control points
    GalaxyFieldValues f;
    ShowGalaxyType(t, f);
    EXPECT_EQ((Texts{f.FieldText(3), f.FieldText(4), f.FieldText(93)}), (Texts{"5", "300", "15"}));
    EXPECT_EQ(f.ListIndex(GalaxyList::Colour), -1); // 5 has no list entry
    f.SetListIndex(GalaxyList::Plane, 2);
    EXPECT_EQ(f.ListIndex(GalaxyList::Plane), -1);
    f.SetListIndex(GalaxyList::Plane, static_cast<int>(t[G::AxisPlane]));
    f.SetFieldText(3, "7");
    f.SetFieldText(93, "200");
    f.SetHueText(0, "x");
    EXPECT_EQ(f.FieldText(kGalaxyFieldSlots), "") << "no box past the last";
    EXPECT_EQ(f.FieldText(-1), "");
    GalaxyType back = t;
    ReadGalaxyFields(f, back);
    // The tilt stays; after Return RadSegs equals CP_Points.
    EXPECT_EQ((std::vector{back[G::AngleTilt], back[G::CP_B_Spd], back[G::CP_Points], back[G::RadSegs],
                           back[G::ColorComp]}),
              (std::vector<float>{0, 200, 7, 7, 5}));
}

TEST(GalaxyFields, FieldsToRecordReadsLeadingNumbersByPropertyType) {
    GalaxyType t = Factory(0, 0);
    GalaxyFieldValues f;
    ShowGalaxyType(t, f);
    f.SetFieldText(10, "12abc");             // integer
    f.SetFieldText(42, "100.5");             // a real comet speed, typed as a decimal
    f.SetFieldText(90, ".5");                // real
    f.SetFieldText(0, std::string(25, '9')); // a whole real far out of range
    f.SetHueText(0, "2.5");                  // integer: halves to even
    f.SetListIndex(GalaxyList::Profile, -1);
    f.SetListIndex(GalaxyList::Colour, 1);
    f.SetCpClosed(false);
    t[G::Profile] = 3;
    ReadGalaxyFields(f, t);
    EXPECT_GT(t[G::Radius], 1e24f); // saturated, not wrapped
    // A list with no selection keeps the value (Profile 3).
    EXPECT_EQ((std::vector{t[G::NewFreq], t[G::CometOrbit], t[G::GHW_Ratio], t[G::HueRed], t[G::Profile],
                           t[G::ColorComp], t[G::CP_Close]}),
              (std::vector<float>{12, 100.5f, 0.5f, 2, 3, 1, 0}));
    ValidateGalaxyType(t);
    EXPECT_EQ(t[G::Radius], 30000);
}

TEST(GalaxyFields, StyleChangeClampsTheStyleBoxes) {
    GalaxyType t = Factory(0, 0);
    t[G::AngleTilt] = 170.6f;
    GalaxyFieldValues f;
    ShowGalaxyType(t, f);
    EXPECT_EQ(f.FieldText(93), "170.6");
    ApplyStyleToFields(2, f); // IfsWireframe: vertices 4 to 10
    EXPECT_EQ((Texts{f.FieldText(93), f.FieldText(3), f.FieldText(7)}), (Texts{"171", "4", "1800"}))
        << "only the style's boxes change";
    f.SetFieldText(4, "500");
    f.SetFieldText(93, "900");
    ApplyStyleToFields(kNebula, f);
    EXPECT_EQ((Texts{f.FieldText(4), f.FieldText(93)}), (Texts{"500", "900"}));
    ApplyStyleToFields(0, f);
    EXPECT_EQ((Texts{f.FieldText(4), f.FieldText(93)}), (Texts{"100", "360"}));
}

TEST(GalaxyFields, ThemesReplaceTheFieldsAndNothingElse) {
    GalaxyFieldValues f;
    f.SetFieldText(0, "sentinel");
    EXPECT_FALSE(LoadGalaxyTheme(0, f) || LoadGalaxyTheme(33, f));
    EXPECT_EQ(f.FieldText(0), "sentinel");
    ASSERT_TRUE(LoadGalaxyTheme(32, f));
    EXPECT_EQ(f.FieldText(0), "1000");
    ASSERT_TRUE(LoadGalaxyTheme(16, f)); // "Nebula:  Rainbow Loop"
    EXPECT_EQ(f.ListIndex(GalaxyList::Style), kNebula);
    EXPECT_EQ((Texts{f.FieldText(4), f.HueText(3)}), (Texts{"750", "25"}));
    EXPECT_TRUE(f.CpClosed());
    EXPECT_EQ(GalaxyThemeItems()[0], "< NONE >");
    EXPECT_EQ(GalaxyThemeItems()[16], "Nebula:  Rainbow Loop");
}

TEST(GalaxyStyles, CaptionsHiddenFieldsAndRanges) {
    for (int s = 0; s < kStyleCount; ++s) {
        const StyleView& v = StyleViewOf(s);
        EXPECT_EQ(v.captions[static_cast<int>(GalaxyLabel::Distance)], kStandardCaptions[1]) << s;
        EXPECT_EQ((v.hidden & kHideCpClosed) == 0, s == kNebula) << s;
        EXPECT_EQ((v.hidden & kHideBox8) == 0, s == 5 || s == 6) << s;
        // Spinner ranges lie within the stored ranges of positions 5 to 8.
        for (int i = 0; i < 4; ++i) {
            const StyleRange r = GalaxyRange(static_cast<G>(static_cast<int>(G::RadSegs) + i), s);
            EXPECT_GE(v.boxes3to6[i].min, r.min) << s << " box " << 3 + i;
            EXPECT_LE(v.boxes3to6[i].max, r.max) << s << " box " << 3 + i;
            EXPECT_EQ(v.boxes3to6[i].length, static_cast<int>(std::to_string(v.boxes3to6[i].max).size()));
        }
    }
    EXPECT_EQ(StyleViewOf(kNebula).captions[static_cast<int>(GalaxyLabel::Box93)],
              "Bias Point Travel Speed (0 - 999):");
    EXPECT_EQ(StyleViewOf(7).captions[0], "Expansion, Rotation (1, 0 - 30000):");
    EXPECT_EQ(StyleViewOf(5).captions[static_cast<int>(GalaxyLabel::Box3And4)], kStandardCaptions[2]);
    EXPECT_EQ(&StyleViewOf(12), &StyleViewOf(7));
}

} // namespace
} // namespace orb
