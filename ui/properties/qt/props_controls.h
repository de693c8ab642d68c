// The controls of the Properties window, named as the program names them, and the builders that
// lay them out. The window class binds them to the dialog's rules; the builders only place them.
#pragma once

#include <QString>
#include <array>
#include <map>

#include "ui/properties/galaxy_styles.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMainWindow;
class QMenu;
class QPushButton;
class QStackedWidget;
class QVBoxLayout;
class QWidget;

namespace orb {

class ColourSample;
class FilteredLineEdit;
class NumericBox;
class PreviewPicture;
class ProfileSketch;

struct PropsControls {
    // ---- universe ----
    QGroupBox* fraBack = nullptr;           // "Universe Properties"
    std::map<int, NumericBox*> txtUni;      // by txtUni index
    std::map<int, QLabel*> uniLabel;        // label of each txtUni row, by its first index
    QComboBox* cboUniTheme = nullptr;       // "< NONE >" and the 8 themes
    QComboBox* cboUniExtras = nullptr;      // the five pages
    QStackedWidget* uniPages = nullptr;     // fraUniProp(0..4)
    std::array<QWidget*, 5> fraUniProp{};   // the pages
    QComboBox* cboUniProfile = nullptr;     // universe shape profile
    ProfileSketch* picUniProfile = nullptr; // its sketch
    ColourSample* picColUni = nullptr;      // universe hue run
    QGroupBox* fraAmbient = nullptr;        // "Ambient Stars"
    QCheckBox* chkAmbDisp = nullptr;        // Universe_AmProf
    QCheckBox* chkUniTour = nullptr;        // Universe_Tour
    QGroupBox* fraUniTour = nullptr;        // the tour fields
    QCheckBox* chkVisitSeq = nullptr;       // Universe_GVisit
    QCheckBox* chkTrackGrav = nullptr;      // Universe_GTrack
    QLabel* lblGravityWarning = nullptr;    // the note about gravity's cost
    QVBoxLayout* compositeHost = nullptr;   // page 3: where the composite editor goes

    // ---- galaxy-type list page, fraAni(1) ----
    QStackedWidget* aniPages = nullptr;  // fraAni(1) and fraAni(0) sharing the lower area
    QGroupBox* fraAniList = nullptr;     // fraAni(1) "Universe Galaxies"
    QListWidget* lstUniGalaxy = nullptr; // 32 lines
    FilteredLineEdit* txtUniGalName = nullptr;
    NumericBox* txtUniGalPct = nullptr;    // with spnUniGalPct
    QPushButton* cmdGalCommit = nullptr;   // "Commit"
    QPushButton* cmdGalProps = nullptr;    // "Show Props"
    QPushButton* cmdGalPreview = nullptr;  // "Galaxy Preview" / "Stop"
    QPushButton* cmdResetGalPct = nullptr; // "Reset %"
    NumericBox* txtResetGalPct = nullptr;

    // ---- galaxy editor, fraAni(0) ----
    QGroupBox* fraAniEditor = nullptr; // fraAni(0) "Galaxy Properties" / "Galaxy:  " + line
    QComboBox* cboGalStyle = nullptr;
    QComboBox* cboGalTheme = nullptr;
    QComboBox* cboGalaxExtras = nullptr;
    QStackedWidget* galPages = nullptr;                // fraGalProp(0..2)
    std::map<int, NumericBox*> txtGalaxy;              // by txtGalaxy index
    std::array<NumericBox*, 5> txtPixHue{};            // R, G, B, base, blend
    std::array<ColourSample*, 4> picPixHue{};          // R, G, B, base
    std::array<QLabel*, kGalaxyLabelCount> galLabel{}; // the labels a style recaptions
    QLabel* lblGalProfile = nullptr;                   // "Galaxy Profile:"
    QComboBox* cboGalPlane = nullptr;
    QComboBox* cboGalColor = nullptr;
    QLabel* lblNebulaColorCycles = nullptr; // in place of cboGalColor for Nebula
    QComboBox* cboGalProfile = nullptr;
    ProfileSketch* picGalProfile = nullptr;
    ColourSample* picGalHue = nullptr;  // hue wheel start
    ColourSample* picColNova = nullptr; // comet hue run
    QCheckBox* chkCP_Closed = nullptr;
    QGroupBox* fraGalaxyColor = nullptr;

    // ---- right-hand side and buttons ----
    QGroupBox* fraPreview = nullptr; // "Galaxy / Composite Preview"
    PreviewPicture* picPreview = nullptr;
    QGroupBox* fraPropCopy = nullptr;    // "Copy Galaxy Props to All Types"
    QVBoxLayout* propCopyHost = nullptr; // where the property copy panel goes
    QPushButton* cmdAccept = nullptr;    // "&Accept Settings" / "&Return to Universe Settings"
    QPushButton* cmdDismiss = nullptr;   // "Cancel"

    // ---- menus ----
    QMenu* mnuFile = nullptr;
    QMenu* mnuEdit = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* actOpenTemplate = nullptr;
    QAction* actSaveTemplate = nullptr;
    QAction* actSaveTemplateAs = nullptr;
    QAction* actExit = nullptr;
    std::array<QAction*, 2> actReset{}; // by factory set: [0] "Orbelune 3.0", [1] "&Orbelune 2.0"
    QAction* actAdvanced = nullptr;
    QAction* actHelpContents = nullptr;
    QAction* actHelpSearch = nullptr;
    QAction* actHomePage = nullptr;
    QAction* actAbout = nullptr;
};

// Every control of the window, laid out in the window's central widget, and the menus.
void BuildPropsWindow(QMainWindow& window, PropsControls& c);
// The universe frame with its five pages.
QGroupBox* BuildUniverseFrame(PropsControls& c);
// The galaxy-type list page and the galaxy editor, sharing one area.
QStackedWidget* BuildGalaxyPages(PropsControls& c);

// A text of the dialog as Qt takes it.
inline QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace orb
