#include "ui/properties/qt/props_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include "engine/creation/colour.h"
#include "engine/creation/preview.h"
#include "ui/fields/qt/field_helpers.h"
#include "ui/fields/qt/numeric_box.h"
#include "ui/fields/qt/qt_messages.h"
#include "ui/fields/qt/qt_text.h"
#include "ui/properties/list_lines.h"
#include "ui/properties/props_actions.h"
#include "ui/properties/qt/preview_picture.h"
#include "ui/properties/qt/samples.h"
#include "ui/properties/sample_colours.h"
#include "ui/properties/universe_specs.h"
#include "ui/properties/weights.h"

namespace orb {

namespace {

constexpr int kCompositePage = 3;
constexpr int kListPage = 0;   // fraAni(1) in the shared area
constexpr int kEditorPage = 1; // fraAni(0)


const char* const kGravityWarning =
    "Note:  The time required to compute the gravitational attraction "
    "between Galaxies is related to the Square of the number of Galaxies "
    "in the Universe.  Entering 0 will ensure that gravity computations are "
    "bypassed entirely.  See the Online help for more information.\n\n"
    "Comets will NOT appear in any of the Galaxies if a non-zero Gravity is entered.";

// Items of a combo box that can be made unselectable.
void SetItemEnabled(QComboBox* box, int item, bool enabled) {
    if (auto* model = qobject_cast<QStandardItemModel*>(box->model()))
        if (QStandardItem* it = model->item(item)) it->setEnabled(enabled);
}

} // namespace

PropertiesWindow::PropertiesWindow(PropsContext context, QWidget* parent)
    : QMainWindow(parent), ctx_(context), welcome_([] { return false; }) {
    setWindowTitle(Text("Galaxy Properties"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    BuildPropsWindow(*this, c_);
    ownMessages_ = std::make_unique<QtMessages>(this);
    messages_ = ownMessages_.get();
    preview_ = new PreviewRun(ctx_.store, *c_.picPreview, ctx_.previewCancel, this);
    c_.lblGravityWarning->setText(Text(kGravityWarning));
    for (const std::string& item : UniverseThemeItems())
        c_.cboUniTheme->addItem(QString::fromStdString(item));
    c_.fraPropCopy->hide();
    SetItemEnabled(c_.cboUniExtras, kCompositePage, false);
    c_.aniPages->setCurrentIndex(kListPage);
    Connect();
    ConnectSamples();
}

PropertiesWindow::~PropertiesWindow() = default;

void PropertiesWindow::SetMessages(Messages* messages) {
    messages_ = messages ? messages : ownMessages_.get();
}

NumericBox* PropertiesWindow::GalaxyBox(int index) const {
    const auto it = c_.txtGalaxy.find(index);
    return it == c_.txtGalaxy.end() ? nullptr : it->second;
}

void PropertiesWindow::Connect() {
    connect(c_.cmdAccept, &QPushButton::clicked, this, &PropertiesWindow::OnAcceptButton);
    connect(c_.cmdDismiss, &QPushButton::clicked, this, &QWidget::close);
    connect(c_.actExit, &QAction::triggered, this, &PropertiesWindow::ExitProgram);
    connect(c_.actReset[kResetSet30], &QAction::triggered, this, [this] { ResetProperties(kResetSet30); });
    connect(c_.actReset[kResetSet20], &QAction::triggered, this, [this] { ResetProperties(kResetSet20); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &PropertiesWindow::Escape);

    connect(c_.lstUniGalaxy, &QListWidget::currentRowChanged, this, &PropertiesWindow::OnGalaxyLineChosen);
    connect(c_.lstUniGalaxy, &QListWidget::itemActivated, this, &PropertiesWindow::ShowGalaxyEditor);
    connect(c_.cmdGalProps, &QPushButton::clicked, this, &PropertiesWindow::ShowGalaxyEditor);
    connect(c_.cmdGalPreview, &QPushButton::clicked, this, &PropertiesWindow::GalaxyPreviewButton);
    connect(c_.cmdGalCommit, &QPushButton::clicked, this, &PropertiesWindow::CommitGalaxy);
    connect(c_.cmdResetGalPct, &QPushButton::clicked, this, &PropertiesWindow::ResetGalaxyWeights);
    connect(preview_, &PreviewRun::finished, this, &PropertiesWindow::OnPreviewFinished);

    connect(c_.cboUniExtras, &QComboBox::currentIndexChanged, this, [this](int page) {
        if (page < 0) return;
        c_.uniPages->setCurrentIndex(page);
        if (page == kCompositePage) emit compositePageShown();
    });
    connect(c_.cboGalaxExtras, &QComboBox::currentIndexChanged, c_.galPages,
            &QStackedWidget::setCurrentIndex);
    connect(c_.cboUniTheme, &QComboBox::activated, this, &PropertiesWindow::OnUniverseTheme);
    connect(c_.cboGalTheme, &QComboBox::activated, this, &PropertiesWindow::OnGalaxyTheme);
    connect(c_.cboGalStyle, &QComboBox::activated, this, &PropertiesWindow::ApplyStyle);
    connect(c_.cboUniProfile, &QComboBox::currentIndexChanged, c_.picUniProfile, &ProfileSketch::SetProfile);
    connect(c_.cboGalProfile, &QComboBox::currentIndexChanged, c_.picGalProfile, &ProfileSketch::SetProfile);
    connect(c_.chkUniTour, &QCheckBox::toggled, this, &PropertiesWindow::OnTour);
}

void PropertiesWindow::ConnectSamples() {
    static constexpr SampleChannel kChannels[] = {SampleChannel::Red, SampleChannel::Green,
                                                  SampleChannel::Blue, SampleChannel::Grey};
    for (size_t i = 0; i < 4; ++i) {
        connect(c_.txtPixHue[i], &NumericBox::textChanged, this, [this, i](const QString& t) {
            c_.picPixHue[i]->SetColour(ChannelSampleColour(kChannels[i], Std(t)));
        });
    }
    auto run = [](ColourSample* sample, NumericBox* start, NumericBox* end) {
        auto redraw = [=] {
            const auto [from, to] = HueRunOfTexts(Std(start->Text()), Std(end->Text()));
            sample->SetHueRun(from, to);
        };
        QObject::connect(start, &NumericBox::textChanged, sample, redraw);
        QObject::connect(end, &NumericBox::textChanged, sample, redraw);
    };
    run(c_.picColUni, c_.txtUni.at(16), c_.txtUni.at(17));
    run(c_.picColNova, GalaxyBox(47), GalaxyBox(48));
    connect(GalaxyBox(95), &NumericBox::textChanged, this,
            [this](const QString& t) { c_.picGalHue->SetColour(HueWheelColour(WheelHueOfText(Std(t)))); });
}

// ---- opening ----

void PropertiesWindow::Load() {
    c_.cboUniTheme->setCurrentIndex(0);
    c_.cboUniExtras->setCurrentIndex(0);
    c_.cboGalaxExtras->setCurrentIndex(0);
    c_.cboGalTheme->setCurrentIndex(0);
    const OpeningResult r = OpenProperties(ctx_.store, tables_, universe_, welcome_);
    const bool reset = r.load != OpeningLoad::Stored;
    RefillGalaxyList(reset ? 0 : -1);
    if (reset) c_.cboUniTheme->setCurrentIndex(1);
    OnTour(c_.chkUniTour->isChecked());
    c_.aniPages->setCurrentIndex(kListPage);
    if (r.saveFailed) WarnSaveFailed();
}

double PropertiesWindow::ListWidth(std::string_view text) const {
    const QFontMetricsF fm(c_.lstUniGalaxy->font());
    const double dpi = c_.lstUniGalaxy->logicalDpiX() > 0 ? c_.lstUniGalaxy->logicalDpiX() : 96.0;
    return fm.horizontalAdvance(Q(text)) * 1440.0 / dpi;
}

void PropertiesWindow::RefillGalaxyList(int select) {
    const QSignalBlocker block(c_.lstUniGalaxy);
    c_.lstUniGalaxy->clear();
    for (const std::string& line : WeightLines(tables_, WeightedTable::GalaxyTypes,
                                               [this](std::string_view s) { return ListWidth(s); }))
        c_.lstUniGalaxy->addItem(QString::fromStdString(line));
    c_.lstUniGalaxy->scrollToTop();
    c_.lstUniGalaxy->setCurrentRow(select);
    if (select < 0) c_.lstUniGalaxy->clearSelection();
    OnGalaxyLineChosen();
}

int PropertiesWindow::SelectedGalaxyLine() const {
    const QListWidgetItem* item = c_.lstUniGalaxy->currentItem();
    return item && item->isSelected() ? c_.lstUniGalaxy->row(item) : -1;
}

void PropertiesWindow::OnGalaxyLineChosen() {
    const QListWidgetItem* item = c_.lstUniGalaxy->currentItem();
    if (!item) return;
    const ListLine line = ParseListLine(Std(item->text()));
    c_.txtUniGalName->setText(QString::fromStdString(line.name));
    c_.txtUniGalPct->SetText(QString::number(line.weight));
}

// ---- galaxy editor ----

bool PropertiesWindow::EditorShown() const {
    return c_.aniPages->currentIndex() == kEditorPage;
}

void PropertiesWindow::ShowGalaxyEditor() {
    if (EditorShown() || PreviewRunning()) return;
    const int slot = SelectedGalaxyLine();
    if (slot < 0) {
        messages_->Warn("Please select a Galaxy Profile.");
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    editingSlot_ = slot;
    c_.cmdDismiss->setEnabled(false);
    c_.fraPreview->setEnabled(false);
    ShowGalaxyType(tables_.types[static_cast<size_t>(slot)], galaxy_);
    ApplyStyle(galaxy_.ListIndex(GalaxyList::Style));
    c_.cmdAccept->setText(Text("&Return to Universe Settings"));
    c_.fraAniEditor->setTitle(Text("Galaxy:  ") + c_.lstUniGalaxy->item(slot)->text());
    c_.aniPages->setCurrentIndex(kEditorPage);
    c_.mnuFile->menuAction()->setEnabled(false);
    c_.mnuEdit->menuAction()->setEnabled(false);
    c_.cboGalStyle->setFocus();
    QApplication::restoreOverrideCursor();
}

void PropertiesWindow::ReturnToUniverse() {
    if (!EditorShown()) return;
    ClampFocusedBox();
    if (editingSlot_ >= 0) ReadGalaxyFields(galaxy_, tables_.types[static_cast<size_t>(editingSlot_)]);
    c_.cmdAccept->setText(Text("&Accept Settings"));
    c_.fraAniEditor->setTitle(Text("Galaxy Properties"));
    c_.aniPages->setCurrentIndex(kListPage);
    c_.cmdDismiss->setEnabled(true);
    c_.fraPreview->setEnabled(true);
    c_.mnuFile->menuAction()->setEnabled(true);
    c_.mnuEdit->menuAction()->setEnabled(true);
    editingSlot_ = -1;
    c_.lstUniGalaxy->setFocus();
}

void PropertiesWindow::ApplyStyle(int style) {
    const StyleView& v = StyleViewOf(style);
    for (size_t i = 0; i < c_.galLabel.size(); ++i)
        c_.galLabel[i]->setText(Q(v.captions[i]));
    const auto shown = [&](uint32_t bit) { return (v.hidden & bit) == 0; };
    GalaxyBox(5)->setVisible(shown(kHideBox5));
    GalaxyBox(6)->setVisible(shown(kHideBox6));
    c_.galLabel[static_cast<size_t>(GalaxyLabel::Box5And6)]->setVisible(shown(kHideBox5) || shown(kHideBox6));
    for (QWidget* w : {static_cast<QWidget*>(c_.cboGalProfile), static_cast<QWidget*>(c_.lblGalProfile),
                       static_cast<QWidget*>(c_.picGalProfile)})
        w->setVisible(shown(kHideProfile));
    GalaxyBox(91)->setVisible(shown(kHideBox91));
    c_.galLabel[static_cast<size_t>(GalaxyLabel::Box91)]->setVisible(shown(kHideBox91));
    GalaxyBox(92)->setVisible(shown(kHideBox92));
    c_.galLabel[static_cast<size_t>(GalaxyLabel::Box92)]->setVisible(shown(kHideBox92));
    c_.chkCP_Closed->setVisible(shown(kHideCpClosed));
    GalaxyBox(8)->setVisible(shown(kHideBox8));
    c_.cboGalColor->setVisible(shown(kHideColourList));
    c_.lblNebulaColorCycles->setVisible(!shown(kHideColourList));
    for (const GalaxyBinding& b : kGalaxyBindings) {
        if (b.control != GalaxyControl::Field || !b.styleRange) continue;
        if (NumericBox* box = GalaxyBox(b.index)) box->SetSpec(GalaxyFieldSpec(b, style));
    }
    ApplyStyleToFields(style, galaxy_);
}

void PropertiesWindow::OnGalaxyTheme(int item) {
    if (LoadGalaxyTheme(item, galaxy_)) ApplyStyle(galaxy_.ListIndex(GalaxyList::Style));
}

void PropertiesWindow::OnUniverseTheme(int item) {
    LoadUniverseTheme(item, false, universe_);
}

// While a preview runs every control rests; the tour boxes follow the box when it ends.
void PropertiesWindow::OnTour(bool on) {
    if (PreviewRunning()) return;
    for (int index : {30, 31, 32}) {
        c_.txtUni.at(index)->setEnabled(on);
        c_.uniLabel.at(index)->setEnabled(on);
    }
    c_.chkVisitSeq->setEnabled(on);
    c_.chkTrackGrav->setEnabled(on);
}

// ---- names and weights ----

void PropertiesWindow::CommitGalaxy() {
    const int slot = SelectedGalaxyLine();
    const auto r =
        CommitWeight(tables_, WeightedTable::GalaxyTypes, slot, Std(c_.txtUniGalName->text()),
                     Std(c_.txtUniGalPct->Text()), [this](std::string_view s) { return ListWidth(s); });
    if (!r) return;
    const QSignalBlocker block(c_.lstUniGalaxy);
    c_.lstUniGalaxy->item(slot)->setText(QString::fromStdString(r->line));
    c_.txtUniGalPct->SetText(QString::fromStdString(r->weightText));
    c_.txtUniGalName->setText(QString::fromStdString(r->name));
}

void PropertiesWindow::ResetGalaxyWeights() {
    const auto lines = ResetWeights(
        tables_, WeightedTable::GalaxyTypes, Std(c_.txtResetGalPct->Text()),
        [this](std::string_view s) { return ListWidth(s); }, *messages_);
    if (!lines) return;
    for (size_t i = 0; i < lines->size() && i < static_cast<size_t>(c_.lstUniGalaxy->count()); ++i)
        c_.lstUniGalaxy->item(static_cast<int>(i))->setText(QString::fromStdString((*lines)[i]));
    c_.lstUniGalaxy->scrollToTop();
    c_.lstUniGalaxy->setCurrentRow(0);
    OnGalaxyLineChosen();
}

// ---- accept, cancel, reset, exit ----

void PropertiesWindow::ClampFocusedBox() {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (auto* box = qobject_cast<NumericBox*>(w)) {
            box->Clamp();
            return;
        }
    }
}

void PropertiesWindow::OnAcceptButton() {
    if (EditorShown())
        ReturnToUniverse();
    else
        Accept();
}

bool PropertiesWindow::Accept() {
    if (EditorShown() || PreviewRunning()) return false;
    ClampFocusedBox();
    if (!AcceptSave(ctx_.store, universe_, tables_, *messages_)) return false;
    accepted_ = true;
    close();
    return true;
}

void PropertiesWindow::Escape() {
    if (PreviewRunning())
        StopPreview();
    else if (EditorShown())
        ReturnToUniverse();
    else
        close();
}

// Escape reaches the window itself when no shortcut took it (the window not yet active).
void PropertiesWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Escape();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void PropertiesWindow::ExitProgram() {
    ctx_.exitRequested = true;
    close();
}

void PropertiesWindow::ResetProperties(int set) {
    if (EditorShown() || set < 0 || set > 1) return;
    QAction* item = c_.actReset[static_cast<size_t>(set)];
    item->setChecked(true);
    const ResetReport r =
        RunResetProperties(set, *messages_, ctx_.store, tables_, universe_, PropsaveBackupPath());
    if (r.outcome == ResetOutcome::Reset) {
        RefillGalaxyList(0);
        c_.cboUniTheme->setCurrentIndex(0);
        c_.cboUniTheme->setCurrentIndex(1);
        c_.cboUniExtras->setCurrentIndex(0);
        OnTour(c_.chkUniTour->isChecked());
        emit tablesReplaced();
        if (!r.advancedWritten) WarnSaveFailed();
    }
    item->setChecked(false);
}

void PropertiesWindow::WarnSaveFailed() {
    messages_->Warn(SaveFailedText(SettingsFileOf(ctx_.store.Backend())));
}

void PropertiesWindow::closeEvent(QCloseEvent* event) {
    StopPreview();
    event->accept();
    if (!closed_) {
        closed_ = true;
        emit closed(accepted_);
    }
}

// ---- panels built elsewhere ----

void PropertiesWindow::SetPropertyCopyPanel(QWidget* panel) {
    c_.propCopyHost->addWidget(panel);
    c_.fraPropCopy->show();
}

void PropertiesWindow::SetCompositeEditor(QWidget* editor) {
    c_.compositeHost->addWidget(editor);
    SetItemEnabled(c_.cboUniExtras, kCompositePage, true);
}

} // namespace orb
