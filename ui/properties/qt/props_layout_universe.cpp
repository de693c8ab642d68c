// The universe frame: the three main boxes, the theme and extras lists, and the five pages.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "settings/setting_defs.h"
#include "ui/fields/qt/numeric_box.h"
#include "ui/properties/qt/props_controls.h"
#include "ui/properties/qt/samples.h"
#include "ui/properties/universe_specs.h"

namespace orb {

namespace {

// A row of the universe boxes: a label, then one or two boxes.
struct UniverseRow {
    const char* label;
    int first;       // txtUni index
    int second = -1; // a second box on the row, or -1
};

NumericBox* UniverseBox(PropsControls& c, int index, QWidget* parent) {
    auto* box = new NumericBox(*UniverseFieldSpec(index), parent);
    box->setObjectName(QStringLiteral("txtUni%1").arg(index));
    c.txtUni[index] = box;
    return box;
}

// Adds the rows to a grid, label in column 0 and boxes in columns 1 and 2.
void AddRows(PropsControls& c, QGridLayout* grid, QWidget* parent, std::initializer_list<UniverseRow> rows) {
    for (const UniverseRow& r : rows) {
        const int row = grid->rowCount();
        auto* label = new QLabel(Text(r.label), parent);
        c.uniLabel[r.first] = label;
        grid->addWidget(label, row, 0);
        NumericBox* first = UniverseBox(c, r.first, parent);
        label->setBuddy(first->Edit());
        grid->addWidget(first, row, 1);
        if (r.second >= 0) grid->addWidget(UniverseBox(c, r.second, parent), row, 2);
    }
}

QGridLayout* Grid(QWidget* w) {
    auto* grid = new QGridLayout(w);
    grid->setColumnStretch(0, 1);
    return grid;
}

QComboBox* ProfileList(QWidget* parent) {
    auto* list = new QComboBox(parent);
    for (std::string_view name : kProfileNames)
        list->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    return list;
}

QWidget* CreationPage(PropsControls& c) {
    auto* page = new QWidget;
    QGridLayout* grid = Grid(page);
    AddRows(c, grid, page,
            {{"Expansion Speed (0 - 99999):", 10},
             {"Expansion Steps (1 - 9999):", 11},
             {"Star Persistence (0.25 - 1.0):", 12},
             {"Universe Burst Symmetry (0.0 - 1.0):", 13},
             {"Universe Burst Damping (0.0 - 1.0):", 14},
             {"Universe Height / Width Ratio (0 - 99.9):", 15},
             {"Hue Start, End (0 - 999):", 16, 17}});
    c.picColUni = new ColourSample(page);
    grid->addWidget(c.picColUni, grid->rowCount(), 1, 1, 2);
    const int row = grid->rowCount();
    auto* label = new QLabel(Text("Universe Profile:"), page);
    c.cboUniProfile = ProfileList(page);
    label->setBuddy(c.cboUniProfile);
    grid->addWidget(label, row, 0);
    grid->addWidget(c.cboUniProfile, row, 1, 1, 2);
    c.picUniProfile = new ProfileSketch(page);
    grid->addWidget(c.picUniProfile, row + 1, 1, 1, 2);
    grid->setRowStretch(row + 2, 1);
    return page;
}

QWidget* StarCreationPage(PropsControls& c) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* top = new QGridLayout;
    top->setColumnStretch(0, 1);
    layout->addLayout(top);
    AddRows(c, top, page,
            {{"New Stars Frequency (0 - 9999):", 20}, {"Exclusive to Current Galaxy % (0 - 100):", 21}});
    c.fraAmbient = new QGroupBox(Text("Ambient Stars"), page);
    QGridLayout* grid = Grid(c.fraAmbient);
    AddRows(c, grid, c.fraAmbient,
            {{"Stars (0 - 3000):", 40},
             {"Persistence (0.25 - 1.0):", 41},
             {"Age Increment (0.0 - 10.0):", 42},
             {"Cycle Down Frames (0 - 999):", 43},
             {"Max. Size Extension (1 - 99999):", 44}});
    c.chkAmbDisp = new QCheckBox(Text("Use Univere Profile"), c.fraAmbient);
    grid->addWidget(c.chkAmbDisp, grid->rowCount(), 0, 1, 3);
    layout->addWidget(c.fraAmbient);
    layout->addStretch(1);
    return page;
}

QWidget* TourPage(PropsControls& c) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    c.chkUniTour = new QCheckBox(Text("Tour the Universe"), page);
    layout->addWidget(c.chkUniTour);
    c.fraUniTour = new QGroupBox(page);
    QGridLayout* grid = Grid(c.fraUniTour);
    AddRows(c, grid, c.fraUniTour,
            {{"Steps per Control Point (1 - 9999):", 30},
             {"Control Points per Galaxy Visit (1 - 999):", 31},
             {"Control Points thru Galaxy Core (0 - 999):", 32},
             {"Distance from Universe Center (0 - 999999):", 33}});
    c.chkVisitSeq = new QCheckBox(Text("Visit Galaxy Types Sequentially:"), c.fraUniTour);
    c.chkTrackGrav = new QCheckBox(Text("Predictive Gravity Vector Tracking:"), c.fraUniTour);
    grid->addWidget(c.chkVisitSeq, grid->rowCount(), 0, 1, 3);
    grid->addWidget(c.chkTrackGrav, grid->rowCount(), 0, 1, 3);
    layout->addWidget(c.fraUniTour);
    layout->addStretch(1);
    return page;
}

QWidget* CompositePage(PropsControls& c) {
    auto* page = new QWidget;
    c.compositeHost = new QVBoxLayout(page);
    c.compositeHost->setContentsMargins(0, 0, 0, 0);
    return page;
}

QWidget* GravityPage(PropsControls& c) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* grid = new QGridLayout;
    grid->setColumnStretch(0, 1);
    layout->addLayout(grid);
    AddRows(
        c, grid, page,
        {{"Gravitational Magnitude (0 - 999999):", 50}, {"Calc. Velocity Vectors per Frame (1 - 999):", 51}});
    c.lblGravityWarning = new QLabel(page);
    c.lblGravityWarning->setWordWrap(true);
    layout->addWidget(c.lblGravityWarning);
    layout->addStretch(1);
    return page;
}

} // namespace

QGroupBox* BuildUniverseFrame(PropsControls& c) {
    c.fraBack = new QGroupBox(Text("Universe Properties"));
    auto* layout = new QVBoxLayout(c.fraBack);
    auto* top = new QGridLayout;
    top->setColumnStretch(0, 1);
    layout->addLayout(top);
    AddRows(c, top, c.fraBack,
            {{"Stars in all the Galaxies (10 - 30000):", 0},
             {"Galaxies in the Universe (1- 999):", 1},
             {"Star Trail Length in Pixels (1 - 99):", 2}});
    auto addList = [&](const char* text, QComboBox*& list) {
        const int row = top->rowCount();
        auto* label = new QLabel(Text(text), c.fraBack);
        list = new QComboBox(c.fraBack);
        label->setBuddy(list);
        top->addWidget(label, row, 0);
        top->addWidget(list, row, 1, 1, 2);
    };
    addList("Theme:", c.cboUniTheme);
    addList("Extras:", c.cboUniExtras);
    for (const char* item : {"Universe Creation", "New / Ambient Star Creation",
                             "Galaxy Tour Characteristics", "Composite Galaxies", "Gravity between Galaxies"})
        c.cboUniExtras->addItem(Text(item));
    c.uniPages = new QStackedWidget(c.fraBack);
    c.fraUniProp = {CreationPage(c), StarCreationPage(c), TourPage(c), CompositePage(c), GravityPage(c)};
    for (QWidget* page : c.fraUniProp)
        c.uniPages->addWidget(page);
    layout->addWidget(c.uniPages, 1);
    return c.fraBack;
}

} // namespace orb
