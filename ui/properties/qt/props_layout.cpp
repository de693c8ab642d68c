// The window's frame: three columns (universe values, the galaxy pages, the preview with the
// property copy and the buttons) and the menus.
#include <QAction>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "ui/properties/qt/preview_picture.h"
#include "ui/properties/qt/props_controls.h"

namespace orb {

namespace {

QAction* Item(QMenu* menu, const char* text, bool enabled = true) {
    QAction* a = menu->addAction(Text(text));
    a->setEnabled(enabled);
    return a;
}

// Actions another part of the program connects later start disabled: a menu item that does
// nothing would mislead.
void BuildMenus(QMainWindow& window, PropsControls& c) {
    QMenuBar* bar = window.menuBar();
    c.mnuFile = bar->addMenu(Text("&File"));
    c.actOpenTemplate = Item(c.mnuFile, "&Open Template...", false);
    c.mnuFile->addSeparator();
    c.actSaveTemplate = Item(c.mnuFile, "&Save Template", false);
    c.actSaveTemplateAs = Item(c.mnuFile, "Save Template &As...", false);
    c.mnuFile->addSeparator();
    c.actExit = Item(c.mnuFile, "E&xit");

    c.mnuEdit = bar->addMenu(Text("&Edit"));
    QMenu* reset = c.mnuEdit->addMenu(Text("&Reset Properties"));
    c.actReset[1] = Item(reset, "&Orbelune 2.0");
    reset->addSeparator();
    c.actReset[0] = Item(reset, "O&rbelune 3.0");
    for (QAction* a : c.actReset)
        a->setCheckable(true);
    c.mnuEdit->addSeparator();
    c.actAdvanced = Item(c.mnuEdit, "&Advanced Settings...", false);

    c.mnuHelp = bar->addMenu(Text("&Help"));
    c.actHelpContents = Item(c.mnuHelp, "&Contents...", false);
    c.actHelpSearch = Item(c.mnuHelp, "&Search...", false);
    c.mnuHelp->addSeparator();
    c.actHomePage = Item(c.mnuHelp, "&KLVA Home Page...", false);
    c.mnuHelp->addSeparator();
    c.actAbout = Item(c.mnuHelp, "&About Orbelune...", false);
}

QWidget* RightColumn(PropsControls& c) {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    c.fraPreview = new QGroupBox(Text("Galaxy / Composite Preview"), column);
    auto* preview = new QVBoxLayout(c.fraPreview);
    c.picPreview = new PreviewPicture(c.fraPreview);
    c.picPreview->setObjectName(QStringLiteral("picPreview"));
    preview->addWidget(c.picPreview);
    layout->addWidget(c.fraPreview, 1);
    c.fraPropCopy = new QGroupBox(Text("Copy Galaxy Props to All Types"), column);
    c.propCopyHost = new QVBoxLayout(c.fraPropCopy);
    layout->addWidget(c.fraPropCopy);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    c.cmdAccept = new QPushButton(Text("&Accept Settings"), column);
    c.cmdDismiss = new QPushButton(Text("Cancel"), column);
    c.cmdAccept->setAutoDefault(false);
    c.cmdDismiss->setAutoDefault(false);
    buttons->addWidget(c.cmdAccept);
    buttons->addWidget(c.cmdDismiss);
    layout->addLayout(buttons);
    return column;
}

} // namespace

void BuildPropsWindow(QMainWindow& window, PropsControls& c) {
    auto* central = new QWidget(&window);
    auto* columns = new QHBoxLayout(central);
    columns->addWidget(BuildUniverseFrame(c), 3);
    columns->addWidget(BuildGalaxyPages(c), 3);
    columns->addWidget(RightColumn(c), 2);
    window.setCentralWidget(central);
    BuildMenus(window, c);
}

} // namespace orb
