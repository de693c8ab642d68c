#include "ui/advanced/advanced_form.h"

#include <gtest/gtest.h>

#include "engine/creation/colour.h"

namespace orb {
namespace {

class AdvancedFormTest : public ::testing::Test {
  protected:
    MemoryBackend backend;
    SettingsStore store{backend};
    void Store(A a, std::string_view text) { store.WriteText(kSectionAdvanced, Def(a).name, text); }
    std::string Stored(A a) { return store.ReadText(kSectionAdvanced, Def(a).name, "<absent>"); }
};

TEST_F(AdvancedFormTest, StoredNumbersShowClampedWithoutOverflowAndARefusingStoreIsReported) {
    EXPECT_EQ(LoadAdvancedForm(store), DefaultAdvancedForm()); // an empty store
    const std::tuple<A, std::string_view, std::string_view> cases[] = {
        // value, stored, shown
        {A::TimeDelay, "70000", "999"}, // beyond 16 bits: saturated, then clamped
        {A::TimeDelay, "-70000", "0"},  {A::TimeDelay, "45", "45"},   {A::FontSize, "5", "10"},
        {A::FontSize, "", "10"},        {A::FontHueV, "1e9", "359"},  {A::FocalLength, "12.5", "10"},
        {A::FocalLength, ".5", "0.5"},  {A::FocalLength, "", "0.01"},
    };
    for (auto [value, stored, shown] : cases) {
        SCOPED_TRACE(stored);
        Store(value, stored);
        const AdvancedForm f = LoadAdvancedForm(store);
        EXPECT_EQ(value == A::FocalLength ? f.focalLength
                  : value == A::TimeDelay ? f.number[0]
                  : value == A::FontSize  ? f.number[1]
                                          : f.number[2],
                  shown);
        ASSERT_TRUE(SaveAdvancedForm(store, f));
        EXPECT_EQ(Stored(value), shown);
    }
    backend.failWrites = true;
    EXPECT_FALSE(SaveAdvancedForm(store, DefaultAdvancedForm()));
}

// The boxes hold their field rules (the number box's own test shows a box steps and limits by its rule).
TEST(AdvancedNumbers, TheHueStepsByFiveAndTheDelayStopsAt999InThreeCharacters) {
    const FieldSpec& hue = kAdvancedNumbers[static_cast<int>(AdvancedNumber::Hue)].fieldSpec;
    const FieldSpec& delay = kAdvancedNumbers[static_cast<int>(AdvancedNumber::Delay)].fieldSpec;
    EXPECT_EQ(StepFieldText("180", hue, -1), "175");
    EXPECT_EQ(StepFieldText("995", delay, +1), "999");
    EXPECT_EQ(delay.spinLength, 3);
}

TEST(AdvancedMessage, LimitedToFiftyCharactersAndWhatTheStoreReadsBack) {
    auto times = [](std::string_view s, int n) {
        std::string r;
        for (int i = 0; i < n; ++i)
            r += s;
        return r;
    };
    EXPECT_EQ(LimitMessage(std::string(60, 'a')), std::string(50, 'a'));
    EXPECT_EQ(LimitMessage(times("Ж", 60)).size(), 100u); // two bytes each: 50 characters fit
    const std::string many = times("星", 50);             // three bytes: 50 of them would not read back
    const std::string limited = LimitMessage(many);
    EXPECT_LT(limited.size(), kStoreReadBuffer);
    EXPECT_EQ(limited.size() % 3, 0u); // never cut inside a character
    MemoryBackend backend;
    SettingsStore store(backend);
    AdvancedForm f = DefaultAdvancedForm();
    f.message = many;
    ASSERT_TRUE(SaveAdvancedForm(store, f));
    EXPECT_EQ(store.ReadAdvanced(A::LockMessage), limited);
}

} // namespace
} // namespace orb
