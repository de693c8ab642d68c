// The engine's drawing surface for a window, and the hand-over of what changed since the last
// frame to the window's image. Stars are scattered single pixels, so copying the whole screen
// every frame would cost more than drawing the stars: the surface records the pixels it writes,
// only those are converted, and the blocks that hold them are listed for the window system.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/animation/framebuffer.h"

namespace orb {

struct PixelRect {
    int32_t x = 0, y = 0;          // top-left corner, pixels
    int32_t width = 0, height = 0; // size, pixels
    bool operator==(const PixelRect&) const = default;
};

// The window image's pixel for an engine colour: 0x00BBGGRR becomes opaque 0xFFRRGGBB.
constexpr uint32_t WindowPixel(uint32_t colour) {
    return 0xFF000000u | ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}

class FramePresenter {
  public:
    static constexpr int32_t kBlock = 16; // side of the blocks handed to the window system, pixels
    static_assert(kBlock == 1 << Framebuffer::kBlockShift);
    static constexpr int32_t kBridge = 8; // unchanged blocks between two runs that still join them

    FramePresenter() = default;
    FramePresenter(const FramePresenter&) = delete;
    FramePresenter& operator=(const FramePresenter&) = delete;

    // A black surface of this size (negative sizes count as 0), all of it still to present.
    void Resize(int32_t width, int32_t height);
    // The engine draws straight into a window's image of width x height pixels (rows of stride)
    // that the caller owns and keeps until the next Resize or AttachWindow: it writes window
    // pixels (0x00RRGGBB) and flags their blocks, nothing is recorded and nothing needs copying.
    // All of it is still to present.
    void AttachWindow(uint32_t* pixels, int32_t width, int32_t height, int32_t stride);
    // The surface is a window's image (AttachWindow).
    bool DrawsWindow() const { return surface_.blocks != nullptr; }
    // What the engine draws into; its address stays the same across Resize.
    Framebuffer& Surface() { return surface_; }
    // The next Present hands over the whole surface (the window lost its image).
    void MarkAll() { surface_.cleared = true; }

    // Takes over the pixels written since the last call and returns rectangles that cover the
    // blocks holding them, clipped to the surface: per row of blocks, one for each run of blocks
    // at most kBridge apart, joined with the run of the rows above that has the same columns;
    // ordered by their first row, then left to right. After a Clear (or MarkAll) that is the
    // whole surface. The list stays valid until the next call.
    const std::vector<PixelRect>& TakeChanges();
    bool LastWasWhole() const { return lastWhole_; }
    // The pixels taken by the last TakeChanges, as window pixels into dst (rows of dstStride
    // pixels, at least the surface's size). Nothing when it was whole (copy rectangles then) or
    // when the surface is the window's image.
    void CopyChanges(uint32_t* dst, int32_t dstStride) const;
    // The rectangle r of the surface (clipped to it) as window pixels into dst.
    void CopyRect(const PixelRect& r, uint32_t* dst, int32_t dstStride) const;

  private:
    int32_t Columns() const { return (surface_.width + kBlock - 1) / kBlock; }
    int32_t Rows() const { return (surface_.height + kBlock - 1) / kBlock; }
    // Row of pixel index i: a multiplication instead of a division, which would cost more than
    // the rest of the hand-over.
    uint32_t RowOf(uint32_t i) const {
        uint32_t y = static_cast<uint32_t>(i * inverseWidth_);
        const uint32_t w = static_cast<uint32_t>(surface_.width);
        if (y * w > i)
            --y;
        else if ((y + 1) * w <= i)
            ++y;
        return y;
    }
    void BlockRects();

    std::vector<uint32_t> pixels_;  // the engine's surface, 0x00BBGGRR, rows packed; empty when
                                    // it draws into a window's image
    std::vector<uint32_t> changes_; // pixels the engine wrote since the last Present
    std::vector<uint32_t> handed_;  // pixels the last TakeChanges took over
    std::vector<uint8_t> blocks_;   // one flag per block: holds a changed pixel
    std::vector<PixelRect> rects_;  // what the last TakeChanges returned
    std::vector<uint32_t> above_;   // rects_ indices of the runs in the row of blocks above
    std::vector<uint32_t> here_;    // the same for the row being built
    bool lastWhole_ = true;         // the last TakeChanges took over the whole surface
    double inverseWidth_ = 0;       // 1 / width, for RowOf
    Framebuffer surface_;           // view over pixels_ and changes_
};

} // namespace orb
