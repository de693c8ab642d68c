// The engine's copies of the 29 universe values, clamped and scaled once when a run starts.
// Everything that creates, moves or draws a universe reads these, never the raw settings.
#pragma once

#include <cstdint>

#include "settings/records.h"

namespace orb {

struct UniverseValues {
    int16_t stars = 4000;       // S: Universe_Stars, 10..30000
    int16_t galaxies = 100;     // G: Universe_Galaxy, 1..999
    int16_t trail = 1;          // T: Universe_STrail, 1..99 and at most 30000 / S (S x T fits 16 bits)
    float expand = 10.0f;       // Universe_Expand x 0.001: initial burst speed, world units per step
    int16_t burstSteps = 300;   // E: Universe_ESteps, 1..9999
    float persist = 0.985f;     // Universe_Persist, 0.25..1: chance a burst star keeps flying a step
    float symmetry = 0.05f;     // Universe_Symetry, 0..1: smallest fraction of a burst vector's magnitude
    float stepFactor = 0.995f;  // D = (1 - Universe_Damping) x 0.5 + 0.5, 0.5..1: burst speed kept per step
    float hwRatio = 0.6f;       // Universe_HWRatio, 0..99.9: universe height / width
    int16_t profile = 2;        // Universe_Profile, 0..6: universe shape profile
    int16_t newFreq = 400;      // Universe_NewFreq, 0..9999: new stars per 100 frames between galaxies
    float newPctStEx = 0.9f;    // Universe_NewPctStEx x 0.01: share of new stars kept by the visited galaxy
    int16_t tourSteps = 200;    // Universe_GSteps, 1..9999: camera frames per control point
    int16_t visitPoints = 1;    // Universe_GPCtrl, 1..999: control points per galaxy visit
    int16_t corePoints = 4;     // Universe_GCCtrl, 0..999: control points through the core
    float centreDepth = 150.0f; // Universe_DstCen x 0.01: depth of the universe centre, world units
    bool tour = true;           // Universe_Tour: the camera tours (else it stays at the origin)
    bool visitInTurn = false;   // Universe_GVisit: galaxy types assigned in turn rather than at random
    int16_t ambientStars = 100; // A: Universe_AmStar, 1..3000
    float ambientPersist = 0.998f;   // Universe_AmPers, 0.25..1: chance an ambient star survives a frame
    float ambientAgeStep = 0.1f;     // Universe_AmCAge, 0..10: palette steps an ambient dot cools per frame
    int16_t ambientFlashFrames = 30; // Universe_AmFrames, 0..999: sparkle length of a new ambient star
    float ambientFlashSize = 99.99f; // Universe_AmMaxExt (rounded, 1..9999) x 0.01: its size multiplier
    bool ambientProfile = false;     // Universe_AmProf: new ambient stars follow the universe profile
    float gravity = 0.0f;            // Universe_GravForce x 1e-7: 0 switches gravity off
    int16_t gravityFrames = 1;       // Universe_GravFrame, 1..999: velocity updates per frame
};

// The clamps and scalings applied when a run starts. Out-of-range and non-finite values take
// the nearest bound; nothing fails.
UniverseValues ClampUniverseValues(const UniverseSettings& raw);

// The preview window's lighter universe: Universe_Stars x 0.65 and Universe_AmStar x 0.5, each
// rounded to a 16-bit integer. Applied to the raw values before the clamps.
void ReduceForPreview(UniverseSettings& raw);

} // namespace orb
