// The information windows and the help joined to the Properties window.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "app/gui/gui_fixture.h"
#include "ui/fields/qt/numeric_box.h"
#include "ui/help/qt/help_window.h"
#include "ui/info/qt/info_wiring.h"
#include "ui/info/qt/welcome_window.h"
#include "ui/properties/qt/props_window.h"
#include "ui/scripted_messages.h"

namespace orb::test {
namespace {

class FailingOpener : public PageOpener {
  public:
    bool Open(const std::string&) override { return false; }
};

class PropsInfoTest : public GuiTest {
  protected:
    std::atomic<bool> cancel{false}, exitRequested{false};
    ScriptedMessages messages;

    // Answers the Welcome window when it appears: what it offered, and whether it was closed.
    void AnswerWelcome(WelcomeKind* seen) {
        auto* timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, [timer, seen] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* welcome = qobject_cast<WelcomeWindow*>(w);
                if (!welcome || !welcome->isVisible()) continue;
                *seen = welcome->Kind();
                welcome->DismissButton()->click();
                timer->deleteLater();
                return;
            }
        });
        timer->start(10);
    }
};

TEST_F(PropsInfoTest, FirstOpeningShowsTheWelcomeThenTheHelpAnswersF1AndClosesWithTheDialog) {
    PropertiesWindow window(PropsContext{store, cancel, exitRequested});
    window.SetMessages(&messages);
    InformationWindows* info =
        InformationWindows::Attach(window, store, nullptr, std::make_unique<FailingOpener>());
    WelcomeKind seen = WelcomeKind::Upgrade;
    AnswerWelcome(&seen);
    window.Load();
    EXPECT_EQ(seen, WelcomeKind::Greeting);
    EXPECT_EQ(store.ResetSettings(), 1);
    window.show();

    PropsControls& c = window.Controls();
    c.actHelpContents->trigger();
    ASSERT_TRUE(info->Help().IsOpen());
    EXPECT_EQ(info->Help().Window()->Current(), "index.html");

    NumericBox* stars = c.txtUni.at(0);
    stars->Edit()->setFocus();
    QTest::keyClick(stars->Edit(), Qt::Key_F1);
    EXPECT_EQ(info->Help().Window()->Current(), "universe.html#Universe_Stars");
    QTest::keyClick(c.cboUniTheme, Qt::Key_F1);
    EXPECT_EQ(info->Help().Window()->Current(), "properties.html#cboUniTheme");

    // The home page that cannot be opened says so.
    c.actHomePage->trigger();
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.LastText().rfind("The Web Page could not be reached.", 0), 0u);

    window.close();
    EXPECT_FALSE(info->Help().IsOpen());
}

TEST_F(PropsInfoTest, AboutOpensFromTheHelpMenuWithoutBlockingTheHelp) {
    store.WriteText(kSectionGeneral, kResetSettings, "1"); // no Welcome
    PropertiesWindow window(PropsContext{store, cancel, exitRequested});
    window.SetMessages(&messages);
    InformationWindows* info = InformationWindows::Attach(window, store);
    window.Load();
    window.show();
    window.Controls().actAbout->trigger();
    ASSERT_NE(info->About(), nullptr);
    EXPECT_EQ(info->About()->windowModality(), Qt::WindowModal);
    info->Help().ShowSearch();
    // Modal on the dialog only; the help is a window of its own that no dialog owns.
    EXPECT_EQ(info->Help().Window()->parentWidget(), nullptr);
    EXPECT_EQ(info->Help().Window()->windowModality(), Qt::NonModal);
    const int found = info->Help().Window()->Search("comet");
    EXPECT_GT(found, 0);
    EXPECT_EQ(info->Help().Window()->Results()->count(), found);
    info->About()->OkButton()->click();
    EXPECT_TRUE(WaitFor([&] { return info->About() == nullptr; }));
}

} // namespace
} // namespace orb::test
