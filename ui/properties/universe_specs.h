// How the universe boxes (txtUni) are edited, joined to the universe bindings of the settings
// code: the value a box shows gives its kind and range, this table adds the arrow step and the
// spinner. Also the universe "Theme:" list.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "settings/universe_fields.h"
#include "ui/fields/field_rules.h"

namespace orb {

// The universe boxes that step with the arrow keys or carry a spinner.
struct UniverseBoxExtra {
    int index;      // txtUni index
    int arrowStep;  // Up/Down step
    int spinLength; // character limit of the box with its spinner
};
extern const std::array<UniverseBoxExtra, 5> kUniverseBoxExtras;

// The editing rules of txtUni(index): kind and range from the value it shows (longs, integers and
// reals), the key filter of the kind, arrow step and spinner; nothing for an index with no box.
std::optional<FieldSpec> UniverseFieldSpec(int index);

// Every universe box given its focus-loss text, as if each had had the focus and lost it: values
// stored out of range show (and are saved) clamped.
void ClampUniverseFields(UniverseFields& fields);

// The weight boxes txtUniGalPct and txtCompGalPct: digits, 0..9999 applied on Commit, step 1,
// spinner with 4 characters.
extern const FieldSpec kWeightFieldSpec;
// The reset-percent boxes txtResetGalPct and txtResetCompPct: digits only.
extern const FieldSpec kResetPctFieldSpec;
// The name boxes txtUniGalName and txtCompGalName.
extern const FieldSpec kNameFieldSpec;

// The universe "Theme:" list: item k (1..8) puts theme k into the fields, in its variant for the
// "2.0" set when v20 is set; item 0 ("< NONE >") and others do nothing. True when the fields changed.
bool LoadUniverseTheme(int item, bool v20, UniverseFields& fields);
// Entries of the universe "Theme:" list: "< NONE >" and the 8 theme names.
std::array<std::string, 9> UniverseThemeItems();

} // namespace orb
