#include "app/core/frame_presenter.h"

#include <gtest/gtest.h>

#include <utility>
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

TEST(FramePresenter, WrittenPixelsAreHandedOverOnceAndLandInTheWindow) {
    Presented p(5 * B + 3, 2 * B + 5);
    Framebuffer& s = p.presenter.Surface();
    s.Set(1, 1, 0x0000FF);
    s.Set(3 * B, B - 1, 0xFF0000);
    s.Set(5 * B + 2, 2 * B + 4, 1); // the clipped corner block
    s.Set(-1, 0, 7);                // off the surface: nothing
    EXPECT_FALSE(p.presenter.TakeChanges().empty());
    EXPECT_FALSE(p.presenter.LastWasWhole());
    p.presenter.CopyChanges(p.window.data(), p.stride);
    EXPECT_EQ(p.At(1, 1), 0xFFFF0000u);
    EXPECT_EQ(p.At(3 * B, B - 1), 0xFF0000FFu);
    EXPECT_EQ(p.At(5 * B + 2, 2 * B + 4), 0xFF010000u);
    EXPECT_EQ(p.At(0, 0), 0u) << "pixels nobody wrote are left alone";
    EXPECT_TRUE(p.presenter.TakeChanges().empty()) << "each change is handed over once";
}

// Blocks (column, row) written on a surface of 40 x 4 blocks plus a partial column and row.
TEST(FramePresenter, BlocksJoinAcrossShortGapsAndDownMatchingRuns) {
    constexpr int32_t K = FramePresenter::kBridge;
    struct Case {
        const char* what;
        std::vector<std::pair<int32_t, int32_t>> blocks;
        std::vector<PixelRect> want;
    };
    const Case cases[] = {
        {"neighbours form one run", {{2, 0}, {3, 0}}, {{2 * B, 0, 2 * B, B}}},
        {"a gap of kBridge blocks is bridged", {{0, 1}, {K + 1, 1}}, {{0, B, (K + 2) * B, B}}},
        {"one block more is not", {{0, 1}, {K + 2, 1}}, {{0, B, B, B}, {(K + 2) * B, B, B, B}}},
        {"equal runs in rows below extend the rectangle",
         {{4, 0}, {5, 1}, {4, 1}, {4, 2}, {5, 2}, {5, 0}, {4, 3}},
         {{4 * B, 0, 2 * B, 3 * B}, {4 * B, 3 * B, B, B}}},
        {"only the run with the same columns extends",
         {{0, 0}, {30, 0}, {30, 1}},
         {{0, 0, B, B}, {30 * B, 0, B, 2 * B}}},
        {"edge blocks are clipped", {{40, 3}, {40, 4}}, {{40 * B, 3 * B, 3, B + 5}}},
    };
    for (const Case& c : cases) {
        Presented p(40 * B + 3, 4 * B + 5);
        for (const auto& [col, row] : c.blocks)
            p.presenter.Surface().Set(col * B + 1, row * B + 2, 5);
        EXPECT_EQ(p.presenter.TakeChanges(), c.want) << c.what;
    }
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
    const std::vector<PixelRect> whole{{0, 0, 3 * B, B + 1}};
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
    p.presenter.CopyRect({B - 2, B - 2, 10, 10}, p.window.data(), p.stride); // clipped, no overrun
    p.presenter.Resize(-4, 10);
    EXPECT_TRUE(p.presenter.TakeChanges().empty());
}

} // namespace
} // namespace orb
