#include "ui/properties/weights.h"

#include "settings/numeric.h"
#include "ui/fields/field_rules.h"

namespace orb {

namespace {

constexpr int kMaxWeight = 9999;

bool InTable(WeightedTable table, int slot) {
    return slot >= 0 && slot < WeightedCount(table);
}

// The weight box's number clamped to 0..9999.
int16_t ClampedWeight(std::string_view text) {
    return static_cast<int16_t>(ClampRange<double>(NearestInt(ReadFieldNumber(text)), 0, kMaxWeight));
}

void SetSlot(GalaxyTables& tables, WeightedTable table, int slot, std::string name, int16_t weight) {
    if (table == WeightedTable::GalaxyTypes) {
        tables.types[slot].name = std::move(name);
        tables.types[slot].pct = weight;
    } else {
        tables.composites[slot].name = std::move(name);
        tables.composites[slot].pct = weight;
    }
}

void SetWeight(GalaxyTables& tables, WeightedTable table, int slot, int16_t weight) {
    if (table == WeightedTable::GalaxyTypes)
        tables.types[slot].pct = weight;
    else
        tables.composites[slot].pct = weight;
}

} // namespace

int WeightedCount(WeightedTable table) {
    return table == WeightedTable::GalaxyTypes ? kGalaxyTypeSlots : kCompositeSlots;
}

std::string ShownName(const GalaxyTables& tables, WeightedTable table, int slot) {
    if (!InTable(table, slot)) return {};
    if (table == WeightedTable::GalaxyTypes) return tables.types[slot].name;
    const std::string& name = tables.composites[slot].name;
    return name.empty() ? "< Galaxy Composite " + std::to_string(slot + 1) + " >" : name;
}

int16_t SlotWeight(const GalaxyTables& tables, WeightedTable table, int slot) {
    if (!InTable(table, slot)) return 0;
    return table == WeightedTable::GalaxyTypes ? tables.types[slot].pct : tables.composites[slot].pct;
}

std::string WeightLine(const GalaxyTables& tables, WeightedTable table, int slot, const TextWidth& width) {
    return FormatListLine(ShownName(tables, table, slot), SlotWeight(tables, table, slot), width);
}

std::vector<std::string> WeightLines(const GalaxyTables& tables, WeightedTable table,
                                     const TextWidth& width) {
    std::vector<std::string> lines;
    lines.reserve(WeightedCount(table));
    for (int slot = 0; slot < WeightedCount(table); ++slot)
        lines.push_back(WeightLine(tables, table, slot, width));
    return lines;
}

std::optional<CommitResult> CommitWeight(GalaxyTables& tables, WeightedTable table, int selected,
                                         std::string_view nameText, std::string_view weightText,
                                         const TextWidth& width) {
    if (!InTable(table, selected)) return std::nullopt;
    const int16_t weight = ClampedWeight(weightText);
    CommitResult r;
    r.name = std::string(TrimBlanks(CleanName(nameText)));
    r.weightText = std::to_string(weight);
    SetSlot(tables, table, selected, r.name, weight);
    r.line = WeightLine(tables, table, selected, width);
    return r;
}

std::optional<std::vector<std::string>> ResetWeights(GalaxyTables& tables, WeightedTable table,
                                                     std::string_view resetText, const TextWidth& width,
                                                     Messages& messages) {
    if (TrimBlanks(resetText).empty()) {
        messages.Warn(std::string(kResetPctBlankMessage));
        return std::nullopt;
    }
    const int16_t weight = ClampedWeight(resetText);
    for (int slot = 0; slot < WeightedCount(table); ++slot)
        SetWeight(tables, table, slot, weight);
    return WeightLines(tables, table, width);
}

} // namespace orb
