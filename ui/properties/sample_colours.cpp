#include "ui/properties/sample_colours.h"

#include "settings/numeric.h"
#include "ui/fields/field_rules.h"

namespace orb {

namespace {
int16_t WholeIn(std::string_view text, double lo, double hi) {
    return NearestInt(ClampRange(ReadFieldNumber(text), lo, hi));
}
} // namespace

uint32_t ChannelSampleColour(SampleChannel channel, std::string_view boxText) {
    const uint32_t level =
        static_cast<uint32_t>(NearestInt(ClampRange(ReadFieldNumber(boxText), 0.0, 100.0) * 2.55));
    switch (channel) {
    case SampleChannel::Red:
        return level;
    case SampleChannel::Green:
        return level << 8;
    case SampleChannel::Blue:
        return level << 16;
    case SampleChannel::Grey:
        return level | (level << 8) | (level << 16);
    }
    return 0;
}

int16_t WheelHueOfText(std::string_view boxText) {
    return WholeIn(boxText, -1.0, 360.0); // anything off 0..359 is shown black by the wheel
}

std::pair<int16_t, int16_t> HueRunOfTexts(std::string_view startText, std::string_view endText) {
    return {WholeIn(startText, 0, 999), WholeIn(endText, 0, 999)};
}

} // namespace orb
