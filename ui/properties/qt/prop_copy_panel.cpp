#include "ui/properties/qt/prop_copy_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "ui/fields/qt/field_helpers.h"
#include "ui/fields/qt/numeric_box.h"
#include "ui/fields/qt/qt_text.h"

namespace orb {

namespace {

FieldSpec BoxSpec(const PropCopyItem& it) {
    FieldSpec s;
    s.kind = it.kind;
    s.filter = it.kind == FieldKind::Real ? KeyFilter::Decimal : KeyFilter::Digits;
    s.min = it.min;
    s.max = it.max;
    return s;
}

} // namespace

PropCopyPanel::PropCopyPanel(GalaxyTables& tables, Messages& messages, QWidget* parent)
    : QWidget(parent), tables_(tables), messages_(messages) {
    cboPropCopyList_ = new QComboBox(this);
    for (const PropCopyItem& it : kPropCopyItems)
        cboPropCopyList_->addItem(Q(it.text));
    cboPropCopyList_->setCurrentIndex(-1);
    cboPropCopyList_->setMaxVisibleItems(20);
    lblPropCopy_ = new QLabel(QStringLiteral("Value:"), this);
    txtPropCopy_ = new NumericBox(BoxSpec(kPropCopyItems[0]), this);
    SelectAllOnFocus(txtPropCopy_->Edit());
    cboPropCopy_ = new QComboBox(this);
    chkPropCopy_ = new QCheckBox(Q(kCopyCheckCaption), this);
    cmdPropCopy_ = new QPushButton(QStringLiteral("Copy"), this);
    cboPropCopy_->hide();
    chkPropCopy_->hide();

    auto* props = new QLabel(QStringLiteral("&Props:"), this);
    props->setBuddy(cboPropCopyList_);
    lblPropCopy_->setBuddy(txtPropCopy_);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(props, 0, 0);
    grid->addWidget(cboPropCopyList_, 0, 1, 1, 2);
    grid->addWidget(lblPropCopy_, 1, 0);
    grid->addWidget(txtPropCopy_, 1, 1);
    grid->addWidget(cboPropCopy_, 1, 1);
    grid->addWidget(chkPropCopy_, 1, 1);
    grid->addWidget(cmdPropCopy_, 1, 2);
    grid->setColumnStretch(1, 1);

    connect(cboPropCopyList_, &QComboBox::currentIndexChanged, this, &PropCopyPanel::ChooseItem);
    connect(cmdPropCopy_, &QPushButton::clicked, this, &PropCopyPanel::Copy);
}

void PropCopyPanel::ChooseItem(int item) {
    if (item < 0 || item >= kPropCopyItemCount) return;
    const PropCopyItem& it = kPropCopyItems[item];
    txtPropCopy_->setVisible(it.input == CopyInput::Box);
    cboPropCopy_->setVisible(it.input == CopyInput::List);
    chkPropCopy_->setVisible(it.input == CopyInput::Check);
    switch (it.input) {
    case CopyInput::Box:
        txtPropCopy_->SetSpec(BoxSpec(it));
        lblPropCopy_->setText(Q(it.rangeText));
        lblPropCopy_->setBuddy(txtPropCopy_);
        break;
    case CopyInput::List:
        cboPropCopy_->clear();
        for (std::string_view text : CopyListTexts(item))
            cboPropCopy_->addItem(Q(text));
        cboPropCopy_->setCurrentIndex(-1);
        lblPropCopy_->setText(QStringLiteral("Value:"));
        lblPropCopy_->setBuddy(cboPropCopy_);
        break;
    case CopyInput::Check:
        chkPropCopy_->setText(Q(kCopyCheckCaption));
        lblPropCopy_->setText(QStringLiteral("Value:"));
        lblPropCopy_->setBuddy(chkPropCopy_);
        break;
    }
}

void PropCopyPanel::Copy() {
    // The number copied is the one leaving the box would show; a blank box stays blank.
    if (txtPropCopy_->isVisible() && !txtPropCopy_->Text().trimmed().isEmpty()) txtPropCopy_->Clamp();
    CopyRequest request;
    request.item = cboPropCopyList_->currentIndex();
    request.listIndex = cboPropCopy_->currentIndex();
    request.boxText = txtPropCopy_->Text().toStdString();
    request.checked = chkPropCopy_->isChecked();
    const CopyDecision d = DecideCopy(request);
    if (d.message) {
        messages_.Warn(std::string(*d.message));
        return;
    }
    const SlotMask took = CopyProperty(tables_, request.item, d.value);
    emit copied(took, kPropCopyItems[request.item].property, d.value);
}

} // namespace orb
