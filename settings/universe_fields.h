// The Properties dialog's universe fields as seen by the settings code: 29 values shown in
// numbered text fields (txtUni), four check boxes and the universe profile list. Templates and
// the dialog's load and save go through this interface, so they work with or without a window.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/records.h"
#include "settings/store.h"

namespace orb {

enum class UniverseCheck : uint8_t { UniTour, VisitSeq, TrackGrav, AmbDisp };
inline constexpr int kUniverseCheckCount = 4;

// Highest txtUni index plus one (the indices are grouped by pane: 0..2, 10..17, 20..21, ...).
inline constexpr int kUniverseFieldSlots = 52;

class UniverseFields {
  public:
    virtual ~UniverseFields() = default;
    // Text of txtUni(index); empty for an index that names no field.
    virtual std::string FieldText(int index) const = 0;
    virtual void SetFieldText(int index, std::string_view text) = 0;
    virtual bool Checked(UniverseCheck box) const = 0;
    virtual void SetChecked(UniverseCheck box, bool on) = 0;
    // Selected entry of cboUniProfile (0..6).
    virtual int ProfileIndex() const = 0;
    // Select entry `index`; an index outside 0..6 leaves the selection as it was.
    virtual void SetProfileIndex(int index) = 0;
};

enum class UniverseControl : uint8_t { Field, Check, Profile };

// Which control shows a universe value.
struct UniverseBinding {
    U value;                 // the universe value
    UniverseControl control; // text field, check box or the profile list
    int index;               // txtUni index for a field, UniverseCheck for a check box, 0 otherwise
    bool savedInTemplate;    // a template save writes it (all but the ambient profile)
};

// Every universe value once, in the order a template save writes them.
extern const std::array<UniverseBinding, kUniverseCount> kUniverseBindings;

// Fill the controls from universe values: numbers as their stored text, a check box checked
// when its value is 1, the profile list at the profile value.
void ShowUniverse(const UniverseSettings& u, UniverseFields& fields);

// The value a control holds: a field's leading number ("12abc" is 12, "abc" is 0) converted to
// the value's type without overflow, a check box as 0 or 1, the profile as the list index.
double UniverseControlValue(const UniverseFields& fields, const UniverseBinding& b);

// Read the controls back as values: each field's leading number ("12abc" is 12, "abc" is 0)
// converted to the value's type (integers round halves to even and saturate), check boxes
// as 0 or 1, the profile as the list index.
UniverseSettings ReadUniverseFields(const UniverseFields& fields);

// Universe fields held in memory, for a template written or read without a dialog.
class UniverseFieldValues : public UniverseFields {
  public:
    std::string FieldText(int index) const override;
    void SetFieldText(int index, std::string_view text) override;
    bool Checked(UniverseCheck box) const override;
    void SetChecked(UniverseCheck box, bool on) override;
    int ProfileIndex() const override { return profile_; }
    void SetProfileIndex(int index) override;

  private:
    std::array<std::string, kUniverseFieldSlots> text_; // txtUni texts by index
    std::array<bool, kUniverseCheckCount> checked_{};   // by UniverseCheck
    int profile_ = 0;                                   // cboUniProfile index, 0..6
};

// The stored universe values shown as the dialog would show them after loading them.
class StoreUniverseFields : public UniverseFieldValues {
  public:
    explicit StoreUniverseFields(SettingsStore& store);
};

} // namespace orb
