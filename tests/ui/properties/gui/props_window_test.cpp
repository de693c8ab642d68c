// The Properties window on the offscreen platform: opening, the galaxy editor and its styles,
// factory resets, Accept and Cancel against an in-memory store, and previews.
#include "ui/properties/qt/props_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <set>
#include <cstdlib>
#include <functional>
#include <memory>

#include "app/gui/gui_fixture.h"
#include "settings/setting_defs.h"
#include "ui/fields/qt/numeric_box.h"
#include "ui/properties/galaxy_styles.h"
#include "ui/properties/props_actions.h"
#include "ui/properties/qt/preview_picture.h"
#include "ui/scripted_messages.h"

namespace orb {
namespace {

class PropsWindowTest : public test::GuiTest {
  protected:
    test::ScriptedMessages messages;
    std::unique_ptr<PropertiesWindow> w;

    void SetUp() override {
        GuiTest::SetUp();
        ::setenv("XDG_CONFIG_HOME", runtime.Path().c_str(), 1); // where a reset's backup goes
    }
    // Settings saved once before, so that the stored ones load.
    void Saved() {
        store.WriteText(kSectionGeneral, kResetSettings, "1");
        store.WriteText(kSectionGeneral, kAnimationType, "0");
    }
    void Open(std::function<bool()> welcome = {}) {
        w = std::make_unique<PropertiesWindow>(PropsContext{store, state.previewCancel, state.exitRequested});
        w->SetMessages(&messages);
        if (welcome) w->SetWelcome(welcome);
        w->Load();
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    PropsControls& c() { return w->Controls(); }
    QString Uni(int i) { return c().txtUni.at(i)->Text(); }
    QString Box(int i) { return c().txtGalaxy.at(i)->Text(); }
    QString Stored(std::string_view section, std::string_view name) {
        return QString::fromStdString(store.ReadText(section, name, "(none)"));
    }
    void ChooseStyle(int style) {
        c().cboGalStyle->setCurrentIndex(style);
        emit c().cboGalStyle->activated(style);
    }
    void OpenEditor(int slot) {
        c().lstUniGalaxy->setCurrentRow(slot);
        c().cmdGalProps->click();
        ASSERT_TRUE(w->EditorShown());
    }
    int FirstOfStyle(GalaxyStyle style) {
        for (int s = 0; s < kGalaxyTypeSlots; ++s)
            if (w->Tables().types[static_cast<size_t>(s)].Style() == static_cast<int>(style)) return s;
        return -1;
    }
    QString Caption(GalaxyLabel l) { return c().galLabel[static_cast<size_t>(l)]->text(); }
};

TEST_F(PropsWindowTest, OpensCaptionedWithTheListPageAndStoredValuesClamped) {
    Saved();
    store.WriteText(kSectionUniverse, "Universe_Stars", "123456");
    store.WriteText(kSectionUniverse, "Universe_Persist", "7");
    Open();
    EXPECT_EQ(w->windowTitle(), "Galaxy Properties");
    EXPECT_FALSE(w->EditorShown());
    EXPECT_EQ(Uni(0), "30000");
    EXPECT_EQ(Uni(12), "1");
    EXPECT_EQ(c().lstUniGalaxy->count(), 32);
    EXPECT_FALSE(c().actAdvanced->isEnabled()) << "wired by a later part of the program";
}

TEST_F(PropsWindowTest, TheWelcomeStepDecidesOnFirstUseWhetherToReset) {
    for (bool reset : {false, true}) {
        backend.Clear();
        store.WriteText(kSectionGeneral, kAnimationType, "0"); // saved, but ResetSettings absent
        store.WriteText(kSectionUniverse, "Universe_Stars", "777");
        int asked = 0;
        Open([&] { return ++asked, reset; });
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(Uni(0), reset ? "4000" : "777");
        EXPECT_EQ(Stored(kSectionGeneral, kResetSettings), "1");
        w.reset();
        Open([&] { return ++asked, reset; });
        EXPECT_EQ(asked, 1) << "asked on first use only";
    }
}

// Every control shown and enabled is reached by Tab alone (the spinners' arrows are for the mouse;
// Up and Down do their work from the keyboard).
TEST_F(PropsWindowTest, TabReachesEveryControlOnEveryPage) {
    Saved();
    Open();
    auto unreached = [&] {
        std::set<QWidget*> reached;
        for (int i = 0; i < 120; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached.insert(QApplication::focusWidget());
        }
        QStringList missing;
        for (QWidget* x : w->findChildren<QWidget*>()) {
            const bool control = qobject_cast<QLineEdit*>(x) || qobject_cast<QComboBox*>(x) ||
                                 qobject_cast<QListWidget*>(x) ||
                                 (qobject_cast<QAbstractButton*>(x) && !qobject_cast<QToolButton*>(x));
            if (control && x->isVisible() && x->isEnabled() && !reached.count(x))
                missing << QString("%1 '%2'").arg(x->metaObject()->className(), x->objectName());
        }
        return missing.join(", ").toStdString();
    };
    for (int page : {0, 1, 2, 4}) {
        c().cboUniExtras->setCurrentIndex(page);
        EXPECT_EQ(unreached(), "") << "universe page " << page;
    }
    OpenEditor(0);
    for (int page : {0, 1, 2}) {
        c().cboGalaxExtras->setCurrentIndex(page);
        EXPECT_EQ(unreached(), "") << "galaxy page " << page;
    }
}

TEST_F(PropsWindowTest, ShowPropsNeedsASelectedType) {
    Saved();
    Open();
    c().lstUniGalaxy->clearSelection();
    c().cmdGalProps->click();
    EXPECT_EQ(messages.LastText(), "Please select a Galaxy Profile.");
    EXPECT_FALSE(w->EditorShown());
    c().cmdGalPreview->click();
    EXPECT_EQ(messages.LastText(), "Please select a Galaxy Type.");
    EXPECT_FALSE(w->PreviewRunning());
}

TEST_F(PropsWindowTest, TheEditorTakesOverTheAcceptButtonAndTheMenus) {
    Saved();
    Open();
    OpenEditor(0);
    EXPECT_EQ(c().cmdAccept->text(), "&Return to Universe Settings");
    EXPECT_TRUE(c().fraAniEditor->title().startsWith(
        QString::fromStdString("Galaxy:  " + w->Tables().types[0].name)));
    EXPECT_FALSE(c().cmdDismiss->isEnabled());
    EXPECT_FALSE(c().mnuFile->menuAction()->isEnabled());
    QTest::keyClick(w.get(), Qt::Key_Escape); // Accept is the cancel button now: Return
    EXPECT_FALSE(w->EditorShown());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(c().cmdAccept->text(), "&Accept Settings");
    EXPECT_EQ(c().fraAniEditor->title(), "Galaxy Properties");
    EXPECT_TRUE(c().cmdDismiss->isEnabled());
    EXPECT_TRUE(c().mnuEdit->menuAction()->isEnabled());
}

TEST_F(PropsWindowTest, StyleSwitchingRelabelsHidesAndRestores) {
    Saved();
    Open();
    OpenEditor(FirstOfStyle(GalaxyStyle::Standard));
    EXPECT_TRUE(c().chkCP_Closed->isHidden());
    EXPECT_TRUE(c().txtGalaxy.at(8)->isHidden());

    ChooseStyle(static_cast<int>(GalaxyStyle::Nebula));
    EXPECT_EQ(Caption(GalaxyLabel::Box3And4), "C-Points (1 - 20), Steps (0 - 9999):");
    EXPECT_EQ(Caption(GalaxyLabel::Box93), "Bias Point Travel Speed (0 - 999):");
    EXPECT_TRUE(c().cboGalColor->isHidden());
    EXPECT_FALSE(c().lblNebulaColorCycles->isHidden());
    EXPECT_TRUE(c().cboGalProfile->isHidden());
    EXPECT_FALSE(c().chkCP_Closed->isHidden());
    EXPECT_EQ(c().txtGalaxy.at(4)->SpinnerControl()->Maximum(), 9999);

    ChooseStyle(static_cast<int>(GalaxyStyle::IfsFractal));
    EXPECT_EQ(Caption(GalaxyLabel::Box3And4), "Points (4 - 10), Scale % (0 - 100):");
    EXPECT_EQ(Caption(GalaxyLabel::Box93), "Initial Tilt Angle in Degrees (0 - 360):");
    EXPECT_TRUE(c().txtGalaxy.at(5)->isHidden());
    EXPECT_TRUE(c().galLabel[static_cast<size_t>(GalaxyLabel::Box5And6)]->isHidden())
        << "boxes 5 and 6 both hidden: their label too";
    EXPECT_GE(Box(3).toInt(), 4) << "the box is clamped into the style's range";

    ChooseStyle(static_cast<int>(GalaxyStyle::Standard));
    EXPECT_EQ(Caption(GalaxyLabel::Box3And4), "Radials (1 - 99), Fill % (0 - 100):");
    EXPECT_FALSE(c().txtGalaxy.at(5)->isHidden());
    EXPECT_FALSE(c().galLabel[static_cast<size_t>(GalaxyLabel::Box5And6)]->isHidden());
    EXPECT_FALSE(c().cboGalColor->isHidden());
    EXPECT_TRUE(c().lblNebulaColorCycles->isHidden());
    EXPECT_FALSE(c().cboGalProfile->isHidden());
    EXPECT_EQ(c().txtGalaxy.at(4)->SpinnerControl()->Maximum(), 100);
}

TEST_F(PropsWindowTest, ANebulaTypeEditsItsControlPointsInTheSharedBoxes) {
    Open(); // nothing stored: the factory types

    const int slot = FirstOfStyle(GalaxyStyle::Nebula);
    ASSERT_GE(slot, 0);
    const GalaxyType before = w->Tables().types[static_cast<size_t>(slot)];
    OpenEditor(slot);
    EXPECT_EQ(Box(3).toDouble(), before[G::CP_Points]);
    EXPECT_EQ(Box(4).toDouble(), before[G::CP_Steps]);
    c().txtGalaxy.at(3)->SetText("7");
    c().cmdAccept->click(); // Return
    const GalaxyType& after = w->Tables().types[static_cast<size_t>(slot)];
    EXPECT_EQ(after[G::CP_Points], 7);
    EXPECT_EQ(after[G::RadSegs], 7);
}

TEST_F(PropsWindowTest, ChangingTheStyleRoundsTheTiltAngle) {
    Saved();
    Open();
    w->Tables().types[0][G::GalStyle] = 0;
    w->Tables().types[0][G::AngleTilt] = 170.6f;
    OpenEditor(0);
    ChooseStyle(static_cast<int>(GalaxyStyle::Quasar));
    EXPECT_EQ(Box(93), "171");
}

TEST_F(PropsWindowTest, FactoryResetsAskFirstAndGiveTheirStarCounts) {
    Saved();
    store.WriteText(kSectionUniverse, "Universe_Stars", "777");
    Open();
    messages.answers = {MessageAnswer::Cancel, MessageAnswer::No, MessageAnswer::No};
    c().actReset[kResetSet20]->trigger();
    EXPECT_EQ(Uni(0), "777") << "Cancel resets nothing";
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_NE(messages.shown[0].text.find("Orbelune 2.0 factory settings?"), std::string::npos);

    c().actReset[kResetSet20]->trigger();
    EXPECT_EQ(Uni(0), "2500");
    EXPECT_EQ(c().lstUniGalaxy->currentRow(), 0);
    EXPECT_EQ(c().cboUniTheme->currentIndex(), 1);
    EXPECT_FALSE(c().actReset[kResetSet20]->isChecked()) << "the check mark goes with the question";
    c().actReset[kResetSet30]->trigger();
    EXPECT_EQ(Uni(0), "4000");
}

TEST_F(PropsWindowTest, AcceptSavesEverythingAndCloses) {
    Saved();
    Open();
    QSignalSpy closed(w.get(), &PropertiesWindow::closed);
    c().txtUni.at(1)->SetText("123");
    c().lstUniGalaxy->setCurrentRow(2);
    c().txtUniGalName->setText("Renamed");
    c().cmdGalCommit->click();
    c().cmdAccept->click();
    EXPECT_FALSE(w->isVisible());
    ASSERT_EQ(closed.count(), 1);
    EXPECT_TRUE(closed.at(0).at(0).toBool());
    EXPECT_EQ(Stored(kSectionUniverse, "Universe_Galaxy"), "123");
    EXPECT_EQ(Stored(kSectionGeneral, kAnimationType), "0");
    EXPECT_EQ(Stored("Universe\\Galaxy2", kUniGalName), "Renamed");
}

TEST_F(PropsWindowTest, AFailedSaveSaysSoAndKeepsTheWindowOpen) {
    Saved();
    Open();
    backend.failWrites = true;
    QSignalSpy closed(w.get(), &PropertiesWindow::closed);
    c().cmdAccept->click();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(closed.count(), 0);
    EXPECT_EQ(messages.LastText(), SaveFailedText(SettingsFileOf(backend)));
}

TEST_F(PropsWindowTest, CancelAfterAResetLeavesAllButTheAdvancedValues) {
    Saved();
    store.WriteText(kSectionUniverse, "Universe_Stars", "5555");
    store.WriteText("Universe\\Galaxy0", kUniGalName, "Mine");
    store.WriteText(kSectionAdvanced, "Adv_TimeDelay", "77");
    Open();
    QSignalSpy closed(w.get(), &PropertiesWindow::closed);
    messages.answers = {MessageAnswer::No};
    c().actReset[kResetSet30]->trigger();
    c().cmdDismiss->click();
    ASSERT_EQ(closed.count(), 1);
    EXPECT_FALSE(closed.at(0).at(0).toBool());
    EXPECT_EQ(Stored(kSectionAdvanced, "Adv_TimeDelay"), "30")
        << "the factory advanced values are written at once";
    EXPECT_EQ(Stored(kSectionUniverse, "Universe_Stars"), "5555");
    EXPECT_EQ(Stored("Universe\\Galaxy0", kUniGalName), "Mine");
}

TEST_F(PropsWindowTest, ExitClosesWithoutSavingAndAsksTheProgramToEnd) {
    Open(); // nothing stored: the dialog resets in memory only
    c().actExit->trigger();
    EXPECT_TRUE(state.exitRequested);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(Stored(kSectionGeneral, kAnimationType), "(none)");
    EXPECT_EQ(Stored(kSectionUniverse, "Universe_Stars"), "(none)");
}

TEST_F(PropsWindowTest, APreviewDrawsAndStopsOnStopEscapeAndClose) {
    Saved();
    store.WriteText(kSectionUniverse, "Universe_Tour", "0");
    Open();
    ASSERT_FALSE(c().txtUni.at(30)->isEnabled()) << "tour boxes off with the tour";
    c().lstUniGalaxy->setCurrentRow(0);
    auto start = [&] {
        c().cmdGalPreview->click();
        ASSERT_TRUE(w->PreviewRunning());
        EXPECT_EQ(c().cmdGalPreview->text(), "Stop");
        EXPECT_FALSE(c().cmdGalProps->isEnabled());
        EXPECT_FALSE(c().txtUni.at(0)->Edit()->isEnabled());
        EXPECT_TRUE(c().mnuEdit->menuAction()->isEnabled()) << "the menus stay";
        EXPECT_TRUE(WaitFor([&] { return c().picPreview->LitPixels() > 20; })) << "no stars drawn";
    };
    auto stopped = [&](const char* how) {
        EXPECT_FALSE(w->PreviewRunning()) << how;
        EXPECT_FALSE(state.previewCancel) << how << ": the flag is cleared when the preview ends";
        EXPECT_EQ(c().cmdGalPreview->text(), "Galaxy Preview") << how;
        EXPECT_TRUE(c().cmdGalProps->isEnabled()) << how;
        EXPECT_FALSE(c().txtUni.at(30)->isEnabled()) << how << ": a control that was off stays off";
    };
    start();
    c().cmdGalPreview->click();
    stopped("Stop");
    start();
    QTest::keyClick(w.get(), Qt::Key_Escape);
    stopped("Escape");
    EXPECT_TRUE(w->isVisible()) << "Escape stops the preview, not the window";
    start();
    w->close();
    stopped("close");
}

TEST_F(PropsWindowTest, AResetDuringAPreviewLeavesThePreviewRunning) {
    Saved();
    Open();
    c().lstUniGalaxy->setCurrentRow(5);
    c().cmdGalPreview->click();
    ASSERT_TRUE(WaitFor([&] { return c().picPreview->LitPixels() > 20; }));
    messages.answers = {MessageAnswer::No};
    c().actReset[kResetSet20]->trigger();
    EXPECT_EQ(Uni(0), "2500");
    const int lit = c().picPreview->LitPixels();
    EXPECT_TRUE(w->PreviewRunning());
    EXPECT_TRUE(WaitFor([&] { return c().picPreview->LitPixels() != lit; })) << "frames go on";
    w->StopPreview();
}

} // namespace
} // namespace orb
