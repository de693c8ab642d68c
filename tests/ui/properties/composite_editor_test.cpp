#include "ui/properties/composite_editor.h"

#include <gtest/gtest.h>

#include "settings/presets.h"

namespace orb {
namespace {

// Every character one unit wide: lines are easy to predict.
const TextWidth kWidth = [](std::string_view s) { return static_cast<double>(s.size()); };

CompositeSelection Select(int major, std::initializer_list<int> minors) {
    CompositeSelection s;
    s.major = major;
    for (int m : minors)
        s.minor[m] = true;
    return s;
}

class CompositeEditorTest : public ::testing::Test {
  protected:
    GalaxyTables tables;
    void SetStyle(int slot, GalaxyStyle s) { tables.types[slot][G::GalStyle] = static_cast<float>(s); }
};

TEST_F(CompositeEditorTest, CommitStoresMajorThenMinorsInSlotOrderAtMost31) {
    const auto out = CommitComposite(tables, 2, Select(3, {9, 3, 5}), "  Twin Spiral ", "12000", kWidth);
    ASSERT_EQ(out.result, CompositeCommit::Stored);
    const CompositeGalaxy& c = tables.composites[2];
    ASSERT_EQ(c.count, 3);
    EXPECT_EQ((std::vector<int>{c.member[0], c.member[1], c.member[2]}), (std::vector<int>{3, 5, 9}));
    EXPECT_EQ(c.name, "Twin Spiral");
    EXPECT_EQ(c.pct, 9999); // the weight's line is the weights' test

    CompositeSelection all; // at most 31 members
    all.major = 4;
    all.minor.fill(true);
    ASSERT_EQ(CommitComposite(tables, 0, all, "All", "1", kWidth).result, CompositeCommit::Stored);
    const CompositeGalaxy& a = tables.composites[0];
    ASSERT_EQ(a.count, 31);
    EXPECT_EQ((std::vector<int>{a.member[0], a.member[1], a.member[4], a.member[5], a.member[30]}),
              (std::vector<int>{4, 0, 3, 5, 30})); // the major type is not repeated
}

TEST_F(CompositeEditorTest, NothingWithoutALineAndAMessageWithoutAMajorType) {
    const GalaxyTables before = tables;
    EXPECT_EQ(CommitComposite(tables, -1, Select(3, {}), "x", "5", kWidth).result, CompositeCommit::Nothing);
    EXPECT_EQ(CommitComposite(tables, 1, Select(-1, {4}), "x", "5", kWidth).result, CompositeCommit::NoMajor);
    for (int i = 0; i < kCompositeSlots; ++i) {
        EXPECT_EQ(tables.composites[i].name, before.composites[i].name);
        EXPECT_EQ(tables.composites[i].count, before.composites[i].count);
    }
}

TEST_F(CompositeEditorTest, IfsCountWarnsFromTwoAndCountsATypeChosenTwice) {
    SetStyle(1, GalaxyStyle::IfsAttractor);
    SetStyle(2, GalaxyStyle::IfsFractal);
    SetStyle(3, GalaxyStyle::Nebula);
    const std::pair<CompositeSelection, int> cases[] = {
        {Select(-1, {1, 2}), 0}, {Select(1, {}), 1},     {Select(1, {1}), 2},
        {Select(3, {1, 2}), 2},  {Select(0, {3, 1}), 1}, {Select(2, {1, 3}), 2},
    };
    for (const auto& [selection, count] : cases) {
        EXPECT_EQ(IfsCount(tables, selection), count);
        EXPECT_EQ(IfsWarning(tables, selection), count >= 2);
    }
    const auto out = CommitComposite(tables, 0, Select(1, {2}), "IFS pair", "10", kWidth);
    EXPECT_TRUE(out.ifsNote);
    EXPECT_EQ(out.result, CompositeCommit::Stored);
    EXPECT_EQ(tables.composites[0].count, 2);
}

} // namespace
} // namespace orb
