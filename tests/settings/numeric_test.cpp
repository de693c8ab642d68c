#include "settings/numeric.h"

#include <gtest/gtest.h>

namespace orb {

TEST(Clamp, LowerBoundWinsForInvertedRange) {
    EXPECT_EQ(ClampInt(5, 10, 1), 10);
    EXPECT_EQ(ClampLong(-7, 0, 100), 0);
    EXPECT_EQ(ClampLong(700000, 0, 99999), 99999);
    EXPECT_FLOAT_EQ(ClampSingle(2.0f, 0.25f, 1.0f), 1.0f);
}

TEST(Nearest, HalvesGoToEven) {
    EXPECT_EQ(NearestInt(2.5), 2);
    EXPECT_EQ(NearestInt(3.5), 4);
    EXPECT_EQ(NearestInt(-2.5), -2);
    EXPECT_EQ(NearestInt(36.5), 36);
    EXPECT_EQ(NearestInt(37.6), 38);
}

TEST(Nearest, SaturatesInsteadOfOverflowing) {
    EXPECT_EQ(NearestInt(70000.0), 32767);
    EXPECT_EQ(NearestInt(-1e30), -32768);
    EXPECT_EQ(NearestLong(1e12), INT32_MAX);
    EXPECT_EQ(NearestInt(std::nan("")), 0);
}

TEST(NumericText, AcceptsPlainDecimalNumbers) {
    for (const char* t : {"0", "12", " 12 ", "-3", "+4", "2.5", ".5", "5.", "1e3", "1.5E-2", "\t7"})
        EXPECT_TRUE(IsNumericText(t)) << t;
}

TEST(NumericText, RejectsEverythingElse) {
    for (const char* t : {"", " ", "abc", "12abc", "1.2.3", "--1", "e5", "1e", "1e+", ".", "1 2", "0x10", "1e999"})
        EXPECT_FALSE(IsNumericText(t)) << t;
}

TEST(NumericText, ParsesIndependentlyOfLocale) {
    EXPECT_DOUBLE_EQ(*ParseNumericText(" 359.85 "), 359.85);
    EXPECT_DOUBLE_EQ(*ParseNumericText("-0.25"), -0.25);
    EXPECT_FALSE(ParseNumericText("1,5").has_value());
}

TEST(ZeroPrefixedValue, ReadsLeadingNumberLikeDialogFields) {
    EXPECT_DOUBLE_EQ(ZeroPrefixedValue("12abc"), 12);
    EXPECT_DOUBLE_EQ(ZeroPrefixedValue("abc"), 0);
    EXPECT_DOUBLE_EQ(ZeroPrefixedValue(""), 0);
    EXPECT_DOUBLE_EQ(ZeroPrefixedValue(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ZeroPrefixedValue("-5"), 0);
    EXPECT_DOUBLE_EQ(ZeroPrefixedValue(" 1 2"), 12);
    EXPECT_DOUBLE_EQ(ZeroPrefixedValue("2e3x"), 2000);
}

TEST(LeadingValue, ReadsWindowHandles) {
    EXPECT_DOUBLE_EQ(LeadingValue(" 1234"), 1234);
    EXPECT_DOUBLE_EQ(LeadingValue(":1234"), 0);
    EXPECT_DOUBLE_EQ(LeadingValue(""), 0);
    EXPECT_DOUBLE_EQ(LeadingValue("-17x"), -17);
}

TEST(CommaField, SplitsTrimsAndAllowsTrailingComma) {
    EXPECT_EQ(CommaField("a, b ,c", 0), "a");
    EXPECT_EQ(CommaField("a, b ,c", 1), "b");
    EXPECT_EQ(CommaField("a, b ,c,", 2), "c");
    EXPECT_EQ(CommaField("a, b ,c,", 3), "");
    EXPECT_EQ(CommaField("a", 7), "");
    EXPECT_EQ(CommaField("", 0), "");
}

TEST(FormatSingle, ShortestTextThatReadsBack) {
    EXPECT_EQ(FormatSingle(0.9975f), "0.9975");
    EXPECT_EQ(FormatSingle(2.5f), "2.5");
    EXPECT_EQ(FormatSingle(300.0f), "300");
    EXPECT_EQ(FormatSingle(0.0001f), "0.0001");
}

} // namespace orb
