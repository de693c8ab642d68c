// The engine's drawing surface for a window, and the hand-over of what changed since the last
// frame to the window's image. Stars are scattered single pixels, so copying the whole screen
// every frame would cost more than drawing the stars; only the blocks the engine wrote are
// converted and listed for the window system.
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
    FramePresenter() = default;
    FramePresenter(const FramePresenter&) = delete;
    FramePresenter& operator=(const FramePresenter&) = delete;

    // A black surface of this size (negative sizes count as 0), all of it still to present.
    void Resize(int32_t width, int32_t height);
    // What the engine draws into; its address stays the same across Resize.
    Framebuffer& Surface() { return surface_; }
    // The next Present hands over the whole surface (the window lost its image).
    void MarkAll();
    bool AnyChange() const;

    // Converts every block written since the last call into dst (rows of dstStride pixels, at
    // least the surface's size) and returns them as rectangles: per row of blocks, one for each
    // run of neighbouring written blocks, top to bottom and left to right, clipped to the surface.
    std::vector<PixelRect> Present(uint32_t* dst, int32_t dstStride);

  private:
    int32_t Rows() const {
        return (surface_.height + Framebuffer::kDirtyBlock - 1) >> Framebuffer::kDirtyShift;
    }
    void Convert(const PixelRect& r, uint32_t* dst, int32_t dstStride) const;

    std::vector<uint32_t> pixels_; // the engine's surface, 0x00BBGGRR, rows packed
    std::vector<uint8_t> dirty_;   // one flag per block, the surface's change map
    Framebuffer surface_;          // view over pixels_ and dirty_
};

} // namespace orb
