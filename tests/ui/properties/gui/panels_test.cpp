// The property copy frame and the composite editor page on the offscreen platform.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "settings/presets.h"
#include "ui/fields/qt/filtered_line_edit.h"
#include "ui/fields/qt/numeric_box.h"
#include "ui/properties/qt/composite_panel.h"
#include "ui/properties/qt/prop_copy_panel.h"
#include "ui/scripted_messages.h"

namespace orb {
namespace {

class PanelTest : public ::testing::Test {
  protected:
    GalaxyTables tables = MakeFactoryConfiguration(0).tables;
    test::ScriptedMessages messages;
};

TEST_F(PanelTest, CopyShowsTheInputThatSuitsTheItemAndItsMessages) {
    PropCopyPanel panel(tables, messages);
    panel.show();
    QTest::mouseClick(panel.CopyButton(), Qt::LeftButton);
    EXPECT_EQ(messages.LastText(), kCopyNoItem);

    panel.Items()->setCurrentIndex(12); // "Galaxy Style": a list
    EXPECT_TRUE(panel.ValueList()->isVisible());
    EXPECT_FALSE(panel.ValueBox()->isVisible());

    panel.Items()->setCurrentIndex(54); // the check box
    EXPECT_TRUE(panel.ValueCheck()->isVisible());

    panel.Items()->setCurrentIndex(18); // "Galaxy Angular Tilt"
    EXPECT_TRUE(panel.ValueBox()->isVisible());
    EXPECT_EQ(panel.ValueLabel()->text(), "Range (0 - 359):");
    panel.Copy();
    EXPECT_EQ(messages.LastText(), kCopyNoBoxValue);

    qRegisterMetaType<G>("orb::G");
    QSignalSpy copied(&panel, &PropCopyPanel::copied);
    panel.ValueBox()->SetText("4005");
    panel.Copy();
    EXPECT_EQ(panel.ValueBox()->Text(), "359") << "the box shows the value copied";
    ASSERT_EQ(copied.count(), 1);
    EXPECT_EQ(copied[0][0].value<SlotMask>(), 0xFFFFFFFFu);
    EXPECT_EQ(tables.types[31][G::AngleTilt], 359);
}

class CompositePanelTest : public PanelTest {
  protected:
    CompositePanel panel{tables, messages};
    void SetStyle(int slot, GalaxyStyle s) { tables.types[slot][G::GalStyle] = static_cast<float>(s); }
    void Choose(int major, std::initializer_list<int> minors) {
        panel.Major()->setCurrentIndex(major);
        panel.Minors()->clearSelection();
        for (int m : minors)
            panel.Minors()->item(m)->setSelected(true);
    }
};

TEST_F(CompositePanelTest, ChoosingALineShowsItsMembersCommitStoresThemPreviewAndResetAskForALine) {
    ASSERT_GT(tables.composites[0].count, 1);
    panel.Composites()->setCurrentRow(0);
    EXPECT_EQ(panel.Major()->currentIndex(), tables.composites[0].member[0]);
    EXPECT_EQ(panel.Minors()->selectedItems().size(), tables.composites[0].count - 1);

    SetStyle(3, GalaxyStyle::Standard);
    SetStyle(5, GalaxyStyle::Standard);
    Choose(3, {5});
    panel.NameBox()->setText("Pair");
    panel.WeightBox()->SetText("250");
    QTest::mouseClick(panel.CommitButton(), Qt::LeftButton);
    const CompositeGalaxy& c = tables.composites[0];
    EXPECT_EQ((std::vector<int>{c.count, c.member[0], c.member[1], c.pct}), (std::vector<int>{2, 3, 5, 250}));
    EXPECT_TRUE(panel.Composites()->item(0)->text().startsWith("Pair"));

    tables.composites[1].count = 0;
    panel.Composites()->setCurrentRow(1);
    EXPECT_EQ(panel.Major()->currentIndex(), -1);
    QTest::mouseClick(panel.CommitButton(), Qt::LeftButton);
    EXPECT_EQ(messages.LastText(), kNoMajorType);

    QSignalSpy preview(&panel, &CompositePanel::previewRequested);
    panel.Composites()->clearSelection();
    panel.Composites()->setCurrentRow(-1);
    QTest::mouseClick(panel.PreviewButton(), Qt::LeftButton);
    EXPECT_EQ(messages.LastText(), kNoCompositeSelected);
    EXPECT_EQ(preview.count(), 0);
    panel.Composites()->setCurrentRow(6);
    QTest::mouseClick(panel.PreviewButton(), Qt::LeftButton);
    ASSERT_EQ(preview.count(), 1);
    EXPECT_EQ(preview[0][0].toInt(), 6);

    panel.ResetBox()->SetText("25");
    QTest::mouseClick(panel.ResetButton(), Qt::LeftButton);
    EXPECT_EQ(panel.Composites()->currentRow(), 0);
    EXPECT_EQ(panel.WeightBox()->Text(), "25");
    EXPECT_EQ(tables.composites[15].pct, 25);
}

TEST_F(CompositePanelTest, TwoIfsTypesTurnTheNameCyanAndCommitWithANote) {
    SetStyle(1, GalaxyStyle::IfsAttractor);
    SetStyle(2, GalaxyStyle::IfsWireframe);
    SetStyle(4, GalaxyStyle::Standard);
    panel.Composites()->setCurrentRow(4);
    Choose(4, {1});
    EXPECT_FALSE(panel.NameWarns());
    const QColor normal = panel.NameBox()->palette().color(QPalette::Base);
    Choose(1, {2});
    EXPECT_TRUE(panel.NameWarns());
    EXPECT_EQ(panel.NameBox()->palette().color(QPalette::Base), QColor(0, 255, 255));
    panel.Commit();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(messages.shown[0].text, std::string(kIfsNote));
    Choose(4, {});
    EXPECT_EQ(panel.NameBox()->palette().color(QPalette::Base), normal);
}

} // namespace
} // namespace orb
