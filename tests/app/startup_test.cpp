#include "app/core/startup.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

#include "engine/animation/trig.h"

namespace orb {
namespace {

const ExecutableProbe kInstalled{};  // neither twin: the command line is obeyed

StartDecision Decide(std::string_view cmd, bool saverOpen = false, bool propsOpen = false,
                     ExecutableProbe probe = kInstalled) {
    return DecideStart(probe, cmd, [&](std::string_view caption) {
        return (caption == kSaverCaption && saverOpen) || (caption == kPropertiesCaption && propsOpen);
    });
}

struct DispatchCase {
    const char* commandLine;
    StartAction action;
};

class DispatchTable : public ::testing::TestWithParam<DispatchCase> {};

TEST_P(DispatchTable, CommandLineSelectsAction) {
    StartDecision d = Decide(GetParam().commandLine);
    EXPECT_EQ(d.action, GetParam().action) << '"' << GetParam().commandLine << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Switches, DispatchTable,
    ::testing::Values(DispatchCase{"", StartAction::OpenProperties}, DispatchCase{"   ", StartAction::OpenProperties},
                      DispatchCase{"/c", StartAction::OpenProperties},
                      DispatchCase{"/c:5678", StartAction::OpenProperties},
                      DispatchCase{"/s", StartAction::StartSaver}, DispatchCase{"/S", StartAction::StartSaver},
                      DispatchCase{"/s 1234", StartAction::StartSaver},
                      DispatchCase{"/S:1234", StartAction::StartSaver}, DispatchCase{"/p 1234", StartAction::Preview},
                      DispatchCase{"/a 77", StartAction::PasswordChange},
                      DispatchCase{"C:\\t\\mine.orb", StartAction::ImportThenSaver},
                      DispatchCase{"mine.ORB", StartAction::ImportThenSaver},
                      DispatchCase{"\"mine.orb\"", StartAction::StartSaver},
                      DispatchCase{"anything", StartAction::StartSaver}, DispatchCase{".orb", StartAction::ImportThenSaver},
                      DispatchCase{" /s", StartAction::StartSaver}, DispatchCase{"/", StartAction::StartSaver}));

TEST(Dispatch, PreviewHandleIsReadAfterTheFirstTwoCharacters) {
    EXPECT_EQ(Decide("/p 1234").previewHostWindow, 1234);
    EXPECT_EQ(Decide("/P1234").previewHostWindow, 1234);
    EXPECT_EQ(Decide("/p:1234").previewHostWindow, 0);
    EXPECT_EQ(Decide("/p").previewHostWindow, 0);
    EXPECT_EQ(Decide("/p junk").previewHostWindow, 0);
    EXPECT_EQ(Decide("/p 99999999999999").previewHostWindow, INT32_MAX);
    EXPECT_EQ(Decide("/p 1234").runMode, RunMode::Preview);
}

TEST(Dispatch, PasswordChangeTakesOwnerHandle) {
    StartDecision d = Decide("/A 4321");
    EXPECT_EQ(d.action, StartAction::PasswordChange);
    EXPECT_EQ(d.passwordOwner, 4321);
    EXPECT_EQ(d.runMode, RunMode::Normal);
}

TEST(Dispatch, TemplatePathIsTheWholeCommandLine) {
    EXPECT_EQ(Decide("my saves/galaxy.orb").templatePath, "my saves/galaxy.orb");
}

TEST(Dispatch, SingleInstanceRules) {
    EXPECT_EQ(Decide("/s", true).action, StartAction::SaverAlreadyRunning);
    EXPECT_EQ(Decide("/s", false, true).action, StartAction::StartSaver);
    EXPECT_EQ(Decide("/c", false, true).action, StartAction::FocusProperties);
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
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("orb-probe-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::string program = (dir / "orbelune").string();
    EXPECT_FALSE(ProbeExecutableTwins(program).exeExists);
    std::ofstream(dir / "orbelune.exe") << "x";
    EXPECT_TRUE(ProbeExecutableTwins(program).exeExists);
    EXPECT_FALSE(ProbeExecutableTwins(program).scrExists);
    std::ofstream(dir / "orbelune.scr") << "x";
    EXPECT_TRUE(ProbeExecutableTwins(program + ".exe").scrExists);
    fs::remove_all(dir);
}

TEST(TwipsPerPixel, FromLogicalDpi) {
    EXPECT_EQ(TwipsPerPixelFromDpi(96), 15);
    EXPECT_EQ(TwipsPerPixelFromDpi(120), 12);
    EXPECT_EQ(TwipsPerPixelFromDpi(192), 8);  // 7.5 rounds to even
    EXPECT_EQ(TwipsPerPixelFromDpi(0), 15);   // no screen
}

TEST(TrigTables, EndpointsAndQuarterTurn) {
    const TrigTables& t = BuildTrigTables();
    EXPECT_EQ(t.cos[0], 1.0f);
    EXPECT_EQ(t.cos[1000], -1.0f);
    EXPECT_EQ(t.sin[500], 1.0f);
    EXPECT_NEAR(t.sin[1000], 0.0f, 1e-6);
}

} // namespace
} // namespace orb
