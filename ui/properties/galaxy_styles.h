// What the galaxy editor shows for each galaxy style: the captions of the labels that change,
// the fields it hides, and the ranges of the boxes whose meaning the style decides.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "ui/fields/field_rules.h"

namespace orb {

// The labels of the galaxy editor that a style may recaption, named by the boxes they label.
enum class GalaxyLabel : uint8_t {
    RadiusRotation, // boxes 0 and 1
    Distance,       // box 2 and the axial plane list
    Box3And4,
    Box5And6,
    Box90,
    Box91,
    Box92,
    Box93,
};
inline constexpr int kGalaxyLabelCount = 8;

// Captions every style starts from (the Standard style keeps them all).
extern const std::array<std::string_view, kGalaxyLabelCount> kStandardCaptions;

// Controls a style can hide (bits of StyleView::hidden). A hidden box hides its own label where
// the label is its alone (boxes 5, 91, 92 and the profile list); the label of boxes 5 and 6 goes
// only when both are hidden.
enum GalaxyHide : uint32_t {
    kHideBox5 = 1u << 0,       // txtGalaxy(5) and its label
    kHideBox6 = 1u << 1,       // txtGalaxy(6)
    kHideProfile = 1u << 2,    // cboGalProfile, its label and picGalProfile
    kHideBox91 = 1u << 3,      // txtGalaxy(91) and its label
    kHideBox92 = 1u << 4,      // txtGalaxy(92) and its label
    kHideCpClosed = 1u << 5,   // chkCP_Closed
    kHideBox8 = 1u << 6,       // txtGalaxy(8)
    kHideColourList = 1u << 7, // cboGalColor (lblNebulaColorCycles shows in its place)
};

// A spinner range with the box's character limit.
struct SpinRange {
    int min = 0;
    int max = 0;
    int length = 0; // the box's maximum text length
};

struct StyleView {
    std::array<std::string_view, kGalaxyLabelCount> captions; // every label's caption, by GalaxyLabel
    uint32_t hidden = 0;                                      // GalaxyHide bits
    std::array<SpinRange, 4> boxes3to6;                       // spinner ranges of txtGalaxy(3)..(6)
    SpinRange box93;                                          // range of txtGalaxy(93) (no spinner)
};

// The view of a style; a style outside 0..7 is clamped into it first.
const StyleView& StyleViewOf(int style);

// Caption of lblNebulaColorCycles, shown in place of the colour list for the Nebula style.
inline constexpr std::string_view kNebulaColourCaption = "Nebula Hue Wheel Cycling Offset  (0 - 30000):";

} // namespace orb
