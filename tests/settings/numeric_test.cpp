#include "settings/numeric.h"

#include <gtest/gtest.h>

#include <tuple>

namespace orb {

TEST(Clamp, LowerBoundWinsForInvertedRange) {
    EXPECT_EQ(std::tuple(ClampInt(5, 10, 1), ClampLong(-7, 0, 100), ClampLong(700000, 0, 99999)),
              std::tuple(10, 0, 99999));
    EXPECT_FLOAT_EQ(ClampSingle(2.0f, 0.25f, 1.0f), 1.0f);
}

TEST(Nearest, HalvesGoToEvenAndOutOfRangeSaturates) {
    const std::pair<double, int16_t> cases[] = {{2.5, 2},        {3.5, 4},         {-2.5, -2},
                                                {36.5, 36},      {37.6, 38},       {70000.0, 32767},
                                                {-1e30, -32768}, {std::nan(""), 0}};
    for (const auto& [v, expected] : cases)
        EXPECT_EQ(NearestInt(v), expected) << v;
    EXPECT_EQ(NearestLong(1e12), INT32_MAX);
}

TEST(NumericText, AcceptsPlainDecimalNumbersOnly) {
    for (const char* t : {"0", "12", " 12 ", "-3", "+4", "2.5", ".5", "5.", "1e3", "1.5E-2", "\t7"})
        EXPECT_TRUE(IsNumericText(t)) << t;
    for (const char* t :
         {"", " ", "abc", "12abc", "1.2.3", "--1", "e5", "1e", "1e+", ".", "1 2", "0x10", "1e999"})
        EXPECT_FALSE(IsNumericText(t)) << t;
}

TEST(NumericText, ParsesIndependentlyOfLocale) {
    EXPECT_DOUBLE_EQ(*ParseNumericText(" 359.85 "), 359.85);
    EXPECT_DOUBLE_EQ(*ParseNumericText("-0.25"), -0.25);
    EXPECT_FALSE(ParseNumericText("1,5").has_value());
}

TEST(LeadingNumber, DialogFieldsAndWindowHandlesReadTheirLeadingNumber) {
    // A dialog field reads as "0" + text, so a minus ends it; blanks are skipped.
    const std::pair<const char*, double> fields[] = {{"12abc", 12}, {"abc", 0},   {"", 0},       {".5", 0.5},
                                                     {"-5", 0},     {" 1 2", 12}, {"2e3x", 2000}};
    for (const auto& [text, v] : fields)
        EXPECT_DOUBLE_EQ(ZeroPrefixedValue(text), v) << '"' << text << '"';
    const std::pair<const char*, double> handles[] = {{" 1234", 1234}, {":1234", 0}, {"", 0}, {"-17x", -17}};
    for (const auto& [text, v] : handles)
        EXPECT_DOUBLE_EQ(LeadingValue(text), v) << '"' << text << '"';
}

TEST(CommaField, SplitsTrimsAndAllowsTrailingComma) {
    EXPECT_EQ(std::tuple(CommaField("a, b ,c", 0), CommaField("a, b ,c", 1), CommaField("a, b ,c,", 2)),
              std::tuple("a", "b", "c"));
    EXPECT_TRUE(CommaField("a, b ,c,", 3).empty() && CommaField("a", 7).empty() && CommaField("", 0).empty());
}

TEST(FormatSingle, ShortestTextThatReadsBack) {
    const std::pair<float, const char*> cases[] = {
        {0.9975f, "0.9975"}, {2.5f, "2.5"}, {300.0f, "300"}, {0.0001f, "0.0001"}};
    for (const auto& [v, text] : cases)
        EXPECT_EQ(FormatSingle(v), text);
}

} // namespace orb
