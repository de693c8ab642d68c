#include "app/core/cli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "settings/store.h"

namespace orb {
namespace {

namespace fs = std::filesystem;

struct ParseCase {
    std::vector<std::string> args;
    CliAction action;
    std::string file;        // Export and Import
    std::string commandLine; // Start
};

TEST(CliParse, EachArgumentListGivesItsCommand) {
    const ParseCase cases[] = {
        {{"--export", "t.orb"}, CliAction::Export, "t.orb", ""},
        {{"--export=my file.orb"}, CliAction::Export, "my file.orb", ""},
        {{"--import", "-odd.orb"}, CliAction::Import, "-odd.orb", ""},
        {{"--import=a"}, CliAction::Import, "a", ""},
        {{"--help"}, CliAction::Help, "", ""},
        {{"-h"}, CliAction::Help, "", ""},
        {{"--version"}, CliAction::Version, "", ""},
        {{}, CliAction::Start, "", ""},
        {{"/S"}, CliAction::Start, "", "/S"},
        {{"/p", "1234"}, CliAction::Start, "", "/p 1234"},
        {{"My", "Saves.orb"}, CliAction::Start, "", "My Saves.orb"},
        {{"--", "--odd.orb"}, CliAction::Start, "", "--odd.orb"},
        {{"-x"}, CliAction::Start, "", "-x"},
    };
    for (const ParseCase& c : cases) {
        CliCommand cmd = ParseArguments(c.args);
        std::string joined;
        for (const auto& a : c.args)
            joined += "[" + a + "]";
        EXPECT_EQ(cmd.action, c.action) << joined << ": " << cmd.error;
        EXPECT_EQ(cmd.file, c.file) << joined;
        EXPECT_EQ(cmd.commandLine, c.commandLine) << joined;
    }
}

TEST(CliParse, BadOptionsAreUsageErrorsThatSayWhatIsWrong) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--export"}, "--export needs a FILE"},
        {{"--import"}, "--import needs a FILE"},
        {{"--import="}, "--import needs a FILE"},
        {{"--export", ""}, "--export needs a FILE"},
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"--exports", "x"}, "unknown option '--exports'"},
        {{"--export", "a.orb", "b.orb"}, "unexpected argument 'b.orb'"},
        {{"--version", "now"}, "unexpected argument 'now'"},
        {{"--\x01\xff"}, "unknown option"},
    };
    for (const auto& [args, message] : cases) {
        CliCommand cmd = ParseArguments(args);
        EXPECT_EQ(cmd.action, CliAction::UsageError) << args[0];
        EXPECT_NE(cmd.error.find(message), std::string::npos) << cmd.error;
    }
}

class CliRunTest : public ::testing::Test {
  protected:
    fs::path dir;
    MemoryBackend backend;
    std::ostringstream out, err;

    void SetUp() override {
        std::random_device rd;
        dir = fs::temp_directory_path() / ("orb-cli-" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    int Run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return RunCommand(ParseArguments(args), (dir / "orbelune").string(), backend, out, err);
    }
    std::string File(const char* name) const { return (dir / name).string(); }
};

TEST_F(CliRunTest, ExportWithNothingSavedWritesTheFactoryTypesAndLeavesTheStoreAlone) {
    ASSERT_EQ(Run({"--export", File("t.orb")}), kExitOk) << err.str();
    EXPECT_EQ(backend.Size(), 0u);
    std::ifstream in(File("t.orb"));
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("[UniGal31]"), std::string::npos);
    EXPECT_NE(text.str().find("_UniGalName=Globe of Points"), std::string::npos);
    EXPECT_NE(out.str().find("t.orb"), std::string::npos);
    const std::string printed = out.str();
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << "one line of result";
}

TEST_F(CliRunTest, ExportThenImportRestoresTheStoredSettings) {
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

TEST_F(CliRunTest, FileProblemsExitOneWithAMessageAndNoChange) {
    EXPECT_EQ(Run({"--import", File("missing.orb")}), kExitFileError);
    EXPECT_NE(err.str().find("missing.orb"), std::string::npos);
    EXPECT_TRUE(out.str().empty());
    EXPECT_EQ(backend.Size(), 0u);
    EXPECT_EQ(Run({"--export", File("no/such/dir/t.orb")}), kExitFileError);
    EXPECT_NE(err.str().find("cannot write"), std::string::npos);
}

TEST_F(CliRunTest, HelpVersionAndUsageErrors) {
    EXPECT_EQ(Run({"--help"}), kExitOk);
    EXPECT_NE(out.str().find("--export FILE"), std::string::npos);
    EXPECT_EQ(Run({"--version"}), kExitOk);
    EXPECT_EQ(out.str(), "orbelune 3.0\n");
    EXPECT_EQ(Run({"--bogus"}), kExitUsage);
    EXPECT_NE(err.str().find("--bogus"), std::string::npos);
    EXPECT_TRUE(out.str().empty());
}

TEST_F(CliRunTest, WindowModesSayWhatWasRequestedAndExitThree) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"/S"}, "full-screen saver"},     {{}, "configuration"},
        {{"/c:5678"}, "configuration"},    {{"/p", "1234"}, "preview mode (host window 1234)"},
        {{"/a", "77"}, "password change"},
    };
    for (const auto& [args, mode] : cases) {
        EXPECT_EQ(Run(args), kExitNoWindows);
        EXPECT_NE(err.str().find(mode), std::string::npos) << err.str();
        EXPECT_NE(err.str().find("no window modes"), std::string::npos);
    }
    EXPECT_EQ(backend.Size(), 0u);
}

TEST_F(CliRunTest, TemplateArgumentIsImportedBeforeTheWindowModeIsRefused) {
    ASSERT_EQ(Run({"--export", File("t.orb")}), kExitOk);
    EXPECT_EQ(Run({File("t.orb")}), kExitNoWindows);
    EXPECT_NE(out.str().find("Imported"), std::string::npos);
    EXPECT_EQ(SettingsStore(backend).AnimationType(), 0);
    EXPECT_EQ(Run({File("gone.orb")}), kExitFileError);
}

} // namespace
} // namespace orb
