#include "ui/properties/galaxy_fields.h"

#include <gtest/gtest.h>

#include <set>

#include "settings/presets.h"
#include "ui/properties/galaxy_styles.h"

namespace orb {
namespace {

constexpr int kNebula = static_cast<int>(GalaxyStyle::Nebula);

GalaxyType Factory(int set, int slot) {
    GalaxyTables tables;
    ApplyFactoryGalaxyType(tables, set, slot);
    return tables.types[slot];
}

// A galaxy type moved into the fields and back.
GalaxyType RoundTrip(const GalaxyType& t) {
    GalaxyFieldValues fields;
    ShowGalaxyType(t, fields);
    GalaxyType back = t;
    ReadGalaxyFields(fields, back);
    return back;
}

TEST(GalaxyBindings, EveryPropertyHasOneControlWithItsRange) {
    std::multiset<int> shown;
    for (const GalaxyBinding& b : kGalaxyBindings) {
        shown.insert(static_cast<int>(b.prop));
        if (b.nebulaProp != b.prop) shown.insert(static_cast<int>(b.nebulaProp));
        EXPECT_EQ(FindGalaxyBinding(b.control, b.index), &b);
        if (b.styleRange || b.control != GalaxyControl::Field) continue;
        const FieldSpec s = GalaxyFieldSpec(b, 0);
        EXPECT_EQ(s.min, Def(b.prop).min) << b.index;
        EXPECT_EQ(s.max, Def(b.prop).max) << b.index;
        // A real property may be edited as a whole number, never a whole one as a decimal.
        if (Def(b.prop).type != ValueType::Real) {
            EXPECT_NE(s.kind, FieldKind::Real) << b.index;
        }
    }
    for (int p = 0; p < kGalaxyPropCount; ++p)
        EXPECT_EQ(shown.count(p), 1u) << "position " << p;
    EXPECT_EQ(FindGalaxyBinding(GalaxyControl::Field, 9), nullptr);
    EXPECT_EQ(FindGalaxyBinding(GalaxyControl::HueField, 5), nullptr);
}

TEST(GalaxyBindings, ArrowStepsAndSpinnersOfTheBoxes) {
    struct Case {
        GalaxyControl control;
        int index, step, spin;
    } withSteps[] = {
        {GalaxyControl::Field, 0, 10, 5},   {GalaxyControl::Field, 1, 10, 5},
        {GalaxyControl::Field, 2, 10, 5},   {GalaxyControl::Field, 7, 10, 5},
        {GalaxyControl::Field, 3, 1, 2},    {GalaxyControl::Field, 4, 1, 3},
        {GalaxyControl::Field, 5, 1, 2},    {GalaxyControl::Field, 6, 1, 3},
        {GalaxyControl::Field, 47, 1, 3},   {GalaxyControl::Field, 48, 1, 3},
        {GalaxyControl::Field, 95, 5, 3},   {GalaxyControl::HueField, 0, 1, 3},
        {GalaxyControl::HueField, 1, 1, 3}, {GalaxyControl::HueField, 2, 1, 3},
        {GalaxyControl::HueField, 3, 1, 3}, {GalaxyControl::HueField, 4, 1, 2},
    };
    int boxes = 0;
    for (const GalaxyBinding& b : kGalaxyBindings) {
        if (b.control != GalaxyControl::Field && b.control != GalaxyControl::HueField) continue;
        ++boxes;
        Case expected{b.control, b.index, 0, 0}; // every other box ignores the arrows
        for (const Case& c : withSteps)
            if (c.control == b.control && c.index == b.index) expected = c;
        const FieldSpec s = GalaxyFieldSpec(b, 0);
        EXPECT_EQ(s.arrowStep, expected.step) << b.index;
        EXPECT_EQ(s.spinLength, expected.spin) << b.index;
    }
    EXPECT_EQ(boxes, 36);
}

TEST(GalaxyBindings, SpecsFollowTheStyle) {
    const GalaxyBinding& box4 = *FindGalaxyBinding(GalaxyControl::Field, 4);
    const GalaxyBinding& box93 = *FindGalaxyBinding(GalaxyControl::Field, 93);
    const GalaxyBinding& box5 = *FindGalaxyBinding(GalaxyControl::Field, 5);
    const GalaxyBinding& box6 = *FindGalaxyBinding(GalaxyControl::Field, 6);
    EXPECT_EQ(GalaxyFieldSpec(box4, kNebula).max, 9999);
    EXPECT_EQ(GalaxyFieldSpec(box4, kNebula).spinLength, 4);
    EXPECT_EQ(GalaxyFieldSpec(box4, 0).max, 100);
    EXPECT_EQ(GalaxyFieldSpec(box5, 0).max, 99);
    EXPECT_EQ(GalaxyFieldSpec(box5, 1).max, 360); // IfsAttractor's rotation angle
    EXPECT_EQ(GalaxyFieldSpec(box6, 7).max, 999); // Starwave's amplitude persistence
    EXPECT_EQ(GalaxyFieldSpec(box93, kNebula).max, 999);
    EXPECT_EQ(GalaxyFieldSpec(box93, 2).max, 360);
    EXPECT_EQ(GalaxyFieldSpec(box93, 2).kind, FieldKind::Integer);
    EXPECT_EQ(GalaxyFieldSpec(*FindGalaxyBinding(GalaxyControl::Field, 45), 0).filter, KeyFilter::Decimal);
    EXPECT_EQ(GalaxyFieldSpec(*FindGalaxyBinding(GalaxyControl::Field, 42), 0).filter, KeyFilter::Digits);
    EXPECT_EQ(ShownProp(box93, kNebula), G::CP_B_Spd);
    EXPECT_EQ(ShownProp(box93, 99), G::AngleTilt); // clamped to Starwave
}

TEST(GalaxyFields, FactoryTypesRoundTripUnchangedInEveryVisibleValue) {
    for (int set = 0; set < kFactorySets; ++set) {
        for (int slot = 0; slot < kGalaxyTypeSlots; ++slot) {
            const GalaxyType t = Factory(set, slot);
            const GalaxyType back = RoundTrip(t);
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
    EXPECT_EQ(f.FieldText(3), "5");
    EXPECT_EQ(f.FieldText(4), "300");
    EXPECT_EQ(f.FieldText(93), "15");
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
    EXPECT_EQ(back[G::AngleTilt], 0);
    EXPECT_EQ(back[G::CP_B_Spd], 200);
    EXPECT_EQ(back[G::CP_Points], 7);
    EXPECT_EQ(back[G::RadSegs], 7); // after Return RadSegs equals CP_Points
    EXPECT_EQ(back[G::ColorComp], 5);
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
    EXPECT_EQ(t[G::NewFreq], 12);
    EXPECT_EQ(t[G::CometOrbit], 100.5f);
    EXPECT_EQ(t[G::GHW_Ratio], 0.5f);
    EXPECT_GT(t[G::Radius], 1e24f); // saturated, not wrapped
    EXPECT_EQ(t[G::HueRed], 2);
    EXPECT_EQ(t[G::Profile], 3); // a list with no selection keeps the value
    EXPECT_EQ(t[G::ColorComp], 1);
    EXPECT_EQ(t[G::CP_Close], 0);
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
    EXPECT_EQ(f.FieldText(93), "171");
    EXPECT_EQ(f.FieldText(3), "4");
    EXPECT_EQ(f.FieldText(7), "1800"); // only the style's boxes change
    f.SetFieldText(4, "500");
    f.SetFieldText(93, "900");
    ApplyStyleToFields(kNebula, f);
    EXPECT_EQ(f.FieldText(4), "500");
    EXPECT_EQ(f.FieldText(93), "900");
    ApplyStyleToFields(0, f);
    EXPECT_EQ(f.FieldText(4), "100");
    EXPECT_EQ(f.FieldText(93), "360");
}

TEST(GalaxyFields, ThemesReplaceTheFieldsAndNothingElse) {
    GalaxyFieldValues f;
    f.SetFieldText(0, "sentinel");
    EXPECT_FALSE(LoadGalaxyTheme(0, f));
    EXPECT_FALSE(LoadGalaxyTheme(33, f));
    EXPECT_EQ(f.FieldText(0), "sentinel");
    ASSERT_TRUE(LoadGalaxyTheme(32, f));
    EXPECT_EQ(f.FieldText(0), "1000");
    ASSERT_TRUE(LoadGalaxyTheme(16, f)); // "Nebula:  Rainbow Loop"
    EXPECT_EQ(f.ListIndex(GalaxyList::Style), kNebula);
    EXPECT_EQ(f.FieldText(4), "750");
    EXPECT_EQ(f.HueText(3), "25");
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
