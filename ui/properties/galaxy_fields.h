// The galaxy editor's fields as the window-free code sees them: which control shows which galaxy
// property, how the dialog edits it, and moving a galaxy type, a preset or a style change in and
// out of the fields. The Qt editor implements GalaxyFields over its controls; tests use
// GalaxyFieldValues.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/records.h"
#include "ui/fields/field_rules.h"

namespace orb {

// The galaxy editor's controls that show a property.
enum class GalaxyControl : uint8_t {
    Field,    // txtGalaxy(index)
    HueField, // txtPixHue(index), 0..4
    Style,    // cboGalStyle
    Plane,    // cboGalPlane
    Colour,   // cboGalColor
    Profile,  // cboGalProfile
    CpClosed, // chkCP_Closed
};

// The galaxy editor's lists.
enum class GalaxyList : uint8_t { Style, Plane, Colour, Profile };

// Highest txtGalaxy index plus one (indices are grouped by page: 0..8, 10..12, 20..22, 40..48, 90..96).
inline constexpr int kGalaxyFieldSlots = 97;
inline constexpr int kHueFieldCount = 5;

// One control and the property it shows.
struct GalaxyBinding {
    GalaxyControl control; // which control
    int index;             // txtGalaxy or txtPixHue index; 0 for lists and the check box
    G prop;                // property shown (canonical position)
    G nebulaProp;          // property shown for the Nebula style (the same for most controls)
    FieldKind kind;        // how the box is edited (not always the stored type; unused for lists)
    int arrowStep;         // Up/Down step; 0: the box ignores the arrow keys
    int spinLength;        // character limit of a box with a spinner; 0: no spinner
    bool styleRange;       // the range comes from the style (boxes 3 to 6 and 93), not the property
};

// Every control of the galaxy editor that shows a property: 31 boxes, 5 hue boxes, 4 lists and
// the check box.
inline constexpr int kGalaxyBindingCount = 41;
extern const std::array<GalaxyBinding, kGalaxyBindingCount> kGalaxyBindings;

// The binding of a control, or null when the control shows no property.
const GalaxyBinding* FindGalaxyBinding(GalaxyControl control, int index);
// The property a binding shows under a style.
G ShownProp(const GalaxyBinding& b, int style);
// The editing rules of a box under a style: kind, key filter, focus-loss range, arrow step and
// spinner. Lists and the check box give a fieldSpec nothing uses.
FieldSpec GalaxyFieldSpec(const GalaxyBinding& b, int style);

class GalaxyFields {
  public:
    virtual ~GalaxyFields() = default;
    // Text of txtGalaxy(index); empty for an index that names no box.
    virtual std::string FieldText(int index) const = 0;
    virtual void SetFieldText(int index, std::string_view text) = 0;
    // Text of txtPixHue(index), 0..4.
    virtual std::string HueText(int index) const = 0;
    virtual void SetHueText(int index, std::string_view text) = 0;
    // Selected entry of a list, -1 when none is selected.
    virtual int ListIndex(GalaxyList list) const = 0;
    // Select an entry; an index the list does not hold leaves no entry selected.
    virtual void SetListIndex(GalaxyList list, int index) = 0;
    virtual bool CpClosed() const = 0;
    virtual void SetCpClosed(bool on) = 0;
};

// The number of entries of each list.
int GalaxyListSize(GalaxyList list);

// Record to galaxy fields: every property in its control, numbers as their stored text; for the
// Nebula style boxes 3 to 6 and 93 show the control-point values (positions 39 to 43).
void ShowGalaxyType(const GalaxyType& t, GalaxyFields& fields);

// Galaxy fields to record (name and weight untouched): boxes by their leading number converted to
// the property's type, lists by their index (a list without a selection keeps the value), the
// check box as 0 or 1. Boxes 3 to 6 go into positions 5 to 8 and 39 to 42; box 93 into position
// 43, and also into 13 unless the style is Nebula. Galaxy_ColorComp is 5 for the Nebula style.
// Not validated: saving validates.
void ReadGalaxyFields(const GalaxyFields& fields, GalaxyType& t);

// The text part of applying a style: boxes 3 to 6 clamped as integers into the style's spinner
// ranges, box 93 clamped as an integer into 0..999 (Nebula) or 0..360.
void ApplyStyleToFields(int style, GalaxyFields& fields);

// The galaxy "Theme:" list: item k (1..32) puts galaxy preset k of the first factory set into the
// fields (ShowGalaxyType) and applies its style; item 0 ("< NONE >") and others do nothing.
// True when the fields changed.
bool LoadGalaxyTheme(int item, GalaxyFields& fields);
// Entries of the galaxy "Theme:" list: "< NONE >" and the 32 names of the first factory set.
std::array<std::string, 33> GalaxyThemeItems();
inline constexpr std::string_view kNoneItem = "< NONE >";

// Galaxy fields held in memory (tests, and copies made without a window).
class GalaxyFieldValues : public GalaxyFields {
  public:
    std::string FieldText(int index) const override;
    void SetFieldText(int index, std::string_view text) override;
    std::string HueText(int index) const override;
    void SetHueText(int index, std::string_view text) override;
    int ListIndex(GalaxyList list) const override;
    void SetListIndex(GalaxyList list, int index) override;
    bool CpClosed() const override { return cpClosed_; }
    void SetCpClosed(bool on) override { cpClosed_ = on; }

  private:
    std::array<std::string, kGalaxyFieldSlots> text_; // txtGalaxy texts by index
    std::array<std::string, kHueFieldCount> hue_;     // txtPixHue texts
    std::array<int, 4> list_{-1, -1, -1, -1};         // selected entry by GalaxyList, -1 none
    bool cpClosed_ = false;                           // chkCP_Closed
};

} // namespace orb
