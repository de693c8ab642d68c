#include "settings/templates.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <tuple>

#include "platform/temp_dir.h"
#include "settings/presets.h"
#include "settings/tables_match.h"
#include "settings/template_values.h"

namespace orb {
namespace {

namespace fs = std::filesystem;
using namespace std::literals;
using test::ReadAll;
using test::WriteAll;

// Universe values that all differ from their defaults.
UniverseSettings NonDefaultUniverse() {
    UniverseSettings u;
    for (int i = 0; i < kUniverseCount; ++i) {
        const SettingDef& d = kUniverseDefs[i];
        u.value[i] = static_cast<float>(d.max != d.def ? d.max : d.min);
    }
    u[U::Persist] = 0.9975f;
    return u;
}

class RecordingProgress : public ProgressSink {
  public:
    void Progress(int step, int total) override { steps.emplace_back(step, total); }
    std::vector<std::pair<int, int>> steps;
};

class TemplateTest : public ::testing::Test {
  protected:
    test::TempDir dir;
    MemoryBackend sourceBackend;
    SettingsStore source{sourceBackend};
    UniverseFieldValues fields;
    GalaxyTables tables;
    TemplateState state;

    void SetUp() override {
        ShowUniverse(NonDefaultUniverse(), fields);
        ApplyFactoryGalaxyTypes(tables, 0);
        ApplyFactoryComposites(tables, 1); // counts up to 7
        tables.types[4].name = "My own type";
        tables.types[4][G::HueRed] = 500; // out of range: validated on save
        source.WriteText(kSectionAdvanced, "Adv_TimeDelay", "45");
        source.WriteText(kSectionAdvanced, "LockMessage", "Gone fishing");
        source.WriteText(kSectionAdvanced, "Adv_FontName", "DejaVu Sans");
        state.currentTemplateFile = dir.File("mine.orb");
    }

    void Save() { ASSERT_EQ(SaveTemplate(state, source, fields, tables), TemplateStatus::Done); }
};

TEST_F(TemplateTest, SaveThenOpenBringsEverySettingBackButTheAmbientProfileInFortyEightSteps) {
    RecordingProgress savedSteps, openedSteps;
    ASSERT_EQ(SaveTemplate(state, source, fields, tables, &savedSteps), TemplateStatus::Done);
    EXPECT_EQ(tables.types[4][G::HueRed], 100) << "the in-memory table is validated by the save";

    MemoryBackend otherBackend;
    SettingsStore other(otherBackend);
    UniverseFieldValues opened;
    opened.SetChecked(UniverseCheck::AmbDisp, true);
    GalaxyTables loaded;
    ASSERT_EQ(OpenTemplate(state, other, opened, loaded, &openedSteps), TemplateStatus::Done);

    UniverseSettings expected = ReadUniverseFields(fields);
    ASSERT_EQ(expected[U::AmProf], 1);
    expected[U::AmProf] = 0; // not carried: the opened box is cleared
    EXPECT_EQ(ReadUniverseFields(opened).value, expected.value);
    test::ExpectSameTables(loaded, tables);
    for (int a = 0; a < kAdvancedCount; ++a)
        EXPECT_EQ(other.ReadAdvanced(A{a}), source.ReadAdvanced(A{a}));
    std::vector<std::pair<int, int>> steps;
    for (int i = 1; i <= 48; ++i)
        steps.emplace_back(i, 48);
    EXPECT_TRUE(savedSteps.steps == steps && openedSteps.steps == steps);
    EXPECT_EQ(std::tuple(ProgressFillWidth(24, 48, 200), ProgressFillWidth(60, 48, 200),
                         ProgressFillWidth(5, 0, 200), ProgressFillWidth(48, 48, -10)),
              std::tuple(100, 200, 0, 0));
}

TEST_F(TemplateTest, SaveReplacesTheFileWithTemplateKeysAndShortestNumbers) {
    WriteAll(state.currentTemplateFile, "[Stale]\nOld=1\n[Universe]\nUniverse_AmProf=1\n");
    Save();
    const std::string text = ReadAll(state.currentTemplateFile);
    for (const char* expected :
         {"[Admin]", "Product=Orbelune", "Version=3.0", "[General]", "AnimationType=0", "Adv_TimeDelay=45",
          "[Universe]", "Universe_Persist=0.9975", "Universe_Stars=30000", "[UniGal0]", "[UniGal31]",
          "[CompGal15]", "_CompGalCount=", "GalaxyIndex_0=", "Galaxy_CometCPersist=0.9975"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    for (const char* absent :
         {"Stale", "Universe_AmProf", "CompGal_Count", "CompGal_Type", "[UniGal32]", "[CompGal16]"})
        EXPECT_EQ(text.find(absent), std::string::npos) << absent;
    EXPECT_EQ(dir.Names().size(), 1u) << "no temporary file is left beside the template";
}

TEST_F(TemplateTest, SaveToAnUnwritablePlaceFailsAndLeavesNoFile) {
    fs::create_directory(dir.File("sub"));
    WriteAll(dir.File("plain"), "x");
    const size_t before = dir.Names().size();
    for (const std::string& path :
         {dir.File("missing/t.orb"), dir.File("sub"), dir.File("plain/t.orb"), std::string()}) {
        state.currentTemplateFile = path;
        EXPECT_EQ(SaveTemplate(state, source, fields, tables), TemplateStatus::Unwritable) << path;
        EXPECT_EQ(dir.Names().size(), before) << path;
        EXPECT_TRUE(fs::is_empty(dir.File("sub"))) << path;
    }
}

TEST_F(TemplateTest, MissingKeysAndSectionsOpenAsDefaults) {
    WriteAll(state.currentTemplateFile, "[UniGal3]\n_UniGalName=Spiral\nGalaxy_Radius=999\n");
    UniverseFieldValues opened;
    ASSERT_EQ(OpenTemplate(state, source, opened, tables), TemplateStatus::Done);
    const GalaxyType& t = tables.types[3]; // read values, then defaults for the rest
    EXPECT_EQ(t.name, "Spiral");
    EXPECT_EQ(std::tuple(t[G::Radius], t[G::Rotation], t[G::HueStart], t[G::CometCPersist]),
              std::tuple(999.0f, 500.0f, 240.0f, 0.9975f));
    EXPECT_EQ(std::tuple(tables.types[0].name, tables.types[0].pct, tables.composites[5].name,
                         tables.composites[5].count),
              std::tuple("< Galaxy Profile 1 >", 0, "< Composite Galaxy 6 >", 0));
    EXPECT_EQ(
        std::tuple(opened.FieldText(0), opened.FieldText(12), opened.FieldText(44), opened.ProfileIndex()),
        std::tuple("4000", "0.985", "15000", 2));
    EXPECT_TRUE(opened.Checked(UniverseCheck::UniTour) && !opened.Checked(UniverseCheck::VisitSeq));
    EXPECT_EQ(std::tuple(source.ReadAdvanced(A::TimeDelay), source.ReadAdvanced(A::FontName)),
              std::tuple("30", "MS Sans Serif"))
        << "the Advanced values are stored at once";
}

TEST_F(TemplateTest, CompositeCountOfFortyLoadsThirtyTwoMembersAndValidatesToThirtyOne) {
    std::string text = "[CompGal0]\n_CompGalCount=40\n";
    for (int i = 0; i < 40; ++i)
        text += "GalaxyIndex_" + std::to_string(i) + "=" + std::to_string(i == 2 ? 99 : i % 32) + "\n";
    text += "[CompGal1]\n_CompGalCount=1\nGalaxyIndex_0=4\nGalaxyIndex_1=5\n";
    WriteAll(state.currentTemplateFile, text);
    ASSERT_EQ(OpenTemplate(state, source, fields, tables), TemplateStatus::Done);
    // Members are validated (99 to 31); position 31 is read even though the count ends before it,
    // but below 31 members beyond the count are not read.
    const CompositeGalaxy& c = tables.composites[0];
    EXPECT_EQ(std::tuple(c.count, c.member[1], c.member[2], c.member[30], c.member[31]),
              std::tuple(31, 1, 31, 30, 31));
    EXPECT_EQ(tables.composites[1].member[1], 0);
}

TEST_F(TemplateTest, NumbersAndNamesFollowTheStoreReadingRules) {
    const struct {
        G g;
        const char* text;
        float expected;
    } cases[] = {{G::HueRed, "2.5", 2},        {G::HueGrn, "3.5", 4},      {G::QG_Force, "2.5", 2.5f},
                 {G::HueBlu, "abc", 100},      {G::NewFrames, "70000", 8}, {G::Radius, " 350 ", 350},
                 {G::RadiusExp, "1e999", 1.4f}};
    std::string text = "[UniGal0]\n_UniGalName=" + std::string(130, 'n') + "\n";
    for (const auto& c : cases)
        text += std::string(kGalaxyDefs[static_cast<int>(c.g)].name) + "=" + c.text + "\n";
    text += "[UniGal1]\n_UniGalName=" + std::string(127, 'k') +
            "\n[CompGal2]\n_CompGalName=" + std::string(128, 'c') + "\n";
    WriteAll(state.currentTemplateFile, text);
    ASSERT_EQ(OpenTemplate(state, source, fields, tables), TemplateStatus::Done);
    for (const auto& c : cases)
        EXPECT_EQ(tables.types[0][c.g], c.expected)
            << kGalaxyDefs[static_cast<int>(c.g)].name << "=" << c.text;
    EXPECT_EQ(std::tuple(tables.types[0].name, tables.types[1].name, tables.composites[2].name),
              std::tuple("< Galaxy Profile 1 >", std::string(127, 'k'), "< Composite Galaxy 3 >"));
}

class ImportTest : public TemplateTest {
  protected:
    MemoryBackend targetBackend;
    SettingsStore target{targetBackend};

    void SetUp() override {
        TemplateTest::SetUp();
        // The target holds different settings everywhere, including the ambient profile.
        GalaxyTables other;
        ApplyFactoryGalaxyTypes(other, 1);
        ApplyFactoryComposites(other, 0);
        UniverseSettings u;
        u[U::AmProf] = 1;
        target.SaveAllSettings(u, other);
        target.WriteText(kSectionGeneral, kResetSettings, "1");
    }
};

TEST_F(ImportTest, ImportStoresEverythingTheFileHolds) {
    Save();
    ASSERT_EQ(ImportTemplateFile(target, state.currentTemplateFile), TemplateStatus::Done);

    UniverseSettings expected = NonDefaultUniverse();
    expected[U::AmProf] = 0; // a saved template does not hold it: the default is stored
    UniverseSettings stored = target.LoadUniverse();
    for (int i = 0; i < kUniverseCount; ++i)
        EXPECT_EQ(stored.value[i], expected.value[i]) << kUniverseDefs[i].name;
    GalaxyTables loaded;
    target.LoadAllGalaxyTypes(loaded);
    target.LoadAllComposites(loaded);
    test::ExpectSameTables(loaded, tables);
    for (int a = 0; a < kAdvancedCount; ++a)
        EXPECT_EQ(target.ReadAdvanced(A{a}), source.ReadAdvanced(A{a}));
    EXPECT_EQ(target.AnimationType(), 0);
    EXPECT_EQ(target.ResetSettings(), 1) << "values a template does not carry stay as they were";
}

TEST_F(ImportTest, ImportOfAnEmptyFileStoresTheDefaultsAndMarksTheSettingsSaved) {
    WriteAll(state.currentTemplateFile, "[General]\nAnimationType=-1\n");
    ASSERT_EQ(ImportTemplateFile(target, state.currentTemplateFile), TemplateStatus::Done);
    UniverseSettings stored = target.LoadUniverse();
    for (int i = 0; i < kUniverseCount; ++i)
        EXPECT_EQ(stored.value[i], static_cast<float>(kUniverseDefs[i].def));
    GalaxyTables loaded;
    target.LoadAllGalaxyTypes(loaded);
    EXPECT_EQ(loaded.types[7].name, "< Galaxy Profile 8 >");
    EXPECT_EQ(target.AnimationType(), 0) << "-1 would make the next saver run discard the imported types";
    EXPECT_FALSE(target.EnsureFactoryGalaxyTypes(loaded));
}

TEST_F(ImportTest, AFailedImportChangesNothingAndSaysWhy) {
    const size_t before = targetBackend.Size();
    const UniverseSettings u = target.LoadUniverse();
    for (const std::string& path : {dir.File("missing.orb"), dir.File(""), std::string()}) {
        EXPECT_EQ(ImportTemplateFile(target, path), TemplateStatus::Unreadable) << path;
        EXPECT_TRUE(targetBackend.Size() == before && target.LoadUniverse().value == u.value) << path;
    }
    Save();
    targetBackend.failWrites = true;
    EXPECT_EQ(ImportTemplateFile(target, state.currentTemplateFile), TemplateStatus::StoreFailed);
}

TEST_F(ImportTest, HostileTemplatesNeverCrashAndLoadValidatedValues) {
    std::string binary;
    std::mt19937 gen(7);
    for (int i = 0; i < 200000; ++i)
        binary.push_back(static_cast<char>(gen()));
    const std::string cases[] = {
        binary,
        "[UniGal0]\n_UniGalName=" + std::string(1 << 20, 'x') + "\nGalaxy_GalStyle=-40000\n",
        std::string(1 << 20, '[') + "\n[CompGal0\n_CompGalCount=99999\n",
        "[CompGal1]\n_CompGalCount=-5\nGalaxyIndex_0=-7\n[CompGal2]\n_CompGalCount=3\nGalaxyIndex_1=1e30\n",
        "[UniGal2]\nGalaxy_Radius=nan\nGalaxy_RadSegs=inf\nGalaxy_ColorMult=1e38\n_UniGalPct=-3\n",
        "[Universe]\nUniverse_Stars=9e99\nUniverse_Profile=77\nUniverse_Tour=0.6\n====\n;x\n[]\n=5\n",
        std::string("[UniGal5]\n_UniGalName=a\0b\n"sv) + "\r\r\n\r[Advanced]\r\nLockMessage=\x01\x02\n",
        std::string(kProfileFileMax + 1000, 'z'),
    };
    for (const std::string& text : cases) {
        WriteAll(state.currentTemplateFile, text);
        UniverseFieldValues opened;
        GalaxyTables loaded;
        EXPECT_EQ(OpenTemplate(state, source, opened, loaded), TemplateStatus::Done);
        EXPECT_EQ(ImportTemplateFile(target, state.currentTemplateFile), TemplateStatus::Done);
        target.LoadAllGalaxyTypes(loaded);
        target.LoadAllComposites(loaded);
        GalaxyTables valid = loaded; // what was loaded is already valid
        for (int slot = 0; slot < kGalaxyTypeSlots; ++slot)
            ValidateGalaxyType(valid.types[slot]);
        for (CompositeGalaxy& c : valid.composites)
            ValidateComposite(c);
        test::ExpectSameTables(valid, loaded);
    }
}

TEST(UniverseFields, StoredValuesShowAsTheDialogShowsThem) {
    MemoryBackend backend;
    SettingsStore store(backend);
    store.WriteText(kSectionUniverse, "Universe_Persist", "0.9975");
    store.WriteText(kSectionUniverse, "Universe_Galaxy", "12.5");
    store.WriteText(kSectionUniverse, "Universe_Tour", "0");
    store.WriteText(kSectionUniverse, "Universe_Profile", "5");
    StoreUniverseFields f(store);
    EXPECT_EQ(std::tuple(f.FieldText(12), f.FieldText(1), f.FieldText(0), f.ProfileIndex()),
              std::tuple("0.9975", "12", "4000", 5));
    EXPECT_FALSE(f.Checked(UniverseCheck::UniTour));
    f.SetProfileIndex(9);
    EXPECT_EQ(f.ProfileIndex(), 5) << "an index the list does not have leaves the selection";
}

TEST(UniverseFields, FieldsReadBackAsTheirLeadingNumberWithoutOverflow) {
    UniverseFieldValues f;
    f.SetFieldText(0, "12abc");    // Universe_Stars
    f.SetFieldText(1, "abc");      // Universe_Galaxy
    f.SetFieldText(2, "99999999"); // Universe_STrail, a 16-bit integer
    f.SetFieldText(12, "1e300");   // Universe_Persist, a single
    f.SetFieldText(11, "2.5");     // Universe_ESteps: halves to even
    f.SetChecked(UniverseCheck::AmbDisp, true);
    f.SetFieldText(kUniverseFieldSlots, "1"); // no box past the last
    EXPECT_EQ(f.FieldText(kUniverseFieldSlots), "");
    UniverseSettings u = ReadUniverseFields(f);
    EXPECT_EQ(std::tuple(u[U::Stars], u[U::Galaxy], u[U::STrail], u[U::Persist], u[U::ESteps], u[U::AmProf]),
              std::tuple(12, 0, 32767, std::numeric_limits<float>::max(), 2, 1));
}

} // namespace
} // namespace orb
