// Names and weights of the galaxy types and the composites: "Commit" of the selected line and
// "Reset %" of all lines. The same rules serve both lists.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/records.h"
#include "ui/fields/messages.h"
#include "ui/properties/list_lines.h"

namespace orb {

enum class WeightedTable : uint8_t {
    GalaxyTypes, // the 32 galaxy types, lstUniGalaxy
    Composites,  // the 16 composites, lstCompGalaxy
};

// Slots of a table: 32 or 16.
int WeightedCount(WeightedTable table);
// Name shown for a slot: its name; an empty composite name shows as "< Galaxy Composite n >".
std::string ShownName(const GalaxyTables& tables, WeightedTable table, int slot);
int16_t SlotWeight(const GalaxyTables& tables, WeightedTable table, int slot);
// The list line of a slot.
std::string WeightLine(const GalaxyTables& tables, WeightedTable table, int slot, const TextWidth& width);
// Every line of a table, slot 0 first.
std::vector<std::string> WeightLines(const GalaxyTables& tables, WeightedTable table, const TextWidth& width);

// The outcome of "Commit".
struct CommitResult {
    std::string line;       // the slot's rewritten list line
    std::string weightText; // the weight box's text after the clamp
    std::string name;       // the name as stored (trimmed)
};
// Commit of the selected slot: the weight box clamped to 0..9999 becomes the slot's weight and
// the trimmed name box its name. Nothing happens (and nothing is returned) with no slot selected.
std::optional<CommitResult> CommitWeight(GalaxyTables& tables, WeightedTable table, int selected,
                                         std::string_view nameText, std::string_view weightText,
                                         const TextWidth& width);

inline constexpr std::string_view kResetPctBlankMessage = "Please enter a value for the Reset percent.";

// "Reset %": a blank box (after trimming) shows the message and returns nothing; otherwise its
// number clamped to 0..9999 becomes the weight of every slot, and the rewritten lines come back
// (the window then scrolls to the top and selects line 0).
std::optional<std::vector<std::string>> ResetWeights(GalaxyTables& tables, WeightedTable table,
                                                     std::string_view resetText, const TextWidth& width,
                                                     Messages& messages);

} // namespace orb
