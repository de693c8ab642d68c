#include "ui/properties/props_actions.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_store_backend.h"
#include "platform/temp_dir.h"
#include "settings/presets.h"
#include "settings/template_values.h"
#include "ui/properties/universe_specs.h"
#include "ui/scripted_messages.h"

namespace orb {
namespace {

TEST(Opening, DecisionTable) {
    using L = OpeningLoad;
    // ResetSettings and AnimationType stored, the Welcome's answer; the Welcome shown, the load
    const std::tuple<int16_t, int16_t, bool, bool, L> cases[] = {
        {-1, -1, true, true, L::Reset},        {-1, -1, false, true, L::Reset},
        {-1, 0, true, true, L::Reset},         {-1, 0, false, true, L::Stored},
        {1, -1, true, false, L::ResetAndSave}, {1, 0, true, false, L::Stored},
        {1, 5, false, false, L::Stored},
    };
    for (const auto& [resetSettings, animationType, welcomeReset, welcome, load] : cases) {
        const bool shown = ShowsWelcome(resetSettings);
        EXPECT_EQ(shown, welcome) << resetSettings;
        EXPECT_EQ(DecideOpeningLoad(shown, welcomeReset, animationType), load)
            << resetSettings << " " << animationType << " " << welcomeReset;
    }
}

class PropsActionsTest : public ::testing::Test {
  protected:
    MemoryBackend backend;
    SettingsStore store{backend};
    GalaxyTables tables;
    UniverseFieldValues fields;
    test::ScriptedMessages messages;
    test::TempDir dir;

    std::string Stored(std::string_view section, std::string_view name) {
        return store.ReadText(section, name, "<absent>");
    }
    // A path whose folder is a file: nothing can be written there.
    std::string Unwritable(std::string_view name) {
        const std::string blocker = dir.File("file");
        std::FILE* f = std::fopen(blocker.c_str(), "w");
        EXPECT_TRUE(f);
        if (f) std::fclose(f);
        return blocker + "/" + std::string(name);
    }
};

// The first opening asks the Welcome and stores only the marker; the next saves the factory set;
// from then on the stored settings load.
TEST_F(PropsActionsTest, OpeningsFromFirstToStored) {
    int asked = 0;
    auto r = OpenProperties(store, tables, fields, [&] {
        ++asked;
        return false;
    });
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(r.load, OpeningLoad::Reset); // never saved: factory settings, stored on Accept
    EXPECT_EQ(Stored(kSectionGeneral, kResetSettings), "1");
    EXPECT_EQ(Stored(kSectionGeneral, kAnimationType), "<absent>");
    EXPECT_EQ(fields.FieldText(0), "4000");

    const auto noWelcome = [] {
        ADD_FAILURE() << "no Welcome once ResetSettings is stored";
        return true;
    };
    r = OpenProperties(store, tables, fields, noWelcome);
    EXPECT_EQ(r.load, OpeningLoad::ResetAndSave);
    EXPECT_FALSE(r.saveFailed);
    EXPECT_EQ(Stored(kSectionGeneral, kAnimationType), "0");
    EXPECT_EQ(Stored("Universe\\Galaxy31", kUniGalName), "Globe of Points");
    EXPECT_EQ(Stored(kSectionUniverse, "Universe_Stars"), "4000");

    store.WriteText(kSectionUniverse, "Universe_Stars", "123456");
    store.WriteText("Universe\\Galaxy3", kUniGalName, "Mine");
    store.WriteText("Universe\\CompGal0", kCompGalPct, "77");
    EXPECT_EQ(OpenProperties(store, tables, fields, noWelcome).load, OpeningLoad::Stored);
    EXPECT_EQ(fields.FieldText(0), "123456"); // shown as stored
    ClampUniverseFields(fields);
    EXPECT_EQ(fields.FieldText(0), "30000");
    EXPECT_EQ(fields.FieldText(12), "0.985"); // in range: as it was
    EXPECT_EQ(tables.types[3].name, "Mine");
    EXPECT_EQ(tables.composites[0].pct, 77);
}

// A reset gives the set's values and writes the factory advanced values at once; the rest is
// stored only on Accept.
TEST_F(PropsActionsTest, ResetAnswers) {
    const std::string backup = dir.File("cfg/propsave.orb");
    // the answer, the set; the outcome, a backup made, the stars shown, composite 0's member count
    const std::tuple<MessageAnswer, int, ResetOutcome, bool, const char*, int> cases[] = {
        {MessageAnswer::Cancel, kResetSet30, ResetOutcome::Cancelled, false, "1234", 0},
        {MessageAnswer::No, kResetSet20, ResetOutcome::Reset, false, "2500", 6},
        {MessageAnswer::Yes, kResetSet30, ResetOutcome::Reset, true, "4000", 2},
    };
    for (const auto& [answer, set, outcome, backedUp, stars, composite0Count] : cases) {
        std::filesystem::remove(backup);
        tables = GalaxyTables{};
        ApplyFactoryGalaxyTypes(tables, 1);
        tables.types[0].name = "Before";
        fields.SetFieldText(0, "1234");
        store.WriteText(kSectionAdvanced, "Adv_TimeDelay", "77");
        messages.answers = {answer};
        const ResetReport r = RunResetProperties(set, messages, store, tables, fields, backup);
        EXPECT_EQ(r.outcome, outcome);
        EXPECT_TRUE(r.advancedWritten);
        EXPECT_EQ(messages.shown.back().icon, MessageIcon::Question);
        EXPECT_EQ(messages.shown.back().buttons, MessageButtons::YesNoCancel);
        EXPECT_NE(messages.LastText().find("'" + backup + "' then Reset"), std::string::npos);
        const bool reset = outcome == ResetOutcome::Reset;
        EXPECT_EQ(tables.types[0].name, reset ? "Standard Galaxy" : "Before");
        EXPECT_EQ(tables.types[1].name, reset ? FactoryNameOf(set, 1).name : FactoryNameOf(1, 1).name);
        EXPECT_EQ(tables.composites[0].count, composite0Count);
        EXPECT_EQ(fields.FieldText(0), stars);
        EXPECT_EQ(Stored(kSectionAdvanced, "Adv_TimeDelay"), reset ? "30" : "77");
        EXPECT_EQ(Stored(kSectionUniverse, "Universe_Stars"), "<absent>");
        ASSERT_EQ(std::filesystem::exists(backup), backedUp);
        if (backedUp) { // the backup holds the settings from before the reset
            auto tpl = LoadTemplateFile(backup);
            ASSERT_TRUE(tpl);
            EXPECT_EQ(ReadTemplateText(*tpl, TemplateGalaxySection(0), kUniGalName, ""), "Before");
        }
    }
}

TEST_F(PropsActionsTest, AFailedBackupPreventsTheReset) {
    const std::string backup = Unwritable("propsave.orb");
    ApplyFactoryGalaxyTypes(tables, 1);
    store.WriteText(kSectionAdvanced, "Adv_TimeDelay", "77");
    fields.SetFieldText(0, "1234");
    messages.answers = {MessageAnswer::Yes};
    const ResetReport r = RunResetProperties(kResetSet30, messages, store, tables, fields, backup);
    EXPECT_EQ(r.outcome, ResetOutcome::BackupFailed);
    EXPECT_EQ(messages.LastText(), BackupFailedText(backup));
    EXPECT_EQ(tables.types[1].name, FactoryNameOf(1, 1).name);
    EXPECT_EQ(fields.FieldText(0), "1234");
    EXPECT_EQ(Stored(kSectionAdvanced, "Adv_TimeDelay"), "77");
}

TEST_F(PropsActionsTest, AcceptSavesEverythingOrSaysWhyNamingTheFile) {
    ApplyFactoryGalaxyTypes(tables, 0);
    fields.SetFieldText(0, "12abc");
    EXPECT_TRUE(AcceptSave(store, fields, tables, messages));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(Stored(kSectionGeneral, kAnimationType), "0");
    EXPECT_EQ(Stored(kSectionUniverse, "Universe_Stars"), "12");
    EXPECT_EQ(Stored("Universe\\Galaxy30", kUniGalName), "Globe of Latitudes");

    backend.failWrites = true;
    EXPECT_FALSE(AcceptSave(store, fields, tables, messages));
    EXPECT_EQ(messages.LastText(), "The settings could not be saved.");
    const std::string path = Unwritable("orbelune.ini"); // a settings file is named
    FileStoreBackend file(path);
    SettingsStore fileStore(file);
    EXPECT_FALSE(AcceptSave(fileStore, fields, tables, messages));
    EXPECT_EQ(messages.shown.back().icon, MessageIcon::Exclamation);
    EXPECT_NE(messages.LastText().find("'" + path + "'"), std::string::npos);
}

TEST(UniverseSpecs, KindsRangesAndSteps) {
    // box, kind, range, arrow step, spinner length
    const std::tuple<int, FieldKind, double, double, int, int> cases[] = {
        {0, FieldKind::Long, 10, 30000, 10, 5},  {33, FieldKind::Long, 0, 999999, 0, 0},
        {1, FieldKind::Integer, 1, 999, 1, 3},   {2, FieldKind::Integer, 1, 99, 1, 2},
        {16, FieldKind::Integer, 0, 999, 1, 3},  {17, FieldKind::Integer, 0, 999, 1, 3},
        {40, FieldKind::Integer, 0, 3000, 0, 0}, {12, FieldKind::Real, 0.25, 1.0, 0, 0},
    };
    for (const auto& [index, kind, min, max, step, spin] : cases) {
        auto s = UniverseFieldSpec(index);
        ASSERT_TRUE(s) << index;
        const KeyFilter filter = kind == FieldKind::Real ? KeyFilter::Decimal : KeyFilter::Digits;
        EXPECT_EQ(std::tuple(s->kind, s->filter, s->min, s->max, s->arrowStep, s->spinLength),
                  std::tuple(kind, filter, min, max, step, spin))
            << index;
    }
    EXPECT_FALSE(UniverseFieldSpec(3) || UniverseFieldSpec(52));
    EXPECT_EQ(StepFieldText("5000", kWeightFieldSpec, +1), "5001");
    // The weight and reset boxes are clamped by Commit and Reset, not on leaving.
    EXPECT_EQ(LeaveFieldText("12345", kWeightFieldSpec), "12345");
    EXPECT_EQ(LeaveFieldText("12345", kResetPctFieldSpec), "12345");
    EXPECT_EQ(StepFieldText("9999", kWeightFieldSpec, +1), "9999");
}

TEST(UniverseSpecs, ThemesFillTheFields) {
    UniverseFieldValues f;
    f.SetFieldText(0, "sentinel");
    EXPECT_FALSE(LoadUniverseTheme(0, false, f) || LoadUniverseTheme(9, false, f));
    EXPECT_EQ(f.FieldText(0), "sentinel");
    ASSERT_TRUE(LoadUniverseTheme(8, false, f)); // "Galaxies in Motion:  Gravity On"
    EXPECT_EQ(f.FieldText(50), "125000");
    ASSERT_TRUE(LoadUniverseTheme(1, true, f));
    EXPECT_EQ(f.FieldText(0), "2500");
    EXPECT_EQ(UniverseThemeItems()[0], "< NONE >");
    EXPECT_EQ(UniverseThemeItems()[8], "Galaxies in Motion:  Gravity On");
}

} // namespace
} // namespace orb
