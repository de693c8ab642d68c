// The engine outside a full saver run: a single galaxy type or composite animated without a
// creation burst (the Properties dialog's previews, the About show), and the preview window's
// reduced universe run. Each is a stepper: one Step is one frame; the host does the stop test,
// the event pumping and the frame throttle between steps.
//
//   PreviewSurface ps = PreparePreviewSurface(engine, picture, false);
//   PropertiesPreview values = PropertiesPreviewValues(fields);
//   BuildPreviewColours(engine, values);
//   PreviewGalaxy preview(engine, ps, values.params, &cancelFlag);
//   for (;;) {
//       PreviewFrame f = preview.Step();
//       if (f.status != PreviewStatus::Running || hostStop()) break;
//       wait until f.frameStartTick + ps.frameDelay ms
//   }
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include "engine/animation/animation.h"
#include "engine/animation/comets.h"
#include "engine/animation/projection.h"
#include "engine/animation/universe_values.h"
#include "engine/creation/universe.h"
#include "settings/records.h"

namespace orb {

inline constexpr int16_t kAboutFrameDelay = 32; // ms per frame of the About show
inline constexpr int kAboutComposites = 16;     // the About show cycles through composites 0..15
// The control point a preview reports to the star update: past the second, so that comets run.
inline constexpr int16_t kPreviewControlPoint = 3;

// The screen constants and frame delay a preview runs with.
struct PreviewSurface {
    ScreenGeometry screen;   // centre = half the surface's pixel size (rounded), focal scale
    int16_t frameDelay = 30; // ms the host holds each frame to
};

// PreparePreviewSurface: binds the engine to the surface (Advanced values, fresh seed), clears
// it, and gives its screen constants. The About show (about = true) forces focal length 1.0 and
// a 32 ms frame delay; otherwise the stored FocalLength is used, clamped to 0.01..10.
PreviewSurface PreparePreviewSurface(UniverseEngine& engine, Framebuffer& surface, bool about);

// The arguments of PreviewGalaxy.
struct PreviewGalaxyParams {
    int16_t index = 0;              // galaxy type slot 0..31, or composite 0..15 when composite
    bool composite = false;         // index names a composite
    bool autoAdvance = false;       // end after frameLimit frames
    int16_t frameLimit = 0;         // frames shown when auto-advancing (0 or less: no limit)
    int16_t stars = 2000;           // star count before the star factor
    float starFactor = 1.0f;        // 1.0 from the Properties dialog, 0.8 from the About show
    int16_t trail = 1;              // trail slots per star, limited to 30000 / stars
    int16_t ambientStars = 100;     // ambient stars
    float ambientPersist = 0.9925f; // chance an ambient star survives a frame
    float ambientAgeStep = 0.1f;    // palette steps an ambient dot cools per frame
    float symmetry = 0.0f;          // 0..1: inner fraction of the ambient ball left empty
    int16_t ambientFrames = 20;     // sparkle frames of a new ambient star
    float ambientExtent = 12500.0f; // ambient sparkle size, x 0.0001
};

enum class PreviewStatus : int16_t {
    Running,    // a frame was drawn; the preview goes on
    FrameLimit, // a frame was drawn and it was the last one (auto-advance)
    Cancelled,  // the cancel flag was set: nothing drawn, the flag cleared
};

struct PreviewFrame {
    PreviewStatus status = PreviewStatus::Running;
    uint32_t frameStartTick = 0; // when this frame began, ms (hold it to the frame delay)
};

// PreviewGalaxy: one galaxy, complete from the first frame, in front of a camera at the origin,
// with its comets and a ball of ambient stars around it. Sizes the engine's run-time arrays for
// itself (they are rebuilt by the next saver run); no allocation per frame.
class PreviewGalaxy {
  public:
    // cancel: the host's PreviewCancel flag, or null.
    PreviewGalaxy(UniverseEngine& engine, const PreviewSurface& surface, const PreviewGalaxyParams& params,
                  std::atomic<bool>* cancel = nullptr);
    PreviewGalaxy(const PreviewGalaxy&) = delete;
    PreviewGalaxy& operator=(const PreviewGalaxy&) = delete;

    // One frame, unless the cancel flag is set (then it is cleared and nothing is drawn).
    PreviewFrame Step();

    int16_t VisitType() const { return visitType_; }         // type whose stand-off and comets apply
    int32_t Frames() const { return frames_; }               // frames drawn so far
    const UniverseValues& Values() const { return values_; } // the one-galaxy universe values
    const CometState& Comets() const { return *comets_; }

  private:
    void SetValues();
    void PlaceGalaxy();
    void SpawnStars();
    void PlaceAmbientStars();

    UniverseEngine& engine_;
    PreviewSurface surface_;             // screen constants of this preview
    PreviewGalaxyParams params_;         // as given
    std::atomic<bool>* cancel_;          // PreviewCancel, or null
    UniverseValues values_;              // the one-galaxy universe
    std::unique_ptr<CometState> comets_; // the galaxy's comets (a pool of 2500 stars)
    int16_t slot_ = 0;                   // GalaxyTypeIndex(0): the type, or 32 + the composite
    int16_t visitType_ = 0;              // the type, or the composite's major member
    float standOff_ = 0;                 // StandOff of the visit type, world units
    int32_t frames_ = 0;                 // frames drawn
};

// ---- the Properties dialog's previews ----

// The dialog's fields as typed (the universe values may be unsaved edits).
struct PropertiesPreviewFields {
    int16_t index = 0;         // selected line of the galaxy-type or composite list
    bool composite = false;    // the composite preview button
    double stars = 0;          // Universe_Stars field
    double trail = 0;          // Universe_STrail
    double ambientStars = 0;   // Universe_AmStar
    double ambientPersist = 0; // Universe_AmPers
    double ambientAgeStep = 0; // Universe_AmCAge
    double ambientFrames = 0;  // Universe_AmFrames
    double ambientExtent = 0;  // Universe_AmMaxExt
    double symmetry = 0;       // Universe_Symetry
    double hueStart = 0;       // Universe_HW_Start
    double hueEnd = 0;         // Universe_HW_End
};

struct PropertiesPreview {
    PreviewGalaxyParams params; // the preview's arguments, every field clamped
    int16_t hueStart = 0;       // universe fade palette start hue, 0..999
    int16_t hueEnd = 0;         // universe fade palette end hue, 0..999
};

// The dialog fields clamped to the preview's ranges (stars 10..30000, trail 1..999, ambient
// stars 1..999, persistence 0.25..0.999, colour age 0..10, frames 0..999, extent 1..99999,
// symmetry 0..1, hues 0..999); no auto-advance, star factor 1.0.
PropertiesPreview PropertiesPreviewValues(const PropertiesPreviewFields& fields);

// The colour tables from the engine's working galaxy tables, and the fade palettes with the
// typed hues, so unsaved hue edits show at once.
void BuildPreviewColours(UniverseEngine& engine, const PropertiesPreview& preview);

// ---- the About show ----

// The 16 factory composites in turn, 500 frames each (1600 stars, trail 1, 100 ambient stars).
// A composite whose galaxy-type record of the same number has a weight below 1 is skipped
// without a pause (composite 0 always shows).
class AboutPreview {
  public:
    // Loads the factory galaxy types and composites into the engine's working tables and builds
    // the colour tables; universe gives the fade palette's hues.
    AboutPreview(UniverseEngine& engine, Framebuffer& picture, const UniverseSettings& universe,
                 std::atomic<bool>* cancel = nullptr);

    // One frame of the current composite; starts the next one (clearing the picture) first when
    // the last has ended.
    PreviewFrame Step();

    int16_t Composite() const { return current_; } // composite shown by the last step
    int16_t FrameDelay() const { return kAboutFrameDelay; }

    // Whether composite c is shown: c is 0 or galaxy-type record c has a weight of at least 1.
    static bool Shows(const GalaxyTables& tables, int16_t c);

  private:
    void StartNext();

    UniverseEngine& engine_;
    Framebuffer& picture_;
    std::atomic<bool>* cancel_;
    std::optional<PreviewGalaxy> preview_; // the composite running now
    int16_t next_ = 0;                     // counter c: the composite tried next
    int16_t current_ = -1;                 // composite of the running preview
};

// ---- the preview window ----

// PreviewWindowRun: the ordinary universe animation in the preview window, reduced (stars x 0.65,
// ambient stars x 0.5). The window's surface is cleared when the run starts and again between
// universes, so no universe is left behind under the next.
class PreviewWindowRun {
  public:
    PreviewWindowRun(UniverseEngine& engine, Framebuffer& window);

    // One frame of the driver; the window is cleared here when a universe ends.
    FrameResult Step();
    UniverseAnimation& Animation() { return *animation_; }

  private:
    UniverseEngine& engine_;
    Framebuffer& window_;
    std::unique_ptr<UniverseAnimation> animation_;
};

} // namespace orb
