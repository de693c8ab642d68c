// The animation driver as a frame-stepper: universes are created, toured and left one after
// another, one frame per Step call. The host prepares the engine (SetupSurface, SetupUniverse),
// calls Begin once per run and then Step in its own loop or timer, doing the stop test, the frame
// throttle and event handling between calls.
//
//   engine.SetupSurface(surface, preview);
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

namespace orb {

class UniverseEngine;

// What one step did, for the host.
struct FrameResult {
    bool produced = false;        // a frame was drawn: a burst step, a tour frame or a departure frame
    bool clearScreen = false;     // the universe is over: clear the surface before the next frame
    bool throttled = true;        // hold this frame to the frame delay, measured from frameStartTick
    uint32_t frameStartTick = 0;  // FrameStartTick of this frame, ms (the engine's tick source)
};

class UniverseAnimation {
public:
    explicit UniverseAnimation(UniverseEngine& engine);
    // Start of a run: every array sized once for the engine's current settings, the galaxy
    // types' run-time constants derived. Call after UniverseEngine::SetupUniverse.
    void Begin();
    // Advance exactly one frame.
    FrameResult Step();
};

} // namespace orb
