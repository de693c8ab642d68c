// The copy frame, the composite page, the Advanced dialog and the templates inside the
// Properties window.
#include "ui/properties/qt/props_extras.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "platform/temp_dir.h"
#include "ui/advanced/qt/advanced_dialog.h"
#include "ui/fields/qt/numeric_box.h"
#include "ui/properties/qt/composite_panel.h"
#include "ui/properties/qt/prop_copy_panel.h"
#include "ui/properties/qt/props_window.h"
#include "ui/properties/qt/template_dialog.h"
#include "ui/scripted_messages.h"

namespace orb {
namespace {

class PropsExtrasTest : public ::testing::Test {
  protected:
    test::TempDir dir;
    MemoryBackend backend;
    SettingsStore store{backend};
    std::atomic<bool> previewCancel{false}, exitRequested{false};
    test::ScriptedMessages messages;
    TemplateState templates;
    std::unique_ptr<PropertiesWindow> window;
    PropsExtras* extras = nullptr;

    void SetUp() override {
        window = std::make_unique<PropertiesWindow>(PropsContext{store, previewCancel, exitRequested});
        window->SetMessages(&messages);
        window->Load();
        extras = AttachPropertiesExtras(*window, store, templates);
        window->show();
    }
    int FirstOfStyle(GalaxyStyle s) {
        for (int i = 0; i < kGalaxyTypeSlots; ++i)
            if (window->Tables().types[i].Style() == static_cast<int>(s)) return i;
        return -1;
    }
    void Edit(int slot) {
        window->Controls().lstUniGalaxy->setCurrentRow(slot);
        window->ShowGalaxyEditor();
        ASSERT_TRUE(window->EditorShown());
    }
    void CopyRadius(const char* value) {
        PropCopyPanel* copy = extras->CopyPanel();
        copy->Items()->setCurrentIndex(5); // "Galaxy Radius": all but Starwave types
        copy->ValueBox()->SetText(value);
        copy->Copy();
    }
};

// The editor's box changes only when the edited type took the value, so Return cannot store a
// value into a type the copy left alone.
TEST_F(PropsExtrasTest, CopyReachesTheOpenEditorOnlyForATypeThatTookIt) {
    const int starwave = FirstOfStyle(GalaxyStyle::Starwave);
    const int standard = FirstOfStyle(GalaxyStyle::Standard);
    ASSERT_GE(starwave, 0);
    ASSERT_GE(standard, 0);
    Edit(starwave);
    const QString shown = window->Controls().txtGalaxy.at(0)->Text();
    const float radius = window->Tables().types[starwave][G::Radius];
    CopyRadius("777");
    EXPECT_EQ(window->Controls().txtGalaxy.at(0)->Text(), shown);
    window->ReturnToUniverse();
    EXPECT_EQ(window->Tables().types[starwave][G::Radius], radius);
    EXPECT_EQ(window->Tables().types[standard][G::Radius], 777);

    Edit(standard);
    CopyRadius("555");
    EXPECT_EQ(window->Controls().txtGalaxy.at(0)->Text(), "555");
    window->ReturnToUniverse();
    EXPECT_EQ(window->Tables().types[standard][G::Radius], 555);
}

TEST_F(PropsExtrasTest, CompositePageAndItsPreview) {
    PropsControls& c = window->Controls();
    c.cboUniExtras->setCurrentIndex(3);
    CompositePanel* page = extras->Composites();
    EXPECT_TRUE(page->isVisible());
    ASSERT_EQ(page->Composites()->count(), 16);
    page->Composites()->setCurrentRow(0);
    page->RequestPreview();
    EXPECT_TRUE(window->PreviewRunning());
    EXPECT_EQ(page->PreviewButton()->text(), "Stop");
    page->RequestPreview(); // the Stop press
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->PreviewRunning(); }, 3000));
    EXPECT_EQ(page->PreviewButton()->text(), "Comp Preview");
}

TEST_F(PropsExtrasTest, AdvancedSettingsFromTheEditMenu) {
    QAction* advanced = window->Controls().actAdvanced;
    ASSERT_TRUE(advanced->isEnabled());
    extras->beforeAdvanced = [](AdvancedDialog& d) {
        QTimer::singleShot(0, &d, [&d] {
            d.Number(AdvancedNumber::Delay)->SetText("55");
            d.Apply();
        });
    };
    advanced->trigger();
    EXPECT_EQ(store.ReadAdvanced(A::TimeDelay), "55");
}

TEST_F(PropsExtrasTest, SaveAsThenOpenFromTheFileMenu) {
    templates.lastTemplateFolder = dir.Path();
    PropsControls& c = window->Controls();
    c.txtUni.at(0)->SetText("12345");
    const QString name = "keep";
    extras->Templates().beforeShow = [&](TemplateDialog& d) {
        QTimer::singleShot(0, &d, [&d, name] {
            d.Chooser()->FileNameBox()->setText(name);
            d.Chooser()->accept();
        });
    };
    c.actSaveTemplateAs->trigger();
    ASSERT_TRUE(std::filesystem::exists(dir.File("keep.orb")));
    EXPECT_EQ(templates.currentTemplateFile, dir.File("keep.orb"));

    c.txtUni.at(0)->SetText("99");
    window->Tables().types[3].name = "Changed";
    window->RefillGalaxyList(-1);
    extras->Templates().beforeShow = [&](TemplateDialog& d) {
        QTimer::singleShot(0, &d, [&d] {
            d.Chooser()->FileNameBox()->setText("keep.orb");
            d.Chooser()->accept();
        });
    };
    c.actOpenTemplate->trigger();
    EXPECT_EQ(c.txtUni.at(0)->Text(), "12345");
    EXPECT_NE(window->Tables().types[3].name, "Changed");
    EXPECT_FALSE(c.lstUniGalaxy->item(3)->text().startsWith("Changed"));
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
} // namespace orb
