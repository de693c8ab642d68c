// The batch projection is built with the loop vectoriser at full strength (-O2's cheap cost model
// leaves it scalar), and free to evaluate divisions and conversions in lanes whose results are
// then discarded, which changes no value.
#if defined(__GNUC__) && !defined(__clang__) // clang has no per-file optimize pragma
#pragma GCC optimize("O3", "no-trapping-math")
#endif

#include "engine/animation/projection.h"
#include "engine/animation/vector_clones.h"

#include "settings/numeric.h"

namespace orb {

ScreenGeometry MakeScreenGeometry(double widthPixels, double heightPixels, float focalLength) {
    ScreenGeometry g;
    g.focalLength = focalLength != focalLength ? 1.0f : ClampSingle(focalLength, 0.01f, 10.0f);
    g.centreX = NearestInt(widthPixels * 0.5);
    g.centreY = NearestInt(heightPixels * 0.5);
    g.focalScale = static_cast<float>((g.centreX + g.centreY) * 0.5 * g.focalLength);
    return g;
}

namespace {

// The tables are only read, and never overlap the batch.
[[gnu::always_inline]] inline void ProjectBatch(const ScreenGeometry& screen, ProjectionBatch& b,
                                                int32_t count, const double* __restrict tiltSin,
                                                const double* __restrict tiltCos,
                                                const double* __restrict verticals,
                                                const float* __restrict relX, const float* __restrict relY,
                                                const float* __restrict relZ) {
    const double focalScale = screen.focalScale;
    const double centreX = screen.centreX, centreY = screen.centreY;
    for (int32_t j = 0; j < count; ++j) {
        const int32_t type = b.type[j], g = b.galaxy[j];
        const double s = tiltSin[type], c = tiltCos[type];
        const double rx = relX[g], ry = relY[g], rz = relZ[g];
        const float depth = static_cast<float>(b.y[j] * s + b.z[j] * c + rz);
        // The quotient of two singles rounded to a single, as ProjectStar has it, without
        // leaving double lanes.
        const double k = static_cast<float>(focalScale / depth);
        const double across = b.z[j] * s - b.y[j] * c;
        const bool vertical = verticals[type] != 0;
        const double h = vertical ? across : b.x[j];
        const double v = vertical ? b.x[j] : across;
        const int32_t x = PixelCoordSelect((h + rx) * k + centreX);
        const int32_t y = PixelCoordSelect((v + ry) * k + centreY);
        const bool seen = depth > kNearDepth;
        b.pixelX[j] = seen ? x : b.fromX[j];
        b.pixelY[j] = seen ? y : b.fromY[j];
        b.depth[j] = depth;
    }
}

} // namespace

ORB_VECTOR_CLONES void ProjectStars(const ScreenGeometry& screen, const BatchTables& t, ProjectionBatch& b,
                                    int32_t count) {
    ProjectBatch(screen, b, count, t.tiltSin, t.tiltCos, t.vertical, t.relX, t.relY, t.relZ);
}

namespace {

// The address at index of base where on holds, else other, picked by a mask: as a condition the
// compiler vectorises it into masked stores behind tests of whether any lane holds, branches
// that go either way from one batch of stars to the next.
template <typename T> [[gnu::always_inline]] inline T* Pick(bool on, T* base, uint32_t index, T* other) {
    const uintptr_t keep = uintptr_t{0} - static_cast<uintptr_t>(on);
    const uintptr_t at = reinterpret_cast<uintptr_t>(base) + uintptr_t{index} * sizeof(T);
    return reinterpret_cast<T*>((at & keep) | (reinterpret_cast<uintptr_t>(other) & ~keep));
}

template <bool kFlags> [[gnu::always_inline]] inline void Addresses(ProjectionBatch& b, int32_t count,
                                                                     const SurfaceLayout& surface) {
    uint32_t* const pixels = surface.pixels;
    uint32_t* const scratch = surface.scratch;
    uint8_t* const blocks = surface.blocks;
    uint8_t* const scratchFlag = surface.scratchFlag;
    const uint32_t width = surface.width, height = surface.height, stride = surface.stride;
    const uint32_t columns = surface.blockColumns;
    for (int32_t j = 0; j < count; ++j) {
        const uint32_t fromX = static_cast<uint32_t>(b.fromX[j]), fromY = static_cast<uint32_t>(b.fromY[j]);
        const uint32_t x = static_cast<uint32_t>(b.pixelX[j]), y = static_cast<uint32_t>(b.pixelY[j]);
        const bool fromOn = (fromX < width) & (fromY < height);
        const bool on = (b.depth[j] > kNearDepth) & (x < width) & (y < height);
        b.fromAt[j] = Pick(fromOn, pixels, fromY * stride + fromX, scratch);
        b.pixelAt[j] = Pick(on, pixels, y * stride + x, scratch);
        if constexpr (kFlags) {
            b.fromFlag[j] = Pick(fromOn, blocks, (fromY >> 4) * columns + (fromX >> 4), scratchFlag);
            b.pixelFlag[j] = Pick(on, blocks, (y >> 4) * columns + (x >> 4), scratchFlag);
        }
    }
}

} // namespace

ORB_VECTOR_CLONES void PixelAddresses(ProjectionBatch& b, int32_t count, const SurfaceLayout& surface) {
    if (surface.blocks)
        Addresses<true>(b, count, surface);
    else
        Addresses<false>(b, count, surface);
}

} // namespace orb
