// The template dialog on the offscreen platform, driven through its embedded file chooser.
#include "ui/properties/qt/template_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <filesystem>

#include "ui/properties/template_fixture.h"
#include "ui/scripted_messages.h"

namespace orb {
namespace {

class TemplateDialogTest : public test::TemplateTargetTest {
  protected:
    test::ScriptedMessages messages;

    void SetUp() override { state.lastTemplateFolder = dir.Path(); }
    // Types the name and presses the chooser's Open/Save button; true when the dialog closed.
    // The name box has the focus, as when a user types (the chooser leaves a focused box alone).
    bool Enter(TemplateDialog& dialog, const QString& name) {
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        dialog.Chooser()->FileNameBox()->setFocus();
        dialog.Chooser()->FileNameBox()->setText(name);
        dialog.Chooser()->accept();
        return !dialog.isVisible();
    }
};

TEST_F(TemplateDialogTest, SaveThenOpenBringsTheValuesBack) {
    fields.SetFieldText(0, "1234");
    TemplateDialog save(TemplateMode::SaveAs, state, Target(), messages);
    EXPECT_EQ(save.StatusLabel()->text(), "Saving Status:");
    save.show();
    ASSERT_TRUE(Enter(save, "mine"));
    EXPECT_EQ(std::pair(save.ProgressBox()->Step(), save.ProgressBox()->Total()), std::pair(48, 48));
    const std::string path = dir.File("mine.orb");
    EXPECT_EQ(state.currentTemplateFile, path);

    fields.SetFieldText(0, "99");
    state.currentTemplateFile.clear();
    TemplateDialog open(TemplateMode::Open, state, Target(), messages);
    EXPECT_EQ(open.windowTitle(), "Select Template to Open");
    EXPECT_EQ(open.StatusLabel()->text(), "Loading Status:");
    open.show();
    ASSERT_TRUE(Enter(open, "mine.orb"));
    EXPECT_EQ(state.currentTemplateFile, path);
    EXPECT_EQ(fields.FieldText(0), "1234");
}

TEST_F(TemplateDialogTest, AFailedSaveKeepsTheDialogOpenAndTouchesNothingElse) {
    std::filesystem::create_directory(dir.File("mine.orb")); // cannot be replaced by a file
    test::WriteAll(dir.File("mine.orb0"), "keep me");
    TemplateDialog dialog(TemplateMode::Save, state, Target(), messages);
    dialog.show();
    EXPECT_FALSE(Enter(dialog, "mine"));
    EXPECT_EQ(messages.LastText(), kInvalidPath);
    EXPECT_TRUE(state.currentTemplateFile.empty());
    EXPECT_EQ(test::ReadAll(dir.File("mine.orb0")), "keep me");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"mine.orb", "mine.orb0"}));

    EXPECT_FALSE(Enter(dialog, "  "));
    EXPECT_EQ(messages.LastText(), kNeedFileName);
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(TemplateDialogTest, OverwritingAsksFirst) {
    test::WriteAll(dir.File("old.orb"), "[Admin]\nProduct=Orbelune\n");
    TemplateDialog dialog(TemplateMode::SaveAs, state, Target(), messages);
    dialog.show();
    messages.answers = {MessageAnswer::No};
    EXPECT_FALSE(Enter(dialog, "old"));
    EXPECT_EQ(messages.shown.back().icon, MessageIcon::Question);
    EXPECT_EQ(test::ReadAll(dir.File("old.orb")), "[Admin]\nProduct=Orbelune\n");
    messages.answers = {MessageAnswer::Yes};
    EXPECT_TRUE(Enter(dialog, "old"));
    EXPECT_EQ(state.currentTemplateFile, dir.File("old.orb"));
}

TEST_F(TemplateDialogTest, AFolderNameOpensTheFolder) {
    std::filesystem::create_directory(dir.File("sub"));
    TemplateDialog dialog(TemplateMode::Open, state, Target(), messages);
    dialog.show();
    EXPECT_FALSE(Enter(dialog, "sub"));
    EXPECT_EQ(dialog.Chooser()->directory().absolutePath().toStdString(), dir.File("sub"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(Enter(dialog, "absent.orb"));
    EXPECT_EQ(messages.LastText(), kNeedExistingFile);
    dialog.Chooser()->reject();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(state.lastTemplateFolder, dir.File("sub"));
}

TEST_F(TemplateDialogTest, SaveWithACurrentFileWritesItWithoutTheDialog) {
    state.currentTemplateFile = dir.File("current.orb");
    QWidget window;
    int dialogs = 0;
    TemplateMenu menu(&window, state, Target(), messages, [] {});
    menu.beforeShow = [&](TemplateDialog& d) {
        ++dialogs;
        QMetaObject::invokeMethod(&d, "reject", Qt::QueuedConnection);
    };
    menu.Save();
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(std::filesystem::exists(state.currentTemplateFile));
    state.currentTemplateFile = dir.File("no/such/folder/x.orb");
    menu.Save();
    EXPECT_EQ(messages.LastText(), SaveFailedMessage(dir.File("no/such/folder/x.orb")));
    state.currentTemplateFile.clear();
    menu.Save();
    EXPECT_EQ(dialogs, 1);
}

} // namespace
} // namespace orb
