#include "app/core/frame_presenter.h"

#include <gtest/gtest.h>

#include <vector>

namespace orb {
namespace {

constexpr int32_t B = FramePresenter::kBlock;

// A presenter whose first, whole hand-over has been taken, so that later ones show changes.
struct Presented {
    FramePresenter presenter;
    std::vector<uint32_t> window; // the window's pixels, rows of `stride`
    int32_t stride;
    Presented(int32_t w, int32_t h, int32_t extra = 0)
        : window(static_cast<size_t>((w + extra) * h), 0), stride(w + extra) {
        presenter.Resize(w, h);
        presenter.TakeChanges();
    }
    uint32_t At(int32_t x, int32_t y) const { return window[static_cast<size_t>(y * stride + x)]; }
};

TEST(FramePresenter, WindowPixelSwapsRedAndBlueAndIsOpaque) {
    EXPECT_EQ(WindowPixel(0x00332211u), 0xFF112233u);
    EXPECT_EQ(WindowPixel(0u), 0xFF000000u);
}

TEST(FramePresenter, WrittenPixelsAreHandedOverAsTheirBlocksMergedAlongEachRow) {
    Presented p(5 * B + 3, 2 * B + 5); // partial blocks at the right and bottom edges
    Framebuffer& s = p.presenter.Surface();
    s.Set(1, 1, 0x0000FF);          // block (0, 0)
    s.Set(B + 2, 3, 0x00FF00);      // block (1, 0): runs on from block 0
    s.Set(3 * B, B - 1, 0xFF0000);  // block (3, 0): a run of its own
    s.Set(5 * B + 2, 2 * B + 4, 1); // the clipped corner block (5, 2)
    s.Set(-1, 0, 7);                // off the surface: nothing
    const std::vector<PixelRect> rects = p.presenter.TakeChanges();
    EXPECT_FALSE(p.presenter.LastWasWhole());
    EXPECT_EQ(rects, (std::vector<PixelRect>{{0, 0, 2 * B, B}, {3 * B, 0, B, B}, {5 * B, 2 * B, 3, 5}}));
    p.presenter.CopyChanges(p.window.data(), p.stride);
    EXPECT_EQ(p.At(1, 1), 0xFFFF0000u);
    EXPECT_EQ(p.At(B + 2, 3), 0xFF00FF00u);
    EXPECT_EQ(p.At(3 * B, B - 1), 0xFF0000FFu);
    EXPECT_EQ(p.At(0, 0), 0u) << "pixels nobody wrote are left alone";
    EXPECT_TRUE(p.presenter.TakeChanges().empty()) << "each change is handed over once";
}

TEST(FramePresenter, ChangesLandAtTheirPlaceInAWiderWindowImage) {
    Presented p(37, 21, 11);
    for (int32_t y = 0; y < 21; y += 4)
        for (int32_t x = 0; x < 37; x += 3)
            p.presenter.Surface().Set(x, y, static_cast<uint32_t>(x * 100 + y));
    p.presenter.TakeChanges();
    p.presenter.CopyChanges(p.window.data(), p.stride);
    for (int32_t y = 0; y < 21; ++y)
        for (int32_t x = 0; x < 37; ++x) {
            const uint32_t want =
                (y % 4 == 0 && x % 3 == 0) ? WindowPixel(static_cast<uint32_t>(x * 100 + y)) : 0;
            ASSERT_EQ(p.At(x, y), want) << x << "," << y;
        }
}

TEST(FramePresenter, ClearResizeAndTooManyRecordsHandOverEverything) {
    Presented p(3 * B, B + 1);
    const std::vector<PixelRect> whole{{0, 0, 3 * B, B}, {0, B, 3 * B, 1}};
    p.presenter.Surface().Set(2, 2, 9);
    p.presenter.Surface().Clear();
    EXPECT_EQ(p.presenter.TakeChanges(), whole);
    EXPECT_TRUE(p.presenter.LastWasWhole());
    p.presenter.MarkAll();
    EXPECT_EQ(p.presenter.TakeChanges(), whole);
    for (int i = 0; i < 3 * B * (B + 1) + 1; ++i)
        p.presenter.Surface().Set(0, 0, static_cast<uint32_t>(i));
    EXPECT_EQ(p.presenter.TakeChanges(), whole) << "a record longer than the surface is not followed";
    p.presenter.Resize(B, B);
    EXPECT_EQ(p.presenter.TakeChanges(), (std::vector<PixelRect>{{0, 0, B, B}}));
    p.presenter.Surface().Set(B - 1, B - 1, 0x0000FF);
    p.presenter.CopyRect({B - 2, B - 2, 10, 10}, p.window.data(), p.stride); // clipped, no overrun
    EXPECT_EQ(p.At(B - 1, B - 1), 0xFFFF0000u);
    EXPECT_EQ(p.At(B - 2, B - 2), 0xFF000000u);
    EXPECT_EQ(p.At(B - 3, B - 1), 0u) << "outside the rectangle";
    p.presenter.Resize(-4, 10);
    EXPECT_TRUE(p.presenter.TakeChanges().empty());
}

} // namespace
} // namespace orb
