#include "app/core/frame_presenter.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(FramePresenter, WrittenPixelsAreHandedOverOnceAndLandInTheWindow) {
    for (const int32_t extra : {0, 11}) { // a window image as wide as the surface, and wider
        SCOPED_TRACE(extra);
        Presented p(5 * B + 3, 2 * B + 5, extra);
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
        EXPECT_EQ(std::count(p.window.begin(), p.window.end(), 0u), std::ssize(p.window) - 3)
            << "pixels nobody wrote are left alone";
        EXPECT_TRUE(p.presenter.TakeChanges().empty()) << "each change is handed over once";
    }
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
    p.presenter.Surface().Set(B - 1, B - 1, 0x0000FF);
    p.presenter.CopyRect({B - 2, B - 2, 10, 10}, p.window.data(), p.stride); // clipped, no overrun
    EXPECT_EQ(std::pair(p.At(B - 1, B - 1), p.At(B - 2, B - 2)), std::pair(0xFFFF0000u, 0xFF000000u));
    EXPECT_EQ(p.At(B - 3, B - 1), 0u) << "outside the rectangle";
    p.presenter.Resize(1, 3 * B); // one column: every pixel is a row of its own
    p.presenter.TakeChanges();
    p.presenter.Surface().Set(0, 2 * B, 5);
    EXPECT_EQ(p.presenter.TakeChanges(), (std::vector<PixelRect>{{0, 2 * B, 1, B}}));
    p.presenter.Resize(-4, 10);
    EXPECT_TRUE(p.presenter.TakeChanges().empty());
}

// A surface drawn straight into a window's image: window pixels and block flags, by either way
// of writing, and nothing of what is not drawn.
TEST(FramePresenter, AWindowImageGetsWindowPixelsAndTheirBlocks) {
    const int32_t w = 4 * B, h = 2 * B + 5, stride = w + 3;
    std::vector<uint32_t> image(static_cast<size_t>(stride * h), 0xFF000000u);
    FramePresenter presenter;
    presenter.AttachWindow(image.data(), w, h, stride);
    ASSERT_TRUE(presenter.DrawsWindow());
    EXPECT_EQ(presenter.TakeChanges(), (std::vector<PixelRect>{{0, 0, w, h}})) << "all of it at first";
    EXPECT_TRUE(presenter.LastWasWhole());

    Framebuffer& s = presenter.Surface();
    {
        PixelWriter out(s);
        s.Set(1, 1, 0x00332211u);
        out.SetIf(true, 3 * B + 2, B - 1, 0x00332211u);
        out.SetIf(false, 2 * B, 2 * B, 0x00332211u); // not drawn
        out.SetIf(true, -1, 3, 0x00332211u);         // off the surface
        s.Set(4 * B, 0, 0x00332211u);                // off the surface
        out.SetIf(true, 4 * B - 1, 2 * B + 4, 0x00332211u);
    }
    std::vector<uint32_t> want(image.size(), 0xFF000000u);
    for (const auto& [x, y] : {std::pair{1, 1}, {3 * B + 2, B - 1}, {4 * B - 1, 2 * B + 4}})
        want[static_cast<size_t>(y * stride + x)] = 0x00112233u;
    EXPECT_TRUE(image == want) << "each drawn pixel on the surface, red and blue swapped, and no other";
    EXPECT_EQ(presenter.TakeChanges(), (std::vector<PixelRect>{{0, 0, 4 * B, B}, {3 * B, 2 * B, B, 5}}));
    EXPECT_FALSE(presenter.LastWasWhole());
    EXPECT_TRUE(presenter.TakeChanges().empty()) << "flags are taken once";

    std::vector<uint32_t> store(static_cast<size_t>(w * h), 0);
    presenter.CopyChanges(store.data(), w);
    EXPECT_EQ(store[static_cast<size_t>(1 * w + 1)], 0u) << "nothing to copy: the image is the window's";
    presenter.CopyRect({0, 0, 5, 5}, store.data(), w);
    EXPECT_EQ(store[static_cast<size_t>(1 * w + 1)], 0xFF112233u) << "copied as it is, opaque";
    EXPECT_EQ(store[static_cast<size_t>(1 * w + 5)], 0u) << "nothing beside the rectangle";
    s.Clear();
    EXPECT_EQ(presenter.TakeChanges(), (std::vector<PixelRect>{{0, 0, w, h}}));
    EXPECT_EQ(image[static_cast<size_t>(1 * stride + 1)], 0u);
    presenter.Resize(B, B);
    EXPECT_FALSE(presenter.DrawsWindow()) << "a surface of its own again";
}

// Rows converted several pixels at a time, with the rest one by one.
TEST(FramePresenter, CopyRectConvertsEveryPixelOfOddWidths) {
    Presented p(13, 3);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 13; ++x)
            p.presenter.Surface().Set(x, y, static_cast<uint32_t>(0x00A1B2C3u + x * 0x010203u + y));
    for (const int32_t width : {1, 3, 4, 5, 11, 13}) {
        std::fill(p.window.begin(), p.window.end(), 0u);
        p.presenter.CopyRect({1, 0, width, 1}, p.window.data(), p.stride);
        for (int32_t x = 0; x < 13; ++x) {
            const bool inside = x >= 1 && x < 1 + width;
            EXPECT_EQ(p.At(x, 0), inside ? WindowPixel(p.presenter.Surface().Get(x, 0)) : 0u)
                << width << ":" << x;
        }
        EXPECT_EQ(p.At(1, 1), 0u);
    }
}

} // namespace
} // namespace orb
