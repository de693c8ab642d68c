#include "ui/info/about_show.h"

#include <gtest/gtest.h>

namespace orb {
namespace {

// Runs the show until the composite changes; the frames it took.
int FramesUntilNext(AboutShow& show, int limit = 2000) {
    const int16_t start = show.Composite();
    for (int i = 1; i <= limit; ++i) {
        show.Step();
        if (show.Composite() != start) return i;
    }
    return -1;
}

TEST(AboutShow, EachCompositeShowsFiveHundredFramesThenTheNext) {
    SteppingTicks ticks(0, 32);
    AboutShow show(64, 48, UniverseSettings{}, ticks);
    show.Step();
    EXPECT_EQ(show.Composite(), 0);
    EXPECT_EQ(show.FrameDelay(), 32);
    const int16_t first = show.Composite();
    EXPECT_EQ(FramesUntilNext(show), 500);
    EXPECT_GT(show.Composite(), first);
}

TEST(AboutShow, SkippingForTheCreditsGoesOnWithTheNextComposite) {
    SteppingTicks ticks(0, 32);
    AboutShow show(64, 48, UniverseSettings{}, ticks);
    for (int i = 0; i < 10; ++i) show.Step();
    const int16_t k = show.Composite();
    show.SkipComposite();
    const PreviewFrame cancelled = show.Step();
    EXPECT_EQ(cancelled.status, PreviewStatus::Cancelled);
    show.Step();
    int16_t next = static_cast<int16_t>((k + 1) % kAboutComposites);
    while (!AboutPreview::Shows(show.Tables(), next)) next = static_cast<int16_t>((next + 1) % kAboutComposites);
    EXPECT_EQ(show.Composite(), next);
    // Skipping between two composites does not cut the following one short.
    PreviewFrame last;
    for (int i = 0; i < 499; ++i) last = show.Step();
    EXPECT_EQ(last.status, PreviewStatus::FrameLimit);
    show.SkipComposite();
    EXPECT_EQ(show.Step().status, PreviewStatus::Running);
    EXPECT_NE(show.Composite(), next);
}

TEST(AboutShow, DrawsIntoItsPicture) {
    SteppingTicks ticks(0, 32);
    AboutShow show(96, 72, UniverseSettings{}, ticks);
    for (int i = 0; i < 20; ++i) show.Step();
    const Framebuffer& f = show.Picture();
    int lit = 0;
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x) lit += f.Get(x, y) != 0;
    EXPECT_GT(lit, 20);
}

} // namespace
} // namespace orb
