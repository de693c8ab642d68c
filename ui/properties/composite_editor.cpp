#include "ui/properties/composite_editor.h"

#include <algorithm>

#include "settings/numeric.h"

namespace orb {

CompositeSelection SelectionOf(const CompositeGalaxy& c) {
    CompositeSelection s;
    const int count = ClampRange<int>(c.count, 0, kMaxMembers);
    if (count == 0) return s;
    s.major = ClampRange<int>(c.member[0], 0, kGalaxyTypeSlots - 1);
    for (int i = 1; i < count; ++i)
        s.minor[ClampRange<int>(c.member[i], 0, kGalaxyTypeSlots - 1)] = true;
    return s;
}

namespace {

bool IsIfs(const GalaxyTables& tables, int slot) {
    const int style = tables.types[slot].Style();
    return style >= static_cast<int>(GalaxyStyle::IfsAttractor) &&
           style <= static_cast<int>(GalaxyStyle::IfsFractal);
}

} // namespace

int IfsCount(const GalaxyTables& tables, const CompositeSelection& s) {
    if (s.major < 0 || s.major >= kGalaxyTypeSlots) return 0;
    int count = IsIfs(tables, s.major) ? 1 : 0;
    for (int slot = 0; slot < kGalaxyTypeSlots; ++slot)
        if (s.minor[slot] && IsIfs(tables, slot)) ++count;
    return count;
}

bool IfsWarning(const GalaxyTables& tables, const CompositeSelection& s) {
    return IfsCount(tables, s) >= kIfsWarningCount;
}

std::vector<int16_t> CompositeMembers(const CompositeSelection& s) {
    std::vector<int16_t> members;
    if (s.major < 0 || s.major >= kGalaxyTypeSlots) return members;
    const size_t limit = static_cast<size_t>(kCompGalCountDef.max);
    members.push_back(static_cast<int16_t>(s.major));
    for (int slot = 0; slot < kGalaxyTypeSlots && members.size() < limit; ++slot)
        if (s.minor[slot] && slot != s.major) members.push_back(static_cast<int16_t>(slot));
    return members;
}

CompositeCommitOutcome CommitComposite(GalaxyTables& tables, int slot, const CompositeSelection& s,
                                       std::string_view name, std::string_view weightText,
                                       const TextWidth& width) {
    CompositeCommitOutcome out;
    if (slot < 0 || slot >= kCompositeSlots) return out;
    if (s.major < 0 || s.major >= kGalaxyTypeSlots) {
        out.result = CompositeCommit::NoMajor;
        return out;
    }
    out.ifsNote = IfsWarning(tables, s);
    CompositeGalaxy& c = tables.composites[slot];
    const std::vector<int16_t> members = CompositeMembers(s);
    c.member.fill(0);
    std::copy(members.begin(), members.end(), c.member.begin());
    c.count = static_cast<int16_t>(members.size());
    // The line shows name and weight only, so it can be written before the members.
    auto commit = CommitWeight(tables, WeightedTable::Composites, slot, name, weightText, width);
    if (commit) out.commit = std::move(*commit);
    out.result = CompositeCommit::Stored;
    return out;
}

} // namespace orb
