#include "ui/properties/qt/props_extras.h"

#include <QAction>
#include <QListWidget>

#include "ui/advanced/qt/advanced_dialog.h"
#include "ui/properties/qt/composite_panel.h"
#include "ui/properties/qt/prop_copy_panel.h"
#include "ui/properties/qt/props_window.h"
#include "ui/properties/qt/template_dialog.h"

namespace orb {

namespace {

// Messages shown by whatever boxes the window uses at the time (tests swap in a double).
class WindowMessages : public Messages {
  public:
    explicit WindowMessages(PropertiesWindow& w) : window_(w) {}
    MessageAnswer Show(MessageIcon icon, MessageButtons buttons, const std::string& text) override {
        return window_.MessageBoxes().Show(icon, buttons, text);
    }

  private:
    PropertiesWindow& window_;
};

} // namespace

PropsExtras::PropsExtras(PropertiesWindow& window, SettingsStore& store, TemplateState& templates)
    : QObject(&window), window_(window), store_(store), messages_(std::make_unique<WindowMessages>(window)) {
    PropsControls& c = window.Controls();

    copy_ = new PropCopyPanel(window.Tables(), *messages_);
    window.SetPropertyCopyPanel(copy_);
    connect(copy_, &PropCopyPanel::copied, this, [this](SlotMask took, G property, double value) {
        Copied(took, static_cast<int>(property), value);
    });

    composite_ = new CompositePanel(window.Tables(), *messages_,
                                    [&window](std::string_view s) { return window.ListWidth(s); });
    window.SetCompositeEditor(composite_);
    connect(&window, &PropertiesWindow::compositePageShown, composite_, &CompositePanel::Refill);
    connect(&window, &PropertiesWindow::tablesReplaced, composite_, &CompositePanel::Refill);
    connect(composite_, &CompositePanel::previewRequested, this, [this](int composite) {
        if (window_.PreviewRunning())
            window_.StopPreview();
        else
            window_.StartPreview(composite, true, composite_->PreviewButton());
    });

    c.actAdvanced->setEnabled(true);
    connect(c.actAdvanced, &QAction::triggered, this, &PropsExtras::ShowAdvanced);

    templates_ = std::make_unique<TemplateMenu>(&window, templates,
                                                TemplateTarget{store, window.UniverseView(), window.Tables()},
                                                *messages_, [this] { TemplateOpened(); });
    for (QAction* a : {c.actOpenTemplate, c.actSaveTemplate, c.actSaveTemplateAs})
        a->setEnabled(true);
    connect(c.actOpenTemplate, &QAction::triggered, this, [this] { templates_->Open(); });
    connect(c.actSaveTemplate, &QAction::triggered, this, [this] { templates_->Save(); });
    connect(c.actSaveTemplateAs, &QAction::triggered, this, [this] { templates_->SaveAs(); });
}

PropsExtras::~PropsExtras() = default;

// The open editor shows a copied value only when its own type took it: Return stores the
// editor's fields into that type, so a value shown for a type that refused it would be stored.
void PropsExtras::Copied(uint32_t took, int property, double value) {
    if (!window_.EditorShown()) return;
    const int slot = window_.Controls().lstUniGalaxy->currentRow(); // the edited type's line
    if (!SlotTook(took, slot)) return;
    GalaxyFields& fields = window_.GalaxyView();
    const int style = fields.ListIndex(GalaxyList::Style);
    ShowCopiedValue(fields, style, static_cast<G>(property), value);
    if (static_cast<G>(property) == G::GalStyle) window_.ApplyStyle(static_cast<int>(value));
}

void PropsExtras::TemplateOpened() {
    window_.RefillGalaxyList(window_.Controls().lstUniGalaxy->currentRow());
    composite_->Refill();
}

void PropsExtras::ShowAdvanced() {
    AdvancedDialog dialog(store_, *messages_, &window_);
    if (beforeAdvanced) beforeAdvanced(dialog);
    dialog.exec();
}

PropsExtras* AttachPropertiesExtras(PropertiesWindow& window, SettingsStore& store,
                                    TemplateState& templates) {
    return new PropsExtras(window, store, templates);
}

} // namespace orb
