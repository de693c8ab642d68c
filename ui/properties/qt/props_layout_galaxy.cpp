// The lower area: the galaxy-type list page and the galaxy editor with its colour frame and its
// three pages.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "settings/setting_defs.h"
#include "ui/fields/qt/numeric_box.h"
#include "ui/fields/qt/qt_text.h"
#include "ui/properties/galaxy_fields.h"
#include "ui/properties/qt/props_controls.h"
#include "ui/properties/qt/samples.h"
#include "ui/properties/universe_specs.h"

namespace orb {

namespace {

NumericBox* GalaxyBox(PropsControls& c, int index, QWidget* parent) {
    const GalaxyBinding* b = FindGalaxyBinding(GalaxyControl::Field, index);
    auto* box = new NumericBox(GalaxyFieldSpec(*b, 0), parent);
    box->setObjectName(QStringLiteral("txtGalaxy%1").arg(index));
    c.txtGalaxy[index] = box;
    return box;
}

NumericBox* HueBox(PropsControls& c, int index, QWidget* parent) {
    const GalaxyBinding* b = FindGalaxyBinding(GalaxyControl::HueField, index);
    auto* box = new NumericBox(GalaxyFieldSpec(*b, 0), parent);
    box->setObjectName(QStringLiteral("txtPixHue%1").arg(index));
    c.txtPixHue[static_cast<size_t>(index)] = box;
    return box;
}

// A row: a label (kept in galLabel when a style may recaption it), then boxes from column 1.
QLabel* Row(PropsControls& c, QGridLayout* grid, QWidget* parent, const QString& text,
            std::initializer_list<int> boxes, int styleLabel = -1) {
    const int row = grid->rowCount();
    auto* label = new QLabel(text, parent);
    if (styleLabel >= 0) c.galLabel[static_cast<size_t>(styleLabel)] = label;
    grid->addWidget(label, row, 0);
    int col = 1;
    for (int index : boxes) {
        NumericBox* box = GalaxyBox(c, index, parent);
        if (col == 1) label->setBuddy(box->Edit());
        grid->addWidget(box, row, col++);
    }
    return label;
}

QString Caption(GalaxyLabel l) {
    return Q(kStandardCaptions[static_cast<size_t>(l)]);
}

QGridLayout* Grid(QWidget* w) {
    auto* grid = new QGridLayout(w);
    grid->setColumnStretch(0, 1);
    return grid;
}

QWidget* CharacteristicsPage(PropsControls& c) {
    auto* page = new QWidget;
    QGridLayout* grid = Grid(page);
    Row(c, grid, page, Caption(GalaxyLabel::RadiusRotation), {0, 1}, int(GalaxyLabel::RadiusRotation));
    Row(c, grid, page, Caption(GalaxyLabel::Distance), {2}, int(GalaxyLabel::Distance));
    c.cboGalPlane = new QComboBox(page);
    c.cboGalPlane->addItems({Text("Y-Z"), Text("X-Z")});
    grid->addWidget(c.cboGalPlane, grid->rowCount() - 1, 2);
    Row(c, grid, page, Caption(GalaxyLabel::Box3And4), {3, 4}, int(GalaxyLabel::Box3And4));
    Row(c, grid, page, Caption(GalaxyLabel::Box5And6), {5, 6}, int(GalaxyLabel::Box5And6));
    Row(c, grid, page, Caption(GalaxyLabel::Box90), {8, 90}, int(GalaxyLabel::Box90));
    Row(c, grid, page, Caption(GalaxyLabel::Box91), {91}, int(GalaxyLabel::Box91));
    Row(c, grid, page, Caption(GalaxyLabel::Box92), {92}, int(GalaxyLabel::Box92));
    Row(c, grid, page, Caption(GalaxyLabel::Box93), {93}, int(GalaxyLabel::Box93));
    Row(c, grid, page, Text("Tilt Angle Increment in Degrees (0.0 - 360.0):"), {94});
    Row(c, grid, page, Text("Hue Wheel, Incr. (0 - 359):"), {95, 96});
    c.picGalHue = new ColourSample(page);
    grid->addWidget(c.picGalHue, grid->rowCount(), 1, 1, 2);
    const int row = grid->rowCount();
    c.lblGalProfile = new QLabel(Text("Galaxy Profile:"), page);
    c.cboGalProfile = new QComboBox(page);
    for (std::string_view name : kProfileNames)
        c.cboGalProfile->addItem(Q(name));
    c.lblGalProfile->setBuddy(c.cboGalProfile);
    grid->addWidget(c.lblGalProfile, row, 0);
    grid->addWidget(c.cboGalProfile, row, 1, 1, 2);
    c.picGalProfile = new ProfileSketch(page);
    grid->addWidget(c.picGalProfile, row + 1, 1, 1, 2);
    c.chkCP_Closed = new QCheckBox(Text("Control Point Loop is Closed?"), page);
    grid->addWidget(c.chkCP_Closed, row + 2, 0, 1, 3);
    grid->setRowStretch(row + 3, 1);
    return page;
}

QWidget* NewStarPage(PropsControls& c) {
    auto* page = new QWidget;
    QGridLayout* grid = Grid(page);
    Row(c, grid, page, Text("New Stars Frequency (0 - 9999):"), {10});
    Row(c, grid, page, Text("New Star Cycle Down Frames (0 - 999):"), {11});
    Row(c, grid, page, Text("Star Max. Extension Magnitude (1 - 9999):"), {12});
    Row(c, grid, page, Text("Nova Stars Frequency (0 - 9999):"), {20});
    Row(c, grid, page, Text("Nova Star Cycle Down Frames (1 - 999):"), {21});
    Row(c, grid, page, Text("Nova Max. Extension Magnitude (1 - 9999):"), {22});
    grid->setRowStretch(grid->rowCount(), 1);
    return page;
}

QWidget* CometPage(PropsControls& c) {
    auto* page = new QWidget;
    QGridLayout* grid = Grid(page);
    Row(c, grid, page, Text("Comet Frequency (0 - 9999):"), {40});
    Row(c, grid, page, Text("Stars per Comet (1 - 999):"), {41});
    Row(c, grid, page, Text("Comet Orbital Speed (0 - 9999):"), {42});
    Row(c, grid, page, Text("Comet Expansion Rate (0 - 9999):"), {43});
    Row(c, grid, page, Text("Solar Wind Magnitude (0 - 9999):"), {44});
    Row(c, grid, page, Text("Comet Persistence (0.1 - 0.9999):"), {45});
    Row(c, grid, page, Text("Comet Star Persistence (0.1 - 0.9999):"), {46});
    Row(c, grid, page, Text("Hue Start, End (0 - 999):"), {47, 48});
    c.picColNova = new ColourSample(page);
    grid->addWidget(c.picColNova, grid->rowCount(), 1, 1, 2);
    grid->setRowStretch(grid->rowCount(), 1);
    return page;
}

QGroupBox* ColourFrame(PropsControls& c) {
    c.fraGalaxyColor = new QGroupBox(Text("Star Hue Computation Type / Multiplier (1 - 30000)"));
    QGridLayout* grid = Grid(c.fraGalaxyColor);
    c.cboGalColor = new QComboBox(c.fraGalaxyColor);
    for (std::string_view name : kColourCompNames)
        c.cboGalColor->addItem(Q(name));
    c.lblNebulaColorCycles = new QLabel(Q(kNebulaColourCaption), c.fraGalaxyColor);
    c.lblNebulaColorCycles->hide();
    grid->addWidget(c.cboGalColor, 0, 0);
    grid->addWidget(c.lblNebulaColorCycles, 0, 0);
    grid->addWidget(GalaxyBox(c, 7, c.fraGalaxyColor), 0, 1, 1, 2);
    auto* rgb = new QLabel(Text("R, G, B (0 - 100):"), c.fraGalaxyColor);
    grid->addWidget(rgb, 1, 0);
    for (int i = 0; i < 3; ++i)
        grid->addWidget(HueBox(c, i, c.fraGalaxyColor), 1, 1 + i);
    rgb->setBuddy(c.txtPixHue[0]->Edit());
    for (int i = 0; i < 3; ++i) {
        c.picPixHue[static_cast<size_t>(i)] = new ColourSample(c.fraGalaxyColor);
        grid->addWidget(c.picPixHue[static_cast<size_t>(i)], 2, 1 + i);
    }
    auto* base = new QLabel(Text("Base (0 - 100), Blend (1 - 60):"), c.fraGalaxyColor);
    grid->addWidget(base, 3, 0);
    grid->addWidget(HueBox(c, 3, c.fraGalaxyColor), 3, 1);
    grid->addWidget(HueBox(c, 4, c.fraGalaxyColor), 3, 2);
    base->setBuddy(c.txtPixHue[3]->Edit());
    c.picPixHue[3] = new ColourSample(c.fraGalaxyColor);
    grid->addWidget(c.picPixHue[3], 4, 1);
    return c.fraGalaxyColor;
}

QGroupBox* EditorPage(PropsControls& c) {
    c.fraAniEditor = new QGroupBox(Text("Galaxy Properties"));
    auto* layout = new QVBoxLayout(c.fraAniEditor);
    auto* top = new QGridLayout;
    top->setColumnStretch(1, 1);
    layout->addLayout(top);
    auto addList = [&](const char* text, QComboBox*& list) {
        const int row = top->rowCount();
        auto* label = new QLabel(Text(text), c.fraAniEditor);
        list = new QComboBox(c.fraAniEditor);
        label->setBuddy(list);
        top->addWidget(label, row, 0);
        top->addWidget(list, row, 1);
    };
    addList("Style:", c.cboGalStyle);
    for (std::string_view s : kStyleListText)
        c.cboGalStyle->addItem(Q(s));
    addList("Theme:", c.cboGalTheme);
    for (const std::string& item : GalaxyThemeItems())
        c.cboGalTheme->addItem(QString::fromStdString(item));
    layout->addWidget(ColourFrame(c));
    auto* extras = new QGridLayout;
    extras->setColumnStretch(1, 1);
    layout->addLayout(extras);
    auto* label = new QLabel(Text("Extras:"), c.fraAniEditor);
    c.cboGalaxExtras = new QComboBox(c.fraAniEditor);
    c.cboGalaxExtras->addItems(
        {Text("Galaxy Characteristics"), Text("New and Nova Star Creation"), Text("Comet Characteristics")});
    label->setBuddy(c.cboGalaxExtras);
    extras->addWidget(label, 0, 0);
    extras->addWidget(c.cboGalaxExtras, 0, 1);
    c.galPages = new QStackedWidget(c.fraAniEditor);
    c.galPages->addWidget(CharacteristicsPage(c));
    c.galPages->addWidget(NewStarPage(c));
    c.galPages->addWidget(CometPage(c));
    layout->addWidget(c.galPages, 1);
    return c.fraAniEditor;
}

QGroupBox* ListPage(PropsControls& c) {
    c.fraAniList = new QGroupBox(Text("Universe Galaxies"));
    auto* outer = new QVBoxLayout(c.fraAniList);
    auto* types = new QGroupBox(Text("Galaxy Types"), c.fraAniList);
    outer->addWidget(types);
    auto* layout = new QVBoxLayout(types);
    c.lstUniGalaxy = new QListWidget(types);
    c.lstUniGalaxy->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(c.lstUniGalaxy, 1);
    auto* label = new QLabel(Text("Selected Galaxy Name and Relative Percent in Universe:"), types);
    layout->addWidget(label);
    auto* nameRow = new QHBoxLayout;
    layout->addLayout(nameRow);
    c.txtUniGalName = new FilteredLineEdit(types);
    c.txtUniGalName->SetFilter(kNameFieldSpec.filter);
    c.txtUniGalName->setMaxLength(static_cast<int>(kNameMaxBytes));
    label->setBuddy(c.txtUniGalName);
    c.txtUniGalPct = new NumericBox(kWeightFieldSpec, types);
    nameRow->addWidget(c.txtUniGalName, 3);
    nameRow->addWidget(c.txtUniGalPct, 1);
    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    c.cmdGalCommit = new QPushButton(Text("Commit"), types);
    c.cmdGalProps = new QPushButton(Text("Show Props"), types);
    c.cmdGalPreview = new QPushButton(Text("Galaxy Preview"), types);
    c.cmdResetGalPct = new QPushButton(Text("Reset %"), types);
    c.txtResetGalPct = new NumericBox(kResetPctFieldSpec, types);
    c.txtResetGalPct->Edit()->setMaxLength(4);
    for (QPushButton* b : {c.cmdGalCommit, c.cmdGalProps, c.cmdGalPreview, c.cmdResetGalPct}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addWidget(c.txtResetGalPct);
    return c.fraAniList;
}

} // namespace

QStackedWidget* BuildGalaxyPages(PropsControls& c) {
    c.aniPages = new QStackedWidget;
    c.aniPages->addWidget(ListPage(c));
    c.aniPages->addWidget(EditorPage(c));
    return c.aniPages;
}

} // namespace orb
