// frmProps, the Properties window: every setting shown in its fields, the galaxy types edited in
// memory, previews, factory resets, and everything saved when the user accepts. The rules live in
// the window-free code it binds to (field rules, galaxy bindings and styles, weights, opening,
// reset and save); this class connects them to the controls.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "settings/records.h"
#include "settings/store.h"
#include "settings/templates.h"
#include "settings/universe_fields.h"
#include "ui/fields/messages.h"
#include "ui/properties/galaxy_fields.h"
#include "ui/properties/qt/field_views.h"
#include "ui/properties/qt/props_controls.h"

class QPushButton;

namespace orb {

class PreviewRun;

// What the window needs from the program around it.
struct PropsContext {
    SettingsStore& store;             // the user's settings
    std::atomic<bool>& previewCancel; // PreviewCancel
    std::atomic<bool>& exitRequested; // ExitRequested: set by File > Exit
};

class PropertiesWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit PropertiesWindow(PropsContext context, QWidget* parent = nullptr);
    ~PropertiesWindow() override;

    // Message boxes; by default Qt's, owned by this window. Tests pass a scripted double.
    void SetMessages(Messages* messages);
    // The first-use Welcome step: true when the user chose the factory reset. Until the Welcome
    // window exists the answer is "no reset".
    void SetWelcome(std::function<bool()> welcome) { welcome_ = std::move(welcome); }

    // Loads the settings into the window (opening), ready to show.
    void Load();

    // ---- operations of the window ----
    void ShowGalaxyEditor();       // "Show Props", or a double click on a galaxy type
    void ReturnToUniverse();       // "&Return to Universe Settings"
    void ApplyStyle(int style);    // relabel, hide and re-range the galaxy fields
    bool Accept();                 // save everything and close; false (window open) when the save failed
    void ResetProperties(int set); // Edit > Reset Properties, with its question
    void ExitProgram();            // File > Exit: close without saving and ask the program to end
    // A preview of galaxy type `index` (or composite) in picPreview, `button` turning into its
    // Stop button with the caption "Stop".
    void StartPreview(int index, bool composite, QPushButton* button);
    void StopPreview();
    bool PreviewRunning() const;

    // ---- for the parts of the window built elsewhere ----
    PropsControls& Controls() { return c_; }
    SettingsStore& Store() { return ctx_.store; }
    GalaxyTables& Tables() { return tables_; }
    Messages& MessageBoxes() { return *messages_; }
    // The current template file and the template dialog's last folder (empty at start).
    TemplateState& Templates() { return templates_; }
    UniverseFields& UniverseView() { return universe_; }
    GalaxyFields& GalaxyView() { return galaxy_; }
    bool EditorShown() const;
    // The property copy panel, shown in fraPropCopy (hidden until there is one).
    void SetPropertyCopyPanel(QWidget* panel);
    // The composite editor, page 3 of the universe Extras (not selectable until there is one).
    void SetCompositeEditor(QWidget* editor);
    // The galaxy-type list rewritten from the tables, line `select` selected.
    void RefillGalaxyList(int select);
    // Width of a text in the galaxy-type list's font, in twips (list lines line up by it).
    double ListWidth(std::string_view text) const;

  signals:
    void closed(bool accepted); // the window has closed; accepted: the settings were saved
    void compositePageShown();  // page 3 chosen: the composite lists want refilling
    void tablesReplaced();      // a reset replaced the galaxy types and composites

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Connect();
    void ConnectSamples();
    void Escape();
    void OnAcceptButton();
    void OnGalaxyLineChosen();
    void OnUniverseTheme(int item);
    void OnGalaxyTheme(int item);
    void OnTour(bool on);
    void GalaxyPreviewButton();
    void CommitGalaxy();
    void ResetGalaxyWeights();
    void ClampFocusedBox();
    void DisableAllBut(bool flag, QWidget* keep);
    int SelectedGalaxyLine() const;
    void WarnSaveFailed();
    void OnPreviewFinished();
    NumericBox* GalaxyBox(int index) const;

    PropsContext ctx_;
    PropsControls c_;                         // every control
    QtUniverseFields universe_{c_};           // the universe controls as fields
    QtGalaxyFields galaxy_{c_};               // the galaxy editor's controls as fields
    GalaxyTables tables_;                     // galaxy types and composites being edited
    TemplateState templates_;                 // current template file path, for the File menu
    std::unique_ptr<Messages> ownMessages_;   // Qt message boxes
    Messages* messages_ = nullptr;            // where messages go
    std::function<bool()> welcome_;           // the Welcome step's answer
    PreviewRun* preview_ = nullptr;           // the picture's preview run
    QPointer<QPushButton> previewButton_;     // the button that reads "Stop" while it runs
    QString previewCaption_;                  // its caption to restore
    std::vector<QPointer<QWidget>> disabled_; // controls disabled for a preview, to enable again
    bool accepted_ = false;                   // the close follows a successful save
    bool closed_ = false;                     // closed() has been announced
    int editingSlot_ = -1;                    // galaxy type shown in the editor, -1 when hidden
};

} // namespace orb
