// Page 3 of the universe Extras, "Composite Galaxies": the composite list, the major type and
// the minor types a composite is built from, its name and weight, Commit, Comp Preview and
// Reset %.
#pragma once

#include <QPalette>
#include <QWidget>

#include "settings/records.h"
#include "ui/fields/messages.h"
#include "ui/properties/composite_editor.h"
#include "ui/properties/list_lines.h"

class QComboBox;
class QListWidget;
class QPushButton;

namespace orb {

class FilteredLineEdit;
class NumericBox;

class CompositePanel : public QWidget {
    Q_OBJECT
  public:
    // width: how the window measures list lines (twips); by default the composite list's font at
    // 15 twips to a pixel.
    CompositePanel(GalaxyTables& tables, Messages& messages, TextWidth width = {}, QWidget* parent = nullptr);

    // Refills the major and minor lists from the galaxy types and the composite list from the
    // composites in memory (when the dialog opens and whenever the page is chosen).
    void Refill();
    // The composite whose line is selected, -1 for none.
    int SelectedComposite() const;

    void Commit();
    void ResetPercent();
    void RequestPreview();

    // Controls, for tests and the window.
    QListWidget* Composites() const { return lstCompGalaxy_; }
    QComboBox* Major() const { return cboCompMajor_; }
    QListWidget* Minors() const { return lstCompMinor_; }
    FilteredLineEdit* NameBox() const { return txtCompGalName_; }
    NumericBox* WeightBox() const { return txtCompGalPct_; }
    NumericBox* ResetBox() const { return txtResetCompPct_; }
    QPushButton* CommitButton() const { return cmdCompCommit_; }
    QPushButton* PreviewButton() const { return cmdCompPreview_; }
    QPushButton* ResetButton() const { return cmdResetCompPct_; }
    // Whether the name box shows the IFS warning colour.
    bool NameWarns() const { return warns_; }

  signals:
    // Comp Preview (also as "Stop" while a preview runs) or a double click on a line.
    void previewRequested(int composite);

  private:
    void ChooseComposite(int row);
    CompositeSelection Selection() const;
    void ShowIfsWarning();
    TextWidth LineWidth() const;

    GalaxyTables& tables_;
    Messages& messages_;
    TextWidth width_;                      // measures list lines, or empty for the list's own font
    bool warns_ = false;                   // name box is cyan
    QPalette normalNamePalette_;           // the name box's colours without the warning
    QListWidget* lstCompGalaxy_ = nullptr; // 16 composite lines
    QComboBox* cboCompMajor_ = nullptr;    // "Major:"
    QListWidget* lstCompMinor_ = nullptr;  // "Minor Types:", several may be chosen
    FilteredLineEdit* txtCompGalName_ = nullptr;
    NumericBox* txtCompGalPct_ = nullptr;    // with spnCompGalPct
    QPushButton* cmdCompCommit_ = nullptr;   // "Commit"
    QPushButton* cmdCompPreview_ = nullptr;  // "Comp Preview" / "Stop"
    QPushButton* cmdResetCompPct_ = nullptr; // "Reset %"
    NumericBox* txtResetCompPct_ = nullptr;
};

} // namespace orb
