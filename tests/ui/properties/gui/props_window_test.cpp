// The Properties window on the offscreen platform against an in-memory store, with its extras.
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
#include <QTimer>
#include <QToolButton>
#include <cstdlib>
#include <memory>
#include <set>

#include "app/gui/gui_fixture.h"
#include "settings/setting_defs.h"
#include "ui/fields/qt/numeric_box.h"
#include "ui/properties/galaxy_styles.h"
#include "ui/properties/props_actions.h"
#include "ui/properties/qt/composite_panel.h"
#include "ui/properties/qt/preview_picture.h"
#include "ui/properties/qt/prop_copy_panel.h"
#include "ui/properties/qt/props_extras.h"
#include "ui/properties/qt/template_dialog.h"
#include "ui/scripted_messages.h"

namespace orb {
namespace {

class PropsWindowTest : public test::GuiTest {
  protected:
    test::ScriptedMessages messages;
    std::unique_ptr<PropertiesWindow> w;
    TemplateState templates;
    PropsExtras* extras = nullptr; // attached when a test asks for them

    void SetUp() override {
        GuiTest::SetUp();
        ::setenv("XDG_CONFIG_HOME", runtime.Path().c_str(), 1); // where a reset's backup goes
    }
    // saved: settings stored once before, so that the stored ones load; else the factory set.
    void Open(bool saved = true, bool withExtras = false) {
        if (saved) store.WriteText(kSectionGeneral, kResetSettings, "1");
        if (saved) store.WriteText(kSectionGeneral, kAnimationType, "0");
        w = std::make_unique<PropertiesWindow>(PropsContext{store, state.previewCancel, state.exitRequested});
        w->SetMessages(&messages);
        w->Load();
        if (withExtras) extras = AttachPropertiesExtras(*w, store, templates);
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    PropsControls& c() { return w->Controls(); }
    QString Uni(int i) { return c().txtUni.at(i)->Text(); }
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
    void CopyRadius(const char* value) {
        PropCopyPanel* copy = extras->CopyPanel();
        copy->Items()->setCurrentIndex(5); // "Galaxy Radius": all but Starwave types
        copy->ValueBox()->SetText(value);
        copy->Copy();
    }
};

TEST_F(PropsWindowTest, OpensCaptionedWithTheListPageAndStoredValuesClamped) {
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

// Every control shown and enabled is reached by Tab alone (the spinners' arrows are for the mouse;
// Up and Down do their work from the keyboard).
TEST_F(PropsWindowTest, TabReachesEveryControlOnEveryPage) {
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

TEST_F(PropsWindowTest, TheEditorNeedsASelectedTypeAndTakesOverTheAcceptButtonAndTheMenus) {
    Open();
    c().lstUniGalaxy->clearSelection();
    c().cmdGalProps->click();
    EXPECT_EQ(messages.LastText(), "Please select a Galaxy Profile.");
    EXPECT_FALSE(w->EditorShown());
    c().cmdGalPreview->click();
    EXPECT_EQ(messages.LastText(), "Please select a Galaxy Type.");
    EXPECT_FALSE(w->PreviewRunning());
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
    Open();
    OpenEditor(FirstOfStyle(GalaxyStyle::Standard));
    EXPECT_TRUE(c().chkCP_Closed->isHidden());
    EXPECT_TRUE(c().txtGalaxy.at(8)->isHidden());

    ChooseStyle(static_cast<int>(GalaxyStyle::Nebula));
    EXPECT_TRUE(c().cboGalColor->isHidden());
    EXPECT_FALSE(c().lblNebulaColorCycles->isHidden());
    EXPECT_TRUE(c().cboGalProfile->isHidden());
    EXPECT_FALSE(c().chkCP_Closed->isHidden());
    EXPECT_EQ(c().txtGalaxy.at(4)->SpinnerControl()->Maximum(), 9999);

    ChooseStyle(static_cast<int>(GalaxyStyle::IfsFractal));
    EXPECT_EQ(Caption(GalaxyLabel::Box3And4), "Points (4 - 10), Scale % (0 - 100):");
    EXPECT_TRUE(c().txtGalaxy.at(5)->isHidden());
    EXPECT_TRUE(c().galLabel[static_cast<size_t>(GalaxyLabel::Box5And6)]->isHidden())
        << "boxes 5 and 6 both hidden: their label too";
    EXPECT_GE(c().txtGalaxy.at(3)->Text().toInt(), 4) << "the box is clamped into the style's range";

    ChooseStyle(static_cast<int>(GalaxyStyle::Standard));
    EXPECT_EQ(Caption(GalaxyLabel::Box3And4), "Radials (1 - 99), Fill % (0 - 100):");
    EXPECT_FALSE(c().galLabel[static_cast<size_t>(GalaxyLabel::Box5And6)]->isHidden());
    EXPECT_FALSE(c().cboGalColor->isHidden());
    EXPECT_TRUE(c().lblNebulaColorCycles->isHidden());
    EXPECT_EQ(c().txtGalaxy.at(4)->SpinnerControl()->Maximum(), 100);
}

TEST_F(PropsWindowTest, FactoryResetsAskFirstAndCancelKeepsAllButTheAdvancedValues) {
    store.WriteText(kSectionUniverse, "Universe_Stars", "777");
    store.WriteText(kSectionAdvanced, "Adv_TimeDelay", "77");
    Open();
    QSignalSpy closed(w.get(), &PropertiesWindow::closed);
    messages.answers = {MessageAnswer::Cancel, MessageAnswer::No, MessageAnswer::No};
    c().actReset[kResetSet20]->trigger();
    EXPECT_EQ(Uni(0), "777") << "Cancel resets nothing";
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNoCancel);

    c().actReset[kResetSet20]->trigger();
    EXPECT_EQ(Uni(0), "2500");
    EXPECT_EQ(c().lstUniGalaxy->currentRow(), 0);
    EXPECT_EQ(c().cboUniTheme->currentIndex(), 1);
    EXPECT_FALSE(c().actReset[kResetSet20]->isChecked()) << "the check mark goes with the question";
    c().actReset[kResetSet30]->trigger();
    EXPECT_EQ(Uni(0), "4000");

    c().cmdDismiss->click();
    ASSERT_EQ(closed.count(), 1);
    EXPECT_FALSE(closed.at(0).at(0).toBool());
    EXPECT_EQ(Stored(kSectionAdvanced, "Adv_TimeDelay"), "30");
    EXPECT_EQ(Stored(kSectionUniverse, "Universe_Stars"), "777");
}

TEST_F(PropsWindowTest, AcceptSavesEverythingAndClosesOrSaysWhyItCannot) {
    Open();
    QSignalSpy closed(w.get(), &PropertiesWindow::closed);
    backend.failWrites = true;
    c().cmdAccept->click();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(closed.count(), 0);
    EXPECT_EQ(messages.LastText(), SaveFailedText(SettingsFileOf(backend)));

    backend.failWrites = false;
    c().txtUni.at(1)->SetText("123");
    c().lstUniGalaxy->setCurrentRow(2);
    c().txtUniGalName->setText("Renamed");
    c().cmdGalCommit->click();
    c().cmdAccept->click();
    EXPECT_FALSE(w->isVisible());
    ASSERT_EQ(closed.count(), 1);
    EXPECT_TRUE(closed.at(0).at(0).toBool());
    EXPECT_EQ(Stored(kSectionUniverse, "Universe_Galaxy"), "123");
    EXPECT_EQ(Stored("Universe\\Galaxy2", kUniGalName), "Renamed");
}

TEST_F(PropsWindowTest, ExitClosesWithoutSavingAndAsksTheProgramToEnd) {
    Open(false); // nothing stored: the dialog resets in memory only
    c().actExit->trigger();
    EXPECT_TRUE(state.exitRequested);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(Stored(kSectionGeneral, kAnimationType), "(none)");
}

TEST_F(PropsWindowTest, APreviewDrawsAndStopsOnStopEscapeAndClose) {
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

// The editor's box changes only when the edited type took the value, so Return cannot store a
// value into a type the copy left alone.
TEST_F(PropsWindowTest, CopyReachesTheOpenEditorOnlyForATypeThatTookItAndTheCompositePagePreviews) {
    Open(false, true);
    const int starwave = FirstOfStyle(GalaxyStyle::Starwave);
    const int standard = FirstOfStyle(GalaxyStyle::Standard);
    ASSERT_GE(starwave, 0);
    ASSERT_GE(standard, 0);
    OpenEditor(starwave);
    const QString shown = c().txtGalaxy.at(0)->Text();
    const float radius = w->Tables().types[starwave][G::Radius];
    CopyRadius("777");
    EXPECT_EQ(c().txtGalaxy.at(0)->Text(), shown);
    w->ReturnToUniverse();
    EXPECT_EQ(w->Tables().types[starwave][G::Radius], radius);
    EXPECT_EQ(w->Tables().types[standard][G::Radius], 777);

    OpenEditor(standard);
    CopyRadius("555");
    EXPECT_EQ(c().txtGalaxy.at(0)->Text(), "555");
    w->ReturnToUniverse();
    EXPECT_EQ(w->Tables().types[standard][G::Radius], 555);

    c().cboUniExtras->setCurrentIndex(3);
    CompositePanel* page = extras->Composites();
    EXPECT_TRUE(page->isVisible());
    page->Composites()->setCurrentRow(0);
    page->RequestPreview();
    EXPECT_TRUE(w->PreviewRunning());
    EXPECT_EQ(page->PreviewButton()->text(), "Stop");
    page->RequestPreview(); // the Stop press
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w->PreviewRunning(); }, 3000));
    EXPECT_EQ(page->PreviewButton()->text(), "Comp Preview");
}

TEST_F(PropsWindowTest, SaveAsThenOpenFromTheFileMenu) {
    Open(false, true);
    templates.lastTemplateFolder = runtime.Path();
    QString name; // what the user enters in the template dialog
    extras->Templates().beforeShow = [&](TemplateDialog& d) {
        QTimer::singleShot(0, &d, [&d, &name] {
            d.Chooser()->FileNameBox()->setText(name);
            d.Chooser()->accept();
        });
    };
    c().txtUni.at(0)->SetText("12345");
    name = "keep";
    c().actSaveTemplateAs->trigger();
    EXPECT_EQ(templates.currentTemplateFile, runtime.File("keep.orb"));

    c().txtUni.at(0)->SetText("99");
    w->Tables().types[3].name = "Changed";
    w->RefillGalaxyList(-1);
    name = "keep.orb";
    c().actOpenTemplate->trigger();
    EXPECT_EQ(c().txtUni.at(0)->Text(), "12345");
    EXPECT_FALSE(c().lstUniGalaxy->item(3)->text().startsWith("Changed"));
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
} // namespace orb
