#include "ui/info/about_show.h"

#include <gtest/gtest.h>

namespace orb {
namespace {

// A skip in the middle of a composite moves on (the About window's test); one asked for between
// two composites must not cut the following one short.
TEST(AboutShow, SkippingBetweenTwoCompositesLeavesTheNextOneRunning) {
    SteppingTicks ticks(0, 32);
    AboutShow show(64, 48, UniverseSettings{}, ticks);
    PreviewStatus last = PreviewStatus::Running;
    for (int frame = 0; frame < 1000 && last == PreviewStatus::Running; ++frame)
        last = show.Step().status;
    ASSERT_EQ(last, PreviewStatus::FrameLimit);
    show.SkipComposite();
    EXPECT_EQ(show.Step().status, PreviewStatus::Running);
    EXPECT_NE(show.Composite(), 0);
}

} // namespace
} // namespace orb
