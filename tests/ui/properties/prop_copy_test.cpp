#include "ui/properties/prop_copy.h"

#include <gtest/gtest.h>

#include <set>

#include "settings/numeric.h"
#include "settings/presets.h"

namespace orb {
namespace {

std::string RangeText(const PropCopyItem& it) {
    auto num = [&](double v) {
        return it.kind == FieldKind::Real ? FormatSingle(static_cast<float>(v))
                                          : std::to_string(NearestLong(v));
    };
    return "Range (" + num(it.min) + " - " + num(it.max) + "):";
}

int FirstStyle(uint8_t mask) {
    for (int s = 0; s < kStyleCount; ++s)
        if (mask & (1u << s)) return s;
    return -1;
}

// The table against the settings definitions: a box's range lies inside the property's range for
// a style that receives it, its caption states that range, a real box edits a real property, and
// a list offers exactly the property's entries.
TEST(PropCopyTable, AgreesWithTheSettingDefinitions) {
    const std::set<int> captionQuirks{19, 23, 59}; // "360.0", and persistence shown from 1
    for (int i = 0; i < kPropCopyItemCount; ++i) {
        SCOPED_TRACE(i);
        const PropCopyItem& it = kPropCopyItems[i];
        const SettingDef& d = Def(it.property);
        ASSERT_NE(it.styles, 0);
        switch (it.input) {
        case CopyInput::Box: {
            const StyleRange r = GalaxyRange(it.property, FirstStyle(it.styles));
            EXPECT_GE(it.min, r.min);
            EXPECT_LE(it.max, r.max);
            EXPECT_LT(it.min, it.max);
            if (!captionQuirks.count(i)) {
                EXPECT_EQ(it.rangeText, RangeText(it));
            }
            if (it.kind == FieldKind::Real) {
                EXPECT_EQ(d.type, ValueType::Real);
            }
            break;
        }
        case CopyInput::List:
            EXPECT_TRUE(it.rangeText.empty());
            EXPECT_EQ(CopyListTexts(i).size(),
                      it.property == G::ColorComp ? 5u : static_cast<size_t>(d.max) + 1);
            break;
        case CopyInput::Check:
            EXPECT_EQ(d.type, ValueType::Flag);
            break;
        }
    }
    // Ranges kept as the frame always had them (item 18's maximum 359: the decisions' test).
    EXPECT_EQ(kPropCopyItems[59].min, 0);
    EXPECT_EQ(kPropCopyItems[59].rangeText, "Range (1 - 999):");
}

class PropCopyOnFactorySet : public ::testing::Test {
  protected:
    GalaxyTables tables = MakeFactoryConfiguration(0).tables;
    const GalaxyTables before = tables;

    std::set<int> SlotsOf(GalaxyStyle s) const {
        std::set<int> slots;
        for (int i = 0; i < kGalaxyTypeSlots; ++i)
            if (tables.types[i].Style() == static_cast<int>(s)) slots.insert(i);
        return slots;
    }
    std::set<int> Changed(G g) const {
        std::set<int> slots;
        for (int i = 0; i < kGalaxyTypeSlots; ++i)
            if (tables.types[i][g] != before.types[i][g]) slots.insert(i);
        return slots;
    }
    static int Item(std::string_view text) {
        for (int i = 0; i < kPropCopyItemCount; ++i)
            if (kPropCopyItems[i].text == text) return i;
        return -1;
    }
};

TEST_F(PropCopyOnFactorySet, EachItemReachesOnlyTheStylesThatTakeItRounded) {
    const auto starwave = SlotsOf(GalaxyStyle::Starwave);
    const auto nebula = SlotsOf(GalaxyStyle::Nebula);
    ASSERT_FALSE(starwave.empty() || nebula.empty());

    SlotMask took = CopyProperty(tables, Item("Galaxy Radius"), 500);
    for (int i = 0; i < kGalaxyTypeSlots; ++i) {
        EXPECT_EQ(SlotTook(took, i), !starwave.count(i)) << i;
        EXPECT_EQ(tables.types[i][G::Radius], starwave.count(i) ? before.types[i][G::Radius] : 500) << i;
    }

    tables = before;
    CopyProperty(tables, Item("Starwave Expansion Rate"), 500);
    for (int i = 0; i < kGalaxyTypeSlots; ++i)
        EXPECT_EQ(tables.types[i][G::Radius], starwave.count(i) ? 500 : before.types[i][G::Radius]) << i;

    tables = before;
    took = CopyProperty(tables, Item("Galaxy Radial Arms"), 7);
    for (GalaxyStyle s : {GalaxyStyle::IfsAttractor, GalaxyStyle::IfsWireframe, GalaxyStyle::IfsFractal})
        for (int slot : SlotsOf(s))
            EXPECT_FALSE(SlotTook(took, slot)) << slot;

    tables = before;
    CopyProperty(tables, Item("Nebula Control Points Closed"), 0);
    for (int i = 0; i < kGalaxyTypeSlots; ++i)
        EXPECT_EQ(tables.types[i][G::CP_Close], nebula.count(i) ? 0 : before.types[i][G::CP_Close]) << i;

    CopyProperty(tables, Item("Galaxy Radial Bands"), 2.5);
    EXPECT_EQ(tables.types[0][G::RadBands], 2); // whole properties are stored rounded, halves to even
    CopyProperty(tables, Item("Galaxy Height/Width Ratio"), 0.25);
    EXPECT_FLOAT_EQ(tables.types[0][G::GHW_Ratio], 0.25f);
}

TEST(PropCopyDecision, MessagesAndValues) {
    const int hueRed = 0, style = 12, persist = 35, closed = 54;
    const std::tuple<CopyRequest, std::string_view, double> cases[] = {
        // request, message, value
        {{-1, -1, "5", false}, kCopyNoItem, 0},
        {{style, -1, "", false}, kCopyNoListValue, 0},
        {{style, 8, "", false}, kCopyNoListValue, 0},
        {{style, 7, "", false}, {}, 7},
        {{hueRed, -1, "", false}, kCopyNoBoxValue, 0},
        {{hueRed, -1, "  ", false}, kCopyNoBoxValue, 0},
        {{hueRed, -1, "12abc", false}, {}, 12},
        {{hueRed, -1, "70000", false}, {}, 100},
        {{hueRed, -1, "-5", false}, {}, 0},
        {{persist, -1, "1.5", false}, {}, 0.9999f},
        {{persist, -1, "0", false}, {}, 0.1f},
        {{closed, -1, "", true}, {}, 1},
    };
    for (const auto& [request, message, value] : cases) {
        SCOPED_TRACE(request.boxText);
        const CopyDecision d = DecideCopy(request);
        EXPECT_EQ(d.message.value_or(""), message);
        if (message.empty()) {
            EXPECT_FLOAT_EQ(static_cast<float>(d.value), static_cast<float>(value));
        }
    }
    EXPECT_EQ(ClampCopyBoxText(persist, "1.5"), "0.9999");
    EXPECT_EQ(ClampCopyBoxText(18, "360"), "359");
}

// The editor's control for a copied property depends on the style it shows.
TEST(PropCopyEditor, ValueGoesToTheControlThatShowsTheProperty) {
    const int nebula = static_cast<int>(GalaxyStyle::Nebula);
    const int standard = static_cast<int>(GalaxyStyle::Standard);
    GalaxyFieldValues fields;
    EXPECT_TRUE(ShowCopiedValue(fields, nebula, G::CP_Points, 12));
    EXPECT_EQ(fields.FieldText(3), "12");
    EXPECT_TRUE(ShowCopiedValue(fields, standard, G::RadSegs, 9));
    EXPECT_EQ(fields.FieldText(3), "9");
    // A Nebula editor shows no tilt: box 93 holds the bias speed.
    EXPECT_FALSE(ShowCopiedValue(fields, nebula, G::AngleTilt, 45));
    EXPECT_EQ(fields.FieldText(93), "");
    EXPECT_TRUE(ShowCopiedValue(fields, standard, G::Profile, 4));
    EXPECT_EQ(fields.ListIndex(GalaxyList::Profile), 4);
    EXPECT_TRUE(ShowCopiedValue(fields, nebula, G::CP_Close, 1));
    EXPECT_TRUE(fields.CpClosed());
    EXPECT_TRUE(ShowCopiedValue(fields, standard, G::HueBlend, 30));
    EXPECT_EQ(fields.HueText(4), "30");
}

} // namespace
} // namespace orb
