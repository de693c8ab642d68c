// An export run while another process imports templates must write one whole configuration,
// never a mix of the one before an import and the one after it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "app/core/cli.h"
#include "helpers/store_writer.h"
#include "platform/file_store_backend.h"
#include "platform/temp_dir.h"
#include "settings/presets.h"
#include "settings/store.h"
#include "settings/templates.h"

namespace orb {
namespace {

using test::ReadAll;

int ExportTo(const std::string& settings, const std::string& file) {
    FileStoreBackend backend(settings); // fresh, like a new process
    CliCommand cmd;
    cmd.action = CliAction::Export;
    cmd.file = file;
    std::ostringstream out, err;
    return RunCommand(cmd, "orbelune", backend, out, err);
}

// A template of factory set `set` with a frame delay of its own, so that every part of the
// template (Advanced, universe, galaxy types, composites) differs between the two.
std::string MakeTemplate(const test::TempDir& dir, int set) {
    const std::string settings = dir.File("set" + std::to_string(set) + ".ini");
    const std::string file = dir.File("set" + std::to_string(set) + ".orb");
    {
        FileStoreBackend backend(settings);
        SettingsStore store(backend);
        FactoryConfiguration f = MakeFactoryConfiguration(set);
        f.universe.value[0] += 1;
        EXPECT_TRUE(store.SaveAllSettings(f.universe, f.tables));
        EXPECT_TRUE(store.WriteText(kSectionAdvanced, Def(A::TimeDelay).name, std::to_string(31 + set)));
    }
    EXPECT_EQ(ExportTo(settings, file), kExitOk);
    return file;
}

TEST(ExportSnapshot, ExportsDuringImportsEachHoldOneWholeConfiguration) {
    test::TempDir dir;
    const std::string a = MakeTemplate(dir, 0), b = MakeTemplate(dir, 1);
    const std::string textA = ReadAll(a), textB = ReadAll(b);
    ASSERT_NE(textA, textB);

    const std::string live = dir.File("live.ini");
    {
        FileStoreBackend backend(live);
        SettingsStore store(backend);
        ASSERT_EQ(ImportTemplateFile(store, a), TemplateStatus::Done);
    }
    constexpr int kImports = 150;
    pid_t writer = test::StartStoreWriter({live, "import", std::to_string(kImports), a, b});
    ASSERT_GT(writer, 0);
    int exports = 0, mixed = 0, status = 0;
    const std::string out = dir.File("out.orb");
    // Export for as long as the imports run (bounded should the writer hang).
    while (::waitpid(writer, &status, WNOHANG) == 0 && exports < 2000) {
        ASSERT_EQ(ExportTo(live, out), kExitOk);
        const std::string text = ReadAll(out);
        ++exports;
        mixed += text != textA && text != textB;
    }
    if (exports == 2000) ::waitpid(writer, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(mixed, 0) << "of " << exports << " exports";
    EXPECT_GT(exports, 10) << "too few exports ran while the imports did";
}

TEST(ExportSnapshot, AnUnreadableStoreIsReportedAndNothingIsWritten) {
    test::TempDir dir;
    const std::string settings = dir.File("orbelune.ini"), file = dir.File("out.orb");
    std::filesystem::create_directory(settings);
    EXPECT_EQ(ExportTo(settings, file), kExitFileError);
    EXPECT_FALSE(std::filesystem::exists(file));
}

} // namespace
} // namespace orb
