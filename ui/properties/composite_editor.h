// The composite editor's rules: which galaxy types a composite is built from, the IFS warning,
// and what "Commit" stores. Window-free; the page's widgets bind to these.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/records.h"
#include "ui/properties/weights.h"

namespace orb {

// The major and minor lists' selection.
struct CompositeSelection {
    int major = -1;                             // cboCompMajor: galaxy-type slot, -1 for none
    std::array<bool, kGalaxyTypeSlots> minor{}; // lstCompMinor: selected galaxy-type slots
};

// The selection that shows a composite: member 0 as the major type, members 1 to count - 1 as
// the minors; no major type for a composite without members.
CompositeSelection SelectionOf(const CompositeGalaxy& c);

// IFS-style types (styles 1 to 3, by their stored style) among the major and the minor types;
// 0 without a major type; a type chosen as both counts twice.
int IfsCount(const GalaxyTables& tables, const CompositeSelection& s);

// The name box turns cyan (red 0, green 255, blue 255) from this many IFS types on.
inline constexpr int kIfsWarningCount = 2;
inline constexpr uint32_t kIfsWarningColour = 0x00FFFF00; // red in the low byte
bool IfsWarning(const GalaxyTables& tables, const CompositeSelection& s);

inline constexpr std::string_view kNoMajorType = "Please select a Major Galaxy Type.";
inline constexpr std::string_view kIfsNote = "Note:\n\nTwo or more of the selected Galaxy Types have a Style "
                                             "of IFS.\nThis may result in strange looking Galaxies.";
inline constexpr std::string_view kNoCompositeSelected = "Please select a Composite Galaxy Type.";

// The members a commit stores: the major type, then every other selected type in slot order,
// at most kCompGalCountDef.max of them.
std::vector<int16_t> CompositeMembers(const CompositeSelection& s);

enum class CompositeCommit : uint8_t {
    Nothing, // no composite line selected
    NoMajor, // stopped: kNoMajorType
    Stored,  // the composite holds the new name, weight and members
};
struct CompositeCommitOutcome {
    CompositeCommit result = CompositeCommit::Nothing;
    bool ifsNote = false; // show kIfsNote (the commit goes on regardless)
    CommitResult commit;  // Stored: the rewritten line, the clamped weight text, the stored name
};

// Composite "Commit" into slot `slot` (-1: none selected) from the name and weight boxes: the
// name and weight as the weight lists commit them, then the members.
CompositeCommitOutcome CommitComposite(GalaxyTables& tables, int slot, const CompositeSelection& s,
                                       std::string_view name, std::string_view weightText,
                                       const TextWidth& width);

} // namespace orb
