// The Advanced settings dialog's rules: its eight values as the controls hold them, loading them
// from the store, the Defaults button, and what OK writes. Window-free; the dialog binds to it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/setting_defs.h"
#include "settings/store.h"
#include "ui/fields/field_rules.h"

namespace orb {

// The three number boxes with spinners, txtAdv(0) to txtAdv(2).
enum class AdvancedNumber : int { Delay = 0, Size = 1, Hue = 2 };
inline constexpr int kAdvancedNumberCount = 3;

struct AdvancedNumberField {
    A value;                // the stored value it edits
    std::string_view label; // its label
    FieldSpec fieldSpec;         // integer, digits only, range, arrow step, spinner length
};
extern const std::array<AdvancedNumberField, kAdvancedNumberCount> kAdvancedNumbers;

// The focal length box: digits and one point, at most 6 characters, 0.01 to 10.0 as a single.
extern const FieldSpec kFocalLengthSpec;
inline constexpr int kFocalLengthMaxLength = 6;
// The message: at most 50 characters, and never more bytes than the store reads back.
inline constexpr size_t kMessageMaxChars = 50;

// What the dialog's controls hold.
struct AdvancedForm {
    std::array<std::string, kAdvancedNumberCount> number; // txtAdv(0..2): delay, size, hue
    std::string focalLength;                              // txtFocalLen
    std::string message;                                  // txtMessage (UTF-8)
    std::string fontName;                                 // cboFont's current entry
    bool winResize = false;                               // chkResize
    bool mouseMove = false;                               // chkMouseM
    bool operator==(const AdvancedForm&) const = default;
};

// The "&Defaults" button's values (the factory values).
AdvancedForm DefaultAdvancedForm();
// The stored values (defaults where absent), numbers clamped into their ranges as OK would save
// them (so the boxes and spinners agree), the message limited as the box limits it.
AdvancedForm LoadAdvancedForm(SettingsStore& store);
// Every value as OK writes it: numbers clamped (saturated first, so no number overflows past
// the clamp), focal length and message trimmed.
AdvancedForm ClampedAdvancedForm(const AdvancedForm& form);
// The focal length box's clamp (on leaving it and on OK): into 0.01..10 as a single, keeping a
// text that already states its value from its first digit ("1.0" stays, ".5" becomes "0.5").
std::string ClampFocalLengthText(std::string_view text);
// OK: the eight clamped values in one store batch, in the table's order. False when the store
// refused them.
bool SaveAdvancedForm(SettingsStore& store, const AdvancedForm& form);
inline constexpr std::string_view kAdvancedNotSaved = "The Advanced Settings could not be saved.";

// The message cut to kMessageMaxChars characters and to what the store reads back, never
// inside a UTF-8 sequence.
std::string LimitMessage(std::string_view text);

// Colour of the hue swatch and of the message text for the hue box's text.
uint32_t HueSwatchColour(std::string_view hueText);

// The font list: the screen's fonts in their order, plus the wanted name when the screen has
// no such font (kept, so OK does not replace a stored font by another), and the entry to select.
struct FontChoices {
    std::vector<std::string> entries;
    int selected = 0;
};
FontChoices FontChoicesFor(std::vector<std::string> screenFonts, std::string_view wanted);

} // namespace orb
