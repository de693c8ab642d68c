// The animation driver as a frame-stepper: universes are created, toured and left one after
// another, one frame per Step call. The host prepares the engine (SetupSurface, SetupUniverse),
// calls Begin once per run and then Step in its own loop or timer, doing the stop test, the frame
// throttle and event handling between calls.
//
//   engine.SetupSurface(surface);
//   engine.SetupUniverse(preview);
//   UniverseAnimation animation(engine);
//   animation.Begin();
//   for (;;) {
//       FrameResult r = animation.Step();
//       if (r.clearScreen) surface.Clear();    // between universes
//       present(surface); if (stop()) break;
//       wait until r.frameStartTick + engine.FrameDelay() ms (when r.throttled)
//   }
#pragma once

#include <cstdint>

#include "engine/animation/comets.h"
#include "engine/animation/gravity.h"
#include "engine/animation/tour.h"

namespace orb {

class UniverseEngine;
struct StarWorld;

// What one step did, for the host.
struct FrameResult {
    bool produced = false;       // a frame was drawn: a burst step, a tour frame or a departure frame
    bool clearScreen = false;    // the universe is over: clear the surface before the next frame
    bool throttled = true;       // hold this frame to the frame delay, measured from frameStartTick
    uint32_t frameStartTick = 0; // FrameStartTick of this frame, ms (the engine's tick source)
};

// Where the driver stands in the life of a universe.
enum class AnimationPhase : int16_t {
    Creating,  // burst steps (the first Step of a universe begins it)
    Visiting,  // tour frames: G x (Universe_GPCtrl + Universe_GCCtrl) control points
    Departing, // departure frames: Universe_GPCtrl + 1 control points
};

class UniverseAnimation {
  public:
    explicit UniverseAnimation(UniverseEngine& engine);
    // Start of a run: every array sized once for the engine's current settings, the galaxy
    // types' run-time constants derived, the gravity counter and the comets cleared. Call after
    // UniverseEngine::SetupUniverse. Step calls it when it was not called.
    void Begin();
    // Advance exactly one frame: a burst step, a tour frame or a departure frame. The last
    // departure frame of a universe asks for the clear; the next Step begins the next universe.
    FrameResult Step();

    // ---- where the run stands (hosts' status lines, tests) ----
    AnimationPhase Phase() const { return phase_; }  // kind of the frame the next Step draws
    int32_t Universes() const { return universes_; } // universes begun in this run
    int16_t VisitedGalaxy() const { return g_; }     // galaxy of the current visit
    int32_t ControlPoint() const { return k_; }      // control point of the visit or departure, from 1
    const CameraTour& Tour() const { return tour_; }
    Vec3f Camera() const { return tour_.previous; } // camera position of the last frame
    const CometState& Comets() const { return comets_; }
    const GravityState& Gravity() const { return gravity_; }

  private:
    void StartTour();
    void VisitFrame();
    bool DepartureFrame();
    void FollowCamera(Vec3f camera);
    StarWorld World();

    UniverseEngine& engine_;
    CameraTour tour_;           // control-point queues, TourParam, CurrentTourType
    GravityState gravity_;      // GravityFrameCounter: lives across universes
    CometState comets_;         // the comet pool and slots of the current visit
    TourSettings tourSettings_; // tour values of this run
    bool begun_ = false;        // Begin has run for this engine's settings
    AnimationPhase phase_ = AnimationPhase::Creating;
    bool universeBegun_ = false; // the current universe's burst has been prepared
    int32_t universes_ = 0;      // universes begun in this run
    int16_t g_ = 0;              // visited galaxy, 0..G-1
    int32_t k_ = 1;              // control point, 1..GPCtrl+GCCtrl (visit) or 1..GPCtrl+1 (departure)
    int32_t frame_ = 0;          // frame within the control point, 0..GSteps-1
};

} // namespace orb
