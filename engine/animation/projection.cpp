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

template <bool kFlags>
[[gnu::always_inline]] inline void Addresses(ProjectionBatch& b, int32_t count,
                                             const SurfaceLayout& surface) {
    const SurfaceLayout l = surface; // a local copy: the stores below cannot change it
    for (int32_t j = 0; j < count; ++j) {
        const PixelTarget from =
            TargetOf<kFlags>(l, true, static_cast<uint32_t>(b.fromX[j]), static_cast<uint32_t>(b.fromY[j]));
        const PixelTarget to =
            TargetOf<kFlags>(l, b.depth[j] > kNearDepth, static_cast<uint32_t>(b.pixelX[j]),
                             static_cast<uint32_t>(b.pixelY[j]));
        b.fromAt[j] = from.at;
        b.pixelAt[j] = to.at;
        if constexpr (kFlags) {
            b.fromFlag[j] = from.flag;
            b.pixelFlag[j] = to.flag;
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
