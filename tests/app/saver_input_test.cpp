#include "app/core/saver_input.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace orb {
namespace {

// Returns the index of the move that asked to close, or -1.
int RunMoves(const std::vector<double>& secondsAfterStart, double start = 3600) {
    MouseMoveCounter c;
    for (size_t i = 0; i < secondsAfterStart.size(); ++i)
        if (c.OnMove(start + secondsAfterStart[i])) return static_cast<int>(i);
    return -1;
}

// Moves (seconds after the first) and the one that asks to close, -1 for none. A move more than
// ten seconds after the burst's first clears the burst (a fourth still asks); ten is within it.
TEST(MouseMoveCounter, TheFourthMoveOfABurstEndsTheSaver) {
    const std::pair<std::vector<double>, int> cases[] = {
        {{0, 1, 2, 15}, 3},           {{0, 0, 0, 0}, 3},
        {{0, 1, 15, 16, 17, 18}, -1}, {{0, 1, 15, 16, 17, 18, 19}, 6},
        {{0, 10, 10, 10}, 3},
    };
    for (const auto& [moves, closing] : cases)
        EXPECT_EQ(RunMoves(moves), closing) << testing::PrintToString(moves);
}

TEST(MouseMoveCounter, AfterARefusedCloseMovesCountOnWithoutNewRequests) {
    MouseMoveCounter c;
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(c.OnMove(100 + i));
    EXPECT_TRUE(c.OnMove(103));
    EXPECT_FALSE(c.OnMove(104)); // fifth
    EXPECT_FALSE(c.OnMove(105)); // sixth
    EXPECT_EQ(c.moveCount, 6);
    EXPECT_FALSE(c.OnMove(111)); // clears
    EXPECT_EQ(c.moveCount, 0);
}

TEST(WindowSize, FormatsFiveDigitFields) {
    EXPECT_EQ(FormatWindowSize({1000, 2000, 6400, 4800}), "01000020000640004800");
    EXPECT_EQ(FormatWindowSize({-150, -1, 6400, 4800}), "00000000000640004800");
    EXPECT_EQ(FormatWindowSize({123456, 0, 99999, 100000}), "99999000009999999999");
}

std::array<int32_t, 4> Fields(const WindowPlacement& p) {
    return {p.left, p.top, p.width, p.height};
}

TEST(WindowSize, ParsesFieldsByPosition) {
    EXPECT_EQ(Fields(ParseWindowSize("01000020000640004800").value()), (std::array{1000, 2000, 6400, 4800}));
    EXPECT_EQ(Fields(ParseWindowSize("0100002000").value()), (std::array{1000, 2000, 0, 0}))
        << "a short text";
    EXPECT_EQ(Fields(ParseWindowSize("abcdexyz12").value()), (std::array{0, 0, 0, 0})) << "junk reads as 0";
    EXPECT_FALSE(ParseWindowSize("   "));
}

} // namespace
} // namespace orb
