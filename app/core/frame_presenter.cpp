#include "app/core/frame_presenter.h"

#include <algorithm>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace orb {

void FramePresenter::Resize(int32_t width, int32_t height) {
    width = std::max<int32_t>(width, 0);
    height = std::max<int32_t>(height, 0);
    pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0u);
    changes_.clear();
    surface_.pixels = pixels_.data();
    surface_.width = width;
    surface_.height = height;
    surface_.stride = width;
    surface_.changes = &changes_;
    surface_.blocks = nullptr;
    surface_.blockColumns = 0;
    surface_.cleared = true;
    inverseWidth_ = width > 0 ? 1.0 / width : 0.0;
    blocks_.assign(static_cast<size_t>(Columns()) * static_cast<size_t>(Rows()), 0);
}

void FramePresenter::AttachWindow(uint32_t* pixels, int32_t width, int32_t height, int32_t stride) {
    // The window's image takes the place of our own pixels: their memory goes back.
    pixels_ = std::vector<uint32_t>();
    changes_ = std::vector<uint32_t>();
    surface_.pixels = pixels;
    surface_.width = std::max<int32_t>(width, 0);
    surface_.height = std::max<int32_t>(height, 0);
    surface_.stride = stride;
    surface_.changes = nullptr;
    blocks_.assign(static_cast<size_t>(Columns()) * static_cast<size_t>(Rows()), 0);
    surface_.blocks = blocks_.data();
    surface_.blockColumns = Columns();
    surface_.cleared = true;
}

namespace {

// WindowPixel over a row, four pixels at a time where the processor allows.
void ConvertRow(const uint32_t* __restrict from, uint32_t* __restrict to, int32_t n) {
    int32_t x = 0;
#ifdef __SSE2__
    const __m128i low = _mm_set1_epi32(0xFF), green = _mm_set1_epi32(0xFF00);
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    for (; x + 4 <= n; x += 4) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
        const __m128i red = _mm_slli_epi32(_mm_and_si128(c, low), 16);
        const __m128i blue = _mm_and_si128(_mm_srli_epi32(c, 16), low);
        const __m128i w =
            _mm_or_si128(_mm_or_si128(red, blue), _mm_or_si128(_mm_and_si128(c, green), opaque));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x), w);
    }
#endif
    for (; x < n; ++x)
        to[x] = WindowPixel(from[x]);
}

} // namespace

void FramePresenter::CopyRect(const PixelRect& r, uint32_t* dst, int32_t dstStride) const {
    const int32_t x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
    const int32_t x1 = std::min(r.x + r.width, surface_.width),
                  y1 = std::min(r.y + r.height, surface_.height);
    const bool window = DrawsWindow();
    for (int32_t y = y0; y < y1 && x1 > x0; ++y) {
        const uint32_t* from =
            surface_.pixels + static_cast<size_t>(y) * static_cast<size_t>(surface_.stride);
        uint32_t* to = dst + static_cast<size_t>(y) * static_cast<size_t>(dstStride);
        if (!window) {
            ConvertRow(from + x0, to + x0, x1 - x0);
            continue;
        }
        for (int32_t x = x0; x < x1; ++x)
            to[x] = 0xFF000000u | from[x];
    }
}

void FramePresenter::CopyChanges(uint32_t* dst, int32_t dstStride) const {
    if (lastWhole_ || DrawsWindow()) return;
    const uint32_t* from = pixels_.data();
    if (dstStride == surface_.width) {
        for (uint32_t i : handed_)
            dst[i] = WindowPixel(from[i]);
        return;
    }
    const uint32_t w = static_cast<uint32_t>(surface_.width);
    for (uint32_t i : handed_) {
        const uint32_t y = RowOf(i);
        dst[static_cast<size_t>(y) * static_cast<size_t>(dstStride) + (i - y * w)] = WindowPixel(from[i]);
    }
}

// A request to the window system costs about as much as a few thousand pixels of it, so runs a
// few blocks apart go as one rectangle, and a run that matches one in the row above extends it.
void FramePresenter::BlockRects() {
    rects_.clear();
    above_.clear();
    const int32_t columns = Columns();
    for (int32_t row = 0; row < Rows(); ++row) {
        uint8_t* flags = blocks_.data() + static_cast<size_t>(row) * static_cast<size_t>(columns);
        const int32_t y = row * kBlock;
        const int32_t h = std::min(kBlock, surface_.height - y);
        here_.clear();
        size_t a = 0; // the first rectangle of the row above that may still line up
        for (int32_t c = 0; c < columns;) {
            if (!flags[c]) {
                ++c;
                continue;
            }
            const int32_t first = c;
            int32_t end = c; // one past the last flagged block of the run
            while (c < columns && c - end <= kBridge) {
                if (flags[c]) {
                    flags[c] = 0;
                    end = c + 1;
                }
                ++c;
            }
            c = end;
            const int32_t x = first * kBlock;
            const int32_t w = std::min(end * kBlock, surface_.width) - x;
            while (a < above_.size() && rects_[above_[a]].x < x)
                ++a;
            if (a < above_.size() && rects_[above_[a]].x == x && rects_[above_[a]].width == w) {
                rects_[above_[a]].height += h;
                here_.push_back(above_[a]);
            } else {
                here_.push_back(static_cast<uint32_t>(rects_.size()));
                rects_.push_back(PixelRect{x, y, w, h});
            }
        }
        above_.swap(here_);
    }
}

const std::vector<PixelRect>& FramePresenter::TakeChanges() {
    handed_.clear();
    handed_.swap(changes_); // the engine records the next frame into the emptied list
    // More records than pixels: the whole surface is cheaper than following them.
    lastWhole_ = surface_.cleared || handed_.size() > pixels_.size();
    surface_.cleared = false;
    if (lastWhole_) {
        handed_.clear();
        std::fill(blocks_.begin(), blocks_.end(), uint8_t{1});
    } else if (!DrawsWindow()) { // a window's image flags its blocks as it is drawn
        const uint32_t w = static_cast<uint32_t>(surface_.width);
        const uint32_t columns = static_cast<uint32_t>(Columns());
        for (uint32_t i : handed_) {
            const uint32_t y = RowOf(i);
            blocks_[(y / kBlock) * columns + (i - y * w) / kBlock] = 1;
        }
    }
    BlockRects();
    return rects_;
}

} // namespace orb
