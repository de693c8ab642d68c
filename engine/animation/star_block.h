// The steady stars of a block of consecutive stars, moved and projected together. A steady star
// (not sparkling, bursting, retiring or still in flight) is moved by its style's rule and drawn
// as one pixel; that is nearly every star of nearly every frame. Taken one star at a time, the
// work is a chain of branches the processor cannot foresee: the style of the next star, whether
// it is on the surface, whether it is in front of the camera. So a block is taken in passes: the
// moves style by style (the orbit trigonometry vectorised over the block), the projection of all
// steady stars (vectorised, branch-free), and then the drawing in star order.
//
//   StarBlock block(stars, galaxies, model, views, styles, screen);
//   block.Begin(first, end, ring);           // end - first <= StarBlock::kSize
//   block.FetchErasedPixels(surface);
//   block.MarkSteadyStars([&](int32_t i) { return ...; });
//   block.MoveAndProject();
//   block.Draw(surface, [&](int32_t i) { ... a star that is not steady ... });
//
// The stars that are not steady are moved one at a time by MoveStar, which gives the same orbit.
//
// Moving a star touches only that star's values (and reads constants of its type and galaxy),
// so moving the steady stars of a block before any of its stars is drawn gives what moving each
// just before its drawing gives; the pixels are still set in star order.
#pragma once

#include <array>
#include <cstdint>

#include "engine/animation/framebuffer.h"
#include "engine/animation/projection.h"
#include "engine/animation/star_arrays.h"
#include "engine/animation/star_motion.h"
#include "engine/creation/galaxy_model.h"

namespace orb {

class StarBlock {
  public:
    static constexpr int32_t kSize = ProjectionBatch::kSize; // stars a block holds at most

    // views and styles: per galaxy type for this frame. All references must outlive the block.
    StarBlock(StarArrays& stars, const GalaxyArrays& galaxies, const GalaxyModel& model,
              const std::array<TypeView, kGalaxyTypeSlots>& views,
              const std::array<int16_t, kGalaxyTypeSlots>& styles, const ScreenGeometry& screen);

    // Starts on stars first .. end - 1 (at most kSize of them), whose pixels of this frame are in
    // trail slot ring. FetchErasedPixels and MarkSteadyStars come next.
    void Begin(int32_t first, int32_t end, int16_t ring);
    // On a window's image, asks for the lines of the pixels the block's stars erase (their pixels
    // of trail slot ring), for writing. The image was last read by the X server, and a frame delay
    // has passed since; stored into cold, those lines came in one after another and the drawing
    // waited on each. Asked for here, they arrive together while the stars move and are projected.
    void FetchErasedPixels(const Framebuffer& surface);
    // Every star i of the block is steady this frame where steady(i) holds, in a loop the
    // compiler can vectorise when steady reads arrays through pointers held outside it.
    template <typename Steady> void MarkSteadyStars(Steady&& steady) {
        int32_t count = 0;
        for (int32_t j = 0; j < count_; ++j) {
            const bool on = steady(first_ + j);
            steady_[j] = on;
            count += on;
        }
        steadyCount_ = count;
    }
    // Moves every steady star one frame and projects it.
    void MoveAndProject();
    // After MoveAndProject, every star of the block in order: a steady star has the pixel of its
    // slot erased and, when it is in front of the camera, its new pixel kept in the slot and set
    // in its colour; any other star i is handed to other(i).
    template <typename Other> void Draw(Framebuffer& surface, Other&& other) {
        PixelWriter out(surface);
        switch (out.KindOf()) {
        case PixelWriter::Kind::Plain:
            return DrawAs<PixelWriter::Kind::Plain>(out, other);
        case PixelWriter::Kind::Blocks:
            return DrawAs<PixelWriter::Kind::Blocks>(out, other);
        case PixelWriter::Kind::Any:
            return DrawAs<PixelWriter::Kind::Any>(out, other);
        }
    }

  private:
    template <PixelWriter::Kind kind, typename Other> void DrawAs(PixelWriter& out, Other& other) {
        // A plain surface takes each pixel at an address worked out for the whole batch at once,
        // a window's image also the address of each pixel's block flag.
        static_assert(Framebuffer::kBlockShift == 4); // as PixelAddresses has it
        if constexpr (kind != PixelWriter::Kind::Any)
            if (batchCount_ > 0)
                PixelAddresses(batch_, batchCount_,
                               {out.Pixels(), out.Width(), out.Height(), out.Stride(), out.Scratch(),
                                kind == PixelWriter::Kind::Blocks ? out.Blocks() : nullptr,
                                out.BlockColumns(), out.ScratchFlag()});
        // Locals: the flag stores (bytes) could alias any member, which would then be read
        // again for every star.
        const int32_t first = first_, count = count_, trail = stars_.trail;
        int32_t* const scrX = stars_.scrX.data() + Slot(first);
        int32_t* const scrY = stars_.scrY.data() + Slot(first);
        const uint32_t* const colour = stars_.colour.data() + first;
        KeepNewPixels(scrX, scrY, trail);
        for (int32_t j = 0; j < count; ++j) {
            if (!steady_[j]) {
                other(first + j);
                continue;
            }
            const int32_t p = position_[j];
            if constexpr (kind == PixelWriter::Kind::Plain) {
                *batch_.fromAt[p] = 0;
                *batch_.pixelAt[p] = colour[j];
            } else if constexpr (kind == PixelWriter::Kind::Blocks) {
                *batch_.fromAt[p] = 0;
                *batch_.fromFlag[p] = 1;
                *batch_.pixelAt[p] = PixelWriter::WindowOrder(colour[j]);
                *batch_.pixelFlag[p] = 1;
            } else {
                out.Write<kind>(true, batch_.fromX[p], batch_.fromY[p], 0);
                out.Write<kind>(batch_.depth[p] > kNearDepth, batch_.pixelX[p], batch_.pixelY[p], colour[j]);
            }
        }
    }
    // Every steady star's new pixel into its trail slot of this frame (scrX and scrY at the
    // block's first star), ahead of the drawing: there, each store waits behind the pixel stores
    // that miss, so the fewer stores it makes, the more stars' pixel lines are on their way at once.
    void KeepNewPixels(int32_t* scrX, int32_t* scrY, int32_t trail) const;
    int32_t Slot(int32_t i) const { return stars_.Slot(i, ring_); }
    // The projection inputs of star i, which has moved to local, into place p of the batch.
    void Gather(int32_t i, int32_t p, Vec3f local);
    // The two ways of moving a block's steady stars: in star order, every star of the block in
    // the batch (when most are steady), or sorted by kind of style, only the steady ones in it.
    void MoveInOrder();
    void MoveFlagged();
    void MoveByKind();
    // Wave star i's values into place k of the packed values MoveWaves reads.
    void PackWave(int32_t k, int32_t i);
    // The wave star moved in place k back into star i; its new local position.
    Vec3f UnpackWave(int32_t k, int32_t i);

    StarArrays& stars_;
    const GalaxyModel& model_;
    const std::array<int16_t, kGalaxyTypeSlots>& styles_;
    const ScreenGeometry& screen_;
    std::array<double, kGalaxyTypeSlots> tiltSin_{};  // per galaxy type, this frame: TypeView::tiltSin
    std::array<double, kGalaxyTypeSlots> tiltCos_{};  // per galaxy type, this frame: TypeView::tiltCos
    std::array<double, kGalaxyTypeSlots> vertical_{}; // per galaxy type: 1 when axisPlane is non-zero
    BatchTables tables_;                              // the above and the galaxies' offsets, for the batch
    int32_t first_ = 0;                               // first star of the block
    int32_t count_ = 0;                               // stars in the block
    int16_t ring_ = 0;                                // trail slot of this frame
    bool writePrefetch_ = false;                      // the processor fetches lines for writing
    int32_t steadyCount_ = 0;                         // steady stars in the block
    int32_t batchCount_ = 0;                          // stars in batch_
    bool inOrder_ = false;                            // batch_ holds the block's stars in order
    std::array<float, kSize> angle_;                  // per steady orbiting star: StarAngle
    std::array<float, kSize> spin_;                   // per steady orbiting star: StarSpin
    std::array<float, kSize> radius_;                 // per steady orbiting star: StarRadius
    std::array<float, kSize> aheadX_;                 // per steady orbiting star: orbit x one frame on
    std::array<float, kSize> aheadZ_;                 // per steady orbiting star: orbit z one frame on
    std::array<uint8_t, kSize> steady_;               // per block star: 1 when moved and projected together
    // Kinds of style, and the lists of block stars by kind.
    static constexpr uint32_t kOrbiting = 0, kDrifting = 1, kWaving = 2, kOther = 3, kNotSteady = 4;
    std::array<uint8_t, kGalaxyTypeSlots> kinds_{};   // per galaxy type: its kind of style
    uint32_t orbitingTypes_ = 0;                      // bit t: type t's kind is kOrbiting
    uint32_t driftingTypes_ = 0;                      // bit t: type t's kind is kDrifting
    std::array<uint8_t, kSize> flags_;                // per block star: MoveOrbitsAndDrifts' flags
    std::array<std::array<int16_t, kSize>, 5> lists_; // per kind: block indices of its stars
    motion::WaveBatch waves_;                         // the steady wave stars' values, packed
    std::array<int16_t, kSize> position_{};           // per steady block star: its place in batch_
    ProjectionBatch batch_{};                         // projection of the steady stars
};

} // namespace orb
