// The two flare-ups of a star: the white new-star sparkle and the coloured nova burst, and the
// rate at which stars are renewed. Both patterns depend only on their arguments, so drawing the
// same call again in colour 0 erases exactly the pixels the first call lit.
#pragma once

#include <array>
#include <cstdint>

#include "engine/animation/framebuffer.h"
#include "engine/animation/projection.h"
#include "engine/animation/random.h"

namespace orb {

inline constexpr uint32_t kSparkleWhite = 0x00FFFFFFu; // red, green and blue 255
inline constexpr int kMaxSparklePixels = 25;
inline constexpr int kMaxNovaPixels = 73; // 33 of the main burst and 20 of each echo
inline constexpr int kNovaFadeSteps = 80; // entries of a galaxy fade palette

// The pixels of one sparkle or nova in drawing order (repeats included). Coordinates beyond the
// 32-bit range are pinned to its ends, which lie off every surface.
struct PixelPattern {
    std::array<ScreenPoint, kMaxNovaPixels> points{};
    int count = 0; // points used, 0..kMaxNovaPixels
};

// The sparkle at pixel (x, y) of a star at depth: size e = FocalLength / depth x m x left / total
// shrinks as the frames left run out, and n = nearest(32 e) picks one of five patterns. A total
// of 0 or less, or a depth not above 0, counts as e = 0 (the centre pixel alone).
PixelPattern SparklePattern(const ScreenGeometry& screen, int32_t x, int32_t y, float depth, int32_t left,
                            int32_t total, float m);
// DrawSparkle: the pattern in one colour (0 erases it).
void DrawSparkle(Framebuffer& surface, const ScreenGeometry& screen, int32_t x, int32_t y, float depth,
                 int32_t left, int32_t total, float m, uint32_t colour);

// The nova of a star at camera-space (cx, cy) and depth: a main burst that grows with the
// frames already shown, w = (total - left + 1)^0.6375, and two smaller echoes projected at
// depth +- 0.1 m. A main burst of size 0.03125 or less is its centre pixel alone (no echoes).
// Nothing is drawn at a depth not above kNearDepth, nor an echo that falls behind the camera.
PixelPattern NovaPattern(const ScreenGeometry& screen, float cx, float cy, float depth, int32_t left,
                         int32_t total, float m);
// DrawNova: the pattern in one colour (0 erases it).
void DrawNova(Framebuffer& surface, const ScreenGeometry& screen, float cx, float cy, float depth,
              int32_t left, int32_t total, float m, uint32_t colour);

// The fade-palette entry of a nova with left of total frames remaining:
// nearest((total - left) x 80 / total), formed without 16-bit overflow; 80 (reached in the last
// frames of novas of 160 frames or more) takes the last entry, 79. Bad counts give 0..79 too.
int NovaFadeIndex(int32_t total, int32_t left);

// What decides how many stars are renewed in a frame.
struct NewStarRateInput {
    bool single = false;       // single-galaxy preview
    bool visiting = false;     // visit phase (false during the departure)
    int16_t g = 0;             // visited galaxy index
    int16_t k = 1;             // control point of the visit, from 1
    float t = 0.0f;            // TourParam within control point k, 0..1
    int16_t gpCtrl = 1;        // Universe_GPCtrl
    float universeFreq = 0.0f; // Universe_NewFreq, new stars per 100 frames
    float ownFreq = 0.0f;      // Galaxy_NewFreq of galaxy g's own type slot (single-galaxy mode)
    float visitFreq = 0.0f;    // Galaxy_NewFreq of galaxy g's visit type (VisitTypeSlot)
    float previousFreq = 0.0f; // Galaxy_NewFreq of galaxy g-1's visit type (read when g >= 1)
};

struct NewStarRateResult {
    int16_t rate = 0;  // new stars per 100 frames
    float fade = 1.0f; // (cos(t pi) + 1) / 2: 1 at the start of a control point, 0 at its end
};

// NewStarRate: the previous galaxy's rate fades back to the universe's after it is left, and
// the visited galaxy's rate fades in at its first core point and holds inside its core.
NewStarRateResult NewStarRate(const NewStarRateInput& in);

// The number of stars renewed this frame at a rate (one draw): nearest(rate / 100 + b), b = 1
// with probability (rate mod 100) / 100. Never negative.
int32_t RenewalCount(int16_t rate, Random& random);

} // namespace orb
