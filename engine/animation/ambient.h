// Ambient stars: single points in world space that stream past the camera, flash when they
// appear, cool down through the universe palette and are replaced at random.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/animation/framebuffer.h"
#include "engine/animation/projection.h"
#include "engine/animation/universe_values.h"
#include "engine/creation/colour.h"
#include "engine/creation/galaxy_model.h"

namespace orb {

struct AmbientArrays {
    std::vector<float> x;       // AmbX: position relative to the camera, world units
    std::vector<float> y;       // AmbY
    std::vector<float> z;       // AmbZ: depth
    std::vector<float> driftX;  // AmbDriftX: displacement applied each frame, world units
    std::vector<float> driftY;  // AmbDriftY
    std::vector<float> driftZ;  // AmbDriftZ
    std::vector<int32_t> scrX;  // AmbScrX: pixel drawn last
    std::vector<int32_t> scrY;  // AmbScrY
    std::vector<int16_t> flash; // AmbFlash: frames left of the appearance sparkle (0 = none)
    std::vector<float> age;     // AmbAge: cooling age, index into the universe fade palette

    void Size(int16_t count);
    int32_t Count() const { return static_cast<int32_t>(x.size()); }
};

// How new ambient stars take their drift.
enum class AmbientMode : int16_t {
    Burst = 0, // drift outward with the expanding universe (creation, previews)
    Tour = 1,  // drift by the camera's step (the tour)
};

// One frame's inputs besides the settings.
struct AmbientFrame {
    Vec3f cameraDelta; // CameraDelta: previous camera position - current, world units
    Vec3f cameraPos;   // camera position, world units
    float extent = 0;  // ExpansionExtent: radius reached by the expansion
    float speed = 0;   // ExpansionSpeed
    AmbientMode mode = AmbientMode::Burst;
};

// Where and with what the ambient stars draw.
struct AmbientTarget {
    Framebuffer& surface;
    const ScreenGeometry& screen;
    const ColourTables& colours; // UniverseFadePalette
};

// UpdateAmbientStars: per star, erase the last dot or sparkle, one survival draw, then either
// move, project and draw it, or replace it by a fresh star (drawn from the next frame on).
void UpdateAmbientStars(AmbientArrays& amb, const UniverseValues& values, const AmbientFrame& frame,
                        GalaxyModel& model, const AmbientTarget& target);

} // namespace orb
