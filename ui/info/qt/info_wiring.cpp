#include "ui/info/qt/info_wiring.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>

#include "ui/fields/qt/filtered_line_edit.h"
#include "ui/fields/qt/numeric_box.h"
#include "ui/info/qt/about_window.h"
#include "ui/info/qt/desktop_page_opener.h"
#include "ui/info/qt/welcome_window.h"
#include "ui/properties/props_actions.h"
#include "ui/properties/qt/props_window.h"

namespace orb {

InformationWindows* InformationWindows::Attach(PropertiesWindow& window, SettingsStore& store,
                                               TemplateState* templates, std::unique_ptr<PageOpener> opener) {
    if (!opener) opener = std::make_unique<DesktopPageOpener>();
    return new InformationWindows(window, store, templates, std::move(opener));
}

InformationWindows::InformationWindows(PropertiesWindow& window, SettingsStore& store,
                                       TemplateState* templates, std::unique_ptr<PageOpener> opener)
    : QObject(&window), window_(window), store_(store), templates_(templates), opener_(std::move(opener)),
      ticks_(&DefaultTicks()) {
    PropsControls& c = window.Controls();
    window.SetWelcome([this] {
        return RunWelcome(store_, PropsaveBackupPath(), window_.MessageBoxes(), templates_, &window_);
    });
    for (QAction* a : {c.actHelpContents, c.actHelpSearch, c.actHomePage, c.actAbout})
        a->setEnabled(true);
    connect(c.actHelpContents, &QAction::triggered, this, [this] { help_.ShowContents(); });
    connect(c.actHelpSearch, &QAction::triggered, this, [this] { help_.ShowSearch(); });
    connect(c.actHomePage, &QAction::triggered, this, &InformationWindows::OpenHomePage);
    connect(c.actAbout, &QAction::triggered, this, &InformationWindows::OpenAbout);
    // Closing the dialog closes its help.
    connect(&window, &PropertiesWindow::closed, this, [this] { help_.Close(); });
    // The relabelled galaxy boxes answer for the style being edited.
    QComboBox* style = c.cboGalStyle;
    help_.WatchF1([style] { return style ? style->currentIndex() : 0; });
    // A dialog modal over the application window would block the help window: it is modal on
    // its owner only.
    if (window.windowModality() == Qt::ApplicationModal && window.parentWidget())
        window.setWindowModality(Qt::WindowModal);
    MarkTopics();
}

void InformationWindows::MarkTopics() {
    PropsControls& c = window_.Controls();
    SetHelpTopic(&window_, "frmProps");
    SetHelpTopic(c.fraBack, "fraBack");
    for (size_t i = 0; i < c.fraUniProp.size(); ++i)
        SetHelpTopic(c.fraUniProp[i], "fraUniProp" + std::to_string(i));
    const std::pair<QWidget*, const char*> marks[] = {
        {c.cboUniTheme, "cboUniTheme"},        {c.cboUniExtras, "cboUniExtras"},
        {c.cboUniProfile, "Universe_Profile"}, {c.fraAmbient, "fraAmbient"},
        {c.chkAmbDisp, "Universe_AmProf"},     {c.chkUniTour, "Universe_Tour"},
        {c.chkVisitSeq, "Universe_GVisit"},    {c.chkTrackGrav, "Universe_GTrack"},
        {c.lblGravityWarning, "fraUniProp4"},  {c.fraAniList, "fraAni1"},
        {c.lstUniGalaxy, "fraAni1"},           {c.txtUniGalName, "_UniGalName"},
        {c.txtUniGalPct, "_UniGalPct"},        {c.cmdGalCommit, "cmdGalCommit"},
        {c.cmdGalProps, "cmdGalProps"},        {c.cmdGalPreview, "cmdGalPreview"},
        {c.cmdResetGalPct, "cmdResetGalPct"},  {c.txtResetGalPct, "cmdResetGalPct"},
        {c.fraAniEditor, "fraAni0"},           {c.cboGalStyle, "Galaxy_GalStyle"},
        {c.cboGalTheme, "cboGalTheme"},        {c.cboGalaxExtras, "cboGalaxExtras"},
        {c.cboGalPlane, "Galaxy_AxisPlane"},   {c.cboGalColor, "Galaxy_ColorComp"},
        {c.cboGalProfile, "Galaxy_Profile"},   {c.chkCP_Closed, "Galaxy_CP_Close"},
        {c.fraGalaxyColor, "fraGalaxyColor"},  {c.fraPreview, "fraPreview"},
        {c.fraPropCopy, "fraPropCopy"},        {c.cmdAccept, "cmdAccept"},
        {c.cmdDismiss, "cmdAccept"},
    };
    for (const auto& [widget, key] : marks)
        SetHelpTopic(widget, key);
    if (c.galPages)
        for (int i = 0; i < c.galPages->count(); ++i)
            SetHelpTopic(c.galPages->widget(i), "fraGalProp" + std::to_string(i));
}

void InformationWindows::OpenAbout() {
    if (about_) {
        about_->raise();
        return;
    }
    AboutContext context;
    context.universe = ReadUniverseFields(window_.UniverseView()); // the hues as typed
    context.messages = &window_.MessageBoxes();
    context.opener = opener_.get();
    context.ticks = ticks_;
    context.creditsOver = window_.frameGeometry();
    about_ = new AboutWindow(std::move(context), &window_);
    about_->setAttribute(Qt::WA_DeleteOnClose);
    SetHelpTopic(about_, "frmAbout");
    about_->open();
}

void InformationWindows::OpenHomePage() {
    OpenMakerPage(*opener_, window_.MessageBoxes(), HomePageUrl());
}

} // namespace orb
