#include "ui/properties/sample_colours.h"

#include <gtest/gtest.h>

namespace orb {
namespace {

TEST(SampleColours, AHueBoxLightsOnlyItsChannelAtTwoPointFiveFiveAPercent) {
    const std::tuple<SampleChannel, const char*, uint32_t> cases[] = {
        // colours 0x00BBGGRR
        {SampleChannel::Red, "100", 0x0000FF},   {SampleChannel::Green, "100", 0x00FF00},
        {SampleChannel::Blue, "100", 0xFF0000},  {SampleChannel::Grey, "100", 0xFFFFFF},
        {SampleChannel::Red, "50", 0x00007F},    // 50 x 2.55 lies just below 127.5 in binary
        {SampleChannel::Grey, "1", 0x030303},    // 2.55 rounds to 3
        {SampleChannel::Green, "250", 0x00FF00}, // clamped to 100
        {SampleChannel::Blue, "", 0x000000},     // an empty box reads 0
        {SampleChannel::Red, "-40", 0x000000},   // "0-40" reads 0
    };
    for (auto [channel, text, colour] : cases)
        EXPECT_EQ(ChannelSampleColour(channel, text), colour) << text;
}

TEST(SampleColours, HueRunsAndWheelHuesReadTheBoxesAsTheRulesDo) {
    using Run = std::pair<int16_t, int16_t>;
    EXPECT_EQ(HueRunOfTexts("170", "270"), Run(170, 270));
    EXPECT_EQ(HueRunOfTexts("", "5000"), Run(0, 999));
    EXPECT_EQ(WheelHueOfText("359.5"), 360) << "rounded, off the wheel: shown black";
    EXPECT_EQ(WheelHueOfText("12abc"), 12);
}

} // namespace
} // namespace orb
