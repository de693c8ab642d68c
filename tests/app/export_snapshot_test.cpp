// An export run while another process imports templates must write one whole configuration,
// never a mix of the one before an import and the one after it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "app/core/cli.h"
#include "helpers/child_process.h"
#include "platform/file_store_backend.h"
#include "platform/temp_dir.h"
#include "settings/presets.h"
#include "settings/store.h"
#include "settings/templates.h"

namespace orb {
namespace {

using test::ReadAll;

// The command line's args run on the settings file, as a new process would.
int Cli(const std::vector<std::string>& args, const std::string& settings) {
    FileStoreBackend backend(settings);
    std::ostringstream out, err;
    return RunCommand(ParseArguments(args), "orbelune", backend, out, err);
}

// A template of factory set `set` with a frame delay of its own, so that every part of the
// template (Advanced, universe, galaxy types, composites) differs between the two.
std::string MakeTemplate(const test::TempDir& dir, int set) {
    MemoryBackend backend;
    SettingsStore store(backend);
    FactoryConfiguration f = MakeFactoryConfiguration(set);
    f.universe.value[0] += 1;
    store.SaveAllSettings(f.universe, f.tables);
    store.WriteText(kSectionAdvanced, Def(A::TimeDelay).name, std::to_string(31 + set));
    const std::string file = dir.File("set" + std::to_string(set) + ".orb");
    EXPECT_EQ(ExportStoredSettings(backend, file), TemplateStatus::Done);
    return file;
}

TEST(ExportSnapshot, ExportsDuringImportsEachHoldOneWholeConfiguration) {
    test::TempDir dir;
    const std::string a = MakeTemplate(dir, 0), b = MakeTemplate(dir, 1);
    const std::string textA = ReadAll(a), textB = ReadAll(b);
    ASSERT_NE(textA, textB);

    const std::string live = dir.File("live.ini");
    ASSERT_EQ(Cli({"--import", a}, live), kExitOk);
    // Imports of the two in turn, each one commit, as `orbelune --import` does.
    const pid_t writer = test::InChild([&] {
        FileStoreBackend backend(live);
        SettingsStore store(backend);
        bool ok = true;
        for (int n = 0; n < 150; ++n)
            ok &= ImportTemplateFile(store, n % 2 ? b : a) == TemplateStatus::Done;
        return ok;
    });
    ASSERT_GT(writer, 0);
    int exports = 0, mixed = 0, status = 0;
    const std::string out = dir.File("out.orb");
    // Export for as long as the imports run (bounded should the writer hang).
    while (::waitpid(writer, &status, WNOHANG) == 0 && exports < 2000) {
        ASSERT_EQ(Cli({"--export", out}, live), kExitOk);
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
    EXPECT_EQ(Cli({"--export", file}, settings), kExitFileError);
    EXPECT_FALSE(std::filesystem::exists(file));
}

} // namespace
} // namespace orb
