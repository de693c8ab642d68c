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

    // saved: settings stored once before, so that the stored ones load; else the factory set.
    void Open(bool saved = true, bool withExtras = false) {
        ::setenv("XDG_CONFIG_HOME", runtime.Path().c_str(), 1); // where a reset's backup goes
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
    void CopyRadius(const char* value) {
        PropCopyPanel* copy = extras->CopyPanel();
        copy->Items()->setCurrentIndex(5); // "Galaxy Radius": all but Starwave types
        copy->ValueBox()->SetText(value);
        copy->Copy();
    }
};

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
            // A control by its kind, whatever its focus policy says (the spinners' buttons aside).
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
    EXPECT_FALSE(c().cmdDismiss->isEnabled() || c().mnuFile->menuAction()->isEnabled());
    QTest::keyClick(w.get(), Qt::Key_Escape); // Accept is the cancel button now: Return
    EXPECT_EQ(std::pair(w->EditorShown(), w->isVisible()), std::pair(false, true));
    EXPECT_EQ(c().cmdAccept->text(), "&Accept Settings");
    EXPECT_EQ(c().fraAniEditor->title(), "Galaxy Properties");
    EXPECT_TRUE(c().cmdDismiss->isEnabled() && c().mnuEdit->menuAction()->isEnabled());
    c().cmdDismiss->click();
    EXPECT_FALSE(w->isVisible());
}

// Every style's captions, hidden controls and box ranges reach the editor, and the boxes it
// re-ranges are clamped into their new ranges.
TEST_F(PropsWindowTest, EachStyleRelabelsHidesAndReRangesTheEditor) {
    Open();
    OpenEditor(FirstOfStyle(GalaxyStyle::Standard));
    auto label = [&](GalaxyLabel l) { return c().galLabel[static_cast<size_t>(l)]; };
    const std::pair<uint32_t, QWidget*> hideable[] = {
        {kHideBox5, c().txtGalaxy.at(5)},   {kHideBox6, c().txtGalaxy.at(6)},
        {kHideProfile, c().cboGalProfile},  {kHideProfile, c().lblGalProfile},
        {kHideBox91, c().txtGalaxy.at(91)}, {kHideBox91, label(GalaxyLabel::Box91)},
        {kHideBox92, c().txtGalaxy.at(92)}, {kHideBox92, label(GalaxyLabel::Box92)},
        {kHideCpClosed, c().chkCP_Closed},  {kHideBox8, c().txtGalaxy.at(8)},
        {kHideColourList, c().cboGalColor}, {kHideBox5 | kHideBox6, label(GalaxyLabel::Box5And6)},
    };
    for (int style = kStyleCount - 1; style >= 0; --style) { // ending on Standard: all shown again
        SCOPED_TRACE(style);
        ChooseStyle(style);
        const StyleView& v = StyleViewOf(style);
        for (const auto& [bits, control] : hideable)
            EXPECT_EQ(control->isHidden(), (v.hidden & bits) == bits) << "hidden with bits " << bits;
        EXPECT_EQ(c().lblNebulaColorCycles->isHidden(), (v.hidden & kHideColourList) == 0);
        for (size_t i = 0; i < kGalaxyLabelCount; ++i)
            EXPECT_EQ(c().galLabel[i]->text().toStdString(), v.captions[i]) << i;
        for (int box = 3; box <= 6; ++box) {
            const Spinner* spin = c().txtGalaxy.at(box)->SpinnerControl();
            const int shown = c().txtGalaxy.at(box)->Text().toInt();
            EXPECT_EQ(spin->Maximum(),
                      GalaxyFieldSpec(*FindGalaxyBinding(GalaxyControl::Field, box), style).max);
            EXPECT_TRUE(shown >= spin->Minimum() && shown <= spin->Maximum()) << box << ": " << shown;
        }
    }
}

// The reset's question and what it writes are the window-free reset's own test; here the menu items
// pick their sets and the window shows the result. Exit then leaves the rest unsaved.
TEST_F(PropsWindowTest, FactoryResetsRefillTheWindowAndExitSavesNothingMore) {
    store.WriteText(kSectionUniverse, "Universe_Stars", "777");
    Open();
    QSignalSpy closed(w.get(), &PropertiesWindow::closed);
    messages.answers = {MessageAnswer::No, MessageAnswer::No};
    c().actReset[kResetSet20]->trigger();
    EXPECT_EQ(Uni(0), "2500");
    EXPECT_EQ(std::pair(c().lstUniGalaxy->currentRow(), c().cboUniTheme->currentIndex()), std::pair(0, 1));
    EXPECT_FALSE(c().actReset[kResetSet20]->isChecked()) << "the check mark goes with the question";
    c().actReset[kResetSet30]->trigger();
    EXPECT_EQ(Uni(0), "4000");

    c().actExit->trigger();
    EXPECT_TRUE(state.exitRequested);
    ASSERT_EQ(closed.count(), 1);
    EXPECT_FALSE(closed.at(0).at(0).toBool());
    EXPECT_EQ(Stored(kSectionUniverse, "Universe_Stars"), "777");
}

TEST_F(PropsWindowTest, StoredValuesShowClampedAndAcceptSavesThemOrSaysWhyItCannot) {
    store.WriteText(kSectionUniverse, "Universe_Stars", "123456");
    Open();
    EXPECT_EQ(Uni(0), "30000");
    QSignalSpy closed(w.get(), &PropertiesWindow::closed);
    backend.failWrites = true;
    c().cmdAccept->click();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(messages.LastText(), SaveFailedText(SettingsFileOf(backend)));

    backend.failWrites = false;
    c().lstUniGalaxy->setCurrentRow(2);
    c().txtUniGalName->setText("Renamed");
    c().cmdGalCommit->click();
    c().cmdAccept->click();
    ASSERT_EQ(closed.count(), 1);
    EXPECT_TRUE(closed.at(0).at(0).toBool());
    EXPECT_EQ(Stored(kSectionUniverse, "Universe_Stars"), "30000");
    EXPECT_EQ(Stored("Universe\\Galaxy2", kUniGalName), "Renamed");
}

TEST_F(PropsWindowTest, APreviewDrawsGoesOnThroughAResetAndStopsOnStopEscapeAndClose) {
    store.WriteText(kSectionUniverse, "Universe_Tour", "0");
    Open();
    ASSERT_FALSE(c().txtUni.at(30)->isEnabled()) << "tour boxes off with the tour";
    c().lstUniGalaxy->setCurrentRow(0);
    auto start = [&] {
        c().cmdGalPreview->click();
        ASSERT_TRUE(w->PreviewRunning());
        EXPECT_EQ(c().cmdGalPreview->text(), "Stop");
        EXPECT_FALSE(c().cmdGalProps->isEnabled() || c().txtUni.at(0)->Edit()->isEnabled());
        EXPECT_TRUE(c().mnuEdit->menuAction()->isEnabled()) << "the menus stay";
        EXPECT_TRUE(WaitFor([&] { return c().picPreview->LitPixels() > 20; })) << "no stars drawn";
    };
    auto stopped = [&](const char* how) {
        EXPECT_FALSE(w->PreviewRunning()) << how;
        EXPECT_FALSE(state.previewCancel) << how << ": the flag is cleared when the preview ends";
        EXPECT_EQ(c().cmdGalPreview->text(), "Galaxy Preview") << how;
        EXPECT_TRUE(c().cmdGalProps->isEnabled()) << how;
        EXPECT_EQ(c().txtUni.at(30)->isEnabled(), c().chkUniTour->isChecked()) << how << ": as before";
    };
    start();
    c().cmdGalPreview->click();
    stopped("Stop");
    start();
    QTest::keyClick(w.get(), Qt::Key_Escape);
    stopped("Escape");
    EXPECT_TRUE(w->isVisible()) << "Escape stops the preview, not the window";
    start();
    messages.answers = {MessageAnswer::No};
    c().actReset[kResetSet20]->trigger();
    EXPECT_EQ(Uni(0), "2500");
    EXPECT_TRUE(c().chkUniTour->isChecked());
    EXPECT_FALSE(c().txtUni.at(30)->isEnabled()) << "the tour boxes rest with the rest";
    const int lit = c().picPreview->LitPixels();
    EXPECT_TRUE(w->PreviewRunning());
    EXPECT_TRUE(WaitFor([&] { return c().picPreview->LitPixels() != lit; })) << "frames go on";
    w->close();
    stopped("close");
}

// The editor's box changes only when the edited type took the value, so Return cannot store a
// value into a type the copy left alone.
TEST_F(PropsWindowTest, CopyReachesTheOpenEditorOnlyForATypeThatTookItAndTheCompositePagePreviews) {
    Open(false, true);
    const int starwave = FirstOfStyle(GalaxyStyle::Starwave);
    const int standard = FirstOfStyle(GalaxyStyle::Standard);
    ASSERT_TRUE(starwave >= 0 && standard >= 0);
    OpenEditor(starwave);
    const QString shown = c().txtGalaxy.at(0)->Text();
    const float radius = w->Tables().types[starwave][G::Radius];
    CopyRadius("777");
    EXPECT_EQ(c().txtGalaxy.at(0)->Text(), shown);
    w->ReturnToUniverse();
    EXPECT_EQ(w->Tables().types[starwave][G::Radius], radius);

    OpenEditor(standard);
    CopyRadius("555");
    EXPECT_EQ(c().txtGalaxy.at(0)->Text(), "555");
    w->ReturnToUniverse();

    c().cboUniExtras->setCurrentIndex(3);
    CompositePanel* page = extras->Composites();
    EXPECT_TRUE(page->isVisible());
    page->Composites()->setCurrentRow(0);
    page->RequestPreview();
    EXPECT_EQ(page->PreviewButton()->text(), "Stop") << "the page's button stops it";
    page->RequestPreview();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w->PreviewRunning(); }, 3000));
}

// Saving through the menu is a real-window test; the dialog's own work is the template dialog's.
TEST_F(PropsWindowTest, OpenTemplateFromTheFileMenuRefillsTheWindow) {
    Open(false, true);
    templates.lastTemplateFolder = runtime.Path();
    extras->Templates().beforeShow = [&](TemplateDialog& d) {
        QTimer::singleShot(0, &d, [&d] {
            d.Chooser()->FileNameBox()->setText("keep.orb");
            d.Chooser()->accept();
        });
    };
    c().txtUni.at(0)->SetText("12345");
    ASSERT_TRUE(
        SaveTemplateAt(templates, runtime.File("keep.orb"), {store, w->UniverseView(), w->Tables()}).done);
    c().txtUni.at(0)->SetText("99");
    w->Tables().types[3].name = "Changed";
    w->RefillGalaxyList(-1);
    c().actOpenTemplate->trigger();
    EXPECT_EQ(c().txtUni.at(0)->Text(), "12345");
    EXPECT_FALSE(c().lstUniGalaxy->item(3)->text().startsWith("Changed"));
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
} // namespace orb
