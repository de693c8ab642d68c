#include "ui/info/about_show.h"

#include <gtest/gtest.h>

namespace orb {
namespace {

TEST(AboutShow, SkippingForTheCreditsGoesOnWithTheNextComposite) {
    SteppingTicks ticks(0, 32);
    AboutShow show(64, 48, UniverseSettings{}, ticks);
    for (int i = 0; i < 10; ++i)
        show.Step();
    const int16_t k = show.Composite();
    show.SkipComposite();
    const PreviewFrame cancelled = show.Step();
    EXPECT_EQ(cancelled.status, PreviewStatus::Cancelled);
    show.Step();
    int16_t next = static_cast<int16_t>((k + 1) % kAboutComposites);
    while (!AboutPreview::Shows(show.Tables(), next))
        next = static_cast<int16_t>((next + 1) % kAboutComposites);
    EXPECT_EQ(show.Composite(), next);
    // Skipping between two composites does not cut the following one short.
    PreviewFrame last;
    for (int i = 0; i < 499; ++i)
        last = show.Step();
    EXPECT_EQ(last.status, PreviewStatus::FrameLimit);
    show.SkipComposite();
    EXPECT_EQ(show.Step().status, PreviewStatus::Running);
    EXPECT_NE(show.Composite(), next);
}

} // namespace
} // namespace orb
