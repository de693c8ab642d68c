// PreparePreviewSurface and the single-galaxy preview.
#include "engine/creation/preview.h"

#include <cmath>
#include <span>

#include "engine/animation/ambient.h"
#include "engine/animation/galaxy_stars.h"
#include "engine/animation/sampling.h"
#include "engine/animation/tour.h"
#include "engine/animation/type_advance.h"
#include "engine/creation/universe_sampling.h"
#include "settings/numeric.h"

namespace orb {

PreviewSurface PreparePreviewSurface(UniverseEngine& engine, Framebuffer& surface, bool about) {
    engine.SetupSurface(surface); // reads and clamps FocalLength and the frame delay
    surface.Clear();
    PreviewSurface p{engine.Screen(), engine.FrameDelay()};
    if (about) {
        p.screen = MakeScreenGeometry(surface.width, surface.height, 1.0f);
        p.frameDelay = kAboutFrameDelay;
    }
    return p;
}

namespace {

// A count argument as a 16-bit value within lo..hi.
int16_t CountIn(double v, int16_t lo, int16_t hi) {
    return ClampInt(NearestInt(v), lo, hi);
}

float SingleIn(double v, float lo, float hi, float otherwise) {
    return std::isfinite(v) ? ClampSingle(static_cast<float>(v), lo, hi) : otherwise;
}

} // namespace

PreviewGalaxy::PreviewGalaxy(UniverseEngine& engine, const PreviewSurface& surface,
                             const PreviewGalaxyParams& params, std::atomic<bool>* cancel)
    : engine_(engine), surface_(surface), params_(params), cancel_(cancel),
      comets_(std::make_unique<CometState>()) {
    SetValues();
    PlaceGalaxy();
    SpawnStars();
    PlaceAmbientStars();
}

// A one-galaxy universe without a burst. Gravity is off: there is no second galaxy to pull, and
// the galaxy's comets must show.
void PreviewGalaxy::SetValues() {
    values_ = engine_.Values();
    const double starsScaled = static_cast<double>(params_.stars) * params_.starFactor;
    values_.stars = CountIn(std::isfinite(starsScaled) ? starsScaled : 10.0, 1, 30000);
    values_.galaxies = 1;
    values_.trail =
        MinOf<int16_t>(MaxOf<int16_t>(params_.trail, 1), static_cast<int16_t>(30000 / values_.stars));
    values_.newPctStEx = 0;
    values_.ambientStars = ClampInt(params_.ambientStars, 1, 3000);
    values_.ambientFlashFrames = ClampInt(params_.ambientFrames, 0, 999);
    values_.ambientFlashSize = SingleIn(params_.ambientExtent * 0.0001, 0.0f, 10.0f, 1.0f);
    values_.ambientPersist = SingleIn(params_.ambientPersist, 0.25f, 1.0f, 1.0f);
    values_.ambientAgeStep = SingleIn(params_.ambientAgeStep, 0.0f, 10.0f, 0.0f);
    values_.symmetry = SingleIn(params_.symmetry, 0.0f, 1.0f, 0.0f);
    values_.ambientProfile = false;
    values_.gravity = 0;

    StarArrays& stars = engine_.Stars();
    stars.Size(values_.stars, values_.trail);
    engine_.Galaxies().Size(1);
    engine_.Ambient().Size(values_.ambientStars);
    engine_.Scalars().trailRing = 0;
    GalaxyModel& model = engine_.Model();
    if (model.style.Capacity() < 1) model.style.Reserve(1);
    PrepareGalaxyTypes(model);
}

void PreviewGalaxy::PlaceGalaxy() {
    GalaxyModel& model = engine_.Model();
    GalaxyArrays& galaxies = engine_.Galaxies();
    if (params_.composite) {
        const int16_t c = ClampInt(params_.index, 0, kCompositeSlots - 1);
        slot_ = static_cast<int16_t>(kGalaxyTypeSlots + c);
        model.run[slot_].composite = true;
        SetupGalaxies(model, 1, kNoSlot, c, {});
    } else {
        slot_ = ClampInt(params_.index, 0, kGalaxyTypeSlots - 1);
        SetupGalaxies(model, 1, slot_, kNoSlot, {});
    }
    // slot_ is a type slot or a composite marked as one, so this is always a type slot.
    visitType_ = VisitTypeSlot(model.tables, slot_, params_.composite);
    standOff_ = model.run[visitType_].standOff;
    galaxies.typeIndex[0] = slot_;
    galaxies.posZ[0] = galaxies.relZ[0] = standOff_;
    // The surface was just cleared: nothing to erase.
    StartGalaxyVisit(*comets_, model, visitType_, 0, engine_.Surface());
    for (int t = 0; t < kGalaxyTypeSlots; ++t) {
        GalaxyTypeRun& run = model.run[t];
        const GalaxyType& type = model.Type(t);
        run.hueOffset = type[G::HueStart];
        run.tiltAngle = static_cast<float>(double(type[G::AngleTilt]) * double(kTwoPi) / 360.0);
        run.tiltSin = std::sin(run.tiltAngle);
        run.tiltCos = std::cos(run.tiltAngle);
    }
}

// No burst: every star is placed in the galaxy before the first frame.
void PreviewGalaxy::SpawnStars() {
    GalaxyModel& model = engine_.Model();
    StarArrays& stars = engine_.Stars();
    for (int32_t i = 0; i < stars.count; ++i) {
        stars.galaxy[i] = 0;
        const int16_t type = params_.composite ? PickStarType(model, slot_) : slot_;
        stars.type[i] = type;
        SpawnStar(model, stars.Ref(i), type, 0);
    }
}

// A ball of ambient stars around the galaxy, all in front of the camera.
void PreviewGalaxy::PlaceAmbientStars() {
    AmbientArrays& amb = engine_.Ambient();
    Random& random = engine_.Model().random;
    const double sym = values_.symmetry;
    for (int32_t i = 0; i < amb.Count(); ++i) {
        amb.flash[i] = 0;
        amb.age[i] = 0;
        const double u = random();
        const float r = static_cast<float>(((1 - sym) * u + sym) * 5.0 * standOff_);
        RandomInBall(random, r, amb.x[i], amb.y[i], amb.z[i]);
        amb.z[i] = static_cast<float>(std::fabs(double(amb.z[i])) + standOff_);
    }
}

PreviewFrame PreviewGalaxy::Step() {
    PreviewFrame f;
    if (cancel_ != nullptr && cancel_->exchange(false)) {
        f.status = PreviewStatus::Cancelled;
        return f;
    }
    f.frameStartTick = engine_.Ticks().Ticks();
    GalaxyModel& model = engine_.Model();
    AdvanceGalaxyTypes(model);
    const StarWorld world{
        engine_.Stars(),   engine_.Galaxies(), model,        values_, engine_.Scalars().trailRing,
        engine_.Surface(), surface_.screen,    comets_.get()};
    StarFrame frame;
    frame.g = 0;
    frame.k = kPreviewControlPoint;
    frame.visiting = true;
    frame.single = true;
    frame.tourType = visitType_;
    UpdateGalaxyStars(world, frame);
    // The ambient ball is centred on the galaxy and does not expand.
    UniverseValues ambientValues = values_;
    ambientValues.centreDepth = standOff_;
    AmbientFrame ambient;
    ambient.extent = static_cast<float>(5.0 * standOff_);
    ambient.mode = AmbientMode::Burst;
    UpdateAmbientStars(engine_.Ambient(), ambientValues, ambient, model,
                       {engine_.Surface(), surface_.screen, model.colour});
    const int16_t typeSlot = params_.composite ? kNoSlot : slot_;
    AdvanceNebulaPoints(model, 1, typeSlot, std::span<const int16_t>(engine_.Galaxies().typeIndex));
    if (frames_ < INT32_MAX) ++frames_;
    if (params_.autoAdvance && params_.frameLimit > 0 && frames_ >= params_.frameLimit)
        f.status = PreviewStatus::FrameLimit;
    return f;
}

} // namespace orb
