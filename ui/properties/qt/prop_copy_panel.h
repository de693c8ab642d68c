// fraPropCopy's contents: the "Props:" list, the value input that suits the chosen item (number
// box, value list or check box) and "Copy", which writes the value into every galaxy type whose
// style takes it.
#pragma once

#include <QWidget>

#include "settings/records.h"
#include "ui/fields/messages.h"
#include "ui/properties/prop_copy.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace orb {

class NumericBox;

class PropCopyPanel : public QWidget {
    Q_OBJECT
  public:
    PropCopyPanel(GalaxyTables& tables, Messages& messages, QWidget* parent = nullptr);

    // Controls, for tests and the window's tab order.
    QComboBox* Items() const { return cboPropCopyList_; }
    QLabel* ValueLabel() const { return lblPropCopy_; }
    NumericBox* ValueBox() const { return txtPropCopy_; }
    QComboBox* ValueList() const { return cboPropCopy_; }
    QCheckBox* ValueCheck() const { return chkPropCopy_; }
    QPushButton* CopyButton() const { return cmdPropCopy_; }

    // "Copy" as the button does it.
    void Copy();

  signals:
    // The slots in `took` now hold `value` as `property`: an open editor shows it only when its
    // slot is among them.
    void copied(SlotMask took, G property, double value);

  private:
    void ChooseItem(int item);

    GalaxyTables& tables_;
    Messages& messages_;
    QComboBox* cboPropCopyList_ = nullptr; // the 61 items
    QLabel* lblPropCopy_ = nullptr;        // "Value:" or the item's range text
    NumericBox* txtPropCopy_ = nullptr;    // number items
    QComboBox* cboPropCopy_ = nullptr;     // list items
    QCheckBox* chkPropCopy_ = nullptr;     // the check item
    QPushButton* cmdPropCopy_ = nullptr;   // "Copy"
};

} // namespace orb
