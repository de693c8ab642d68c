#include "app/core/cli.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/core/startup.h"
#include "platform/temp_dir.h"
#include "settings/store.h"

namespace orb {
namespace {

struct ParseCase {
    std::vector<std::string> args;
    CliAction action;
    std::string file;        // Export and Import
    std::string commandLine; // Start
    int64_t hostWindow = 0;
    bool hostRoot = false;
    std::optional<uint64_t> seed = std::nullopt;
    std::optional<int16_t> delay = std::nullopt;
};

TEST(CliParse, EachArgumentListGivesItsCommand) {
    using enum CliAction;
    const ParseCase cases[] = {
        {{"--export", "t.orb"}, Export, "t.orb", ""},
        {{"--export=my file.orb"}, Export, "my file.orb", ""},
        {{"--import", "-odd.orb"}, Import, "-odd.orb", ""},
        {{"--import=a"}, Import, "a", ""},
        {{"--help"}, Help, "", ""},
        {{"-h"}, Help, "", ""},
        {{"--version"}, Version, "", ""},
        {{}, Start, "", ""},
        {{"/S"}, Start, "", "/S"},
        {{"/p", "1234"}, Start, "", "/p 1234"},
        {{"My", "Saves.orb"}, Start, "", "My Saves.orb"},
        {{"--", "--odd.orb"}, Start, "", "--odd.orb"},
        {{"-x"}, Start, "", "-x"},
        {{"--saver"}, Start, "", "/S"},
        {{"--config"}, Start, "", "/C"},
        {{"--preview", "1234"}, Start, "", "/P 1234"},
        {{"--preview=0x1a00003"}, Start, "", "/P 27262979"},
        {{"--window"}, Window, "", ""},
        {{"--root"}, Hosted, "", "", 0, true},
        {{"-root"}, Hosted, "", "", 0, true},
        {{"--window-id", "0X2A"}, Hosted, "", "", 42},
        {{"-window-id", "77"}, Hosted, "", "", 77},
        {{"--seed", "18446744073709551615", "--saver"}, Start, "", "/S", 0, false, UINT64_MAX},
        {{"--window", "--seed=0", "--delay", "999"}, Window, "", "", 0, false, 0, 999},
        {{"--root", "--delay=0"}, Hosted, "", "", 0, true, std::nullopt, 0},
        {{"--preview", "5", "--seed", "3"}, Start, "", "/P 5", 0, false, 3},
    };
    for (const ParseCase& c : cases) {
        const CliCommand cmd = ParseArguments(c.args);
        EXPECT_EQ(std::tie(cmd.action, cmd.file, cmd.commandLine, cmd.hostWindow, cmd.hostRoot, cmd.seed,
                           cmd.frameDelay),
                  std::tie(c.action, c.file, c.commandLine, c.hostWindow, c.hostRoot, c.seed, c.delay))
            << testing::PrintToString(c.args) << ": " << cmd.error;
    }
    const CliCommand render = ParseArguments({"--render", "out", "--frames", "3"});
    EXPECT_EQ(render.action, CliAction::Render);
    EXPECT_EQ(render.renderArgs, (std::vector<std::string>{"out", "--frames", "3"}));
}

TEST(CliParse, MistakesAreUsageErrorsThatSayWhatIsWrong) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--export"}, "--export needs a FILE"},
        {{"--import="}, "--import needs a FILE"},
        {{"--export", ""}, "--export needs a FILE"},
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"--exports", "x"}, "unknown option '--exports'"},
        {{"--export", "a.orb", "b.orb"}, "unexpected argument 'b.orb'"},
        {{"--export=a.orb", "b.orb"}, "unexpected argument 'b.orb'"},
        {{"--version", "now"}, "unexpected argument 'now'"},
        {{"--\x01\xff"}, "unknown option"},
        {{"--preview"}, "--preview needs an X11 window id"},
        {{"--preview", "abc"}, "--preview needs an X11 window id"},
        {{"--window-id", "4294967296"}, "--window-id needs an X11 window id"},
        {{"--saver", "--window"}, "only one of --saver and --window"},
        {{"--root", "--window-id=5"}, "only one of --root and --window-id"},
        {{"--saver", "--seed", "-1"}, "--seed needs a whole number"},
        {{"--saver", "--seed", "18446744073709551616"}, "--seed needs a whole number"},
        {{"--saver", "--seed", ""}, "--seed needs a whole number"},
        {{"--saver", "--delay", "1000"}, "--delay needs milliseconds"},
        {{"--window", "--delay"}, "--delay needs milliseconds"},
        {{"--seed", "5"}, "--seed and --delay need one of"},
        {{"--config", "--delay", "5"}, "--seed and --delay need one of"},
        {{"--saver", "/S"}, "unexpected argument '/S'"},
        {{"--saver", "--fullscreen"}, "unknown option '--fullscreen'"},
        {{"--window=yes"}, "unknown option '--window=yes'"},
    };
    for (const auto& [args, message] : cases) {
        const CliCommand cmd = ParseArguments(args);
        EXPECT_EQ(cmd.action, CliAction::UsageError) << testing::PrintToString(args[0]);
        EXPECT_NE(cmd.error.find(message), std::string::npos) << testing::PrintToString(cmd.error);
    }
}

TEST(CliParse, WindowIdsAreDecimalOrHexadecimal) {
    const std::pair<const char*, std::optional<int64_t>> cases[] = {
        {"1", 1},        {" 0x1F ", 31},        {"0xffffffff", 0xFFFFFFFF}, {"4294967295", 0xFFFFFFFF},
        {"0", {}},       {"0x", {}},            {"", {}},                   {"12a", {}},
        {"-5", {}},      {"0x1g", {}},          {"0x0000000001", {}},       {"1.5", {}},
    };
    for (const auto& [text, id] : cases)
        EXPECT_EQ(ParseWindowId(text), id) << '"' << text << '"';
    EXPECT_EQ(RootTarget(nullptr), 0);
    EXPECT_EQ(RootTarget("0x400007"), 0x400007);
    EXPECT_EQ(RootTarget("junk"), 0) << "not a window: the root window";
}

class CliRunTest : public ::testing::Test {
  protected:
    test::TempDir dir;
    MemoryBackend backend;
    std::ostringstream out, err;

    int Run(const std::vector<std::string>& args, WindowModes* windows = nullptr) {
        out.str("");
        err.str("");
        return RunCommand(ParseArguments(args), dir.File("orbelune"), backend, out, err, windows);
    }
    std::string File(const char* name) const { return dir.File(name); }
};

TEST_F(CliRunTest, ExportWritesTheFactoryTypesOrTheStoredSettingsAndImportRestoresThem) {
    ASSERT_EQ(Run({"--export", File("t.orb")}), kExitOk) << err.str();
    EXPECT_EQ(backend.Size(), 0u) << "nothing saved: the store is left alone";
    EXPECT_NE(test::ReadAll(File("t.orb")).find("[UniGal31]\n_UniGalPct=5\n_UniGalName=Globe of Points"),
              std::string::npos);
    EXPECT_EQ(out.str(), "Exported the settings to '" + File("t.orb") + "'\n");

    SettingsStore store(backend);
    store.WriteText(kSectionUniverse, "Universe_HW_Start", "55");
    store.WriteText(kSectionGeneral, kAnimationType, "0");
    store.WriteText(GalaxySection(9), "_UniGalName", "Backed up");
    ASSERT_EQ(Run({"--export", File("t.orb")}), kExitOk);
    store.WriteText(kSectionUniverse, "Universe_HW_Start", "1");
    store.WriteText(GalaxySection(9), "_UniGalName", "Changed");
    ASSERT_EQ(Run({"--import", File("t.orb")}), kExitOk) << err.str();
    EXPECT_EQ(store.ReadText(kSectionUniverse, "Universe_HW_Start", ""), "55");
    EXPECT_EQ(store.ReadText(GalaxySection(9), "_UniGalName", ""), "Backed up");
}

TEST_F(CliRunTest, ExitCodesAndMessagesOfHelpVersionAndFailures) {
    EXPECT_EQ(Run({"--help"}), kExitOk);
    EXPECT_NE(out.str().find("--export FILE"), std::string::npos);
    EXPECT_EQ(Run({"--version"}), kExitOk);
    EXPECT_EQ(out.str(), "orbelune 3.0\n");
    EXPECT_EQ(Run({"--bogus"}), kExitUsage);
    EXPECT_NE(err.str().find("--bogus"), std::string::npos);
    EXPECT_TRUE(out.str().empty());
    EXPECT_EQ(Run({"--import", File("missing.orb")}), kExitFileError);
    EXPECT_NE(err.str().find("missing.orb"), std::string::npos);
    EXPECT_TRUE(out.str().empty());
    EXPECT_EQ(backend.Size(), 0u);
    EXPECT_EQ(Run({"--export", File("no/such/dir/t.orb")}), kExitFileError);
    EXPECT_NE(err.str().find("cannot write"), std::string::npos);
}

// Window modes that record what start-up asked of them.
class FakeWindows : public WindowModes {
  public:
    bool saverOpen = false, propertiesOpen = false; // captions held by "running" windows
    std::vector<WindowRequest> runs;                // every Run, in order
    std::vector<std::string> fronted;               // every BringToFront caption
    bool WindowExists(std::string_view c) override {
        return (c == kSaverCaption && saverOpen) || (c == kPropertiesCaption && propertiesOpen);
    }
    bool BringToFront(std::string_view c) override {
        fronted.emplace_back(c);
        return WindowExists(c);
    }
    int Run(const WindowRequest& r, std::ostream&) override {
        runs.push_back(r);
        return 7;
    }
};

TEST_F(CliRunTest, EachModeGoesToItsWindowOrWithoutWindowsSaysWhatWasAskedAndExitsThree) {
    struct Case {
        std::vector<std::string> args;
        WindowMode mode;
        int64_t host;
        const char* name; // in the message of a build without windows
    };
    const Case cases[] = {
        {{"/s"}, WindowMode::Saver, 0, "full-screen saver"},
        {{"--saver"}, WindowMode::Saver, 0, "full-screen saver"},
        {{}, WindowMode::Properties, 0, "configuration"},
        {{"/c:5678"}, WindowMode::Properties, 0, "configuration"},
        {{"--config"}, WindowMode::Properties, 0, "configuration"},
        {{"/p", "1234"}, WindowMode::Preview, 1234, "preview mode (host window 1234)"},
        {{"--preview", "0x10"}, WindowMode::Preview, 16, "preview mode (host window 16)"},
        {{"--window"}, WindowMode::ApplicationWindow, 0, "application window"},
        {{"--window-id", "99"}, WindowMode::Hosted, 99, "xscreensaver mode"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        FakeWindows windows;
        EXPECT_EQ(Run(c.args, &windows), 7);
        ASSERT_EQ(windows.runs.size(), 1u) << err.str();
        EXPECT_EQ(std::pair(windows.runs[0].mode, windows.runs[0].hostWindow), std::pair(c.mode, c.host));
        EXPECT_EQ(Run(c.args), kExitNoWindows);
        EXPECT_NE(err.str().find(c.name), std::string::npos) << err.str();
        EXPECT_NE(err.str().find("no window modes"), std::string::npos);
    }
    EXPECT_EQ(backend.Size(), 0u);
    EXPECT_EQ(Run({"/a", "77"}), kExitOk) << "the password change has nothing to do on Linux";
    FakeWindows windows;
    Run({"--window", "--seed", "4", "--delay", "12"}, &windows);
    ASSERT_EQ(windows.runs.size(), 1u);
    EXPECT_TRUE(windows.runs[0].seed == 4u && windows.runs[0].frameDelay == 12);
}

TEST_F(CliRunTest, TemplateArgumentIsImportedBeforeTheWindowModeIsRefused) {
    ASSERT_EQ(Run({"--export", File("t.orb")}), kExitOk);
    EXPECT_EQ(Run({File("t.orb")}), kExitNoWindows);
    EXPECT_NE(err.str().find("full-screen saver"), std::string::npos);
    EXPECT_NE(out.str().find("Imported"), std::string::npos);
    EXPECT_EQ(SettingsStore(backend).AnimationType(), 0);
    EXPECT_EQ(Run({File("gone.orb")}), kExitFileError);
}

TEST_F(CliRunTest, SecondStartsFindTheRunningWindow) {
    FakeWindows windows;
    windows.saverOpen = true;
    windows.propertiesOpen = true;
    for (const auto& args : {std::vector<std::string>{"/S"}, {"--saver"}, {"/a", "5"}})
        EXPECT_EQ(Run(args, &windows), kExitOk);
    EXPECT_TRUE(windows.runs.empty()) << "a second saver start ends at once";
    EXPECT_EQ(Run({"/c"}, &windows), kExitOk);
    EXPECT_EQ(Run({"--config"}, &windows), kExitOk);
    EXPECT_EQ(windows.fronted, (std::vector<std::string>{"Galaxy Properties", "Galaxy Properties"}));
    EXPECT_TRUE(windows.runs.empty());
}

TEST_F(CliRunTest, RenderOptionsAreCheckedBeforeAnythingRuns) {
    EXPECT_EQ(Run({"--render"}), kExitUsage);
    EXPECT_NE(err.str().find("--help"), std::string::npos);
    EXPECT_EQ(Run({"--render", File("frames"), "--frames", "2", "--size", "16x12", "--no-write"}), kExitOk)
        << err.str();
}

} // namespace
} // namespace orb
