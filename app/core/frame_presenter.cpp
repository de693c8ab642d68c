#include "app/core/frame_presenter.h"

#include <algorithm>

namespace orb {

void FramePresenter::Resize(int32_t width, int32_t height) {
    width = std::max<int32_t>(width, 0);
    height = std::max<int32_t>(height, 0);
    pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0u);
    const int32_t columns = (width + Framebuffer::kDirtyBlock - 1) >> Framebuffer::kDirtyShift;
    surface_.pixels = pixels_.data();
    surface_.width = width;
    surface_.height = height;
    surface_.stride = width;
    surface_.dirtyColumns = columns;
    dirty_.assign(static_cast<size_t>(columns) * static_cast<size_t>(Rows()), 1);
    surface_.dirty = dirty_.data();
}

void FramePresenter::MarkAll() {
    std::fill(dirty_.begin(), dirty_.end(), uint8_t{1});
}

bool FramePresenter::AnyChange() const {
    return std::find(dirty_.begin(), dirty_.end(), uint8_t{1}) != dirty_.end();
}

void FramePresenter::Convert(const PixelRect& r, uint32_t* dst, int32_t dstStride) const {
    for (int32_t y = r.y; y < r.y + r.height; ++y) {
        const uint32_t* from =
            pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(surface_.width) + r.x;
        uint32_t* to = dst + static_cast<size_t>(y) * static_cast<size_t>(dstStride) + r.x;
        for (int32_t x = 0; x < r.width; ++x)
            to[x] = WindowPixel(from[x]);
    }
}

std::vector<PixelRect> FramePresenter::Present(uint32_t* dst, int32_t dstStride) {
    std::vector<PixelRect> rects;
    const int32_t block = Framebuffer::kDirtyBlock;
    const int32_t columns = surface_.dirtyColumns;
    for (int32_t row = 0; row < Rows(); ++row) {
        uint8_t* flags = dirty_.data() + static_cast<size_t>(row) * static_cast<size_t>(columns);
        const int32_t y = row * block;
        const int32_t h = std::min(block, surface_.height - y);
        for (int32_t c = 0; c < columns;) {
            if (!flags[c]) {
                ++c;
                continue;
            }
            const int32_t first = c;
            while (c < columns && flags[c])
                flags[c++] = 0;
            const int32_t x = first * block;
            PixelRect r{x, y, std::min(c * block, surface_.width) - x, h};
            Convert(r, dst, dstStride);
            rects.push_back(r);
        }
    }
    return rects;
}

} // namespace orb
