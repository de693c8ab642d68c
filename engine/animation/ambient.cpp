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

void MoveAndDraw(AmbientArrays& a, int32_t i, const UniverseValues& v, const AmbientTarget& t) {
    a.x[i] = static_cast<float>(static_cast<double>(a.x[i]) + a.driftX[i]);
    a.y[i] = static_cast<float>(static_cast<double>(a.y[i]) + a.driftY[i]);
    a.z[i] = static_cast<float>(static_cast<double>(a.z[i]) + a.driftZ[i]);
    if (!(a.z[i] > kNearDepth)) return;
    // Ambient stars are not tilted and their y is not mirrored.
    const float k = t.screen.focalScale / a.z[i];
    a.scrX[i] = PixelCoord(static_cast<double>(a.x[i]) * k + t.screen.centreX);
    a.scrY[i] = PixelCoord(static_cast<double>(a.y[i]) * k + t.screen.centreY);
    if (a.flash[i] != 0)
        DrawSparkle(t.surface, t.screen, a.scrX[i], a.scrY[i], a.z[i], a.flash[i], v.ambientFlashFrames,
                    v.ambientFlashSize, kSparkleWhite);
    else if (a.age[i] < 80.0f)
        t.surface.Set(a.scrX[i], a.scrY[i], t.colours.UniverseFade(NearestLong(a.age[i])));
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
    for (int32_t i = 0; i < count; ++i) {
        if (a.flash[i] != 0) {
            if (a.z[i] > kNearDepth)
                DrawSparkle(t.surface, t.screen, a.scrX[i], a.scrY[i], a.z[i], a.flash[i],
                            v.ambientFlashFrames, v.ambientFlashSize, 0);
            --a.flash[i];
        } else {
            t.surface.Set(a.scrX[i], a.scrY[i], 0);
            a.age[i] = static_cast<float>(static_cast<double>(a.age[i]) + v.ambientAgeStep);
        }
        if (model.random() < v.ambientPersist || a.flash[i] > 0)
            MoveAndDraw(a, i, v, t);
        else
            Replace(a, i, v, f, model);
    }
}

} // namespace orb
