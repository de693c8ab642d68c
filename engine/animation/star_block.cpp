#include "engine/animation/star_block.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "engine/animation/lane_select.h"
#include "engine/animation/orbit_trig.h"
#include "engine/animation/prefetch.h"
#include "engine/animation/star_motion.h"

namespace orb {

namespace {

bool Orbiting(int16_t style) {
    return static_cast<uint16_t>(style) <= 3;
}
bool Drifting(int16_t style) {
    return static_cast<uint16_t>(style - 4) <= 1;
}

// Block indices in order: the places in the batch of a block moved in star order.
constexpr auto kInOrder = [] {
    std::array<int16_t, StarBlock::kSize> places{};
    for (int32_t j = 0; j < StarBlock::kSize; ++j)
        places[j] = static_cast<int16_t>(j);
    return places;
}();

} // namespace

StarBlock::StarBlock(StarArrays& stars, const GalaxyArrays& galaxies, const GalaxyModel& model,
                     const std::array<TypeView, kGalaxyTypeSlots>& views,
                     const std::array<int16_t, kGalaxyTypeSlots>& styles, const ScreenGeometry& screen)
    : stars_(stars), model_(model), styles_(styles), screen_(screen), writePrefetch_(HasWritePrefetch()) {
    for (int t = 0; t < kGalaxyTypeSlots; ++t) {
        tiltSin_[t] = views[t].tiltSin;
        tiltCos_[t] = views[t].tiltCos;
        vertical_[t] = views[t].axisPlane != 0 ? 1.0 : 0.0;
        kinds_[t] = Orbiting(styles[t])   ? kOrbiting
                    : Drifting(styles[t]) ? kDrifting
                    : styles[t] == 7      ? kWaving
                                          : kOther;
        orbitingTypes_ |= static_cast<uint32_t>(kinds_[t] == kOrbiting) << t;
        driftingTypes_ |= static_cast<uint32_t>(kinds_[t] == kDrifting) << t;
    }
    tables_ = {tiltSin_.data(),      tiltCos_.data(),      vertical_.data(),
               galaxies.relX.data(), galaxies.relY.data(), galaxies.relZ.data()};
}

void StarBlock::Begin(int32_t first, int32_t end, int16_t ring) {
    first_ = first;
    count_ = end - first;
    ring_ = ring;
    steadyCount_ = 0;
    batchCount_ = 0;
}

// Only a window's image (the surface with block flags) is read by the X server; a surface of the
// process's own keeps its lines, and there the prefetches would only add instructions. Off the
// surface, pixel 0 stands in: a select, where a branch would be a coin toss.
void StarBlock::FetchErasedPixels(const Framebuffer& surface) {
    if (!surface.blocks) return;
    const uint32_t width = static_cast<uint32_t>(surface.width), height = static_cast<uint32_t>(surface.height);
    const size_t stride = static_cast<size_t>(surface.stride);
    const int32_t* scrX = stars_.scrX.data();
    const int32_t* scrY = stars_.scrY.data();
    for (int32_t i = first_, end = first_ + count_; i < end; ++i) {
        const int32_t slot = Slot(i);
        const uint32_t x = static_cast<uint32_t>(scrX[slot]), y = static_cast<uint32_t>(scrY[slot]);
        const bool on = (x < width) & (y < height);
        const size_t index = on ? y * stride + x : 0;
        PrefetchForWrite(surface.pixels + index, writePrefetch_);
    }
}

namespace {
// to[j] = from[j] where steady[j] is set, in vector lanes (the arrays never overlap).
void SelectSteady(int32_t* __restrict to, const int32_t* __restrict from, const uint8_t* __restrict steady,
                  int32_t n) {
    for (int32_t j = 0; j < n; ++j)
        to[j] = Pick(LaneMask(steady[j] != 0), from[j], to[j]);
}
} // namespace

void StarBlock::KeepNewPixels(int32_t* scrX, int32_t* scrY, int32_t trail) const {
    const int32_t n = count_;
    if (inOrder_ && trail == 1) { // a select over the block, vectorised
        SelectSteady(scrX, batch_.pixelX, steady_.data(), n);
        SelectSteady(scrY, batch_.pixelY, steady_.data(), n);
        return;
    }
    // Without a branch, which would go either way at random early in a burst: a star that is not
    // steady reads a stale place in the batch (position_ starts zeroed) and keeps its slot.
    for (int32_t j = 0; j < n; ++j) {
        const int32_t p = position_[j];
        const uint32_t steady = LaneMask(steady_[j] != 0);
        scrX[j * trail] = Pick(steady, batch_.pixelX[p], scrX[j * trail]);
        scrY[j * trail] = Pick(steady, batch_.pixelY[p], scrY[j * trail]);
    }
}

[[gnu::always_inline]] inline void StarBlock::Gather(int32_t i, int32_t j, Vec3f local) {
    position_[i - first_] = static_cast<int16_t>(j);
    batch_.x[j] = local.x;
    batch_.y[j] = local.y;
    batch_.z[j] = local.z;
    batch_.type[j] = stars_.type[i];
    batch_.galaxy[j] = stars_.galaxy[i];
    const int32_t slot = Slot(i);
    batch_.fromX[j] = stars_.scrX[slot];
    batch_.fromY[j] = stars_.scrY[slot];
}

void StarBlock::MoveAndProject() {
    // Past half steady, projecting the others too for nothing costs less than sorting (in a tour
    // frame nearly every star is steady, early in a burst few are).
    if (steadyCount_ * 2 >= count_)
        MoveInOrder();
    else if (steadyCount_ > 0)
        MoveByKind();
}

// The orbiting and drifting stars move in one pass over the block (far the most of a tour
// frame's stars), the waving ones packed together and the others one at a time; the batch holds
// the block's stars in order.
void StarBlock::MoveInOrder() {
    const int32_t first = first_, n = count_;
    const motion::SteadyMoves moves{stars_.angle.data() + first,
                                    stars_.spin.data() + first,
                                    stars_.radius.data() + first,
                                    stars_.height.data() + first,
                                    stars_.x.data() + first,
                                    stars_.y.data() + first,
                                    stars_.z.data() + first,
                                    stars_.velX.data() + first,
                                    stars_.velY.data() + first,
                                    stars_.velZ.data() + first,
                                    stars_.type.data() + first,
                                    stars_.galaxy.data() + first,
                                    steady_.data(),
                                    orbitingTypes_,
                                    driftingTypes_};
    if (motion::MoveOrbitsAndDrifts(moves, n, batch_, flags_.data()) > 0) MoveFlagged();
    const int16_t trail = stars_.trail;
    const int32_t* scrX = stars_.scrX.data() + Slot(first);
    const int32_t* scrY = stars_.scrY.data() + Slot(first);
    if (trail == 1) {
        std::copy_n(scrX, n, batch_.fromX);
        std::copy_n(scrY, n, batch_.fromY);
    } else {
        for (int32_t j = 0; j < n; ++j) {
            batch_.fromX[j] = scrX[j * trail];
            batch_.fromY[j] = scrY[j * trail];
        }
    }
    std::copy_n(kInOrder.begin(), n, position_.begin());
    batchCount_ = n;
    inOrder_ = true;
    ProjectStars(screen_, tables_, batch_, n);
}

// The stars MoveOrbitsAndDrifts flagged (some tenths of a block), found eight flags at a time:
// the steady stars it left, moved in place in the batch (the waving ones packed together), and
// the orbiting stars whose angle is beyond its reduction.
void StarBlock::MoveFlagged() {
    const int32_t n = count_;
    std::fill(flags_.begin() + n, flags_.begin() + ((n + 7) & ~7), uint8_t{0});
    int32_t waving = 0;
    auto& wavingList = lists_[kWaving];
    for (int32_t w = 0; w < n; w += 8) {
        uint64_t word;
        std::memcpy(&word, &flags_[w], sizeof word);
        if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
        for (; word != 0; word &= word - 1) {
            const int32_t j = w + std::countr_zero(word) / 8, i = first_ + j;
            const int16_t type = stars_.type[i];
            if (flags_[j] == motion::kOrbitBeyond) {
                const SinCosF t = OrbitSinCos(stars_.angle[i]);
                batch_.x[j] = stars_.radius[i] * t.cos;
                batch_.z[j] = stars_.radius[i] * t.sin;
            } else if (kinds_[type] == kWaving) {
                wavingList[waving] = static_cast<int16_t>(j);
                PackWave(waving++, i);
            } else {
                const Vec3f local = MoveStar(stars_, i, styles_[type], model_.run[type]);
                batch_.x[j] = local.x;
                batch_.y[j] = local.y;
                batch_.z[j] = local.z;
            }
        }
    }
    if (waving == 0) return;
    motion::MoveWaves(waves_, waving);
    for (int32_t k = 0; k < waving; ++k) {
        const int32_t j = wavingList[k];
        const Vec3f local = UnpackWave(k, first_ + j);
        batch_.x[j] = local.x;
        batch_.y[j] = local.y;
        batch_.z[j] = local.z;
    }
}

void StarBlock::PackWave(int32_t k, int32_t i) {
    const GalaxyTypeRun& run = model_.run[stars_.type[i]];
    waves_.age[k] = stars_.age[i];
    waves_.x[k] = stars_.x[i];
    waves_.z[k] = stars_.z[i];
    waves_.velX[k] = stars_.velX[i];
    waves_.velZ[k] = stars_.velZ[i];
    waves_.phase[k] = stars_.velY[i];
    waves_.step[k] = run.angleParam;
    waves_.height[k] = run.heightScaled;
    waves_.persistence[k] = run.bandFillWhole;
}

Vec3f StarBlock::UnpackWave(int32_t k, int32_t i) {
    stars_.age[i] = waves_.age[k];
    stars_.x[i] = waves_.x[k];
    stars_.y[i] = waves_.y[k];
    stars_.z[i] = waves_.z[k];
    stars_.velY[i] = waves_.phase[k];
    return {waves_.x[k], waves_.y[k], waves_.z[k]};
}

// The steady stars are listed by kind of style (orbiting, drifting, waving, other) without
// branches: the five list lengths (the fifth lists the stars that are not steady) are 12-bit
// fields of one register, and each index goes to the end of its list. Then each kind is moved in
// a loop of its own, and the batch holds only the steady stars (in a burst step many stars are
// still in flight).
void StarBlock::MoveByKind() {
    uint64_t lengths = 0;
    for (int32_t j = 0; j < count_; ++j) {
        // Every kind is below kNotSteady, so the larger of the two picks kNotSteady exactly when
        // the star is not steady.
        const uint32_t kind = std::max<uint32_t>(kinds_[stars_.type[first_ + j]],
                                                 static_cast<uint32_t>(!steady_[j]) * kNotSteady);
        const uint32_t shift = 12 * kind;
        lists_[kind][(lengths >> shift) & 0xFFF] = static_cast<int16_t>(j);
        lengths += uint64_t{1} << shift;
    }
    const auto length = [&](uint32_t kind) { return static_cast<int32_t>((lengths >> (12 * kind)) & 0xFFF); };
    const int32_t orbiting = length(kOrbiting), drifting = length(kDrifting), waving = length(kWaving),
                  others = length(kOther);
    const auto& orbitingList = lists_[kOrbiting];
    const auto& driftingList = lists_[kDrifting];
    const auto& wavingList = lists_[kWaving];
    const auto& otherList = lists_[kOther];
    // The orbit trigonometry of the steady orbiting stars in one vectorised loop, over copies
    // of their values packed together.
    for (int32_t k = 0; k < orbiting; ++k) {
        const int32_t i = first_ + orbitingList[k];
        angle_[k] = stars_.angle[i];
        spin_[k] = stars_.spin[i];
        radius_[k] = stars_.radius[i];
    }
    OrbitAhead(angle_.data(), spin_.data(), radius_.data(), orbiting, aheadX_.data(), aheadZ_.data());
    int32_t p = 0;
    for (int32_t k = 0; k < orbiting; ++k) {
        const int32_t i = first_ + orbitingList[k];
        stars_.angle[i] = angle_[k] + spin_[k]; // as motion::Orbit
        Gather(i, p++, {aheadX_[k], stars_.height[i], aheadZ_[k]});
    }
    for (int32_t k = 0; k < drifting; ++k) {
        const int32_t i = first_ + driftingList[k];
        Gather(i, p++, motion::Drift(stars_, i));
    }
    // The wave stars' values are packed too, for one vectorised loop (their sine is most of it).
    for (int32_t k = 0; k < waving; ++k) {
        PackWave(k, first_ + wavingList[k]);
    }
    motion::MoveWaves(waves_, waving);
    for (int32_t k = 0; k < waving; ++k) {
        const int32_t i = first_ + wavingList[k];
        Gather(i, p++, UnpackWave(k, i));
    }
    for (int32_t k = 0; k < others; ++k) {
        const int32_t i = first_ + otherList[k];
        const int16_t type = stars_.type[i];
        Gather(i, p++, MoveStar(stars_, i, styles_[type], model_.run[type]));
    }
    batchCount_ = p;
    inOrder_ = false;
    ProjectStars(screen_, tables_, batch_, p);
}

} // namespace orb
