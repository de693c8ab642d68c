#include "app/core/startup.h"

#include <gtest/gtest.h>

#include "platform/temp_dir.h"

namespace orb {
namespace {

const ExecutableProbe kInstalled{}; // neither twin: the command line is obeyed

StartDecision Decide(std::string_view cmd, bool saverOpen = false, bool propsOpen = false,
                     ExecutableProbe probe = kInstalled) {
    return DecideStart(probe, cmd, [&](std::string_view caption) {
        return (caption == kSaverCaption && saverOpen) || (caption == kPropertiesCaption && propsOpen);
    });
}

TEST(Dispatch, CommandLineSelectsAction) {
    using enum StartAction;
    // clang-format off
    const std::pair<const char*, StartAction> cases[] = {
        {"", OpenProperties}, {"   ", OpenProperties}, {"/c", OpenProperties}, {"/c:5678", OpenProperties},
        {"/s", StartSaver}, {"/S", StartSaver}, {"/s 1234", StartSaver}, {"/S:1234", StartSaver},
        {" /s", StartSaver}, {"/", StartSaver}, {"anything", StartSaver}, {"\"mine.orb\"", StartSaver},
        {"C:\\t\\mine.orb", ImportThenSaver}, {"mine.ORB", ImportThenSaver}, {".orb", ImportThenSaver},
        {"/p 1234", Preview}, {"/a 77", PasswordChange}};
    // clang-format on
    for (const auto& [commandLine, action] : cases)
        EXPECT_EQ(Decide(commandLine).action, action) << '"' << commandLine << '"';
}

TEST(Dispatch, PreviewHandleIsReadAfterTheFirstTwoCharacters) {
    EXPECT_EQ(Decide("/p 1234").previewHostWindow, 1234);
    EXPECT_EQ(Decide("/P1234").previewHostWindow, 1234);
    EXPECT_EQ(Decide("/p:1234").previewHostWindow, 0);
    EXPECT_EQ(Decide("/p").previewHostWindow, 0);
    EXPECT_EQ(Decide("/p junk").previewHostWindow, 0);
    EXPECT_EQ(Decide("/p 99999999999999").previewHostWindow, INT32_MAX);
    EXPECT_EQ(Decide("/p 1234").runMode, RunMode::Preview);
}

TEST(Dispatch, PasswordChangeTakesOwnerHandleAndImportTheWholeCommandLine) {
    const StartDecision d = Decide("/A 4321");
    EXPECT_EQ(d.passwordOwner, 4321);
    EXPECT_EQ(d.runMode, RunMode::Normal);
    EXPECT_EQ(Decide("my saves/galaxy.orb").templatePath, "my saves/galaxy.orb");
}

TEST(Dispatch, SingleInstanceRules) {
    EXPECT_EQ(Decide("/s", false, true).action, StartAction::StartSaver);
    EXPECT_EQ(Decide("", false, true).action, StartAction::FocusProperties);
    // An open saver does not stop a template import or any other argument from starting one.
    EXPECT_EQ(Decide("x.orb", true).action, StartAction::ImportThenSaver);
}

TEST(Dispatch, ExeWithoutScrTwinIgnoresCommandLine) {
    StartDecision d = Decide("/c", false, false, ExecutableProbe{true, false});
    EXPECT_EQ(d.action, StartAction::ApplicationWindow);
    EXPECT_EQ(d.runMode, RunMode::ApplicationWindow);
    EXPECT_EQ(Decide("/c", false, false, ExecutableProbe{true, true}).action, StartAction::OpenProperties);
    EXPECT_EQ(Decide("/c", false, false, ExecutableProbe{false, true}).action, StartAction::OpenProperties);
}

TEST(ExecutableProbe, LooksForBothTwinsBesideTheProgram) {
    test::TempDir dir;
    const std::string program = dir.File("orbelune");
    EXPECT_FALSE(ProbeExecutableTwins(program).exeExists);
    test::WriteAll(program + ".exe", "x");
    EXPECT_TRUE(ProbeExecutableTwins(program).exeExists);
    EXPECT_FALSE(ProbeExecutableTwins(program).scrExists);
    test::WriteAll(program + ".scr", "x");
    EXPECT_TRUE(ProbeExecutableTwins(program + ".exe").scrExists);
}

TEST(TwipsPerPixel, FromLogicalDpi) {
    EXPECT_EQ(TwipsPerPixelFromDpi(96), 15);
    EXPECT_EQ(TwipsPerPixelFromDpi(120), 12);
    EXPECT_EQ(TwipsPerPixelFromDpi(192), 8);    // 7.5 rounds to even
    EXPECT_EQ(TwipsPerPixelFromDpi(0), 15);     // no screen
    EXPECT_EQ(TwipsPerPixelFromDpi(0.5), 1440); // kept within 1..1440
    EXPECT_EQ(TwipsPerPixelFromDpi(4000), 1);
}

} // namespace
} // namespace orb
