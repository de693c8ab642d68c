// The colours of the galaxy editor's and universe page's small samples, from the texts of the
// boxes they follow.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>

namespace orb {

// Which channels a hue box's sample lights: txtPixHue(0..2) red, green or blue alone,
// txtPixHue(3) all three (grey).
enum class SampleChannel : uint8_t { Red, Green, Blue, Grey };

// The sample colour (0x00BBGGRR) of a hue box: the box's number clamped to 0..100, times 2.55,
// rounded, in the channel(s) it lights; the others 0.
uint32_t ChannelSampleColour(SampleChannel channel, std::string_view boxText);

// The hue of a hue-wheel box (txtGalaxy(95)) as the wheel takes it: its number rounded;
// a number off the wheel gives a hue the wheel shows black.
int16_t WheelHueOfText(std::string_view boxText);

// Start and end of a hue run sample (picColUni, picColNova): the two boxes' numbers clamped to
// 0..999 and rounded.
std::pair<int16_t, int16_t> HueRunOfTexts(std::string_view startText, std::string_view endText);

} // namespace orb
