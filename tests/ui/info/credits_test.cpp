#include "ui/info/credits.h"

#include <gtest/gtest.h>

#include <cmath>

#include "settings/numeric.h"

namespace orb {
namespace {

TEST(FormLet, ParametersAreClampedToTheirRanges) {
    // stars, speed, scroll asked for; what the animation gets
    const std::tuple<int16_t, float, float, int16_t, float, float> cases[] = {
        {150, 0.005f, 2.0f, 150, 0.005f, 2.0f},  // the About window's values stand
        {500, 1.0f, 20.0f, 200, 0.25f, 10.0f},   // above
        {0, 0.0f, 0.0f, 10, 0.0025f, 0.5f},      // below
        {-7, NAN, INFINITY, 10, 0.0025f, 10.0f}, // junk never reaches the animation
    };
    for (auto [stars, speed, scroll, wantStars, wantSpeed, wantScroll] : cases) {
        const CreditsParams got = ClampCreditsParams({stars, speed, scroll, {}});
        EXPECT_EQ(got.stars, wantStars);
        EXPECT_FLOAT_EQ(got.speed, wantSpeed);
        EXPECT_FLOAT_EQ(got.scroll, wantScroll);
    }
}

// Dots drawn with exclusive-or: every star must be drawn an even number of times in total
// (erased) plus once where it now is.
TEST(CreditStarField, EachStepErasesTheOldDotAndDrawsTheNewOne) {
    CreditStarField field(20, 0.01f, 7);
    int draws = 0;
    auto count = [&](float x, float y, int w) {
        ++draws;
        EXPECT_TRUE(std::isfinite(x) && std::isfinite(y));
        EXPECT_TRUE(x >= -1 && x <= 1 && y >= -1 && y <= 1) << x << "," << y;
        EXPECT_TRUE(w >= 1 && w <= 50) << w;
    };
    field.Start(count);
    EXPECT_EQ(draws, 20);
    for (int i = 0; i < 300; ++i)
        field.Step(count);
    EXPECT_EQ(draws, 20 + 300 * 40);
}

TEST(CreditStarField, StarsApproachAndRespawnAtTheFarPlane) {
    const std::tuple<float, float, float, float, float> cases[] = {
        // speed, star, depth after a step
        {0.005f, 0.1f, 0.1f, 1.0f, 0.995f},  // moves nearer, stays in view
        {0.01f, 0.001f, 0.0f, 0.025f, 1.0f}, // falls below the bound: respawned in the same frame
        {0.25f, 0.0f, 0.0f, 0.25f, 1.0f},    // reaches depth 0 exactly: respawned, never divided
        {0.25f, 0.0f, 0.0f, 0.1f, 1.0f},     // passes behind the viewer
        {0.005f, 0.9f, 0.0f, 0.9f, 1.0f},    // projects outside the field: respawned
    };
    for (auto [speed, x, y, z, wantZ] : cases) {
        CreditStarField field(1, speed, 3);
        field.Stars()[0] = {x, y, z, x / z, y / z};
        int lastWidth = 0;
        field.Step([&](float, float, int w) { lastWidth = w; });
        const CreditStar& s = field.Stars()[0];
        EXPECT_FLOAT_EQ(s.z, wantZ) << z << " - " << speed;
        EXPECT_TRUE(std::isfinite(s.scrX) && std::isfinite(s.scrY));
        EXPECT_EQ(lastWidth, CreditDotWidth(s.z));
    }
    // The dot grows as the star comes near.
    EXPECT_EQ(CreditDotWidth(1.0f), 1);
    EXPECT_EQ(CreditDotWidth(0.4f), 2); // 2.5 rounds to even
    EXPECT_EQ(CreditDotWidth(0.1f), 10);
    EXPECT_EQ(CreditDotWidth(0.0f), 50); // never infinite
}

// Every character is 6 pixels wide; a line is its point size tall.
class FixedMeasure : public TextMeasure {
  public:
    double Width(std::string_view text, int) const override { return 6.0 * static_cast<double>(text.size()); }
    double Height(std::string_view, int pointSize) const override { return pointSize; }
};

TEST(CreditColumn, LinesTakeTheirSizeAndTreatmentFromTheirKind) {
    const std::vector<std::string> credits = {"Heading:", "     an indented line", " ", "",
                                              "A heading much longer than thirty characters here"};
    using Line = std::tuple<std::string, int, bool>; // text, point size, centred
    std::vector<Line> lines;
    for (const CreditLine& l : BuildCreditLines(credits, false))
        lines.emplace_back(l.text, l.pointSize, l.centred);
    // A spacer before each heading, a blank credit printed like an empty one, a heading cut to 30.
    const std::vector<Line> expected = {
        {"Orbelune", 18, true},    {" ", 8, false},
        {"Version 3.0", 12, true}, {" ", 8, false},
        {"Heading:", 10, true},    {"     an indented line", 8, false},
        {"     ", 8, false},       {"     ", 8, false},
        {" ", 8, false},           {"A heading much longer than thi", 10, true}};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(BuildCreditLines(credits, true)[0].pointSize, 20);
}

TEST(CreditColumn, LayoutWidthAndPositions) {
    FixedMeasure m;
    const std::string longClosing(60, 'x');
    const CreditColumn narrow = LayoutCreditColumn({"Heading:", "     short"}, false, m);
    EXPECT_EQ(narrow.width, 240);
    const CreditColumn wide = LayoutCreditColumn({"Heading:", "     " + longClosing}, false, m);
    EXPECT_EQ(wide.width, 6 * (60 + 8));
    // Title centred with its shadow one pixel either side of the centred place.
    const PlacedCreditLine& title = narrow.lines[0];
    EXPECT_DOUBLE_EQ(title.textX, (240 - 48) / 2.0 - 1);
    EXPECT_DOUBLE_EQ(title.shadowX, (240 - 48) / 2.0 + 1);
    EXPECT_DOUBLE_EQ(title.y, 10);
    const PlacedCreditLine& small = narrow.lines.back();
    EXPECT_DOUBLE_EQ(small.textX, 5);
    EXPECT_DOUBLE_EQ(small.shadowX, 7);
    // Each line moves the next down by 1.2 times its height.
    EXPECT_DOUBLE_EQ(narrow.lines[1].y, 10 + 1.2 * 18);
    EXPECT_GE(narrow.height, small.y + 8);
}

TEST(CreditColumn, ScrollsUpAndRestartsBelowTheFrame) {
    const double column = 500, frame = 300;
    double top = CreditColumnStart(frame);
    EXPECT_EQ(top, 290);
    int frames = 0;
    while (top <= 290 && frames < 10000) {
        const double next = ScrollCreditColumn(top, column, frame, 2.0);
        ++frames;
        if (next > top) {
            EXPECT_LT(top, -column); // restarted only once all of it had passed
            EXPECT_EQ(next, 290);
            break;
        }
        top = next;
    }
    EXPECT_EQ(frames, 397); // 290 + 500 in steps of 2, and one more to pass -500
}

TEST(CreditColumn, OurCreditsFitTheColumnRules) {
    const auto& credits = OrbeluneCredits();
    ASSERT_FALSE(credits.empty());
    for (const std::string& c : credits) {
        const bool heading = !c.empty() && c[0] != ' ';
        EXPECT_LE(heading ? c.size() : TrimBlanks(c).size(), heading ? 30u : 40u) << c;
    }
}

} // namespace
} // namespace orb
