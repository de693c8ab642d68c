// Built with the loop vectoriser at full strength (-O2's cheap cost model leaves the move
// scalar), and free to evaluate divisions and conversions in lanes whose results are then
// discarded, which changes no value.
#if defined(__GNUC__) && !defined(__clang__) // clang has no per-file optimize pragma
#pragma GCC optimize("O3", "no-trapping-math")
#endif

#include "engine/animation/ambient.h"

#include <algorithm>

#include "engine/animation/effects.h"
#include "engine/animation/lane_select.h"
#include "engine/animation/sampling.h"
#include "engine/animation/vector_clones.h"
#include "engine/creation/universe_sampling.h"
#include "settings/numeric.h"

namespace orb {

namespace {

void Replace(AmbientArrays& a, int32_t i, const UniverseValues& v, const AmbientFrame& f,
             GalaxyModel& model) {
    Vec3f p;
    if (v.ambientProfile)
        p = RandomUniversePoint(model.random, model.trig, {v.profile, v.hwRatio}, f.extent, v.symmetry);
    else
        RandomInBallToShell(model.random, f.extent, v.symmetry, p.x, p.y, p.z);
    if (f.mode == AmbientMode::Burst) {
        // A universe that has not expanded yet gives its new stars no drift (0 / 0).
        const double e = f.extent;
        a.driftX[i] = e != 0 ? static_cast<float>(static_cast<double>(p.x) * f.speed / e) : 0.0f;
        a.driftY[i] = e != 0 ? static_cast<float>(static_cast<double>(p.y) * f.speed / e) : 0.0f;
        a.driftZ[i] = e != 0 ? static_cast<float>(static_cast<double>(p.z) * f.speed / e) : 0.0f;
    } else if (f.mode == AmbientMode::Tour) {
        a.driftX[i] = f.cameraDelta.x;
        a.driftY[i] = f.cameraDelta.y;
        a.driftZ[i] = f.cameraDelta.z;
    }
    a.x[i] = static_cast<float>(static_cast<double>(p.x) - f.cameraPos.x);
    a.y[i] = static_cast<float>(static_cast<double>(p.y) - f.cameraPos.y);
    a.z[i] = static_cast<float>(static_cast<double>(p.z) - f.cameraPos.z + v.centreDepth);
    a.flash[i] = v.ambientFlashFrames;
    a.age[i] = 0;
}

// The stars are taken a block at a time, in three passes. The first, in star order, makes each
// star's survival draw (and a replacement's draws), so the random numbers come in the order
// the stars do; the second moves and projects every surviving star of the block in vector
// lanes; the third erases and draws, again in star order, so every pixel ends as it would
// star by star.
constexpr int32_t kBlockSize = 256;

// What the passes hand on, per star of the block.
struct AmbientBlock {
    int32_t oldX[kBlockSize];     // the pixel drawn last (AmbScrX), to erase
    int32_t oldY[kBlockSize];     // AmbScrY
    float oldZ[kBlockSize];       // depth before the move: a sparkle is erased where it was drawn
    int16_t oldFlash[kBlockSize]; // sparkle frames before this frame (0: a dot is erased)
    int16_t flash[kBlockSize];    // sparkle frames left after this frame
    int32_t moves[kBlockSize];    // 1 when it survived and moves, 0 when it was replaced
    int32_t drawn[kBlockSize];    // 1 when it moved to in front of the camera
    int32_t newX[kBlockSize];     // where drawn: its pixel
    int32_t newY[kBlockSize];
};

// The erase bookkeeping and survival draw of stars first..first + n - 1.
void Decide(AmbientArrays& a, int32_t first, int32_t n, const UniverseValues& v, const AmbientFrame& f,
            GalaxyModel& model, AmbientBlock& b) {
    const float persist = v.ambientPersist;
    const double ageStep = v.ambientAgeStep;
    for (int32_t k = 0; k < n; ++k) {
        const int32_t i = first + k;
        int16_t flash = a.flash[i];
        b.oldX[k] = a.scrX[i];
        b.oldY[k] = a.scrY[i];
        b.oldZ[k] = a.z[i];
        b.oldFlash[k] = flash;
        if (flash != 0)
            a.flash[i] = --flash;
        else
            a.age[i] = static_cast<float>(static_cast<double>(a.age[i]) + ageStep);
        b.flash[k] = flash;
        const bool moves = model.random() < persist || flash > 0;
        b.moves[k] = moves;
        if (!moves) Replace(a, i, v, f, model);
    }
}

// The surviving stars of the block move by their drift and are projected (ambient stars are not
// tilted and their y is not mirrored); the positions of replaced stars stay as set. The arrays
// never overlap.
ORB_VECTOR_CLONES void Move(float* __restrict x, float* __restrict y, float* __restrict z,
                            const float* __restrict driftX, const float* __restrict driftY,
                            const float* __restrict driftZ, int32_t n, const ScreenGeometry& screen,
                            AmbientBlock& __restrict b) {
    const float focalScale = screen.focalScale;
    const double centreX = screen.centreX, centreY = screen.centreY;
    for (int32_t k = 0; k < n; ++k) {
        const float x0 = x[k], y0 = y[k], z0 = z[k];
        const float nx = static_cast<float>(static_cast<double>(x0) + driftX[k]);
        const float ny = static_cast<float>(static_cast<double>(y0) + driftY[k]);
        const float nz = static_cast<float>(static_cast<double>(z0) + driftZ[k]);
        const uint32_t moves = LaneMask(b.moves[k] != 0);
        x[k] = Pick(moves, nx, x0);
        y[k] = Pick(moves, ny, y0);
        z[k] = Pick(moves, nz, z0);
        const float scale = focalScale / nz;
        b.newX[k] = PixelCoordSelect(static_cast<double>(nx) * scale + centreX);
        b.newY[k] = PixelCoordSelect(static_cast<double>(ny) * scale + centreY);
        b.drawn[k] = static_cast<int32_t>(moves & LaneMask(nz > kNearDepth) & 1u);
    }
}

// Each star's last dot or sparkle erased, and, where it moved into view, its new one drawn.
void Draw(AmbientArrays& a, int32_t first, int32_t n, const UniverseValues& v, const AmbientTarget& t,
          PixelWriter& out, const AmbientBlock& b) {
    for (int32_t k = 0; k < n; ++k) {
        if (b.oldFlash[k] != 0) {
            if (b.oldZ[k] > kNearDepth)
                DrawSparkle(t.surface, t.screen, b.oldX[k], b.oldY[k], b.oldZ[k], b.oldFlash[k],
                            v.ambientFlashFrames, v.ambientFlashSize, 0);
        } else {
            out.Set(b.oldX[k], b.oldY[k], 0);
        }
        if (!b.drawn[k]) continue;
        const int32_t i = first + k, sx = b.newX[k], sy = b.newY[k];
        a.scrX[i] = sx;
        a.scrY[i] = sy;
        if (b.flash[k] != 0)
            DrawSparkle(t.surface, t.screen, sx, sy, a.z[i], b.flash[k], v.ambientFlashFrames,
                        v.ambientFlashSize, kSparkleWhite);
        else if (const float age = a.age[i]; age < 80.0f) // PixelCoord rounds it as NearestLong, without a call
            out.Set(sx, sy, t.colours.UniverseFade(PixelCoord(age)));
    }
}

} // namespace

void AmbientArrays::Size(int16_t count) {
    const size_t n = count > 0 ? static_cast<size_t>(count) : 0;
    for (auto* v : {&x, &y, &z, &driftX, &driftY, &driftZ, &age})
        v->assign(n, 0.0f);
    scrX.assign(n, 0);
    scrY.assign(n, 0);
    flash.assign(n, 0);
}

void UpdateAmbientStars(AmbientArrays& a, const UniverseValues& v, const AmbientFrame& f, GalaxyModel& model,
                        const AmbientTarget& t) {
    const int32_t count = a.Count();
    PixelWriter out(t.surface);
    AmbientBlock b;
    for (int32_t first = 0; first < count; first += kBlockSize) {
        const int32_t n = std::min(kBlockSize, count - first);
        Decide(a, first, n, v, f, model, b);
        Move(a.x.data() + first, a.y.data() + first, a.z.data() + first, a.driftX.data() + first,
             a.driftY.data() + first, a.driftZ.data() + first, n, t.screen, b);
        Draw(a, first, n, v, t, out, b);
    }
}

} // namespace orb
