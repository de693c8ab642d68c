// The window's controls seen through the window-free interfaces: the universe fields and the
// galaxy editor's fields, so that the dialog's rules read and fill them.
#pragma once

#include "settings/universe_fields.h"
#include "ui/properties/galaxy_fields.h"
#include "ui/properties/qt/props_controls.h"

namespace orb {

class QtUniverseFields : public UniverseFields {
  public:
    explicit QtUniverseFields(PropsControls& c) : c_(c) {}
    std::string FieldText(int index) const override;
    void SetFieldText(int index, std::string_view text) override;
    bool Checked(UniverseCheck box) const override;
    void SetChecked(UniverseCheck box, bool on) override;
    int ProfileIndex() const override;
    void SetProfileIndex(int index) override;

  private:
    QCheckBox* Box(UniverseCheck box) const;
    PropsControls& c_;
};

class QtGalaxyFields : public GalaxyFields {
  public:
    explicit QtGalaxyFields(PropsControls& c) : c_(c) {}
    std::string FieldText(int index) const override;
    void SetFieldText(int index, std::string_view text) override;
    std::string HueText(int index) const override;
    void SetHueText(int index, std::string_view text) override;
    int ListIndex(GalaxyList list) const override;
    // Selects without running the list's change handlers (the style is applied by the caller).
    void SetListIndex(GalaxyList list, int index) override;
    bool CpClosed() const override;
    void SetCpClosed(bool on) override;
    QComboBox* List(GalaxyList list) const;

  private:
    PropsControls& c_;
};

} // namespace orb
