// The parts of the Properties window built apart from it: the property copy frame, the
// composite editor page, Edit > "&Advanced Settings..." and the File menu's templates. Attached
// to a loaded window by one call; they live as long as the window.
#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "settings/store.h"
#include "settings/templates.h"
#include "ui/fields/messages.h"

namespace orb {

class AdvancedDialog;
class CompositePanel;
class PropCopyPanel;
class PropertiesWindow;
class TemplateMenu;

class PropsExtras : public QObject {
    Q_OBJECT
  public:
    // templates: the process-wide template state (current file, last folder).
    PropsExtras(PropertiesWindow& window, SettingsStore& store, TemplateState& templates);
    ~PropsExtras() override;

    PropCopyPanel* CopyPanel() const { return copy_; }
    CompositePanel* Composites() const { return composite_; }
    TemplateMenu& Templates() const { return *templates_; }
    // Edit > "&Advanced Settings...": the dialog, modal.
    void ShowAdvanced();
    // Runs before the Advanced dialog is shown (tests drive it there); none by default.
    std::function<void(AdvancedDialog&)> beforeAdvanced;

  private:
    void Copied(uint32_t took, int property, double value);
    void TemplateOpened();

    PropertiesWindow& window_;
    SettingsStore& store_;
    std::unique_ptr<Messages> messages_;      // the window's message boxes, whichever they are
    PropCopyPanel* copy_ = nullptr;           // in fraPropCopy
    CompositePanel* composite_ = nullptr;     // page 3 of the universe Extras
    std::unique_ptr<TemplateMenu> templates_; // File menu: open, save, save as
};

// Attaches the extras to a window after its Load; owned by the window.
PropsExtras* AttachPropertiesExtras(PropertiesWindow& window, SettingsStore& store, TemplateState& templates);

} // namespace orb
