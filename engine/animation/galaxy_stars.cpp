#include "engine/animation/galaxy_stars.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/animation/comets.h"
#include "engine/animation/effects.h"
#include "engine/animation/orbit_trig.h"
#include "engine/animation/star_block.h"
#include "engine/animation/star_motion.h"
#include "engine/animation/tour.h"
#include "engine/creation/universe_sampling.h"
#include "settings/numeric.h"

namespace orb {

namespace {

int16_t RandomGalaxy(Random& random, int16_t galaxies) {
    const int32_t n = galaxies < 1 ? 1 : galaxies;
    return static_cast<int16_t>(ClampRange<int32_t>(static_cast<int32_t>(IntPart(random() * n)), 0, n - 1));
}

// Integer settings of a type are held as singles; a junk value must not wrap a frame count.
int16_t TypeCount(const GalaxyType& type, G prop) {
    return NearestInt(ClampRange(static_cast<double>(type[prop]), 0.0, 32767.0));
}

TypeView ViewOf(const GalaxyModel& model, int16_t type) {
    const GalaxyTypeRun& run = model.run[type];
    return {run.tiltSin, run.tiltCos, static_cast<int16_t>(model.Type(type)[G::AxisPlane])};
}

// The star's position relative to its galaxy centre as it stands, without a frame's motion.
Vec3f LocalPosition(const StarArrays& s, int32_t i, int16_t style) {
    if (style >= 0 && style <= 3) {
        const double r = s.radius[i];
        const SinCosF t = OrbitSinCos(s.angle[i]);
        return {static_cast<float>(r * t.cos), s.height[i], static_cast<float>(r * t.sin)};
    }
    return {s.x[i], s.y[i], s.z[i]};
}

Vec3f RelOf(const GalaxyArrays& g, int16_t galaxy) {
    return {g.relX[galaxy], g.relY[galaxy], g.relZ[galaxy]};
}

void Age(int32_t& age) {
    if (age < INT32_MAX) ++age;
}

// Galaxy_NewFreq of the type a galaxy's slot is visited as (a composite's major type).
float VisitFreq(const GalaxyModel& model, const GalaxyArrays& galaxies, int16_t g) {
    return model.Type(VisitTypeSlot(model, galaxies.typeIndex[g]))[G::NewFreq];
}

std::array<TypeView, kGalaxyTypeSlots> ViewsOf(const GalaxyModel& model) {
    std::array<TypeView, kGalaxyTypeSlots> views;
    for (int16_t t = 0; t < kGalaxyTypeSlots; ++t)
        views[t] = ViewOf(model, t);
    return views;
}

std::array<int16_t, kGalaxyTypeSlots> StylesOf(const GalaxyModel& model) {
    std::array<int16_t, kGalaxyTypeSlots> styles;
    for (int16_t t = 0; t < kGalaxyTypeSlots; ++t)
        styles[t] = model.Type(t).Style();
    return styles;
}

// One frame of the star pass. The per-type tilt views and styles are gathered once per frame.
class StarPass {
  public:
    StarPass(const StarWorld& world, const StarFrame& frame)
        : w_(world), s_(world.stars), f_(frame), views_(ViewsOf(world.model)), styles_(StylesOf(world.model)),
          block_(world.stars, world.galaxies, world.model, views_, styles_, world.screen) {
        const int16_t count = w_.galaxies.count < 1 ? int16_t(1) : w_.galaxies.count;
        g_ = ClampRange<int16_t>(frame.g, 0, static_cast<int16_t>(count - 1));
        NewStarRateInput in;
        in.single = frame.single;
        in.visiting = frame.visiting;
        in.g = g_;
        in.k = frame.k;
        in.t = frame.t;
        in.gpCtrl = w_.values.visitPoints;
        in.universeFreq = w_.values.newFreq;
        if (w_.galaxies.count > 0) {
            const int16_t own = w_.galaxies.typeIndex[g_];
            in.ownFreq = own >= 0 && own < kGalaxyTableSize ? w_.model.Type(own)[G::NewFreq] : 0.0f;
            in.visitFreq = VisitFreq(w_.model, w_.galaxies, g_);
            if (g_ >= 1) in.previousFreq = VisitFreq(w_.model, w_.galaxies, static_cast<int16_t>(g_ - 1));
        }
        const NewStarRateResult rate = NewStarRate(in);
        rate_ = rate.rate;
        choice_ = {w_.galaxies.count,    g_,       frame.k, frame.visiting, w_.values.visitPoints,
                   w_.values.newPctStEx, rate.fade};
    }

    void Run() {
        const bool trail = s_.trail > 1;
        if (w_.trailRing < 0 || w_.trailRing >= s_.trail) w_.trailRing = 0;
        for (int32_t first = 0; first < s_.count; first += StarBlock::kSize)
            RunBlock(first, std::min(s_.count, first + StarBlock::kSize), trail);
        if (w_.comets && f_.visiting && w_.galaxies.count > 0)
            UpdateVisitComets(*w_.comets, w_.model, w_.galaxies,
                              {g_, f_.k, f_.visiting, w_.values.gravity, f_.tourType},
                              {w_.surface, w_.screen});
        if (trail) w_.trailRing = static_cast<int16_t>((w_.trailRing + 1) % s_.trail);
        Renew(trail);
    }

  private:
    // The steady stars of a block are moved and projected together, then every star is drawn in
    // order. In trail mode every star ages first, before any move (a wave star's height reads it).
    // A steady star is neither sparkling nor bursting nor retiring: moved, the pixel of its slot
    // erased and its new one lit.
    void RunBlock(int32_t first, int32_t end, bool trail) {
        block_.Begin(first, end, w_.trailRing);
        block_.FetchErasedPixels(w_.surface);
        if (trail)
            for (int32_t i = first; i < end; ++i)
                Age(s_.age[i]);
        const int16_t* newFrames = s_.newFrames.data();
        const int16_t* novaFrames = s_.novaFrames.data();
        const int16_t* retire = s_.retire.data();
        // Only trail mode retires stars; in plain mode their countdowns are not even read.
        if (trail)
            block_.MarkSteadyStars([=](int32_t i) {
                return (static_cast<int>(newFrames[i] < 1) & static_cast<int>(novaFrames[i] < 1) &
                        static_cast<int>(retire[i] < 1)) != 0;
            });
        else
            block_.MarkSteadyStars([=](int32_t i) {
                return (static_cast<int>(newFrames[i] < 1) & static_cast<int>(novaFrames[i] < 1)) != 0;
            });
        block_.MoveAndProject();
        block_.Draw(w_.surface, [&](int32_t i) {
            if (trail)
                TrailStar(i);
            else
                PlainStar(i);
        });
    }

    // The stars that are not steady (a few per frame) move one at a time.
    Vec3f Move(int32_t i) {
        const int16_t type = s_.type[i];
        return MoveStar(s_, i, styles_[type], w_.model.run[type]);
    }
    Vec3f Rel(int32_t i) const { return RelOf(w_.galaxies, s_.galaxy[i]); }
    void Put(int32_t x, int32_t y, uint32_t colour) { w_.surface.Set(x, y, colour); }

    void Respawn(int32_t i) {
        s_.galaxy[i] = ChooseRenewedGalaxy(w_.model.random, choice_);
        RespawnStar(w_, i);
    }

    // A trail-mode star whose sparkle ended this frame moves on as a steady star.
    void Normal(int32_t i, int32_t slot) {
        const Vec3f local = Move(i);
        ScreenPoint p{s_.scrX[slot], s_.scrY[slot]};
        if (ProjectStar(w_.screen, local, views_[s_.type[i]], Rel(i), p) > kNearDepth) {
            s_.scrX[slot] = p.x;
            s_.scrY[slot] = p.y;
            Put(p.x, p.y, s_.colour[i]);
        }
    }

    void EraseNova(int32_t i) {
        if (s_.camDepth[i] > kNearDepth)
            DrawNova(w_.surface, w_.screen, s_.camX[i], s_.camY[i], s_.camDepth[i], s_.novaFrames[i],
                     s_.flashTotal[i], s_.flashExt[i], 0);
    }
    void EraseSparkle(int32_t i) {
        if (s_.sparkDepth[i] > kNearDepth)
            DrawSparkle(w_.surface, w_.screen, s_.sparkX[i], s_.sparkY[i], s_.sparkDepth[i], s_.newFrames[i],
                        s_.flashTotal[i], s_.flashExt[i], 0);
    }

    // The nova counts down; at 0 the star is reborn, else it moves and its burst grows.
    void NovaAdvance(int32_t i) {
        if (--s_.novaFrames[i] == 0) {
            Respawn(i);
            return;
        }
        const int16_t type = s_.type[i];
        const CameraPoint c = CameraSpace(Move(i), views_[type], Rel(i));
        s_.camX[i] = c.x;
        s_.camY[i] = c.y;
        s_.camDepth[i] = c.depth;
        if (c.depth > kNearDepth) {
            const uint32_t colour =
                w_.model.colour.GalaxyFade(type, NovaFadeIndex(s_.flashTotal[i], s_.novaFrames[i]));
            DrawNova(w_.surface, w_.screen, c.x, c.y, c.depth, s_.novaFrames[i], s_.flashTotal[i],
                     s_.flashExt[i], colour);
        }
    }

    // A sparkling star moves and its sparkle is drawn where it is now. The depth is kept even
    // behind the camera, so that nothing is erased next frame where nothing was drawn.
    void SparkleMove(int32_t i) {
        ScreenPoint p{s_.sparkX[i], s_.sparkY[i]};
        const float depth = ProjectStar(w_.screen, Move(i), views_[s_.type[i]], Rel(i), p);
        s_.sparkDepth[i] = depth;
        if (depth > kNearDepth) {
            s_.sparkX[i] = p.x;
            s_.sparkY[i] = p.y;
            DrawSparkle(w_.surface, w_.screen, p.x, p.y, depth, s_.newFrames[i], s_.flashTotal[i],
                        s_.flashExt[i], kSparkleWhite);
        }
    }

    // A plain-mode star that is not steady.
    void PlainStar(int32_t i) {
        if (s_.novaFrames[i] >= 1) {
            EraseNova(i);
            NovaAdvance(i);
        } else {
            EraseSparkle(i);
            if (--s_.newFrames[i] > 0) SparkleMove(i);
        }
    }

    // A trail-mode star that is not steady (it has aged already).
    void TrailStar(int32_t i) {
        const int32_t slot = s_.Slot(i, w_.trailRing);
        if (s_.newFrames[i] < 1) {
            if (s_.novaFrames[i] < 1)
                Put(s_.scrX[slot], s_.scrY[slot], 0);
            else
                EraseNova(i);
        } else {
            EraseSparkle(i);
            --s_.newFrames[i];
        }
        if (s_.retire[i] >= 1) {
            if (--s_.retire[i] == 0) Respawn(i);
        } else if (s_.novaFrames[i] >= 1) {
            NovaAdvance(i);
        } else if (s_.newFrames[i] == 0) {
            Normal(i, slot);
        } else {
            SparkleMove(i);
        }
    }

    // Plain mode renews at once; trail mode starts a countdown that first erases the whole trail.
    void Renew(bool trail) {
        const int32_t n = RenewalCount(rate_, w_.model.random);
        const int16_t t = s_.trail;
        for (int32_t r = 0; r < n && s_.count > 0; ++r) {
            const int32_t i = ClampRange<int32_t>(static_cast<int32_t>(IntPart(w_.model.random() * s_.count)),
                                                  0, s_.count - 1);
            if (s_.newFrames[i] != 0 || s_.novaFrames[i] != 0) continue;
            if (!trail) {
                w_.surface.Set(s_.scrX[i], s_.scrY[i], 0);
                Respawn(i);
            } else if (s_.age[i] > t && s_.retire[i] == 0) {
                s_.retire[i] = static_cast<int16_t>(t + 1);
            }
        }
    }

    const StarWorld& w_;
    StarArrays& s_;
    const StarFrame& f_;
    int16_t g_;                                    // visited galaxy, within 0..G-1
    int16_t rate_;                                 // new stars per 100 frames this frame
    RenewalChoice choice_{};                       // where renewed stars go this frame
    std::array<TypeView, kGalaxyTypeSlots> views_; // tilt and axial plane per type, this frame
    std::array<int16_t, kGalaxyTypeSlots> styles_; // Galaxy_GalStyle per type
    StarBlock block_;                              // the block of stars being worked on
};

} // namespace

int16_t ChooseRenewedGalaxy(Random& random, const RenewalChoice& c) {
    if (!c.visiting) return RandomGalaxy(random, c.galaxies);
    const int16_t g = ClampRange<int16_t>(c.g, 0, static_cast<int16_t>(c.galaxies < 1 ? 0 : c.galaxies - 1));
    if (c.k > c.visitPoints) return random() < c.keepShare ? g : RandomGalaxy(random, c.galaxies);
    if (!(random() < c.keepShare)) return RandomGalaxy(random, c.galaxies);
    if (c.k == 1 && g >= 1) return random() < c.fade ? static_cast<int16_t>(g - 1) : g;
    return g;
}

void RespawnStar(const StarWorld& w, int32_t i) {
    StarArrays& s = w.stars;
    GalaxyModel& model = w.model;
    const int16_t galaxy = s.galaxy[i];
    const int16_t type = PickStarType(model, w.galaxies.typeIndex[galaxy]);
    s.type[i] = type;
    SpawnStar(model, s.Ref(i), type, galaxy);
    const GalaxyType& rules = model.Type(type);
    const GalaxyTypeRun& run = model.run[type];
    const Vec3f local = LocalPosition(s, i, rules.Style());
    const TypeView view = ViewOf(model, type);
    const Vec3f rel = RelOf(w.galaxies, galaxy);
    if (model.random() >= run.novaFreqScaled) {
        const int16_t frames = TypeCount(rules, G::NewFrames);
        s.newFrames[i] = s.flashTotal[i] = frames;
        s.flashExt[i] = run.newExtScaled;
        ScreenPoint p{s.sparkX[i], s.sparkY[i]};
        const float depth = ProjectStar(w.screen, local, view, rel, p);
        s.sparkDepth[i] = depth;
        if (depth > kNearDepth) {
            s.sparkX[i] = p.x;
            s.sparkY[i] = p.y;
            if (frames >= 1)
                DrawSparkle(w.surface, w.screen, p.x, p.y, depth, frames, frames, s.flashExt[i],
                            kSparkleWhite);
        }
    } else {
        const int16_t frames = TypeCount(rules, G::NovaFrames);
        s.novaFrames[i] = s.flashTotal[i] = frames;
        s.flashExt[i] = run.novaExtScaled;
        const CameraPoint c = CameraSpace(local, view, rel);
        s.camX[i] = c.x;
        s.camY[i] = c.y;
        s.camDepth[i] = c.depth;
        // A nova of no frames would never be erased, so it is not drawn (nor one behind the camera).
        if (frames >= 1)
            DrawNova(w.surface, w.screen, c.x, c.y, c.depth, frames, frames, s.flashExt[i], kSparkleWhite);
    }
}

void UpdateGalaxyStars(const StarWorld& world, const StarFrame& frame) {
    StarPass(world, frame).Run();
}

} // namespace orb
