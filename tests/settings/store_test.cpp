#include "settings/store.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(KeyPath("Universe"), "SOFTWARE\\Brightquill\\ZEFO_Orbis\\Universe");
    EXPECT_EQ(GalaxySection(7), "Universe\\Galaxy7");
    EXPECT_EQ(CompositeSection(15), "Universe\\CompGal15");
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
    EXPECT_EQ(tables.types[4].name, std::string(127, 'a'));
    EXPECT_EQ(tables.types[5].name, "< Galaxy Profile 6 >");
    EXPECT_EQ(tables.types[6].name, "< Galaxy Profile 7 >");
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
    EXPECT_EQ(*backend.Read(KeyPath("Universe"), "Universe_Persist"), "0.9975");
    EXPECT_EQ(*backend.Read(KeyPath("Universe"), "Universe_Stars"), "4000");
    EXPECT_EQ(*backend.Read(KeyPath("Universe"), "universe_galaxy"), "2");
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
    EXPECT_EQ(tables.types[3][G::GalStyle], 7);
    EXPECT_EQ(tables.types[3][G::RadFill], 38);
    EXPECT_EQ(tables.types[3].spinPhase, 0);
    EXPECT_EQ(tables.types[3].name, "< Galaxy Profile 4 >");
}

TEST_F(StoreTest, CompositeCountBeyondMembersLoadsAtMost32AndValidatesTo31) {
    Put("Universe\\CompGal2", "CompGal_Count", "40");
    for (int i = 0; i < 40; ++i)
        Put("Universe\\CompGal2", "CompGal_Type" + std::to_string(i), std::to_string(i % 35));
    GalaxyTables tables;
    store.LoadAllComposites(tables);
    const CompositeGalaxy& c = tables.composites[2];
    EXPECT_EQ(c.count, 31);
    EXPECT_EQ(c.member[30], 30);
    EXPECT_EQ(c.member[31], 31); // read (position 31 is the last one read) but beyond the count
    EXPECT_EQ(c.name, "< Composite Galaxy 3 >");
    EXPECT_EQ(tables.composites[3].count, 0) << "nothing stored: no members";
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
    EXPECT_EQ(loaded.composites[13].count, 2);
    EXPECT_EQ(loaded.composites[0].name, "Nested Rings / Solid Core");
    EXPECT_EQ(loaded.composites[0].count, 6);
    EXPECT_EQ(loaded.composites[0].member[5], 25);
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
    UniverseSettings back = store.LoadUniverse();
    EXPECT_EQ(back[U::Stars], 30000);
    EXPECT_FLOAT_EQ(back[U::Persist], 0.5f);
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
    EXPECT_EQ(*backend.Read(KeyPath("Advanced"), "FocalLength"), "1.0");
    EXPECT_EQ(*backend.Read(KeyPath("Advanced"), "Adv_FontName"), "MS Sans Serif");
    backend.failWrites = true;
    GalaxyTables tables;
    EXPECT_FALSE(store.SaveAllGalaxyTypes(tables));
    EXPECT_FALSE(store.WriteFactoryAdvanced());
}

} // namespace
} // namespace orb
