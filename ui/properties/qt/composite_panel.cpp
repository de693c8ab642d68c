#include "ui/properties/qt/composite_panel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/fields/qt/field_helpers.h"
#include "ui/fields/qt/filtered_line_edit.h"
#include "ui/fields/qt/numeric_box.h"
#include "ui/fields/qt/qt_text.h"
#include "ui/properties/weights.h"

namespace orb {

namespace {

constexpr FieldSpec kWeightSpec{FieldKind::Integer, KeyFilter::Digits, 0, 9999, false, 1, 4};
constexpr FieldSpec kResetSpec{FieldKind::Integer, KeyFilter::Digits, 0, 9999, false, 0, 0};

QLabel* Buddy(const QString& text, QWidget* control) {
    auto* label = new QLabel(text);
    label->setBuddy(control);
    return label;
}

} // namespace

CompositePanel::CompositePanel(GalaxyTables& tables, Messages& messages, TextWidth width, QWidget* parent)
    : QWidget(parent), tables_(tables), messages_(messages), width_(std::move(width)) {
    lstCompGalaxy_ = new QListWidget(this);
    cboCompMajor_ = new QComboBox(this);
    cboCompMajor_->setMaxVisibleItems(16);
    lstCompMinor_ = new QListWidget(this);
    lstCompMinor_->setSelectionMode(QAbstractItemView::MultiSelection);
    txtCompGalName_ = new FilteredLineEdit(this);
    txtCompGalName_->SetFilter(KeyFilter::Name);
    txtCompGalName_->setMaxLength(static_cast<int>(kNameMaxBytes));
    normalNamePalette_ = txtCompGalName_->palette();
    SelectAllOnFocus(txtCompGalName_);
    txtCompGalPct_ = new NumericBox(kWeightSpec, this);
    SelectAllOnFocus(txtCompGalPct_->Edit());
    txtResetCompPct_ = new NumericBox(kResetSpec, this);
    txtResetCompPct_->Edit()->setMaxLength(4);
    SelectAllOnFocus(txtResetCompPct_->Edit());
    cmdCompCommit_ = new QPushButton(QStringLiteral("Commit"), this);
    cmdCompPreview_ = new QPushButton(QStringLiteral("Comp Preview"), this);
    cmdResetCompPct_ = new QPushButton(QStringLiteral("Reset %"), this);

    auto* right = new QGridLayout;
    right->addWidget(Buddy(QStringLiteral("Ma&jor:"), cboCompMajor_), 0, 0);
    right->addWidget(cboCompMajor_, 0, 1);
    right->addWidget(Buddy(QStringLiteral("Mi&nor Types:"), lstCompMinor_), 1, 0, 1, 2);
    right->addWidget(lstCompMinor_, 2, 0, 1, 2);
    auto* left = new QVBoxLayout;
    left->addWidget(lstCompGalaxy_, 1);
    left->addWidget(txtCompGalName_);
    auto* weightRow = new QHBoxLayout;
    weightRow->addWidget(txtCompGalPct_);
    weightRow->addWidget(cmdCompCommit_);
    weightRow->addWidget(cmdCompPreview_);
    weightRow->addStretch();
    left->addLayout(weightRow);
    auto* resetRow = new QHBoxLayout;
    resetRow->addWidget(cmdResetCompPct_);
    resetRow->addWidget(txtResetCompPct_);
    resetRow->addStretch();
    left->addLayout(resetRow);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(left, 3);
    layout->addLayout(right, 2);

    setTabOrder(lstCompGalaxy_, txtCompGalName_);
    setTabOrder(txtCompGalName_, txtCompGalPct_->Edit());
    setTabOrder(txtCompGalPct_->Edit(), cmdCompCommit_);
    setTabOrder(cmdCompCommit_, cmdCompPreview_);
    setTabOrder(cmdCompPreview_, cmdResetCompPct_);
    setTabOrder(cmdResetCompPct_, txtResetCompPct_->Edit());
    setTabOrder(txtResetCompPct_->Edit(), cboCompMajor_);
    setTabOrder(cboCompMajor_, lstCompMinor_);

    connect(lstCompGalaxy_, &QListWidget::currentRowChanged, this, &CompositePanel::ChooseComposite);
    connect(lstCompGalaxy_, &QListWidget::itemDoubleClicked, this, [this] { RequestPreview(); });
    connect(cboCompMajor_, &QComboBox::currentIndexChanged, this, &CompositePanel::ShowIfsWarning);
    connect(lstCompMinor_, &QListWidget::itemSelectionChanged, this, &CompositePanel::ShowIfsWarning);
    connect(cmdCompCommit_, &QPushButton::clicked, this, &CompositePanel::Commit);
    connect(cmdCompPreview_, &QPushButton::clicked, this, &CompositePanel::RequestPreview);
    connect(cmdResetCompPct_, &QPushButton::clicked, this, &CompositePanel::ResetPercent);
    Refill();
}

TextWidth CompositePanel::LineWidth() const {
    if (width_) return width_;
    constexpr double kTwipsPerPixel = 15; // 96 dots per inch
    const QFontMetricsF fm(lstCompGalaxy_->font());
    return [fm](std::string_view s) { return fm.horizontalAdvance(Q(s)) * kTwipsPerPixel; };
}

void CompositePanel::Refill() {
    const TextWidth width = LineWidth();
    const int row = lstCompGalaxy_->currentRow();
    {
        const QSignalBlocker b1(cboCompMajor_), b2(lstCompMinor_), b3(lstCompGalaxy_);
        cboCompMajor_->clear();
        lstCompMinor_->clear();
        for (const std::string& line : WeightLines(tables_, WeightedTable::GalaxyTypes, width)) {
            const QString name = Q(LineWithoutWeight(line)).trimmed();
            cboCompMajor_->addItem(name);
            lstCompMinor_->addItem(name);
        }
        cboCompMajor_->setCurrentIndex(-1);
        lstCompGalaxy_->clear();
        for (const std::string& line : WeightLines(tables_, WeightedTable::Composites, width))
            lstCompGalaxy_->addItem(Q(line));
    }
    if (row >= 0) lstCompGalaxy_->setCurrentRow(row); // shows its members again
    ShowIfsWarning();
}

int CompositePanel::SelectedComposite() const {
    const QListWidgetItem* item = lstCompGalaxy_->currentItem();
    return item && item->isSelected() ? lstCompGalaxy_->row(item) : -1;
}

void CompositePanel::ChooseComposite(int row) {
    if (row < 0 || row >= kCompositeSlots) return;
    const ListLine line = ParseListLine(Std(lstCompGalaxy_->item(row)->text()));
    txtCompGalName_->setText(Q(line.name));
    txtCompGalPct_->SetText(QString::number(line.weight));
    // A composite without members shows no major type and no minor types.
    const CompositeSelection s = SelectionOf(tables_.composites[row]);
    const QSignalBlocker block(lstCompMinor_);
    cboCompMajor_->setCurrentIndex(s.major);
    lstCompMinor_->clearSelection();
    for (int slot = 0; slot < kGalaxyTypeSlots && slot < lstCompMinor_->count(); ++slot)
        if (s.minor[slot]) lstCompMinor_->item(slot)->setSelected(true);
    ShowIfsWarning();
}

CompositeSelection CompositePanel::Selection() const {
    CompositeSelection s;
    s.major = cboCompMajor_->currentIndex();
    for (int slot = 0; slot < kGalaxyTypeSlots && slot < lstCompMinor_->count(); ++slot)
        s.minor[slot] = lstCompMinor_->item(slot)->isSelected();
    return s;
}

void CompositePanel::ShowIfsWarning() {
    warns_ = IfsWarning(tables_, Selection());
    QPalette palette = normalNamePalette_;
    if (warns_) palette.setColor(QPalette::Base, QColor(0, 255, 255));
    txtCompGalName_->setPalette(palette);
}

void CompositePanel::Commit() {
    const CompositeCommitOutcome out =
        CommitComposite(tables_, SelectedComposite(), Selection(), Std(txtCompGalName_->text()),
                        Std(txtCompGalPct_->Text()), LineWidth());
    switch (out.result) {
    case CompositeCommit::Nothing:
        return;
    case CompositeCommit::NoMajor:
        messages_.Warn(std::string(kNoMajorType));
        return;
    case CompositeCommit::Stored:
        break;
    }
    txtCompGalPct_->SetText(Q(out.commit.weightText));
    if (out.ifsNote) messages_.Note(std::string(kIfsNote));
    const QSignalBlocker block(lstCompGalaxy_);
    lstCompGalaxy_->item(SelectedComposite())->setText(Q(out.commit.line));
}

void CompositePanel::ResetPercent() {
    const auto lines = ResetWeights(tables_, WeightedTable::Composites, Std(txtResetCompPct_->Text()),
                                    LineWidth(), messages_);
    if (!lines) return;
    {
        const QSignalBlocker block(lstCompGalaxy_);
        for (int i = 0; i < lstCompGalaxy_->count() && i < static_cast<int>(lines->size()); ++i)
            lstCompGalaxy_->item(i)->setText(Q((*lines)[i]));
    }
    lstCompGalaxy_->scrollToTop();
    lstCompGalaxy_->setCurrentRow(0);
    lstCompGalaxy_->item(0)->setSelected(true);
    ChooseComposite(0);
}

void CompositePanel::RequestPreview() {
    const int composite = SelectedComposite();
    if (composite < 0) {
        messages_.Warn(std::string(kNoCompositeSelected));
        lstCompGalaxy_->setFocus(Qt::OtherFocusReason);
        return;
    }
    emit previewRequested(composite);
}

} // namespace orb
