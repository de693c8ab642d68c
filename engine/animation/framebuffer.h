// The drawing surface the engine writes: 32-bit pixels, one call per pixel. The host owns the
// memory (a window image, a test buffer); the engine only ever sees this view of it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace orb {

// Colours are 0x00BBGGRR: red in the low byte, green next, blue in the third byte.
struct Framebuffer {
    uint32_t* pixels = nullptr; // first pixel of row 0, rows top to bottom
    int32_t width = 0;          // pixels per row
    int32_t height = 0;         // rows
    int32_t stride = 0;         // pixels from the start of one row to the start of the next (>= width)
    // Optional record of the writes for a host that presents only what changed: Set appends the
    // index (y * stride + x) of every pixel it writes, Clear raises `cleared`. A record longer
    // than the surface has pixels is not worth following: from there on `cleared` is raised
    // instead. The list grows at most once, straight to that length, so that frames do not
    // allocate; a host that reserves the surface's pixel count never sees it grow.
    std::vector<uint32_t>* changes = nullptr;
    bool cleared = false; // the whole surface changed since the host last looked
    // Optional instead, for a surface that is a window's image: Set stores colours the window's
    // way round (0x00RRGGBB) and raises the flag of the 16 x 16 block it wrote in, so that the
    // host needs neither a record nor a copy. Flags are row by row, blockColumns to a row.
    uint8_t* blocks = nullptr;
    int32_t blockColumns = 0;                 // (width + 15) / 16 when blocks is set
    static constexpr int32_t kBlockShift = 4; // log2 of the blocks' side

    // Points off the surface are dropped here, so callers never clip (stars leave the screen often).
    // This runs twice per star and frame: only the test of `changes` stays inline.
    void Set(int32_t x, int32_t y, uint32_t colour) {
        if (static_cast<uint32_t>(x) < static_cast<uint32_t>(width) &&
            static_cast<uint32_t>(y) < static_cast<uint32_t>(height)) {
            pixels[static_cast<size_t>(y) * static_cast<size_t>(stride) + static_cast<size_t>(x)] = colour;
            if (changes) [[unlikely]]
                Record(static_cast<uint32_t>(y * stride + x));
            if (blocks) [[unlikely]]
                Mark(x, y, colour);
        }
    }

    // The colour at (x, y); black off the surface.
    uint32_t Get(int32_t x, int32_t y) const {
        if (static_cast<uint32_t>(x) < static_cast<uint32_t>(width) &&
            static_cast<uint32_t>(y) < static_cast<uint32_t>(height))
            return pixels[static_cast<size_t>(y) * static_cast<size_t>(stride) + static_cast<size_t>(x)];
        return 0;
    }

    // Every pixel black.
    void Clear() {
        for (int32_t y = 0; y < height; ++y) {
            uint32_t* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(stride);
            std::fill(row, row + width, 0u);
        }
        cleared = true;
    }

  private:
    friend class PixelWriter;
    // The colour again, red and blue swapped, and its block flagged; (x, y) is on the surface.
    void Mark(int32_t x, int32_t y, uint32_t colour) {
        pixels[static_cast<size_t>(y) * static_cast<size_t>(stride) + static_cast<size_t>(x)] =
            WindowOrder(colour);
        blocks[BlockOf(static_cast<uint32_t>(x), static_cast<uint32_t>(y))] = 1;
    }
    // Red and blue swapped, the top byte cleared: 0xAABBGGRR reversed is 0xRRGGBBAA, and the
    // byte reversal is one instruction where the masks and shifts are seven.
    static uint32_t WindowOrder(uint32_t colour) {
#if defined(__GNUC__)
        return __builtin_bswap32(colour) >> 8;
#else
        return ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
#endif
    }
    size_t BlockOf(uint32_t x, uint32_t y) const {
        return static_cast<size_t>(y >> kBlockShift) * static_cast<size_t>(blockColumns) + (x >> kBlockShift);
    }
    [[gnu::noinline]] void Record(uint32_t index) {
        std::vector<uint32_t>& list = *changes;
        const size_t limit = static_cast<size_t>(width) * static_cast<size_t>(height);
        if (list.size() >= limit) {
            cleared = true;
            return;
        }
        if (list.size() == list.capacity()) list.reserve(limit);
        list.push_back(index);
    }
};

// Writes to a surface for loops over stars that are as often off the surface (or behind the
// camera) as on it, where a branch on either would be a coin toss for the processor: SetIf has
// no branch but the test for a change record. It keeps the surface's fields apart from the
// surface for the loop's length; a pixel store could otherwise be taken to change them, and
// they would be read again for every pixel. The surface must not be resized meanwhile.
class PixelWriter {
  public:
    explicit PixelWriter(Framebuffer& surface)
        : surface_(surface), pixels_(surface.pixels), width_(static_cast<uint32_t>(surface.width)),
          height_(static_cast<uint32_t>(surface.height)), stride_(static_cast<size_t>(surface.stride)),
          blocks_(surface.blocks), recording_(surface.changes != nullptr) {}

    // Framebuffer::Set when draw holds; otherwise, and off the surface, the colour goes to a
    // scratch word that is never shown.
    void SetIf(bool draw, int32_t x, int32_t y, uint32_t colour) {
        const Aim a = AimAt(draw, x, y);
        *reinterpret_cast<uint32_t*>(a.target) = colour;
        if (blocks_) [[unlikely]]
            MarkAt(a.target, a.keep, x, y, colour);
        if (recording_) [[unlikely]]
            RecordIf(a.on, a.index);
    }

    // How a loop writes: what the surface asks for beyond the pixel, decided once per loop so
    // that the loop holds none of the tests (Write<Kind::Any> is SetIf).
    enum class Kind { Plain, Blocks, Any };
    Kind KindOf() const { return recording_ ? Kind::Any : blocks_ ? Kind::Blocks : Kind::Plain; }
    template <Kind kind> void Write(bool draw, int32_t x, int32_t y, uint32_t colour) {
        if constexpr (kind == Kind::Any) {
            SetIf(draw, x, y, colour);
        } else {
            const Aim a = AimAt(draw, x, y);
            if constexpr (kind == Kind::Blocks)
                MarkAt(a.target, a.keep, x, y, colour);
            else
                *reinterpret_cast<uint32_t*>(a.target) = colour;
        }
    }

    // Framebuffer::Set, with a branch on whether the point is on the surface (for loops where it
    // mostly is) and the surface's fields as held here.
    void Set(int32_t x, int32_t y, uint32_t colour) {
        if ((static_cast<uint32_t>(x) < width_) & (static_cast<uint32_t>(y) < height_)) {
            const size_t index =
                static_cast<size_t>(static_cast<uint32_t>(y)) * stride_ + static_cast<uint32_t>(x);
            pixels_[index] = colour;
            if (recording_) [[unlikely]]
                surface_.Record(static_cast<uint32_t>(index));
            if (blocks_) [[unlikely]]
                surface_.Mark(x, y, colour);
        }
    }
    // The surface's fields as held here, and a word that is never shown (for loops that work
    // out their pixels' addresses themselves).
    uint32_t* Pixels() const { return pixels_; }
    uint32_t Width() const { return width_; }
    uint32_t Height() const { return height_; }
    uint32_t Stride() const { return static_cast<uint32_t>(stride_); }
    uint32_t* Scratch() { return &scratch_; }
    // For such loops on a surface with block flags: the flags, their count per row, and a flag
    // that is never read.
    uint8_t* Blocks() const { return blocks_; }
    uint32_t BlockColumns() const { return static_cast<uint32_t>(surface_.blockColumns); }
    uint8_t* ScratchFlag() { return &scratchFlag_; }
    // Framebuffer::WindowOrder: the colour as a window's image stores it.
    static uint32_t WindowOrder(uint32_t colour) { return Framebuffer::WindowOrder(colour); }

  private:
    // Where a write at (x, y) goes: the pixel when draw holds and the point is on the surface,
    // else the scratch word. The address is picked with a mask: the compiler turns a condition
    // into a branch.
    struct Aim {
        uintptr_t target; // address to store at
        uintptr_t keep;   // all ones when the pixel is drawn, else 0
        size_t index;     // the pixel's index in the surface
        bool on;          // the pixel is drawn
    };
    Aim AimAt(bool draw, int32_t x, int32_t y) {
        const bool on = draw & (static_cast<uint32_t>(x) < width_) & (static_cast<uint32_t>(y) < height_);
        const size_t index = static_cast<size_t>(static_cast<uint32_t>(y)) * stride_ + static_cast<uint32_t>(x);
        const uintptr_t keep = uintptr_t{0} - static_cast<uintptr_t>(on);
        const uintptr_t pixel = reinterpret_cast<uintptr_t>(pixels_) + index * sizeof(uint32_t);
        return {(pixel & keep) | (reinterpret_cast<uintptr_t>(&scratch_) & ~keep), keep, index, on};
    }
    // The window's way round over the colour just stored at target, and the block flagged when
    // keep (the point is drawn).
    void MarkAt(uintptr_t target, uintptr_t keep, int32_t x, int32_t y, uint32_t colour) {
        *reinterpret_cast<uint32_t*>(target) = Framebuffer::WindowOrder(colour);
        const auto flag = reinterpret_cast<uintptr_t>(
            blocks_ + surface_.BlockOf(static_cast<uint32_t>(x), static_cast<uint32_t>(y)));
        *reinterpret_cast<uint8_t*>((flag & keep) | (reinterpret_cast<uintptr_t>(&scratchFlag_) & ~keep)) = 1;
    }
    // Out of line, with the test of `on`: inline, the compiler would test it before recording_.
    [[gnu::noinline]] void RecordIf(bool on, size_t index) {
        if (on) surface_.Record(static_cast<uint32_t>(index));
    }

    Framebuffer& surface_;
    uint32_t* pixels_;        // Framebuffer::pixels
    uint32_t width_;          // Framebuffer::width
    uint32_t height_;         // Framebuffer::height
    size_t stride_;           // Framebuffer::stride
    uint8_t* blocks_;         // Framebuffer::blocks: a window's image that flags its blocks
    bool recording_;          // the surface records its changes
    uint32_t scratch_ = 0;    // where what is not drawn is stored
    uint8_t scratchFlag_ = 0; // where the flag of what is not drawn is stored
};

// A surface with its own memory, for tools and tests.
class OwnedFramebuffer {
  public:
    OwnedFramebuffer(int32_t width, int32_t height) {
        width = std::max<int32_t>(width, 0);
        height = std::max<int32_t>(height, 0);
        storage_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0u);
        view_ = {storage_.data(), width, height, width};
    }
    OwnedFramebuffer(const OwnedFramebuffer&) = delete;
    OwnedFramebuffer& operator=(const OwnedFramebuffer&) = delete;

    Framebuffer& Surface() { return view_; }
    const Framebuffer& Surface() const { return view_; }
    const std::vector<uint32_t>& Pixels() const { return storage_; }

  private:
    std::vector<uint32_t> storage_; // width x height colours, rows packed
    Framebuffer view_;              // the view handed to the engine
};

} // namespace orb
