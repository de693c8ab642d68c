#include <gtest/gtest.h>

#include "settings/numeric.h"
#include "settings/presets.h"
#include "ui/properties/list_lines.h"
#include "ui/properties/weights.h"
#include "ui/scripted_messages.h"

namespace orb {
namespace {

// Every character 100 twips wide, a blank 50.
double FakeWidth(std::string_view s) {
    double w = 0;
    for (char c : s)
        w += c == ' ' ? 50 : 100;
    return w;
}

TEST(ListLines, BlanksReachTheColumnAndReadBackAtOddWidthsAndInShortLines) {
    const std::tuple<std::string_view, int, size_t> cases[] = {
        // name, weight, blanks between
        {"Standard Galaxy", 25, 19}, // 1450 twips (one blank inside) + 19 blanks of 50 = 2400
        {"", 0, 48},
        {"A name far too long for the column", 9999, 3},
    };
    for (auto [name, weight, blanks] : cases) {
        const std::string line = FormatListLine(name, weight, FakeWidth);
        EXPECT_EQ(line, std::string(name) + std::string(blanks, ' ') + std::to_string(weight));
        const ListLine back = ParseListLine(line);
        EXPECT_EQ(std::tuple(back.name, back.weight), std::tuple(std::string(TrimBlanks(name)), weight));
    }
    // (2400 - text) / blank, halves to even, at least 3: 2.5 gives 2 so 3, 3.5 gives 4; a blank
    // narrower than a twip still counts, one of no width gives the least.
    const std::tuple<double, double, size_t> widths[] = {
        {20, 2350, 3}, {20, 2330, 4}, {0.5, 2390, 20}, {0, 10, 3}};
    for (auto [blank, text, blanks] : widths) {
        auto width = [&](std::string_view s) { return s == " " ? blank : text; };
        EXPECT_EQ(FormatListLine("x", 7, width), "x" + std::string(blanks, ' ') + "7")
            << text << "/" << blank;
    }
    EXPECT_EQ(ParseListLine("12").weight, 12);
    EXPECT_EQ(ParseListLine("12").name, "");
    EXPECT_EQ(ParseListLine("Spiral   abcd").weight, 0);
    EXPECT_EQ(LineWithoutWeight("Spiral   25"), "Spiral ");
    EXPECT_EQ(LineWithoutWeight("25"), "");
}

class WeightsTest : public ::testing::Test {
  protected:
    GalaxyTables tables;
    test::ScriptedMessages messages;
    void SetUp() override {
        ApplyFactoryGalaxyTypes(tables, 0);
        ApplyFactoryComposites(tables, 0);
    }
};

TEST_F(WeightsTest, CommitClampsTrimsAndRewritesTheLine) {
    // table, slot, name and weight typed; name and weight stored
    using S = std::string_view;
    const std::tuple<WeightedTable, int, S, S, S, int> cases[] = {
        {WeightedTable::GalaxyTypes, 4, "  Spiral  ", "12345", "Spiral", 9999},
        {WeightedTable::GalaxyTypes, 31, "Dust, gas", "", "Dust gas", 0},
        {WeightedTable::GalaxyTypes, 0, "x", "2.5", "x", 2},
        {WeightedTable::Composites, 15, "Pair", "40", "Pair", 40},
    };
    for (const auto& [table, slot, name, weight, storedName, storedWeight] : cases) {
        auto r = CommitWeight(tables, table, slot, name, weight, FakeWidth);
        ASSERT_TRUE(r);
        const ListLine line = ParseListLine(r->line);
        EXPECT_EQ(
            std::tuple(S(ShownName(tables, table, slot)), SlotWeight(tables, table, slot), r->weightText),
            std::tuple(storedName, storedWeight, std::to_string(storedWeight)));
        EXPECT_EQ(std::tuple(S(line.name), line.weight), std::tuple(storedName, storedWeight));
    }
    const GalaxyTables before = tables;
    EXPECT_FALSE(CommitWeight(tables, WeightedTable::GalaxyTypes, -1, "x", "1", FakeWidth));
    EXPECT_FALSE(CommitWeight(tables, WeightedTable::Composites, 16, "x", "1", FakeWidth));
    EXPECT_EQ(tables.types[0].name, before.types[0].name);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(WeightsTest, ResetPercentSetsEveryWeightOrAsksForAValue) {
    EXPECT_FALSE(ResetWeights(tables, WeightedTable::GalaxyTypes, "   ", FakeWidth, messages));
    EXPECT_EQ(messages.LastText(), "Please enter a value for the Reset percent.");
    EXPECT_EQ(messages.shown.back().icon, MessageIcon::Exclamation);
    EXPECT_EQ(tables.types[0].pct, 25); // unchanged

    auto lines = ResetWeights(tables, WeightedTable::GalaxyTypes, "25", FakeWidth, messages);
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 32u);
    for (int s = 0; s < 32; ++s) {
        EXPECT_EQ(tables.types[s].pct, 25);
        EXPECT_EQ(ParseListLine((*lines)[s]).weight, 25);
        EXPECT_EQ(ParseListLine((*lines)[s]).name, tables.types[s].name);
    }
    tables.composites[2].name.clear();
    lines = ResetWeights(tables, WeightedTable::Composites, "123456", FakeWidth, messages);
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 16u);
    for (int i = 0; i < kCompositeSlots; ++i)
        EXPECT_EQ(tables.composites[i].pct, 9999);
    EXPECT_EQ(tables.types[0].pct, 25); // the other table is left alone
    EXPECT_EQ(tables.types[32].pct, 0); // and so are the composites' stand-ins
    EXPECT_EQ(ParseListLine((*lines)[2]).name, "< Galaxy Composite 3 >");
}

} // namespace
} // namespace orb
