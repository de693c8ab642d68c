#include "ui/info/welcome.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_store_backend.h"
#include "platform/temp_dir.h"
#include "settings/presets.h"
#include "ui/info/fake_opener.h"
#include "ui/scripted_messages.h"

namespace orb {
namespace {

TEST(Welcome, GreetsNewUsersAndOffersUpgradersTheReset) {
    MemoryBackend backend;
    SettingsStore store(backend);
    EXPECT_EQ(DecideWelcome(store), WelcomeKind::Greeting);
    EXPECT_EQ(std::string(WelcomeDismissCaption(WelcomeKind::Greeting)), "OK");
    store.WriteText(kSectionGeneral, kAnimationType, "0");
    EXPECT_EQ(DecideWelcome(store), WelcomeKind::Upgrade);
    EXPECT_EQ(std::string(WelcomeDismissCaption(WelcomeKind::Upgrade)), "Close");
    EXPECT_NE(WelcomeText(WelcomeKind::Upgrade).find("propsave.orb"), std::string::npos);
    EXPECT_EQ(WelcomeText(WelcomeKind::Greeting).rfind("Thank you for installing Orbelune 3.0.", 0), 0u);
}

// The backup holds everything stored, the universe values and composites included, and reads
// back through the template reader to the same settings.
TEST(Welcome, BackupRoundTripsEveryStoredSetting) {
    test::TempDir dir;
    MemoryBackend backend;
    SettingsStore store(backend);
    GalaxyTables tables;
    ApplyFactoryGalaxyTypes(tables, 1);
    ApplyFactoryComposites(tables, 1);
    tables.types[5].name = "Mine";
    tables.composites[3].name = "Pair";
    UniverseSettings u;
    u[U::Stars] = 1234;
    u[U::GravForce] = 77;
    ASSERT_TRUE(store.SaveAllSettings(u, tables));
    store.WriteText(kSectionAdvanced, "FocalLength", "2.5");

    const std::string path = dir.Path() + "/sub/propsave.orb"; // the folder is created
    ASSERT_EQ(BackupStoredSettings(backend, path), TemplateStatus::Done);

    MemoryBackend copy;
    SettingsStore copyStore(copy);
    ASSERT_EQ(ImportTemplateFile(copyStore, path), TemplateStatus::Done);
    EXPECT_EQ(copyStore.LoadUniverse().value, store.LoadUniverse().value);
    EXPECT_EQ(copyStore.ReadAdvanced(A::FocalLength), "2.5");
    GalaxyTables back;
    copyStore.LoadAllGalaxyTypes(back);
    copyStore.LoadAllComposites(back);
    EXPECT_EQ(back.types[5].name, "Mine");
    EXPECT_EQ(back.composites[3].name, "Pair");
    EXPECT_EQ(back.composites[3].count, tables.composites[3].count);
}

// Anything but Done keeps the Reset from running: a backup that could not be written (the
// Welcome window's test), or one of a store that could not be read (it would hold defaults, not
// the settings about to be reset).
TEST(Welcome, ABackupOfAnUnreadableStoreFails) {
    test::TempDir dir;
    const std::string settings = dir.File("orbelune.ini"), backup = dir.File("propsave.orb");
    std::filesystem::create_directory(settings); // exists, but cannot be read as a file
    FileStoreBackend unreadable(settings);
    EXPECT_NE(BackupStoredSettings(unreadable, backup), TemplateStatus::Done);
    EXPECT_FALSE(std::filesystem::exists(backup));
}

TEST(HomePage, FailureShowsTheMessageWithTheAddress) {
    test::FakeOpener opener;
    test::ScriptedMessages messages;
    EXPECT_TRUE(OpenMakerPage(opener, messages, "file:///x/index.html"));
    EXPECT_TRUE(messages.shown.empty());
    opener.works = false;
    EXPECT_FALSE(OpenMakerPage(opener, messages, "file:///x/index.html"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(messages.LastText(), "The Web Page could not be reached.\n\nURL:  file:///x/index.html");
    EXPECT_FALSE(OpenMakerPage(opener, messages, "")); // no address built in
    EXPECT_EQ(opener.opened.size(), 2u);
}

} // namespace
} // namespace orb
