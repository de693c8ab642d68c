#include "engine/animation/ambient.h"

#include "engine/animation/effects.h"
#include "engine/animation/sampling.h"
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

// One frame's values and the arrays' addresses, held apart from the arrays: stored pixels and
// positions could otherwise be taken to change them, and each would be read again after every
// store.
struct AmbientPass {
    float* x;                // AmbientArrays::x, y, z
    float* y;
    float* z;
    const float* driftX;     // AmbientArrays::driftX, driftY, driftZ
    const float* driftY;
    const float* driftZ;
    int32_t* scrX;           // AmbientArrays::scrX, scrY
    int32_t* scrY;
    float* age;              // AmbientArrays::age
    float focalScale;        // ScreenGeometry::focalScale
    double centreX, centreY; // ScreenGeometry::centreX, centreY
};

[[gnu::always_inline]] inline void MoveAndDraw(const AmbientPass& p, int32_t i, int16_t flash,
                                               const UniverseValues& v, const AmbientTarget& t,
                                               PixelWriter& out) {
    const float x = static_cast<float>(static_cast<double>(p.x[i]) + p.driftX[i]);
    const float y = static_cast<float>(static_cast<double>(p.y[i]) + p.driftY[i]);
    const float z = static_cast<float>(static_cast<double>(p.z[i]) + p.driftZ[i]);
    p.x[i] = x;
    p.y[i] = y;
    p.z[i] = z;
    if (!(z > kNearDepth)) return;
    // Ambient stars are not tilted and their y is not mirrored.
    const float k = p.focalScale / z;
    const int32_t sx = PixelCoord(static_cast<double>(x) * k + p.centreX);
    const int32_t sy = PixelCoord(static_cast<double>(y) * k + p.centreY);
    p.scrX[i] = sx;
    p.scrY[i] = sy;
    if (flash != 0)
        DrawSparkle(t.surface, t.screen, sx, sy, z, flash, v.ambientFlashFrames, v.ambientFlashSize,
                    kSparkleWhite);
    else if (const float age = p.age[i]; age < 80.0f) // PixelCoord rounds it as NearestLong, without a call
        out.Set(sx, sy, t.colours.UniverseFade(PixelCoord(age)));
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
    const AmbientPass p{a.x.data(),
                        a.y.data(),
                        a.z.data(),
                        a.driftX.data(),
                        a.driftY.data(),
                        a.driftZ.data(),
                        a.scrX.data(),
                        a.scrY.data(),
                        a.age.data(),
                        t.screen.focalScale,
                        static_cast<double>(t.screen.centreX),
                        static_cast<double>(t.screen.centreY)};
    int16_t* const flashes = a.flash.data();
    const float persist = v.ambientPersist;
    const double ageStep = v.ambientAgeStep;
    PixelWriter out(t.surface);
    for (int32_t i = 0; i < count; ++i) {
        int16_t flash = flashes[i];
        if (flash != 0) {
            if (p.z[i] > kNearDepth)
                DrawSparkle(t.surface, t.screen, p.scrX[i], p.scrY[i], p.z[i], flash, v.ambientFlashFrames,
                            v.ambientFlashSize, 0);
            flashes[i] = --flash;
        } else {
            out.Set(p.scrX[i], p.scrY[i], 0);
            p.age[i] = static_cast<float>(static_cast<double>(p.age[i]) + ageStep);
        }
        if (model.random() < persist || flash > 0)
            MoveAndDraw(p, i, flash, v, t, out);
        else
            Replace(a, i, v, f, model);
    }
}

} // namespace orb
