// The information windows on the offscreen platform, paced by a stepping clock (every frame due at
// once), and joined with the help to the Properties window.
#include <QAction>
#include <QProgressBar>
#include <QPushButton>
#include <filesystem>
#include <fstream>

#include "app/gui/gui_fixture.h"
#include "app/universe_view.h"
#include "ui/fields/qt/numeric_box.h"
#include "ui/help/qt/help_window.h"
#include "ui/info/fake_opener.h"
#include "ui/info/qt/about_window.h"
#include "ui/info/qt/credits_window.h"
#include "ui/info/qt/info_wiring.h"
#include "ui/info/qt/welcome_window.h"
#include "ui/properties/qt/props_window.h"
#include "ui/scripted_messages.h"

namespace orb::test {
namespace {

class InfoWindowsTest : public GuiTest {
  protected:
    SteppingTicks ticks{0, 40}; // every read is a frame later: no frame waits
    ScriptedMessages messages;
};

// The show's composites and their 500 frames are the show's own test. Here the credits pause it, and
// OK and Dismiss end only their own animation: the application window's run behind goes on.
TEST_F(InfoWindowsTest, CreditsPauseTheShowWhichGoesOnWithTheNextCompositeAndOtherAnimationsRunOn) {
    UniverseView view(store, state, ViewOptions{true, 7, 10});
    view.resize(160, 120);
    view.show();
    view.StartRun();
    FakeOpener opener;
    auto about = std::make_unique<AboutWindow>(
        AboutContext{{}, &messages, &opener, "file:///nowhere/index.html", &ticks, {}});
    int frames = 0; // frames the About window presented
    QObject::connect(about.get(), &AboutWindow::frameShown, [&] { ++frames; });
    about->show();
    ASSERT_TRUE(WaitFor([&] { return frames >= 20; }));
    const int16_t k = about->Show()->Composite();
    about->CreditsButton()->click();
    ASSERT_NE(about->Credits(), nullptr);
    CreditsWindow* credits = about->Credits();
    ASSERT_TRUE(WaitFor([&] { return credits->FramesRun() >= 30; }));
    EXPECT_TRUE(about->Paused());
    const int framesDuringCredits = frames;
    QTest::qWait(50);
    EXPECT_EQ(frames, framesDuringCredits); // the show waits
    // The column scrolls up by 2 pixels a frame.
    const double top = credits->ColumnTop();
    const int64_t at = credits->FramesRun();
    ASSERT_TRUE(WaitFor([&] { return credits->FramesRun() > at; }));
    EXPECT_LE(credits->ColumnTop(), top - 2);
    credits->DismissButton()->click();
    ASSERT_TRUE(WaitFor([&] { return frames > framesDuringCredits; }));
    int16_t next = static_cast<int16_t>((k + 1) % kAboutComposites);
    EXPECT_EQ(about->Show()->Composite(), next); // the factory record k+1 weighs at least 1
    EXPECT_FALSE(about->Paused());
    about->WebButton()->click();
    EXPECT_EQ(opener.opened, std::vector<std::string>{"file:///nowhere/index.html"});
    about->OkButton()->click();
    EXPECT_FALSE(about->isVisible() || state.stopFlag);
    const int64_t presented = view.FramesPresented();
    EXPECT_TRUE(WaitFor([&] { return view.FramesPresented() > presented + 3; }));
    EXPECT_TRUE(view.Running());
}

TEST_F(InfoWindowsTest, CreditsDoubleClickMaximizesAndRestores) {
    CreditsWindow credits(32, ticks, QRect(100, 100, 500, 380));
    credits.show();
    ASSERT_TRUE(WaitFor([&] { return credits.FramesRun() > 2; }));
    EXPECT_EQ(credits.Stars()->Stars().size(), 150u);
    QTest::mouseDClick(credits.Field(), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return credits.isMaximized(); }));
    QTest::mouseDClick(credits.Field(), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return !credits.isMaximized(); }));
    // The frame is centred over the field and no wider than the column.
    const QRect frame = credits.Frame()->geometry();
    EXPECT_NEAR(frame.center().x(), credits.rect().center().x(), 1);
    EXPECT_LE(frame.width(), static_cast<int>(std::ceil(credits.Column().width)));
    credits.DismissButton()->click();
    const int64_t at = credits.FramesRun();
    QTest::qWait(50);
    EXPECT_EQ(credits.FramesRun(), at); // no frame after Dismiss
}

TEST_F(InfoWindowsTest, WelcomeOffersTheResetOnlyToUpgradersAndResetsOnlyAfterABackup) {
    {
        WelcomeWindow greeting(store, runtime.File("propsave.orb"), messages, nullptr);
        greeting.show();
        EXPECT_FALSE(greeting.ResetButton()->isVisible());
    }
    store.WriteText(kSectionGeneral, kAnimationType, "0");
    const std::string blocker = runtime.File("a-file");
    std::ofstream(blocker) << "x";
    WelcomeWindow failing(store, blocker + "/propsave.orb", messages, nullptr);
    failing.show();
    EXPECT_EQ(failing.ResetButton()->text().remove('&'),
              "Reset Properties to the Orbelune 3.0 Factory Settings");
    failing.ResetButton()->click();
    EXPECT_FALSE(failing.ResetRequested());
    EXPECT_TRUE(failing.isVisible());
    EXPECT_TRUE(failing.ResetButton()->isVisible()); // the user may try again or close
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.LastText().find("were not reset"), std::string::npos);

    TemplateState templates;
    const std::string path = runtime.File("config/propsave.orb");
    WelcomeWindow w(store, path, messages, &templates);
    w.show();
    w.ResetButton()->click();
    EXPECT_EQ(std::pair(w.ResetRequested(), w.isVisible()), std::pair(true, false));
    EXPECT_EQ(w.Status()->value(), w.Status()->maximum());
    EXPECT_EQ(templates.currentTemplateFile, path);
    EXPECT_TRUE(std::filesystem::exists(path)); // what it holds is the backup's own test
}

// The Welcome on first opening is a real-window test; here the menus and F1 of the dialog.
TEST_F(InfoWindowsTest, ThePropertiesWindowOpensHelpHomePageAndAbout) {
    store.WriteText(kSectionGeneral, kResetSettings, "1"); // no Welcome
    PropertiesWindow window(PropsContext{store, state.previewCancel, state.exitRequested});
    window.SetMessages(&messages);
    auto failing = std::make_unique<FakeOpener>();
    failing->works = false;
    InformationWindows* info = InformationWindows::Attach(window, store, nullptr, std::move(failing));
    window.Load();
    window.show();
    PropsControls& c = window.Controls();
    c.actHelpContents->trigger();
    ASSERT_TRUE(info->Help().IsOpen());
    EXPECT_EQ(info->Help().Window()->Current(), "index.html");
    QTest::keyClick(c.txtUni.at(0)->Edit(), Qt::Key_F1);
    EXPECT_EQ(info->Help().Window()->Current(), "universe.html#Universe_Stars");

    c.actHomePage->trigger();
    EXPECT_EQ(messages.LastText(), "The Web Page could not be reached.\n\nURL:  " + HomePageUrl());

    c.actAbout->trigger();
    ASSERT_NE(info->About(), nullptr);
    EXPECT_EQ(info->About()->windowModality(), Qt::WindowModal) << "modal on the dialog only";
    EXPECT_EQ(info->Help().Window()->parentWidget(), nullptr) << "no dialog owns the help";
    info->About()->OkButton()->click();
    EXPECT_TRUE(WaitFor([&] { return info->About() == nullptr; }));
    window.close();
    EXPECT_FALSE(info->Help().IsOpen());
}

} // namespace
} // namespace orb::test
