// The flight of the burst stars, worked out a block of consecutive stars at a time in lanes:
// early in a burst nearly every star flies, and star by star each one's move and projection is
// a long chain that waits on the stores of the one before. The random draws and the pixels stay
// in star order around it (UniverseEngine::StepStars); only the arithmetic is taken together,
// and with it the working out of where each star's pixels go.
#pragma once

#include <cstdint>

#include "engine/animation/projection.h"

namespace orb {

// Burst states of a star.
enum class BurstState : int16_t { Flying = 0, Fading = 1, Settled = 2 };

// One block's flight: what the step decided per star, and what the flight gives back.
struct FlightBlock {
    static constexpr int32_t kSize = 256; // stars a block holds at most (StarBlock::kSize)

    int32_t flies[kSize];                 // in: 1 when it flies on this step (it moves), else 0
    int32_t erase[kSize];                 // in: 1 when its pixel of a trail ago is erased, else 0
    int32_t drawn[kSize];                 // out: 1 when it moved and is in front of the viewer
    int32_t pixelX[kSize], pixelY[kSize]; // out: its pixel where drawn
    // Out (FlightAddresses): where the pixel erased and the pixel drawn are stored, or the
    // surface's scratch word where either is off the surface or not erased or drawn; for a
    // surface with block flags, also their flags (or the scratch flag).
    uint32_t* eraseAt[kSize];
    uint32_t* pixelAt[kSize];
    uint8_t* eraseFlag[kSize];
    uint8_t* pixelFlag[kSize];
};

// The burst arrays from the block's first star on, and what every star of a step shares.
struct FlightPaths {
    float* x;                // BurstArrays::x .. velZ, at the block's first star
    float* y;
    float* z;
    float* velX;
    float* velY;
    float* velZ;
    float stepFactor;        // k: a star's velocity is multiplied by it after it flies
    float focalScale;        // ScreenGeometry::focalScale
    double centreX, centreY; // ScreenGeometry::centreX, centreY
};

// Where a block's flight is drawn: the surface, and the pixels the block's stars keep in their
// trail slots (StarArrays::scrX, scrY at the block's first star's slot of this step).
struct FlightSurface {
    SurfaceLayout layout; // the surface (pixels, size, scratch word, block flags)
    int32_t* scrX;        // star j's pixel of a trail ago at scrX[j x trail]
    int32_t* scrY;
    int32_t trail;        // StarArrays::trail: slots per star
};

// The galaxies' flight, galaxies 0..count-1: each moves by its velocity (the sums in double,
// then single), which is then multiplied by k. The six arrays share no memory.
void FlyGalaxies(float* x, float* y, float* z, float* velX, float* velY, float* velZ, int32_t count, float k);

// Before a block of stars moves: every settled star ages by one frame (age: StarArrays::age from
// the block's first star on), and the flight's flags are cleared.
void PrepareFlight(const BurstState* state, int32_t* age, int32_t count, FlightBlock& block);

// Stars 0..count-1 of the block: a star that flies on moves by its velocity in depth and, when
// it is then in front of the viewer (depth above kNearDepth), across too, is projected, and has
// its velocity damped by k. Other stars keep their values: a star that stops flying never reads
// its burst velocity again (it fades, settles, and stays settled until a new universe launches
// every star afresh).
void FlyStars(const FlightPaths& paths, int32_t count, FlightBlock& block);

// The same for the stars listed (block indices, in any order): for a block where few stars fly.
// A listed star that does not fly on stays put and is not drawn.
void FlyListed(const FlightPaths& paths, const int16_t* list, int32_t listed, FlightBlock& block);

// After the flight, for stars 0..count-1 of the block: where the pixel of a trail ago is erased
// (where erase holds) and where the new pixel is set (where drawn holds), so that drawing a star
// is two stores (four with block flags) in star order; a drawn star's new pixel goes into its
// trail slot. A star neither erased nor drawn (a settled one) keeps its slot and gets scratch
// addresses. Once this has run the slot no longer holds the pixel to erase.
void FlightAddresses(const FlightSurface& surface, int32_t count, FlightBlock& block);

// FlyStars and FlightAddresses in one pass; drawn, pixelX and pixelY are left as they were
// where the trail has one slot.
void FlyStarsToAddresses(const FlightPaths& paths, const FlightSurface& surface, int32_t count,
                         FlightBlock& block);

// FlyListed and FlightAddresses for the stars listed (block indices) in one pass; drawn,
// pixelX and pixelY are left as they were.
void FlyListedToAddresses(const FlightPaths& paths, const FlightSurface& surface, const int16_t* list,
                          int32_t listed, FlightBlock& block);

} // namespace orb
