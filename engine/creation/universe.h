// The universe engine: one object per hosting surface that owns every run-time array of an
// animation run and creates universes into a framebuffer it is handed. It never sleeps, pumps
// events or touches a window: the host calls one step at a time and does the stop test, the frame
// throttle and any event pumping between steps.
//
//   UniverseEngine engine(store);
//   engine.SetupSurface(surface);            // once per surface
//   engine.SetupUniverse(preview);           // before every run: settings, tables, arrays
//   engine.BeginUniverse();                  // each universe
//   while (engine.BurstStep())
//       if (host.CheckStop()) return;        // throttle on engine.FrameStartTick()
//   engine.SettleRemaining();
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/animation/ambient.h"
#include "engine/animation/framebuffer.h"
#include "engine/animation/projection.h"
#include "engine/animation/random.h"
#include "engine/animation/star_arrays.h"
#include "engine/animation/ticks.h"
#include "engine/animation/trig.h"
#include "engine/animation/universe_values.h"
#include "engine/creation/galaxy_model.h"
#include "engine/creation/universe_flight.h"
#include "settings/records.h"
#include "settings/store.h"

namespace orb {

// The on-screen message as the surface set-up prepares it for the host's label.
struct SurfaceMessage {
    std::string text;                       // LockMessage: trimmed, at most 50 characters
    std::string fontName = "MS Sans Serif"; // Adv_FontName; an empty name takes the default
    int16_t fontSize = 20;                  // Adv_FontSize, 10..80, points
    int16_t hue = 180;                      // Adv_FontHueV, 0..359: text colour is HueWheelColour(hue)
};

// Working arrays of the burst, sized with the run and reused by every universe.
struct BurstArrays {
    std::vector<float> x, y, z;                            // burst position per star, world units
    std::vector<float> velX, velY, velZ;                   // burst velocity per star, world units per step
    std::vector<BurstState> state;                         // burst state per star
    std::vector<int16_t> age;                              // steps in the current burst state per star
    // The stars not settled, by block of FlightBlock::kSize stars: block b lists the block
    // indices of its stars still flying or fading, in order, from star b x kSize on. A star
    // never leaves the settled state within a universe, so a step only shortens the lists.
    std::vector<int16_t> unsettled;
    std::vector<int16_t> unsettledCount; // per block: stars listed
    std::vector<float> galaxyVelX, galaxyVelY, galaxyVelZ; // burst velocity per galaxy
    std::array<int32_t, kGalaxyTableSize> cumulative{};    // running total of slot weights

    void Size(int32_t stars, int16_t galaxies);
};

// Scalars shared by creation and the frame loop.
struct RunScalars {
    int16_t trailRing = 0;     // TrailRing: trail slot written this step or frame, 0..T-1
    float expansionSpeed = 0;  // ExpansionSpeed: growth of the extent per burst step, world units
    float expansionExtent = 0; // ExpansionExtent: outer extent of the universe, world units
};

class UniverseEngine {
  public:
    explicit UniverseEngine(SettingsStore& store, TickSource& ticks = DefaultTicks());
    UniverseEngine(const UniverseEngine&) = delete;
    UniverseEngine& operator=(const UniverseEngine&) = delete;

    // ---- set-up ----
    // A fixed seed replaces the clock seed of every later SetupSurface (reproducible runs).
    void SetFixedSeed(std::optional<uint64_t> seed) { fixedSeed_ = seed; }
    void SetTickSource(TickSource& ticks) { ticks_ = &ticks; }
    // SetupSurface: the Advanced values, the screen constants of this surface (in pixels; a
    // preview host hands a surface of the preview's pixel size) and a fresh seed.
    void SetupSurface(Framebuffer& surface);
    // SetupUniverse: the universe values (reduced for a preview, then clamped), the galaxy types
    // and composites, the colour tables; then StartRun.
    void SetupUniverse(bool preview);
    // Start of a run: every run-time array sized for this run's counts (the only allocation of a
    // run) and the galaxy types' run-time values derived. SetupUniverse has done it already; a
    // driver may call it again at the start of its call.
    void StartRun();

    // ---- creation, one burst step at a time ----
    // Resets the per-universe values and prepares the burst: launch vectors, ambient stars,
    // galaxy types and burst sources of the galaxies, per-galaxy style state, initial tilts.
    void BeginUniverse();
    // One burst step. False (and nothing done) once all burst steps have run.
    bool BurstStep();
    // Settles every star still flying or fading into a random galaxy.
    void SettleRemaining();
    // The whole creation: BeginUniverse, then steps until done or until checkStop (called after
    // every step) reports a stop, then SettleRemaining. False when stopped early.
    bool CreateUniverse(const std::function<bool()>& checkStop);
    // The start of a frame after the burst (tour and departure frames): FrameStartTick = now.
    void MarkFrameStart() { frameStartTick_ = ticks_->Ticks(); }

    // ---- state the host and the frame loop read ----
    uint32_t FrameStartTick() const { return frameStartTick_; } // tick of the last step's start
    int16_t FrameDelay() const { return frameDelay_; }          // Adv_TimeDelay, ms, 0..999
    const SurfaceMessage& Message() const { return message_; }
    const ScreenGeometry& Screen() const { return screen_; }
    const UniverseValues& Values() const { return values_; }
    int16_t BurstStepIndex() const { return step_; } // burst steps run so far
    int16_t TrailRing() const { return scalars_.trailRing; }
    float ExpansionSpeed() const { return scalars_.expansionSpeed; }
    float ExpansionExtent() const { return scalars_.expansionExtent; }
    const StarArrays& Stars() const { return stars_; }
    const GalaxyArrays& Galaxies() const { return galaxies_; }
    const AmbientArrays& Ambient() const { return ambient_; }
    const BurstArrays& Burst() const { return burst_; }
    // The frame loop moves and draws from the same arrays and scalars creation fills.
    StarArrays& Stars() { return stars_; }
    GalaxyArrays& Galaxies() { return galaxies_; }
    AmbientArrays& Ambient() { return ambient_; }
    RunScalars& Scalars() { return scalars_; }
    TickSource& Ticks() { return *ticks_; }
    GalaxyModel& Model() { return model_; }
    GalaxyTables& Tables() { return tables_; }
    Random& Rng() { return random_; }
    Framebuffer& Surface() { return *surface_; }

  private:
    void LaunchStars();
    void AssignGalaxyTypes();
    void SettleStar(int32_t i);
    void StepStars(uint32_t burstColour);
    struct BurstPass;
    // What a block's stars that are not settled do this step.
    struct BurstDecisions {
        std::array<int16_t, FlightBlock::kSize> moved; // block indices of the stars not settled at first
        FlightBlock flight;                            // per block star: its flight
    };
    int32_t DecideStars(const BurstPass& pass, int32_t first, int16_t* moving, int32_t& count, BurstDecisions& d);
    static void DrawMoving(const BurstPass& pass, const BurstDecisions& d, PixelWriter& out, int32_t first,
                           int32_t i);
    void DrawSettledStar(int32_t i, int32_t slot);
    void RefreshTypeViews();

    SettingsStore& store_;               // where every set-up reads the settings
    TickSource* ticks_;                  // millisecond clock for FrameStartTick
    Random random_;                      // the run's one generator
    GalaxyTables tables_;                // 32 types + 16 composite stand-ins, and the composites
    GalaxyModel model_;                  // galaxy generation state over tables_ and random_
    Framebuffer noSurface_;              // drawn into before a surface is set: drops every pixel
    Framebuffer* surface_ = &noSurface_; // the host's drawing surface
    std::optional<uint64_t> fixedSeed_;  // replaces the clock seed when set

    ScreenGeometry screen_;   // screen centre and focal scale
    SurfaceMessage message_;  // prepared message label values
    int16_t frameDelay_ = 30; // Adv_TimeDelay, ms
    UniverseValues values_;   // clamped universe values of this run

    StarArrays stars_;      // per star and per trail slot
    GalaxyArrays galaxies_; // per galaxy instance
    AmbientArrays ambient_; // per ambient star
    BurstArrays burst_;     // creation working arrays

    RunScalars scalars_;          // TrailRing, ExpansionSpeed, ExpansionExtent
    uint32_t frameStartTick_ = 0; // FrameStartTick, ms
    int16_t step_ = 0;            // burst steps run in this universe
    int16_t minFly_ = 0;          // MinFly: steps every star flies before it may stop
    float stepFactor_ = 1;        // k: burst speed kept per step, falls to 0 over the last quarter
    int16_t inTurnCursor_ = 0;    // next slot considered when types are assigned in turn
    std::array<TypeView, kGalaxyTypeSlots> views_{}; // tilt and axial plane per type, this step
    std::array<int16_t, kGalaxyTypeSlots> styles_{}; // Galaxy_GalStyle per type
};

} // namespace orb
