// The Advanced Settings dialog on the offscreen platform.
#include "ui/advanced/qt/advanced_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "engine/creation/colour.h"
#include "platform/file_store_backend.h"
#include "platform/temp_dir.h"
#include "ui/fields/qt/numeric_box.h"
#include "ui/properties/qt/samples.h"
#include "ui/scripted_messages.h"

namespace orb {
namespace {

class AdvancedDialogTest : public ::testing::Test {
  protected:
    test::TempDir dir;
    std::string file = dir.File("orbelune.ini");
    FileStoreBackend backend{file};
    SettingsStore store{backend};
    test::ScriptedMessages messages;

    std::string Stored(A a) { return store.ReadText(kSectionAdvanced, Def(a).name, "<absent>"); }
};

TEST_F(AdvancedDialogTest, FocalLengthIsClampedWhenLeftAndOnOk) {
    AdvancedDialog dialog(store, messages);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    NumericBox* focal = dialog.FocalLength();
    focal->Edit()->setFocus();
    focal->SetText("12.5");
    dialog.Message()->setFocus();
    EXPECT_TRUE(QTest::qWaitFor([&] { return focal->Text() == "10"; }, 2000));
    focal->SetText(".5");
    ASSERT_TRUE(dialog.Apply());
    EXPECT_EQ(Stored(A::FocalLength), "0.5");
}

TEST_F(AdvancedDialogTest, DefaultsThenCancelKeepsTheStoreAndDefaultsThenOkWritesTheFactoryTexts) {
    store.WriteText(kSectionAdvanced, "Adv_TimeDelay", "120");
    store.WriteText(kSectionAdvanced, "Adv_MouseMove", "1");
    const std::string before = test::ReadAll(file);
    for (bool ok : {false, true}) {
        AdvancedDialog dialog(store, messages);
        EXPECT_EQ(dialog.Number(AdvancedNumber::Delay)->Text(), "120");
        EXPECT_TRUE(dialog.MouseMoves()->isChecked());
        QTest::mouseClick(dialog.DefaultsButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.Number(AdvancedNumber::Delay)->Text(), "30");
        QTest::mouseClick(ok ? dialog.OkButton() : dialog.CancelButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), ok ? QDialog::Accepted : QDialog::Rejected);
        if (!ok) {
            EXPECT_EQ(test::ReadAll(file), before);
        }
    }
    for (const SettingDef& d : kAdvancedDefs)
        EXPECT_EQ(store.ReadText(kSectionAdvanced, d.name, "<absent>"), d.defText) << d.name;
}

TEST_F(AdvancedDialogTest, HueColoursTheSwatchAndTheMessageAndAStoredFontNotInstalledIsKept) {
    store.WriteText(kSectionAdvanced, "Adv_FontName", "No Such Font 1996");
    AdvancedDialog dialog(store, messages);
    dialog.Number(AdvancedNumber::Hue)->SetText("0");
    const uint32_t c = HueWheelColour(0);
    EXPECT_EQ(dialog.HueSwatch()->ColourAt(0), c);
    EXPECT_EQ(dialog.Message()->palette().color(QPalette::Text), QColor(c & 0xFF, (c >> 8) & 0xFF, c >> 16));
    EXPECT_EQ(dialog.Fonts()->currentText(), "No Such Font 1996");
    ASSERT_TRUE(dialog.Apply());
    EXPECT_EQ(Stored(A::FontName), "No Such Font 1996");
}

TEST_F(AdvancedDialogTest, ARefusedOkKeepsTheDialogOpenWithAMessage) {
    MemoryBackend refusing;
    refusing.failWrites = true;
    SettingsStore failing(refusing);
    AdvancedDialog dialog(failing, messages);
    dialog.show();
    EXPECT_FALSE(dialog.Apply());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(messages.LastText(), kAdvancedNotSaved);
}

} // namespace
} // namespace orb
