#include "engine/animation/animation.h"

#include <algorithm>
#include <span>

#include "engine/animation/ambient.h"
#include "engine/animation/galaxy_stars.h"
#include "engine/animation/type_advance.h"
#include "engine/creation/universe.h"

namespace orb {

namespace {

TourSettings TourSettingsOf(const UniverseValues& v) {
    return {v.tour, v.tourSteps, v.visitPoints, v.corePoints, v.centreDepth};
}

} // namespace

UniverseAnimation::UniverseAnimation(UniverseEngine& engine) : engine_(engine) {}

void UniverseAnimation::Begin() {
    engine_.StartRun();
    tourSettings_ = TourSettingsOf(engine_.Values());
    tour_ = CameraTour{};
    gravity_ = GravityState{};
    std::fill(comets_.pool.alive.begin(), comets_.pool.alive.end(), uint8_t{0});
    comets_.table = CometTable{};
    comets_.maxComets = 0;
    comets_.cometStars = 0;
    phase_ = AnimationPhase::Creating;
    universeBegun_ = false;
    universes_ = 0;
    begun_ = true; // the visit counters are set when the tour starts
}

StarWorld UniverseAnimation::World() {
    return {
        engine_.Stars(),   engine_.Galaxies(), engine_.Model(), engine_.Values(), engine_.Scalars().trailRing,
        engine_.Surface(), engine_.Screen(),   &comets_};
}

FrameResult UniverseAnimation::Step() {
    if (!begun_) Begin();
    FrameResult r;
    r.produced = true;
    r.throttled = true;
    switch (phase_) {
    case AnimationPhase::Creating:
        if (!universeBegun_) {
            engine_.BeginUniverse();
            universeBegun_ = true;
            ++universes_;
        }
        engine_.BurstStep();
        // Settled at once after the last step, so that Phase always names the next frame's kind.
        if (engine_.BurstStepIndex() >= engine_.Values().burstSteps) {
            engine_.SettleRemaining();
            StartTour();
        }
        break;
    case AnimationPhase::Visiting:
        VisitFrame();
        break;
    case AnimationPhase::Departing:
        r.clearScreen = DepartureFrame();
        break;
    }
    r.frameStartTick = engine_.FrameStartTick();
    return r;
}

// The galaxies leave the burst at rest where it left them; the camera starts at the origin.
void UniverseAnimation::StartTour() {
    GalaxyArrays& gal = engine_.Galaxies();
    for (int16_t g = 0; g < gal.count; ++g) {
        gal.posX[g] = gal.relX[g];
        gal.posY[g] = gal.relY[g];
        gal.posZ[g] = gal.relZ[g];
        gal.velX[g] = gal.velY[g] = gal.velZ[g] = 0.0f;
    }
    StartUniverseTour(tour_, tourSettings_);
    phase_ = AnimationPhase::Visiting;
    g_ = 0;
    k_ = 1;
    frame_ = 0;
}

// The ambient stars stay fixed in the world while the camera moves; the galaxies are seen from it.
void UniverseAnimation::FollowCamera(Vec3f camera) {
    const Vec3f delta = CameraStep(tour_, camera);
    AmbientArrays& amb = engine_.Ambient();
    std::fill(amb.driftX.begin(), amb.driftX.end(), delta.x);
    std::fill(amb.driftY.begin(), amb.driftY.end(), delta.y);
    std::fill(amb.driftZ.begin(), amb.driftZ.end(), delta.z);
    if (phase_ == AnimationPhase::Visiting) {
        GalaxyArrays& gal = engine_.Galaxies();
        GravityStep(gravity_, {gal.posX, gal.posY, gal.posZ, gal.velX, gal.velY, gal.velZ},
                    engine_.Values().gravity, engine_.Values().gravityFrames);
    }
    GalaxyArrays& gal = engine_.Galaxies();
    for (int16_t g = 0; g < gal.count; ++g) {
        gal.relX[g] = gal.posX[g] - camera.x;
        gal.relY[g] = gal.posY[g] - camera.y;
        gal.relZ[g] = gal.posZ[g] - camera.z;
    }
    AdvanceGalaxyTypes(engine_.Model());
    const StarFrame frame{phase_ == AnimationPhase::Visiting ? g_ : int16_t(0),
                          static_cast<int16_t>(k_),
                          tour_.tourParam,
                          phase_ == AnimationPhase::Visiting,
                          false,
                          tour_.currentTourType};
    UpdateGalaxyStars(World(), frame);
    const RunScalars& sc = engine_.Scalars();
    const AmbientFrame ambient{delta, camera, sc.expansionExtent, sc.expansionSpeed, AmbientMode::Tour};
    UpdateAmbientStars(amb, engine_.Values(), ambient, engine_.Model(),
                       {engine_.Surface(), engine_.Screen(), engine_.Model().colour});
}

void UniverseAnimation::VisitFrame() {
    GalaxyArrays& gal = engine_.Galaxies();
    if (frame_ == 0) {
        const int16_t slot = VisitTypeSlot(engine_.Model(), gal.typeIndex[g_]);
        AppendVisitPoint(tour_, tourSettings_, {gal.posX[g_], gal.posY[g_], gal.posZ[g_]},
                         engine_.Model().run[slot].standOff, static_cast<int16_t>(k_));
        if (k_ == 2) {
            tour_.currentTourType = slot;
            StartGalaxyVisit(comets_, engine_.Model(), slot, g_, engine_.Surface());
        }
    }
    const Vec3f camera = TourCamera(tour_, tourSettings_);
    engine_.MarkFrameStart();
    FollowCamera(camera);
    AdvanceNebulaPoints(engine_.Model(), gal.count, kNoSlot, std::span<const int16_t>(gal.typeIndex));
    AdvanceTourParam(tour_);

    if (++frame_ < tourSettings_.gSteps) return;
    frame_ = 0;
    if (++k_ <= tourSettings_.gpCtrl + tourSettings_.gcCtrl) return;
    k_ = 1;
    if (++g_ < gal.count) return;
    phase_ = AnimationPhase::Departing;
}

// Departure frames are held to the frame delay like every other frame: without a fresh frame
// start the whole flight away would run unthrottled and be over before it could be seen.
// Returns true after the last one.
bool UniverseAnimation::DepartureFrame() {
    if (frame_ == 0) {
        if (k_ == 1) {
            BeginDeparture(tour_, tourSettings_);
            StartGalaxyVisit(comets_, engine_.Model(), 0, engine_.Galaxies().count, engine_.Surface());
        }
        AppendDeparturePoint(tour_, tourSettings_, static_cast<int16_t>(k_));
    }
    const Vec3f camera = EvalCameraSpline(tour_, tour_.tourParam);
    engine_.MarkFrameStart();
    FollowCamera(camera);
    AdvanceTourParam(tour_);

    if (++frame_ < tourSettings_.gSteps) return false;
    frame_ = 0;
    if (++k_ <= tourSettings_.gpCtrl + 1) return false;
    k_ = 1;
    g_ = 0;
    phase_ = AnimationPhase::Creating;
    universeBegun_ = false;
    return true;
}

} // namespace orb
