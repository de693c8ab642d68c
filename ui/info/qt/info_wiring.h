// The information windows and the help joined to the Properties window: the Help menu, F1 in
// every control, the first-use Welcome step, and the help closing with the dialog.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "settings/store.h"
#include "settings/templates.h"
#include "ui/help/qt/help_service.h"
#include "ui/info/home_page.h"
#include "ui/info/qt/about_window.h"

namespace orb {

class PropertiesWindow;
class TickSource;

class InformationWindows : public QObject {
    Q_OBJECT
  public:
    // Joins them to `window` (which owns the result). Call before the window's Load, which runs
    // the Welcome step. templates: the program's template state, whose current file becomes the
    // Welcome reset's backup (may be null). opener: how pages are opened (the desktop's by default).
    static InformationWindows* Attach(PropertiesWindow& window, SettingsStore& store,
                                      TemplateState* templates = nullptr,
                                      std::unique_ptr<PageOpener> opener = nullptr);

    HelpService& Help() { return help_; }
    AboutWindow* About() const { return about_; } // the open About window, or null
    // Help > "&About Orbelune...": the About window, window-modal on the dialog.
    void OpenAbout();
    // Help > "&KLVA Home Page...".
    void OpenHomePage();
    // Frame pacing of the About show and the credits (tests step it).
    void SetTicks(TickSource* ticks) { ticks_ = ticks; }

  private:
    InformationWindows(PropertiesWindow& window, SettingsStore& store, TemplateState* templates,
                       std::unique_ptr<PageOpener> opener);
    void MarkTopics();

    PropertiesWindow& window_;
    SettingsStore& store_;
    TemplateState* templates_; // the program's template state, or null
    std::unique_ptr<PageOpener> opener_;
    HelpService help_;
    QPointer<AboutWindow> about_;
    TickSource* ticks_;
};

} // namespace orb
