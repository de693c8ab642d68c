// Comets: points that orbit inside the galaxy the camera is visiting and spray comet stars, which
// a solar wind blows outward from the galaxy core. They belong to one visit: the pool is reset
// when a visit starts and at the departure, and the star update moves them once per visit frame,
// only while gravity is off.
//
// Driver (per universe):
//   visit g, control point k == 2:  tour.currentTourType = ...;
//                                   StartGalaxyVisit(comets, model, tour.currentTourType, g, surface);
//   departure, before its points:   tour.currentTourType = 0;
//                                   StartGalaxyVisit(comets, model, 0, galaxies.count, surface);
// Star update (after the per-star pass, before the renewals):
//   UpdateVisitComets(comets, model, galaxies, {g, k, visiting, values.gravity, tour.currentTourType},
//                     {surface, screen});
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/animation/framebuffer.h"
#include "engine/animation/projection.h"
#include "engine/animation/star_arrays.h"
#include "engine/creation/galaxy_model.h"

namespace orb {

inline constexpr int32_t kCometPoolSize = 2500; // comet stars shared by the comets of a visit
inline constexpr int16_t kMaxCometSlots = 100;  // comets usable in one visit, at most
inline constexpr int kCometTableSize = 101;     // comet table entries 0..100
inline constexpr int16_t kCometFirstPoint = 3;  // first control point of a visit at which comets start
inline constexpr int kCometFadeSteps = 80;      // a comet star older than this is no longer drawn

// The comet stars. Comet c owns entries c x CS .. c x CS + CS - 1 (CS = Galaxy_CometStars of the
// visit type); MaxComets x CS never exceeds the pool, so comets never share entries. Sized once
// when the state is made; nothing allocates afterwards.
struct CometPool {
    std::vector<float> x; // position in the galaxy frame already turned by the tilt, world units
    std::vector<float> y; //   (x across the screen, y down the screen, z depth)
    std::vector<float> z;
    std::vector<float> velX; // velocity in the same frame, world units per frame
    std::vector<float> velY;
    std::vector<float> velZ;
    std::vector<int32_t> scrX; // pixel drawn last
    std::vector<int32_t> scrY;
    std::vector<int16_t> age;   // frames shown in front of the camera since emission; fade index
    std::vector<uint8_t> alive; // 1 while the entry is a live comet star

    CometPool();
};

// One row per comet slot, cleared at every reset.
struct CometTable {
    std::array<bool, kCometTableSize> emitting{}; // CometEmitting: expiring stars are re-emitted
    std::array<int16_t, kCometTableSize> live{};  // CometLive: live comet stars of the comet
    std::array<float, kCometTableSize> radius{};  // CometRadius: orbit radius, world units
    std::array<float, kCometTableSize> height{};  // CometHeight: offset along the local axis, world units
    std::array<float, kCometTableSize> angle{};   // CometAngle: orbit angle, radians, not wrapped
    std::array<float, kCometTableSize> spin{};    // CometSpin: angle added per frame, radians
    std::array<float, kCometTableSize> path{};    // CometPath: position on the nebula path, control points
};

struct CometState {
    CometPool pool;         // comet stars (owned for the whole run)
    CometTable table;       // comet slots
    int16_t maxComets = 0;  // MaxComets: slots usable in this visit, 0..100
    int16_t cometStars = 0; // CS in effect since the last reset: pool entries per comet, 0..2500
};

// Galaxy_CometStars of a type as a pool share: rounded, 0 for junk or negative, at most the pool.
int16_t CometStarsOf(const GalaxyType& type);

// MaxComets for CS stars per comet: Min(floor(2500 / Max(1, CS)), 100); 100 for 0 stars, 83 for
// 30, 0 when one comet would not fit the pool.
int16_t MaxComets(int16_t cometStars);

// StartGalaxyVisit: from the second visit of a universe on (visitIndex > 0) every live comet
// star's pixel is erased; every entry dies, the comet table is cleared and MaxComets is taken
// from Galaxy_CometStars of tourType (0..31).
void StartGalaxyVisit(CometState& comets, const GalaxyModel& model, int16_t tourType, int16_t visitIndex,
                      Framebuffer& surface);

// Where comet stars are drawn.
struct CometTarget {
    Framebuffer& surface;
    const ScreenGeometry& screen;
};

// One frame of comets.
struct CometFrame {
    int16_t tourType = 0; // CurrentTourType: type 0..31 whose comet settings and fade palette apply
    int16_t galaxy = 0;   // comet galaxy instance (its IFS point and nebula path place the comet)
    Vec3f rel;            // the comet galaxy's GalaxyRelX/Y/Z, world units
    float tiltSin = 0;    // tilt sine of the visited galaxy's type
    float tiltCos = 1;    // tilt cosine of the visited galaxy's type
    int16_t k = 1;        // control point of the visit, from 1
};

// UpdateComets: the start test of one random slot, then every live comet moves and its stars
// expire (re-emitted while the comet emits), or drift and are drawn; last, each slot may stop
// emitting. Before control point 3 no comet starts and every comet stops emitting.
void UpdateComets(CometState& comets, GalaxyModel& model, const CometFrame& frame, const CometTarget& target);

// What the star update knows when it reaches the comets.
struct CometVisit {
    int16_t g = 0;         // visited galaxy, 0..G-1
    int16_t k = 1;         // control point of the visit
    bool visiting = false; // false during the departure: no comets
    float gravity = 0;     // scaled Universe_GravForce: comets only when exactly 0
    int16_t tourType = 0;  // CurrentTourType
};

// The comet step of the star update: nothing while departing or with gravity on; otherwise the
// comet galaxy is g, or g - 1 at the first control point of a later galaxy (the previous
// galaxy's comets fade out while the camera leaves it), turned by the tilt of galaxy g's visit
// type (a composite's major type).
void UpdateVisitComets(CometState& comets, GalaxyModel& model, const GalaxyArrays& galaxies,
                       const CometVisit& visit, const CometTarget& target);

// Comet stars alive in the pool. Comets only run at control point 3 or later of a visit, with
// gravity off and a type whose Galaxy_CometFreq is above 0: a benchmark or check that means to
// exercise them steps the driver that far and can report this count to show that they ran.
int32_t LiveCometStars(const CometState& comets);

} // namespace orb
