#include "app/universe_view.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>

#include "app/core/frame_presenter.h"
#include "engine/creation/colour.h"
#include "gui_fixture.h"

namespace orb {
namespace {

using UniverseViewTest = test::GuiTest;

TEST_F(UniverseViewTest, TheMessageLabelShowsTheTrimmedMessageCutToFiftyCharacters) {
    const std::string sixty = "0123456789ABCDEFGHIJ0123456789ABCDEFGHIJ0123456789ABCDEFGHIJ";
    Advanced("LockMessage", ("  " + sixty + "  ").c_str());
    Advanced("Adv_FontName", "Courier");
    Advanced("Adv_FontSize", "30");
    Advanced("Adv_FontHueV", "0");
    UniverseView view(store, state, {});
    view.resize(320, 200);
    view.show();
    view.StartRun();
    ASSERT_TRUE(WaitFor([&] { return view.RunsStarted() == 1; }));
    const QLabel* label = view.MessageLabel();
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text().toStdString(), sixty.substr(0, 50));
    EXPECT_EQ(label->font().family(), "Courier");
    EXPECT_EQ(label->font().pointSize(), 30);
    const uint32_t c = HueWheelColour(0);
    EXPECT_EQ(label->palette().color(QPalette::WindowText),
              QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
    EXPECT_EQ(label->width(), view.width()) << "across the whole width";
}

// What the window system holds of the view is, pixel for pixel, the engine's surface: only the
// changed pixels are copied each frame, so a lost or misplaced one would stay visible.
TEST_F(UniverseViewTest, TheWindowShowsExactlyWhatTheEngineDrew) {
    ViewOptions options;
    options.seed = 7;
    options.frameDelay = 0;
    UniverseView view(store, state, options);
    view.resize(200, 150);
    view.show();
    view.StartRun();
    ASSERT_TRUE(WaitFor([&] { return view.FramesPresented() > 60; }));
    view.StopRun();
    const Framebuffer& s = view.Surface();
    const QImage shown = QGuiApplication::primaryScreen()
                             ->grabWindow(view.winId())
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(s.width, s.height));
    int lit = 0, wrong = 0;
    for (int32_t y = 0; y < s.height; ++y)
        for (int32_t x = 0; x < s.width; ++x) {
            lit += s.Get(x, y) != 0;
            wrong += shown.pixel(x, y) != WindowPixel(s.Get(x, y));
        }
    EXPECT_GT(lit, 20) << "stars were drawn";
    EXPECT_EQ(wrong, 0);
}

TEST_F(UniverseViewTest, AFailedFrameCheckEndsTheRunAndAnEmptyMessageShowsNoLabel) {
    UniverseView view(store, state, {});
    view.resize(100, 80);
    view.show();
    int frames = 0;
    view.SetFrameCheck([&] { return ++frames < 3; });
    QSignalSpy stopped(&view, &UniverseView::runStopped);
    view.StartRun();
    EXPECT_TRUE(WaitFor([&] { return !view.Running(); }));
    EXPECT_EQ(frames, 3);
    EXPECT_EQ(stopped.count(), 1);
    EXPECT_FALSE(view.MessageLabel()->isVisible());
    EXPECT_TRUE(view.MessageLabel()->text().isEmpty());
    ViewOptions preview;
    preview.preview = true;
    EXPECT_EQ(UniverseView(store, state, preview).MessageLabel(), nullptr) << "previews have none";
}

} // namespace
} // namespace orb
