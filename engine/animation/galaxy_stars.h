// The per-frame pass over the galaxy stars: every star is moved by its style's rule, its old
// pixel erased and its new one lit (or, with trails, its oldest trail pixel replaced); a few
// stars per frame are renewed into a white sparkle or a coloured nova; the visited galaxy's comets
// move. Stars are never added or removed: a new star is an existing one spawned elsewhere.
//
//   StarWorld world{stars, galaxies, model, values, scalars.trailRing, surface, screen, &comets};
//   UpdateGalaxyStars(world, {g, k, tour.tourParam, true, false, tour.currentTourType});
#pragma once

#include <cstdint>

#include "engine/animation/framebuffer.h"
#include "engine/animation/projection.h"
#include "engine/animation/star_arrays.h"
#include "engine/animation/universe_values.h"
#include "engine/creation/galaxy_model.h"

namespace orb {

struct CometState;

// The arrays and values one star pass works on.
struct StarWorld {
    StarArrays& stars;            // per star and per trail slot; stars.trail is T
    const GalaxyArrays& galaxies; // typeIndex and the positions relative to the camera (relX..)
    GalaxyModel& model;           // types, run-time type values, colour tables, the generator
    const UniverseValues& values; // newFreq, visitPoints, newPctStEx, gravity
    int16_t& trailRing;           // TrailRing: slot offset written this frame, 0..T-1
    Framebuffer& surface;         // where pixels are set and erased
    const ScreenGeometry& screen; // screen centre, focal scale and length
    CometState* comets = nullptr; // the visit's comets; null runs no comets
};

// Where the frame stands in the tour.
struct StarFrame {
    int16_t g = 0;         // visited galaxy (0 during the departure)
    int16_t k = 1;         // control point of the visit (or of the departure), from 1
    float t = 0.0f;        // TourParam within control point k, 0..1
    bool visiting = false; // visit phase; false during the departure
    bool single = false;   // single-galaxy preview: the galaxy's own new-star rate and type
    int16_t tourType = 0;  // CurrentTourType: type whose comet settings apply
};

// UpdateGalaxyStars: the new-star rate, the per-star pass (plain when T = 1, trail mode when
// T > 1), the comets (visiting, gravity exactly 0), then the renewals; in trail mode the trail
// ring advances before the renewals. Allocates nothing.
void UpdateGalaxyStars(const StarWorld& world, const StarFrame& frame);

// What decides the galaxy a renewed star joins.
struct RenewalChoice {
    int16_t galaxies = 1;    // G
    int16_t g = 0;           // visited galaxy
    int16_t k = 1;           // control point
    bool visiting = false;   // false during the departure: always a random galaxy
    int16_t visitPoints = 1; // Universe_GPCtrl: k beyond it is inside the core
    float keepShare = 0.0f;  // scaled Universe_NewPctStEx: chance the star stays with the visit
    float fade = 1.0f;       // NewStarRate's fade: chance a star near galaxy g - 1 goes back to it
};

// The galaxy of a renewed star (0..G-1). Departing: floor(rand x G). Inside a core: g with
// chance keepShare, else a random galaxy. Otherwise: a random galaxy with chance 1 - keepShare;
// else at the first control point of a later galaxy g - 1 with chance fade, else g.
int16_t ChooseRenewedGalaxy(Random& random, const RenewalChoice& choice);

// RespawnStar: star i (whose StarGalaxy is already chosen) takes a type of its galaxy, is spawned
// anew and starts as a new-star sparkle or, with the type's nova chance, as a nova; the first
// sparkle or nova is drawn at once in white when the star is in front of the camera.
void RespawnStar(const StarWorld& world, int32_t i);

} // namespace orb
