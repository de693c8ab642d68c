#include "settings/store.h"

#include <gtest/gtest.h>

#include <tuple>

#include "settings/presets.h"

namespace orb {
namespace {

class StoreTest : public ::testing::Test {
  protected:
    MemoryBackend backend;
    SettingsStore store{backend};
    void Put(std::string_view section, std::string_view name, std::string_view text) {
        backend.Write(KeyPath(section), name, text);
    }
};

TEST_F(StoreTest, KeyPathsFollowTheRegistryLayout) {
    EXPECT_EQ(std::tuple(KeyPath("Universe"), GalaxySection(7), CompositeSection(15)),
              std::tuple("SOFTWARE\\Brightquill\\ZEFO_Orbis\\Universe", "Universe\\Galaxy7",
                         "Universe\\CompGal15"));
}

TEST_F(StoreTest, NumericReadsRoundHalvesToEvenOrFallBackToDefault) {
    // 70000 does not fit a 16-bit integer.
    const std::pair<const char*, int16_t> cases[] = {{"2.5", 2}, {"3.5", 4}, {"abc", 100}, {"70000", 100}};
    for (const auto& [text, expected] : cases) {
        Put("Universe", "Galaxy_HueRed", text);
        EXPECT_EQ(store.ReadInteger("Universe", "Galaxy_HueRed", 100), expected) << text;
    }
    EXPECT_EQ(store.ReadLong("Universe", "Galaxy_HueRed", 1), 70000);
    Put("Universe", "Galaxy_HueRed", "3000000000");
    EXPECT_EQ(store.ReadLong("Universe", "Galaxy_HueRed", 1), 1) << "beyond 32 bits";
    EXPECT_EQ(store.ReadInteger("Universe", "Absent", 100), 100);
    Put("Universe", "Galaxy_QG_Force", "2.5");
    EXPECT_FLOAT_EQ(store.ReadReal("Universe", "Galaxy_QG_Force", 5), 2.5f);
}

TEST_F(StoreTest, TextsOf128BytesOrMoreReadAsDefault) {
    Put("Universe\\Galaxy4", "_UniGalName", std::string(127, 'a'));
    Put("Universe\\Galaxy5", "_UniGalName", std::string(128, 'a'));
    Put("Universe\\Galaxy6", "_UniGalName", std::string(130, 'a'));
    GalaxyTables tables;
    store.LoadAllGalaxyTypes(tables);
    EXPECT_EQ(std::tuple(tables.types[4].name, tables.types[5].name, tables.types[6].name),
              std::tuple(std::string(127, 'a'), "< Galaxy Profile 6 >", "< Galaxy Profile 7 >"));
}

TEST_F(StoreTest, WritesTrimBlanksAndNeverStoreLineBreaks) {
    store.WriteText("Universe\\Galaxy0", "_UniGalName", "  Spiral  ");
    EXPECT_EQ(*backend.Read(KeyPath("Universe\\Galaxy0"), "_UniGalName"), "Spiral");
    store.WriteText("Advanced", "LockMessage", "two\nlines");
    EXPECT_EQ(*backend.Read(KeyPath("Advanced"), "LockMessage"), "two lines");
}

TEST_F(StoreTest, NumbersAreWrittenAsShortestText) {
    store.WriteNumber("Universe", "Universe_Persist", 0.9975f, ValueType::Real);
    store.WriteNumber("Universe", "Universe_Stars", 4000, ValueType::Long);
    store.WriteNumber("Universe", "Universe_Galaxy", 2.5, ValueType::Integer);
    const std::string key = KeyPath("Universe");
    EXPECT_EQ(std::tuple(*backend.Read(key, "Universe_Persist"), *backend.Read(key, "Universe_Stars"),
                         *backend.Read(key, "universe_galaxy")),
              std::tuple("0.9975", "4000", "2"));
}

TEST_F(StoreTest, LoadingValidatesGalaxyTypes) {
    Put("Universe\\Galaxy3", "Galaxy_GalStyle", "9");
    Put("Universe\\Galaxy3", "Galaxy_RadFill", "37.6");
    GalaxyTables tables;
    tables.types[3].spinPhase = 2;
    tables.types[kGalaxyTypeSlots].name = "stand-in";
    store.LoadAllGalaxyTypes(tables);
    EXPECT_EQ(tables.types[kGalaxyTypeSlots].name, "stand-in") << "the composites' stand-ins are not stored";
    ASSERT_TRUE(store.SaveAllGalaxyTypes(tables));
    EXPECT_FALSE(backend.Read(KeyPath(GalaxySection(kGalaxyTypeSlots)), "_UniGalName").has_value());
    EXPECT_EQ(std::tuple(tables.types[3][G::GalStyle], tables.types[3][G::RadFill], tables.types[3].spinPhase,
                         tables.types[3].name),
              std::tuple(7, 38, 0, "< Galaxy Profile 4 >"));
}

TEST_F(StoreTest, CompositeCountBeyondMembersLoadsAtMost32AndValidatesTo31) {
    Put("Universe\\CompGal2", "CompGal_Count", "40");
    for (int i = 0; i < 40; ++i)
        Put("Universe\\CompGal2", "CompGal_Type" + std::to_string(i), std::to_string(i % 35));
    GalaxyTables tables;
    store.LoadAllComposites(tables);
    // Position 31 is the last one read, though beyond the count; nothing stored: no members.
    const CompositeGalaxy& c = tables.composites[2];
    EXPECT_EQ(std::tuple(c.count, c.member[30], c.member[31], c.name, tables.composites[3].count),
              std::tuple(31, 30, 31, "< Composite Galaxy 3 >", 0));
}

TEST_F(StoreTest, CompositesRoundTripAndShrinkingLeavesOldMembersStored) {
    GalaxyTables tables;
    ApplyFactoryComposites(tables, 1);
    ASSERT_TRUE(store.SaveAllComposites(tables));
    EXPECT_FALSE(backend.Read(KeyPath("Universe\\CompGal0"), "CompGal_Type31").has_value())
        << "beyond the count";
    tables.composites[13].count = 2;
    store.SaveAllComposites(tables);
    EXPECT_TRUE(backend.Read(KeyPath("Universe\\CompGal13"), "CompGal_Type6").has_value());
    GalaxyTables loaded;
    store.LoadAllComposites(loaded);
    EXPECT_EQ(std::tuple(loaded.composites[13].count, loaded.composites[0].name, loaded.composites[0].count,
                         loaded.composites[0].member[5]),
              std::tuple(2, "Nested Rings / Solid Core", 6, 25));
}

TEST_F(StoreTest, UniverseValuesReadWithDefaultsAndSaveAllMarksAnimationType) {
    EXPECT_EQ(store.LoadUniverse()[U::Stars], 4000);
    UniverseSettings u;
    u[U::Stars] = 30000;
    u[U::Persist] = 0.5f;
    GalaxyTables tables;
    EXPECT_EQ(store.AnimationType(), -1);
    ASSERT_TRUE(store.SaveAllSettings(u, tables));
    EXPECT_EQ(store.AnimationType(), 0);
    EXPECT_EQ(store.LoadUniverse().value, u.value);
}

TEST_F(StoreTest, FirstSaverRunWritesOnlyTheFactoryGalaxyTypes) {
    GalaxyTables tables;
    EXPECT_TRUE(store.EnsureFactoryGalaxyTypes(tables));
    EXPECT_EQ(backend.Size(), 32u * 48u);
    EXPECT_EQ(store.AnimationType(), -1); // so the next saver run writes them again
    EXPECT_EQ(store.ReadText("Universe\\Galaxy0", "_UniGalName", ""), "Standard Galaxy");
    EXPECT_TRUE(store.EnsureFactoryGalaxyTypes(tables));
    store.WriteNumber(kSectionGeneral, kAnimationType, 0, ValueType::Integer);
    EXPECT_FALSE(store.EnsureFactoryGalaxyTypes(tables));
}

TEST_F(StoreTest, FactoryAdvancedValuesAreWrittenAndRefusedWritesReported) {
    ASSERT_TRUE(store.WriteFactoryAdvanced());
    EXPECT_EQ(backend.Size(), 8u);
    EXPECT_EQ(std::tuple(*backend.Read(KeyPath("Advanced"), "FocalLength"),
                         *backend.Read(KeyPath("Advanced"), "Adv_FontName")),
              std::tuple("1.0", "MS Sans Serif"));
    backend.failWrites = true;
    GalaxyTables tables;
    EXPECT_EQ(std::tuple(store.SaveAllGalaxyTypes(tables), store.SaveAllComposites(tables),
                         store.SaveUniverse({}), store.SaveAllSettings({}, tables),
                         store.WriteFactoryAdvanced()),
              std::tuple(false, false, false, false, false));
    EXPECT_FALSE(MemoryBackend().Snapshot()->Write("K", "V", "1")) << "a snapshot is only read";
}

} // namespace
} // namespace orb
