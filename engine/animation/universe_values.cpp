#include "engine/animation/universe_values.h"

#include "settings/numeric.h"

namespace orb {

namespace {

// Settings arrive as singles; integer settings are whole already, but a wild value must not
// overflow on its way to 16 or 32 bits.
int16_t Int16In(float v, int16_t lo, int16_t hi) {
    return ClampInt(NearestInt(v), lo, hi);
}
int32_t Int32In(float v, int32_t lo, int32_t hi) {
    return ClampLong(NearestLong(v), lo, hi);
}
float SingleIn(float v, float lo, float hi) {
    return v != v ? lo : ClampSingle(v, lo, hi);
}

} // namespace

UniverseValues ClampUniverseValues(const UniverseSettings& raw) {
    UniverseValues v;
    v.stars = static_cast<int16_t>(Int32In(raw[U::Stars], 10, 30000));
    v.galaxies = Int16In(raw[U::Galaxy], 1, 999);
    v.trail = MinOf<int16_t>(Int16In(raw[U::STrail], 1, 99), static_cast<int16_t>(30000 / v.stars));
    v.expand = static_cast<float>(Int32In(raw[U::Expand], 0, 99999) * 0.001);
    v.burstSteps = Int16In(raw[U::ESteps], 1, 9999);
    v.symmetry = SingleIn(raw[U::Symetry], 0.0f, 1.0f);
    v.persist = SingleIn(raw[U::Persist], 0.25f, 1.0f);
    v.stepFactor = static_cast<float>((1.0 - SingleIn(raw[U::Damping], 0.0f, 1.0f)) * 0.5 + 0.5);
    v.hwRatio = SingleIn(raw[U::HWRatio], 0.0f, 99.9f);
    v.profile = Int16In(raw[U::Profile], 0, 6);
    v.newFreq = Int16In(raw[U::NewFreq], 0, 9999);
    v.newPctStEx = static_cast<float>(Int16In(raw[U::NewPctStEx], 0, 100) * 0.01);
    v.tourSteps = Int16In(raw[U::GSteps], 1, 9999);
    v.visitPoints = Int16In(raw[U::GPCtrl], 1, 999);
    v.corePoints = Int16In(raw[U::GCCtrl], 0, 999);
    v.centreDepth = static_cast<float>(Int32In(raw[U::DstCen], 0, 999999) * 0.01);
    v.tour = raw[U::Tour] != 0;
    v.visitInTurn = raw[U::GVisit] != 0;
    v.ambientStars = Int16In(raw[U::AmStar], 1, 3000);
    v.ambientFlashFrames = Int16In(raw[U::AmFrames], 0, 999);
    v.ambientFlashSize = static_cast<float>(Int32In(raw[U::AmMaxExt], 1, 9999) * 0.01);
    v.ambientPersist = SingleIn(raw[U::AmPers], 0.25f, 1.0f);
    v.ambientAgeStep = SingleIn(raw[U::AmCAge], 0.0f, 10.0f);
    v.ambientProfile = raw[U::AmProf] != 0;
    v.gravity = static_cast<float>(Int32In(raw[U::GravForce], 0, 999999) * 1e-7);
    v.gravityFrames = Int16In(raw[U::GravFrame], 1, 999);
    return v;
}

void ReduceForPreview(UniverseSettings& raw) {
    raw[U::Stars] = NearestInt(raw[U::Stars] * 0.65);
    raw[U::AmStar] = NearestInt(raw[U::AmStar] * 0.5);
}

} // namespace orb
