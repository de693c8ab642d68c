// The About window's galaxy show without its window: the factory composites in turn on an engine
// of its own, so the user's galaxy types, composites and stored settings are never touched.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/animation/framebuffer.h"
#include "engine/animation/ticks.h"
#include "engine/creation/preview.h"
#include "engine/creation/universe.h"
#include "settings/store.h"

namespace orb {

class AboutShow {
  public:
    // universe: the user's universe values, for the fade palette's hues (read, never kept).
    AboutShow(int width, int height, const UniverseSettings& universe, TickSource& ticks = DefaultTicks());
    AboutShow(const AboutShow&) = delete;
    AboutShow& operator=(const AboutShow&) = delete;

    // One frame of the show.
    PreviewFrame Step();
    // The Credits window is about to cover the show: the composite running now ends, and the
    // next step goes on with the following one.
    void SkipComposite();

    int16_t Composite() const { return preview_->Composite(); }   // shown by the last step, -1 before
    int16_t FrameDelay() const { return preview_->FrameDelay(); } // ms per frame (32)
    int32_t FramesShown() const { return frames_; }               // frames drawn since the start
    const Framebuffer& Picture() const { return picture_; }       // 0x00BBGGRR pixels
    const GalaxyTables& Tables() { return engine_.Tables(); }     // the show's own tables

  private:
    MemoryBackend backend_;           // the show's private settings: defaults only
    SettingsStore store_{backend_};   // read by the engine's surface set-up
    UniverseEngine engine_;           // the show's engine and tables
    std::vector<uint32_t> pixels_;    // picZEFO's pixels
    Framebuffer picture_;             // view of pixels_
    std::atomic<bool> cancel_{false}; // this window's preview stop flag
    std::unique_ptr<AboutPreview> preview_;
    int32_t frames_ = 0;  // frames drawn
    bool between_ = true; // no composite is running (none yet, or the last one ended)
};

} // namespace orb
