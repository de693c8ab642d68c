// The property copy frame: one property value written into every galaxy type whose stored
// style takes the property. The 61 items are declared once here; the frame's widgets only
// bind to this table.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/records.h"
#include "settings/setting_defs.h"
#include "ui/properties/galaxy_fields.h"

namespace orb {

// Which value input suits an item.
enum class CopyInput : uint8_t { Box, List, Check };

// Style masks: bit s stands for galaxy style s.
constexpr uint8_t StyleBit(GalaxyStyle s) {
    return static_cast<uint8_t>(1u << static_cast<int>(s));
}
inline constexpr uint8_t kAllStyles = 0xFF;

struct PropCopyItem {
    std::string_view text;      // the item's line in the "Props:" list
    G property;                 // the galaxy property it writes
    CopyInput input;            // box, list or check box
    FieldKind kind;             // box items: how the box reads and clamps
    double min, max;            // box items: the range the box clamps into
    std::string_view rangeText; // box items: caption of the "Value:" label
    uint8_t styles;             // styles whose types receive the value
};

inline constexpr int kPropCopyItemCount = 61;
extern const std::array<PropCopyItem, kPropCopyItemCount> kPropCopyItems;

inline constexpr std::string_view kCopyCheckCaption = "Control Point Loop is Closed?";
inline constexpr std::string_view kCopyNoItem = "Please select a Property to copy.";
inline constexpr std::string_view kCopyNoListValue = "Please select a Property value.";
inline constexpr std::string_view kCopyNoBoxValue = "Please enter a Property value.";

// The texts of a list item's value list (styles, planes, profiles, colour computations);
// empty for the other items.
std::vector<std::string_view> CopyListTexts(int item);

// What the frame's inputs hold when "Copy" is pressed.
struct CopyRequest {
    int item = -1;        // chosen item of the "Props:" list, -1 for none
    int listIndex = -1;   // chosen entry of the value list, -1 for none
    std::string boxText;  // text of the value box
    bool checked = false; // state of the check box
};

// The value to copy, or the message that stops the copy.
struct CopyDecision {
    std::optional<std::string_view> message; // set when the copy stops
    double value = 0;                        // the value, clamped into the item's range
};
CopyDecision DecideCopy(const CopyRequest& request);

// The value-box text clamped into an item's range as the box does when it loses the focus.
std::string ClampCopyBoxText(int item, std::string_view text);

// Bit s set when galaxy-type slot s took the value.
using SlotMask = uint32_t;
constexpr bool SlotTook(SlotMask m, int slot) {
    return slot >= 0 && slot < 32 && ((m >> slot) & 1u);
}

// Write the value into every slot 0..31 whose stored style passes the item's filter (whole
// properties rounded, halves to even). Gives the slots that took it.
SlotMask CopyProperty(GalaxyTables& tables, int item, double value);

// Put a copied value into the galaxy editor's control that shows the property under the editor's
// style, if one does. The caller does this only when the edited slot took the value (its
// fields are stored back into that slot on Return). False when no control shows the property.
bool ShowCopiedValue(GalaxyFields& fields, int style, G property, double value);

} // namespace orb
