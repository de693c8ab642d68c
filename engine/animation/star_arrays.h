// The run-time arrays of one animation run, as structs of arrays: per galaxy instance and per
// star. Sized once when a run starts (Size), then only written in place: no step or frame
// allocates. Creation fills them; the frame loop moves and draws from them.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/creation/galaxy_model.h"

namespace orb {

struct GalaxyArrays {
    int16_t count = 0;              // G: galaxy instances this run
    std::vector<int16_t> typeIndex; // GalaxyTypeIndex: slot 0..31 a type, 32..47 a composite
    std::vector<float> relX;        // GalaxyRelX: centre relative to the camera, world units
    std::vector<float> relY;        // GalaxyRelY
    std::vector<float> relZ;        // GalaxyRelZ: depth, away from the viewer
    std::vector<float> posX;        // GalaxyPosX: world position of the centre, world units
    std::vector<float> posY;        // GalaxyPosY
    std::vector<float> posZ;        // GalaxyPosZ
    std::vector<float> velX;        // GalaxyVelX: velocity under gravity, world units per frame
    std::vector<float> velY;        // GalaxyVelY
    std::vector<float> velZ;        // GalaxyVelZ

    void Size(int16_t galaxies);
};

struct StarArrays {
    int32_t count = 0; // S: stars this run
    int16_t trail = 1; // T: trail slots per star

    std::vector<int16_t> galaxy;     // StarGalaxy: galaxy instance the star belongs to
    std::vector<int16_t> type;       // StarType: galaxy type 0..31 whose rules place, move and colour it
    std::vector<float> x;            // StarX: local position, world units (styles 4..7)
    std::vector<float> y;            // StarY
    std::vector<float> z;            // StarZ
    std::vector<float> velX;         // StarVelX: local velocity, world units per frame (styles 4..7)
    std::vector<float> velY;         // StarVelY (style 7: wave phase, radians)
    std::vector<float> velZ;         // StarVelZ
    std::vector<float> radius;       // StarRadius: orbit radius, world units (styles 0..3)
    std::vector<float> angle;        // StarAngle: orbit angle, radians, not wrapped
    std::vector<float> spin;         // StarSpin: angle added per frame, radians
    std::vector<float> height;       // StarHeight: offset along the local Y axis, world units
    std::vector<uint32_t> colour;    // StarColour: packed colour, red in the low byte
    std::vector<int32_t> age;        // StarAge: frames since the star was (re)spawned
    std::vector<int16_t> retire;     // StarRetire: frames left before a retiring star respawns
    std::vector<int16_t> newFrames;  // StarNewFrames: frames left of the new-star sparkle
    std::vector<int16_t> novaFrames; // StarNovaFrames: frames left of the nova
    std::vector<int16_t> flashTotal; // StarFlashTotal: length of the current sparkle or nova, frames
    std::vector<float> flashExt;     // StarFlashExt: size multiplier of the sparkle or nova
    std::vector<int32_t> sparkX;     // StarSparkX: pixel of the sparkle drawn last
    std::vector<int32_t> sparkY;     // StarSparkY
    std::vector<float> sparkDepth;   // StarSparkDepth: depth of that sparkle, world units
    std::vector<float> camX;         // StarCamX: camera-space position of the nova drawn last
    std::vector<float> camY;         // StarCamY
    std::vector<float> camDepth;     // StarCamDepth
    std::vector<int32_t> scrX;       // StarScrX: pixel of each trail slot; star i owns i*T .. i*T+T-1
    std::vector<int32_t> scrY;       // StarScrY

    void Size(int32_t stars, int16_t trailSlots);

    // The values SpawnStar writes, bound to star i.
    StarRef Ref(int32_t i) {
        return {x[i],    y[i],   z[i],      velX[i],      velY[i],       velZ[i],   radius[i], angle[i],
                spin[i], age[i], retire[i], newFrames[i], novaFrames[i], height[i], colour[i]};
    }
    // First trail slot of star i (32-bit: S x T reaches 30000).
    int32_t Slot(int32_t i, int16_t ring) const { return i * static_cast<int32_t>(trail) + ring; }
};

} // namespace orb
