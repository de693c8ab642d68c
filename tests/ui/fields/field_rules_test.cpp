#include "ui/fields/field_rules.h"

#include <gtest/gtest.h>

namespace orb {
namespace {

using namespace std::literals;
constexpr auto kAccept = KeyDecision::Accept;
constexpr auto kBeep = KeyDecision::Beep;
constexpr auto kDrop = KeyDecision::Drop;
constexpr auto kDigits = KeyFilter::Digits;
constexpr auto kDecimal = KeyFilter::Decimal;
constexpr auto kName = KeyFilter::Name;

TEST(FieldRules, TypedKeys) {
    // filter, text, selection start and length, key typed, decision
    const std::tuple<KeyFilter, std::string_view, size_t, size_t, char32_t, KeyDecision> cases[] = {
        {kDigits, "123", 3, 0, U'.', kBeep}, // a point in an integer box
        {kDigits, "", 0, 0, U'7', kAccept},
        {kDigits, "1", 1, 0, kBackspace, kAccept},
        {kDigits, "1", 1, 0, U'-', kBeep},
        {kDigits, "1", 1, 0, U'a', kBeep},
        {kDecimal, "0.9", 3, 0, U'.', kBeep},   // a second point
        {kDecimal, "0.9", 0, 3, U'.', kAccept}, // the whole text selected
        {kDecimal, "0.9", 1, 1, U'.', kAccept}, // only the point selected
        {kDecimal, "0.9", 2, 1, U'.', kBeep},   // the point lies outside the selection
        {kDecimal, "0.9", 0, 1, U'.', kBeep},
        {kDecimal, "12", 2, 0, U'.', kAccept},
        {kDecimal, "12", 2, 0, U'5', kAccept},
        {kDecimal, "12", 2, 0, kBackspace, kAccept},
        {kDecimal, "12", 2, 0, U',', kBeep},
        {kDecimal, "1.2", 9, 9, U'.', kBeep}, // a selection past the end is cut to the text
        {kName, "ab", 2, 0, U',', kDrop},
        {kName, "ab", 2, 0, U'.', kAccept},
        {kName, "ab", 2, 0, U'\u00e9', kAccept},
    };
    for (const auto& [filter, text, selStart, selLength, key, expected] : cases)
        EXPECT_EQ(FilterKey(filter, text, selStart, selLength, key), expected)
            << "text '" << text << "' key " << static_cast<uint32_t>(key);
}

TEST(FieldRules, InsertedTextPassesTheFilterCharacterByCharacter) {
    const std::string twenty = "12345678901234567890";
    // filter, text, selection start and length, text inserted, character limit (0: none); the text
    // after, the cursor after, whether a character was refused
    using S = std::string_view;
    const std::tuple<KeyFilter, S, size_t, size_t, S, size_t, S, size_t, bool> cases[] = {
        {kDigits, "", 0, 0, "-5", 0, "5", 1, true},
        {kDigits, "", 0, 0, "12abc", 0, "12", 2, true},
        {kDigits, "99", 0, 2, twenty, 0, twenty, 20, false},
        {kDigits, "", 0, 0, "1234567", 5, "12345", 5, false},
        {kDigits, "19", 1, 0, "2\n", 0, "129", 2, true},
        {kDigits, "123", 0, 3, "a4", 0, "4", 1, true}, // a refused key leaves the selection for the next
        {kDigits, "123", 0, 3, "ab", 0, "123", 0, true},
        {kDecimal, "0.9", 3, 0, "1.5", 0, "0.915", 5, true},
        {kDecimal, "0.9", 0, 3, "1.5", 0, "1.5", 3, false},
        {kDecimal, "", 0, 0, "1.2.3", 0, "1.23", 4, true},
        {kName, "ab", 2, 0, "c,d", 0, "abcd", 4, false},
        {kName, "ab", 1, 0, "x\ny", 0, "ax yb", 4, false},
        {kName, "", 0, 0, "\x01z", 0, "z", 1, false},
        {kName, "", 0, 0, "\U0001F600,", 0, "\U0001F600", 4, false}, // a comma right after a 4-byte character
        {kName, "", 0, 0, "\u661f,", 0, "\u661f", 3, false},         // and after a 3-byte one
    };
    for (const auto& [filter, text, selStart, selLength, inserted, limit, after, cursor, refused] : cases) {
        const InsertResult r = FilterInsertion(filter, text, selStart, selLength, inserted, limit);
        EXPECT_EQ(std::tuple(S(r.text), r.cursor, r.refused), std::tuple(after, cursor, refused))
            << "pasting '" << inserted << "' into '" << text << "'";
    }
}

TEST(FieldRules, NamesAreCutOnWholeCharactersWithinWhatTheStoreReadsBack) {
    std::string accents;
    for (int i = 0; i < 200; ++i)
        accents += "\u00e9"; // two bytes each
    const InsertResult r = FilterInsertion(kName, "", 0, 0, accents, 0);
    EXPECT_EQ(r.text.size(), 126u); // 63 whole characters: a 64th would pass 127 bytes
    EXPECT_EQ(r.text, std::string(CapUtf8(accents, kNameMaxBytes)));
    EXPECT_EQ((std::vector{CapUtf8("a\u00e9", 2), CapUtf8("a\u00e9", 3), CapUtf8("\U0001F600\U0001F600", 7),
                           CapUtf8("abc", 0)}),
              (std::vector<std::string_view>{"a", "a\u00e9", "\U0001F600", ""}));
    EXPECT_EQ(CleanName("Spiral, Arms\nTwo"), "Spiral Arms Two");
    EXPECT_EQ(CleanName(std::string(300, 'x')).size(), kNameMaxBytes);
}

TEST(FieldRules, FocusLossClampsByKind) {
    const std::string twenty(20, '9');
    const std::tuple<std::string_view, FieldKind, double, double, std::string_view> cases[] = {
        {"1.5", FieldKind::Real, 0.1, 0.9999, "0.9999"}, // txtGalaxy(45)
        {"", FieldKind::Real, 0.1, 0.9999, "0.1"},
        {".5", FieldKind::Real, 0.1, 0.9999, "0.5"},
        {"-5", FieldKind::Real, 0.1, 0.9999, "0.1"}, // "0-5" reads 0
        {"0.99990001", FieldKind::Real, 0.1, 0.9999, "0.9999"},
        {"12abc", FieldKind::Integer, 1, 99, "12"},
        {"2.5", FieldKind::Integer, 0, 100, "2"}, // halves to even
        {"3.5", FieldKind::Integer, 0, 100, "4"},
        {twenty, FieldKind::Integer, 1, 99, "99"},
        {twenty, FieldKind::Long, 0, 999999, "999999"},
        {"123456", FieldKind::Long, 10, 30000, "30000"},
        {"70000", FieldKind::Long, 0, 99999, "70000"}, // beyond 16 bits but a long
        {"7", FieldKind::Integer, 10, 5, "10"},        // an inverted range: the minimum wins
        {"abc", FieldKind::Integer, 1, 9999, "1"},
    };
    for (const auto& [text, kind, min, max, expected] : cases)
        EXPECT_EQ(ClampTextField(text, kind, min, max), expected) << "'" << text << "'";
}

TEST(FieldRules, ArrowKeysStepWithinTheRange) {
    const FieldSpec stars{FieldKind::Long, kDigits, 10, 30000, true, 10, 5};
    const FieldSpec trail{FieldKind::Integer, kDigits, 1, 99, true, 1, 2};
    const FieldSpec persist{FieldKind::Real, kDecimal, 0.25, 1, true, 0, 0};
    const std::tuple<const FieldSpec*, std::string_view, int, std::optional<std::string>> cases[] = {
        {&stars, "29995", +1, "30000"}, {&stars, "15", -1, "10"},
        {&stars, "100", +1, "110"},     {&stars, "99999", -1, "30000"},
        {&stars, "", +1, "10"},         {&trail, "1", -1, "1"},
        {&trail, "7.5", +1, "9"},       {&persist, "0.5", +1, std::nullopt},
    };
    for (const auto& [fieldSpec, text, direction, expected] : cases)
        EXPECT_EQ(StepFieldText(text, *fieldSpec, direction), expected) << text << " " << direction;
}

TEST(FieldRules, SpinnerStepFollowsTheMaximum) {
    const std::pair<double, int> cases[] = {{60, 1},   {100, 1},   {101, 5},    {998, 5},
                                            {999, 10}, {9999, 10}, {29999, 10}, {30000, 50}};
    for (auto [max, step] : cases)
        EXPECT_EQ(SpinnerStep(max), step) << max;
}

TEST(FieldRules, SpinFieldsClampTheTextAsAnIntegerAndFollowItWithinTheirEnds) {
    const std::tuple<std::string_view, double, double, std::string_view> cases[] = {
        {"123.6", 0, 100, "100"},     {"55.5", 0, 100, "56"}, {"abc", 1, 99, "1"},
        {"70000", 0, 30000, "30000"}, {"-3", 1, 30000, "1"},  {"0.4", 0, 360, "0"},
    };
    for (const auto& [text, min, max, expected] : cases)
        EXPECT_EQ(SetupSpinField(text, min, max, 3).text, expected) << text;
    const SpinSetup s = SetupSpinField("5", 1, 30000, 5);
    EXPECT_EQ(std::tuple(s.top, s.bottom, s.step, s.maxLength), std::tuple(30000, 1, 50, 5));
    EXPECT_EQ((std::vector{SpinnerValueForText("50", 0, 100), SpinnerValueForText("99.6", 0, 100),
                           SpinnerValueForText("150", 0, 100), SpinnerValueForText("", 1, 99)}),
              (std::vector<std::optional<int>>{50, 100, std::nullopt, std::nullopt}));
}

TEST(FieldRules, FindListIndexIsExactAndFallsBackToTheFirstEntry) {
    const std::vector<std::string> fonts{"DejaVu Sans", "Liberation Serif", "dejavu sans mono",
                                         "Liberation Serif"};
    // Case matters ("dejavu sans" does not match); of equal entries the first is found.
    EXPECT_EQ((std::vector{FindListIndex(fonts, "Liberation Serif"), FindListIndex(fonts, "dejavu sans"),
                           FindListIndex(fonts, "Liberation"), FindListIndex({}, "x"),
                           FindListIndex({"a", "b", "a"}, "a")}),
              (std::vector{1, 0, 0, 0, 0}));
}

} // namespace
} // namespace orb
