#include "engine/animation/comets.h"

#include <algorithm>
#include <cmath>

#include "engine/animation/sampling.h"
#include "engine/animation/tour.h"
#include "engine/creation/styles.h"
#include "settings/numeric.h"

namespace orb {

CometPool::CometPool() {
    for (auto* v : {&x, &y, &z, &velX, &velY, &velZ})
        v->assign(kCometPoolSize, 0.0f);
    scrX.assign(kCometPoolSize, 0);
    scrY.assign(kCometPoolSize, 0);
    age.assign(kCometPoolSize, 0);
    alive.assign(kCometPoolSize, 0);
}

int16_t CometStarsOf(const GalaxyType& type) {
    const double cs = type[G::CometStars];
    if (!(cs > 0)) return 0; // negative or NaN
    return static_cast<int16_t>(std::min<int32_t>(NearestLong(cs), kCometPoolSize));
}

int16_t MaxComets(int16_t cometStars) {
    const int32_t perComet = std::max<int32_t>(cometStars, 1);
    return static_cast<int16_t>(std::min<int32_t>(kCometPoolSize / perComet, kMaxCometSlots));
}

int32_t LiveCometStars(const CometState& comets) {
    int32_t n = 0;
    for (uint8_t a : comets.pool.alive)
        n += a;
    return n;
}

void StartGalaxyVisit(CometState& comets, const GalaxyModel& model, int16_t tourType, int16_t visitIndex,
                      Framebuffer& surface) {
    CometPool& pool = comets.pool;
    // The first visit of a universe follows a cleared screen: nothing of the last universe is left.
    for (int32_t i = 0; i < kCometPoolSize; ++i) {
        if (pool.alive[i] && visitIndex > 0) surface.Set(pool.scrX[i], pool.scrY[i], 0);
        pool.alive[i] = 0;
    }
    const int16_t type = ClampInt(tourType, 0, kGalaxyTypeSlots - 1);
    comets.cometStars = CometStarsOf(model.Type(type));
    comets.maxComets = MaxComets(comets.cometStars);
    comets.table = CometTable{};
}

namespace {

// The values one frame of comets reads for the tour type.
struct CometType {
    int16_t type;       // T: slot 0..31
    int16_t style;      // Galaxy_GalStyle
    bool swapAxes;      // Galaxy_AxisPlane non-zero: x and y exchanged
    int16_t pathPoints; // Galaxy_CP_Points, 1..20 (nebula)
    float orbit;        // Galaxy_CometOrbit x 1e-5: orbit speed (nebula: path points per frame)
    float speed;        // Galaxy_CometSpeed x 1e-5: random speed of an emitted star
    float wind;         // Galaxy_CometSWind x 1e-5: outward speed of an emitted star
    float starPersist;  // Galaxy_CometSPersist: chance a comet star lives another frame
    float cometPersist; // Galaxy_CometCPersist: chance a comet keeps emitting another frame
    float freq;         // Galaxy_CometFreq x 1e-4: chance per frame that a comet starts
};

CometType ReadType(const GalaxyModel& model, int16_t tourType) {
    const int16_t t = ClampInt(tourType, 0, kGalaxyTypeSlots - 1);
    const GalaxyType& type = model.Type(t);
    const GalaxyTypeRun& run = model.run[t];
    return {t,
            type.Style(),
            type[G::AxisPlane] != 0,
            styles::ControlPoints(type),
            run.cometOrbitScaled,
            run.cometSpeedScaled,
            run.cometSWindScaled,
            type[G::CometSPersist],
            type[G::CometCPersist],
            run.cometFreqScaled};
}

bool Orbiting(int16_t style) {
    return style < 1 || style > 4;
}

bool HasGalaxy(const GalaxyModel& model, int16_t galaxy) {
    return galaxy >= 0 && galaxy < model.style.count;
}

// The point of the galaxy's nebula path at path position s (control points from 0).
Vec3f PathPoint(const GalaxyModel& model, int16_t galaxy, int16_t points, float s) {
    const double whole = std::clamp(std::floor(double(s)), 0.0, double(points - 1));
    const double f = std::isfinite(s) ? s - std::floor(double(s)) : 0.0;
    const int i = GalaxyStyleState::Path(galaxy, static_cast<int>(whole));
    const auto& px = model.style.nebulaPathX;
    const auto& py = model.style.nebulaPathY;
    const auto& pz = model.style.nebulaPathZ;
    return {static_cast<float>(styles::BSpline(px[i], px[i + 1], px[i + 2], px[i + 3], f)),
            static_cast<float>(styles::BSpline(py[i], py[i + 1], py[i + 2], py[i + 3], f)),
            static_cast<float>(styles::BSpline(pz[i], pz[i + 1], pz[i + 2], pz[i + 3], f))};
}

// Comet c's position in the galaxy frame, turned by the tilt as the projection would turn it,
// so that its stars only need the galaxy's offset and the perspective division.
Vec3f CometPosition(const CometTable& table, int c, const CometType& ct, const GalaxyModel& model,
                    const CometFrame& frame) {
    const double sn = frame.tiltSin, cs = frame.tiltCos;
    Vec3f p;
    if (ct.style == 4) {
        if (HasGalaxy(model, frame.galaxy)) {
            const Vec3f q = PathPoint(model, frame.galaxy, ct.pathPoints, table.path[c]);
            p = {q.x, static_cast<float>(q.z * sn - q.y * cs), static_cast<float>(q.z * cs + q.y * sn)};
        }
    } else {
        // Orbit point (r cos a, h, r sin a) turned about the local X axis.
        const double r = table.radius[c], h = table.height[c], a = table.angle[c];
        const double across = r * std::sin(a);
        p = {static_cast<float>(r * std::cos(a)), static_cast<float>(across * sn - h * cs),
             static_cast<float>(across * cs + h * sn)};
    }
    if (ct.swapAxes) std::swap(p.x, p.y);
    return p;
}

// The solar wind: speed per unit of distance from the core, so the push grows with distance.
float WindFactor(const CometType& ct, Vec3f p) {
    const double len = std::sqrt(double(p.x) * p.x + double(p.y) * p.y + double(p.z) * p.z);
    return static_cast<float>(ct.wind / (len + 1e-9));
}

void Emit(CometPool& pool, int32_t i, Vec3f p, float w, const CometType& ct, GalaxyModel& model) {
    float vx, vy, vz;
    RandomOnSphere(model.random, model.trig, ct.speed, vx, vy, vz);
    pool.alive[i] = 1;
    pool.age[i] = 0;
    pool.x[i] = p.x;
    pool.y[i] = p.y;
    pool.z[i] = p.z;
    pool.velX[i] = static_cast<float>(vx + double(p.x) * w);
    pool.velY[i] = static_cast<float>(vy + double(p.y) * w);
    pool.velZ[i] = static_cast<float>(vz + double(p.z) * w);
}

// Where a starting comet orbits, by the style of the tour type.
void PlaceComet(CometTable& table, int c, const CometType& ct, GalaxyModel& model, int16_t galaxy) {
    if (ct.style == 4) return; // it rides the nebula path from its current path position
    if (!Orbiting(ct.style)) {
        if (!HasGalaxy(model, galaxy)) return;
        // The IFS generator places it as it would place a star (and moves the galaxy's point).
        // Scratch for the star fields the comet does not keep.
        float x{}, y{}, z{}, vx{}, vy{}, vz{};
        int32_t age{};
        int16_t retire{}, newFrames{}, novaFrames{};
        uint32_t colour{};
        StarRef ref{x,
                    y,
                    z,
                    vx,
                    vy,
                    vz,
                    table.radius[c],
                    table.angle[c],
                    table.spin[c],
                    age,
                    retire,
                    newFrames,
                    novaFrames,
                    table.height[c],
                    colour};
        styles::SpawnIfs(model, ref, ct.type, galaxy);
        return;
    }
    StandardRadiusHeight(model, table.radius[c], table.height[c], ct.type);
    table.angle[c] = styles::ArmAngle(model, ct.type, model.Type(ct.type).spinPhase);
    table.spin[c] = static_cast<float>((1.0 / table.radius[c]) * double(kTwoPi) * ct.orbit);
}

void StartTest(CometState& comets, const CometType& ct, GalaxyModel& model, const CometFrame& frame) {
    const int c = static_cast<int>(std::floor(model.random() * double(comets.maxComets)));
    if (!(model.random() < ct.freq)) return;
    CometTable& table = comets.table;
    if (c >= comets.maxComets || table.emitting[c] || table.live[c] != 0 || frame.k < kCometFirstPoint)
        return;
    table.emitting[c] = true;
    table.live[c] = comets.cometStars;
    PlaceComet(table, c, ct, model, frame.galaxy);
    const Vec3f p = CometPosition(table, c, ct, model, frame);
    const float w = WindFactor(ct, p);
    const int32_t first = c * static_cast<int32_t>(comets.cometStars);
    for (int32_t i = first; i < first + comets.cometStars; ++i)
        Emit(comets.pool, i, p, w, ct, model);
}

void MoveComet(CometTable& table, int c, const CometType& ct) {
    if (ct.style == 4) {
        float s = static_cast<float>(double(table.path[c]) + ct.orbit);
        if (s >= ct.pathPoints) s = static_cast<float>(s - ct.pathPoints);
        table.path[c] = std::isfinite(s) ? s : 0.0f;
    } else {
        table.angle[c] = static_cast<float>(double(table.angle[c]) + table.spin[c]);
    }
}

// One frame of one comet star that has not expired: drift, then draw it when it is in front.
void DriftAndDraw(CometPool& pool, int32_t i, const CometType& ct, GalaxyModel& model,
                  const CometFrame& frame, const CometTarget& target) {
    pool.x[i] = static_cast<float>(double(pool.x[i]) + pool.velX[i]);
    pool.y[i] = static_cast<float>(double(pool.y[i]) + pool.velY[i]);
    pool.z[i] = static_cast<float>(double(pool.z[i]) + pool.velZ[i]);
    const float depth = static_cast<float>(double(pool.z[i]) + frame.rel.z);
    if (!(depth > kNearDepth)) return; // behind the camera: neither drawn nor aged
    const float k = target.screen.focalScale / depth;
    pool.scrX[i] = PixelCoord((double(pool.x[i]) + frame.rel.x) * k + target.screen.centreX);
    pool.scrY[i] = PixelCoord((double(pool.y[i]) + frame.rel.y) * k + target.screen.centreY);
    if (pool.age[i] < kCometFadeSteps) {
        target.surface.Set(pool.scrX[i], pool.scrY[i], model.colour.GalaxyFade(ct.type, pool.age[i]));
        ++pool.age[i]; // an older star is never drawn again, so its age need not grow further
    }
}

void UpdateComet(CometState& comets, int c, const CometType& ct, GalaxyModel& model, const CometFrame& frame,
                 const CometTarget& target) {
    CometTable& table = comets.table;
    CometPool& pool = comets.pool;
    MoveComet(table, c, ct);
    const Vec3f p = CometPosition(table, c, ct, model, frame);
    const float w = WindFactor(ct, p);
    const int32_t first = c * static_cast<int32_t>(comets.cometStars);
    for (int32_t i = first; i < first + comets.cometStars; ++i) {
        if (!pool.alive[i]) continue;
        target.surface.Set(pool.scrX[i], pool.scrY[i], 0);
        if (model.random() >= ct.starPersist) {
            if (table.emitting[c]) {
                Emit(pool, i, p, w, ct, model);
            } else {
                pool.alive[i] = 0;
                --table.live[c];
            }
            continue;
        }
        DriftAndDraw(pool, i, ct, model, frame, target);
    }
}

} // namespace

void UpdateComets(CometState& comets, GalaxyModel& model, const CometFrame& frame,
                  const CometTarget& target) {
    const CometType ct = ReadType(model, frame.tourType);
    StartTest(comets, ct, model, frame);
    for (int c = 0; c < comets.maxComets; ++c)
        if (comets.table.live[c] > 0) UpdateComet(comets, c, ct, model, frame, target);
    for (int c = 0; c < comets.maxComets; ++c) {
        const float u = model.random();
        if (frame.k < kCometFirstPoint || u > ct.cometPersist) comets.table.emitting[c] = false;
    }
}

void UpdateVisitComets(CometState& comets, GalaxyModel& model, const GalaxyArrays& galaxies,
                       const CometVisit& visit, const CometTarget& target) {
    if (!visit.visiting || visit.gravity != 0.0f) return;
    const int16_t cometGalaxy = (visit.k < 2 && visit.g >= 1) ? int16_t(visit.g - 1) : visit.g;
    const int16_t viewType =
        ClampInt(VisitTypeSlot(model, galaxies.typeIndex[visit.g]), 0, kGalaxyTypeSlots - 1);
    CometFrame frame;
    frame.tourType = visit.tourType;
    frame.galaxy = cometGalaxy;
    frame.rel = {galaxies.relX[cometGalaxy], galaxies.relY[cometGalaxy], galaxies.relZ[cometGalaxy]};
    frame.tiltSin = model.run[viewType].tiltSin;
    frame.tiltCos = model.run[viewType].tiltCos;
    frame.k = visit.k;
    UpdateComets(comets, model, frame, target);
}

} // namespace orb
