// How the dialogs' text boxes accept keys, step with the arrow keys and their spinners, and are
// clamped when they lose the focus. Window-free: the Qt boxes ask these rules and apply the
// answers, so every dialog edits numbers the same way and the rules are tested without a display.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orb {

// How a box's number is read back and clamped (the numbering is that of ClampTextField).
enum class FieldKind : uint8_t {
    Integer = 0, // whole number, 16-bit
    Real = 1,    // decimal number, single precision
    Long = 2,    // whole number, 32-bit
};

// Which keys a box accepts while typing.
enum class KeyFilter : uint8_t {
    Digits,  // 0 to 9 and Backspace; anything else beeps
    Decimal, // digits, Backspace and one decimal point
    Name,    // anything but the comma, which is dropped without a beep
};

// Everything a numeric box needs to know to be edited.
struct FieldSpec {
    FieldKind kind = FieldKind::Integer; // read and clamp rule
    KeyFilter filter = KeyFilter::Digits;
    double min = 0; // range of the focus-loss clamp, arrow keys and spinner
    double max = 0;
    bool clampOnLeave = true; // false: the range is applied elsewhere (the weight boxes, on Commit)
    int arrowStep = 0;        // Up adds it, Down subtracts it; 0: the arrow keys are ignored
    int spinLength = 0;       // > 0: the box has a spinner and at most this many characters
};

// Backspace as a typed character.
inline constexpr char32_t kBackspace = U'\b';

// ---- keys ----

enum class KeyDecision : uint8_t {
    Accept, // the key goes into the box
    Beep,   // refused with a beep
    Drop,   // refused silently
};

// Digits and Backspace.
KeyDecision DigitsOnlyKey(char32_t key);
// Digits, Backspace and ".": a point is refused when the text already holds one outside the
// selection [selStart, selStart + selLength) (bytes), since the typed point would then be a second.
KeyDecision DecimalKey(std::string_view text, size_t selStart, size_t selLength, char32_t key);
// Name boxes: the comma is dropped (names end up in comma-separated text); all else is accepted.
KeyDecision NameKey(char32_t key);
// The decision of a box's filter.
KeyDecision FilterKey(KeyFilter filter, std::string_view text, size_t selStart, size_t selLength,
                      char32_t key);

// Text inserted at once (pasted or dropped) replacing the selection: each character passes the
// filter as if typed in turn, and the result is cut to maxLength characters (0: no limit; a name
// box is also kept within kNameMaxBytes). Offsets are in bytes of the UTF-8 text.
struct InsertResult {
    std::string text;     // the box's new text
    size_t cursor = 0;    // caret after the inserted part, bytes
    bool refused = false; // a character was refused with a beep (Drop does not count)
};
InsertResult FilterInsertion(KeyFilter filter, std::string_view text, size_t selStart, size_t selLength,
                             std::string_view inserted, size_t maxLength);

// ---- numbers ----

// A box's number: the leading numeric part of "0" + text ("" is 0, ".5" is 0.5, "-5" is 0).
double ReadFieldNumber(std::string_view text);
// A number converted to a kind: integers round halves to even and saturate to 16 or 32 bits;
// reals saturate to the largest single.
double ToKind(double v, FieldKind kind);
// Text of a number of a kind: integers plain decimal, reals the shortest text of the single.
std::string KindText(double v, FieldKind kind);
// Focus loss (ClampTextField): the box's number converted to the kind, clamped into [min, max],
// as text. The lower bound wins an inverted range.
std::string ClampTextField(std::string_view text, FieldKind kind, double min, double max);
// The focus-loss text of a box, or the text unchanged when its fieldSpec does not clamp on leaving.
std::string LeaveFieldText(std::string_view text, const FieldSpec& fieldSpec);

// Arrow keys: the box's number (as its kind) plus step (direction +1) or minus step (-1), never
// beyond the range; nothing when the box ignores the arrow keys.
std::optional<std::string> StepFieldText(std::string_view text, const FieldSpec& fieldSpec, int direction);

// ---- spinners ----

// A spinner's small step: 1 below 101, 5 for 101 to 998, 10 for 999 to 29999, 50 from 30000.
int SpinnerStep(double max);

// SetupSpinField: the box's text clamped as a 16-bit integer into [min, max], and the spinner's
// ends (top = maximum, bottom = minimum), step and the box's character limit.
struct SpinSetup {
    std::string text;  // the box's new text
    int top = 0;       // the spinner's upper end: the maximum
    int bottom = 0;    // its lower end: the minimum
    int step = 1;      // SpinnerStep(max)
    int maxLength = 0; // the box's character limit
};
SpinSetup SetupSpinField(std::string_view text, double min, double max, int maxLength);

// The spinner position that follows a change of its box's text: the box's number rounded to an
// integer; nothing when it lies outside the spinner's ends (the spinner then stays where it is).
std::optional<int> SpinnerValueForText(std::string_view text, int bottom, int top);

// ---- lists and names ----

// FindListIndex: the first entry equal to the text (exact, case-sensitive), or 0 when none is.
int FindListIndex(const std::vector<std::string>& entries, std::string_view text);

// Names are stored as text values that the settings store reads back only below its read buffer:
// a name box holds at most this many bytes of UTF-8.
inline constexpr size_t kNameMaxBytes = 127;
// The longest prefix of the text of at most maxBytes bytes that ends on a whole UTF-8 sequence.
std::string_view CapUtf8(std::string_view text, size_t maxBytes);
// A name as a name box would hold it: commas removed, line breaks as blanks, cut to kNameMaxBytes.
std::string CleanName(std::string_view text);

} // namespace orb
