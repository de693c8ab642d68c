// frmAbout: the product's labels with their shadows on the banded background, and in its picture
// a show of the factory composite galaxies on an engine of its own. "©" shows the credits (the
// show then goes on with the next composite), "&Web..." opens the home page, OK closes it.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <string>

#include "engine/animation/ticks.h"
#include "settings/records.h"
#include "ui/fields/messages.h"
#include "ui/info/about_show.h"
#include "ui/info/home_page.h"
#include "ui/info/qt/credits_window.h"

class QPushButton;

namespace orb {

class ShowPicture;

struct AboutContext {
    UniverseSettings universe;            // the user's universe values: the show's fade hues
    Messages* messages = nullptr;         // for the unreachable page message
    PageOpener* opener = nullptr;         // the desktop's handler
    std::string homePage = HomePageUrl(); // what "&Web..." opens
    TickSource* ticks = &DefaultTicks();  // frame pacing (tests step it)
    QRect creditsOver;                    // where the Credits window lies (the Properties dialog)
};

class AboutWindow : public QDialog {
    Q_OBJECT
  public:
    AboutWindow(AboutContext context, QWidget* owner = nullptr);
    ~AboutWindow() override;

    // The "©" button: the running composite ends, the Credits window opens over the dialog and
    // the show waits for it.
    void OpenCredits();
    // The "&Web..." button.
    void OpenWeb();

    const AboutShow* Show() const { return show_.get(); } // null before the first activation
    CreditsWindow* Credits() const { return credits_; }   // open Credits window, or null
    bool Paused() const { return paused_; }
    QWidget* Picture() const;
    QPushButton* CreditsButton() const { return cmdCredits_; }
    QPushButton* WebButton() const { return cmdWeb_; }
    QPushButton* OkButton() const { return cmdDismiss_; }

  signals:
    void frameShown(); // one frame of the show was presented

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void done(int result) override;

  private:
    void Tick();
    void Resume();

    AboutContext context_;
    std::unique_ptr<AboutShow> show_; // the galaxy show, from the first activation
    ShowPicture* picZEFO_ = nullptr;
    QPushButton* cmdWeb_ = nullptr;
    QPushButton* cmdCredits_ = nullptr;
    QPushButton* cmdDismiss_ = nullptr;
    QPointer<CreditsWindow> credits_; // while the credits cover the show
    QTimer timer_;                    // next frame of the show
    bool paused_ = false;             // the credits are showing
    bool activated_ = false;          // AboutActivated
};

} // namespace orb
