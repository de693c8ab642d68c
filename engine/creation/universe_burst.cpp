#include <algorithm>
#include <cmath>
#include <span>

#include "engine/animation/star_block.h"
#include "engine/animation/type_advance.h"
#include "engine/creation/universe.h"
#include "engine/creation/universe_flight.h"
#include "engine/creation/universe_sampling.h"
#include "settings/numeric.h"

namespace orb {

namespace {

static_assert(FlightBlock::kSize == StarBlock::kSize, "a flight block is a star block");

constexpr double kQuarterTurn = 1.5707963705062866; // pi / 2 in single precision

// Int(rand x n) for a count n >= 1: a draw below 1 never gives n itself.
int32_t RandomIndex(Random& random, int32_t n) {
    return static_cast<int32_t>(IntPart(static_cast<double>(random()) * n));
}

} // namespace

void UniverseEngine::BeginUniverse() {
    scalars_.trailRing = 0;
    scalars_.expansionSpeed = scalars_.expansionExtent = values_.expand;
    for (int t = 0; t < kGalaxyTypeSlots; ++t)
        model_.run[t].hueOffset = tables_.types[t][G::HueStart];
    step_ = 0;
    minFly_ = NearestInt(values_.burstSteps * 0.25);
    stepFactor_ = values_.stepFactor;
    LaunchStars();
    AssignGalaxyTypes();
    SetupGalaxies(model_, galaxies_.count, kNoSlot, kNoSlot, std::span<const int16_t>(galaxies_.typeIndex));
    for (int t = 0; t < kGalaxyTypeSlots; ++t) {
        GalaxyTypeRun& run = model_.run[t];
        run.tiltAngle =
            static_cast<float>(tables_.types[t][G::AngleTilt] * static_cast<double>(kTwoPi) / 360.0);
        run.tiltSin = static_cast<float>(std::sin(static_cast<double>(run.tiltAngle)));
        run.tiltCos = static_cast<float>(std::cos(static_cast<double>(run.tiltAngle)));
    }
}

// Every star and ambient star starts at the universe centre with a launch vector of the
// universe's shape.
void UniverseEngine::LaunchStars() {
    const UniverseShape shape{values_.profile, values_.hwRatio};
    for (int32_t i = 0; i < stars_.count; ++i) {
        burst_.state[i] = BurstState::Flying;
        burst_.age[i] = 0;
        burst_.x[i] = 0;
        burst_.y[i] = 0;
        burst_.z[i] = values_.centreDepth;
        Vec3f v = RandomUniversePoint(random_, model_.trig, shape, scalars_.expansionSpeed, values_.symmetry);
        burst_.velX[i] = v.x;
        burst_.velY[i] = v.y;
        burst_.velZ[i] = v.z;
    }
    for (int32_t i = 0; i < stars_.count; ++i)
        burst_.unsettled[i] = static_cast<int16_t>(i % FlightBlock::kSize);
    for (size_t b = 0; b < burst_.unsettledCount.size(); ++b)
        burst_.unsettledCount[b] =
            static_cast<int16_t>(std::min<int32_t>(FlightBlock::kSize, stars_.count - static_cast<int32_t>(b) * FlightBlock::kSize));
    for (int32_t i = 0; i < ambient_.Count(); ++i) {
        ambient_.x[i] = 0;
        ambient_.y[i] = 0;
        ambient_.z[i] = values_.centreDepth;
        ambient_.flash[i] = 0;
        ambient_.age[i] = 0;
        Vec3f v = RandomUniversePoint(random_, model_.trig, shape, scalars_.expansionSpeed, values_.symmetry);
        ambient_.driftX[i] = v.x;
        ambient_.driftY[i] = v.y;
        ambient_.driftZ[i] = v.z;
    }
}

// Galaxy types by weight (at random or in turn), and the burst star each galaxy rides on.
void UniverseEngine::AssignGalaxyTypes() {
    int32_t total = 0;
    for (int s = 0; s < kGalaxyTableSize; ++s) {
        GalaxyType& type = tables_.types[s];
        if (s >= kGalaxyTypeSlots) {
            type.pct = tables_.composites[s - kGalaxyTypeSlots].pct;
            model_.run[s].composite = type.pct > 0; // a plain type's mark is never set
        }
        total += type.pct;
        burst_.cumulative[s] = total;
    }
    if (total == 0) {
        total = 1;
        burst_.cumulative[0] = 1;
    }
    inTurnCursor_ = 0;
    const int32_t stars = stars_.count;
    for (int16_t g = 0; g < galaxies_.count; ++g) {
        int16_t slot;
        if (!values_.visitInTurn)
            slot = SlotForDraw(burst_.cumulative, static_cast<float>(static_cast<double>(random_()) * total));
        else // without any weight this, too, gives type 0
            slot = NextSlotInTurn(tables_, inTurnCursor_);
        galaxies_.typeIndex[g] = slot;
        const int32_t b = galaxies_.count > stars ? RandomIndex(random_, stars) : g;
        galaxies_.relX[g] = burst_.x[b];
        galaxies_.relY[g] = burst_.y[b];
        galaxies_.relZ[g] = burst_.z[b];
        burst_.galaxyVelX[g] = burst_.velX[b];
        burst_.galaxyVelY[g] = burst_.velY[b];
        burst_.galaxyVelZ[g] = burst_.velZ[b];
    }
}

void UniverseEngine::RefreshTypeViews() {
    for (int t = 0; t < kGalaxyTypeSlots; ++t) {
        const GalaxyTypeRun& run = model_.run[t];
        views_[t] = {run.tiltSin, run.tiltCos, static_cast<int16_t>(tables_.types[t][G::AxisPlane])};
        styles_[t] = tables_.types[t].Style();
    }
}

bool UniverseEngine::BurstStep() {
    const int16_t steps = values_.burstSteps;
    if (step_ >= steps) return false;
    frameStartTick_ = ticks_->Ticks();
    const float k = stepFactor_;
    FlyGalaxies(galaxies_.relX.data(), galaxies_.relY.data(), galaxies_.relZ.data(), burst_.galaxyVelX.data(),
                burst_.galaxyVelY.data(), burst_.galaxyVelZ.data(), galaxies_.count, k);
    AdvanceGalaxyTypes(model_);
    RefreshTypeViews();
    // Past 159 steps the last steps round to index 80; the palette reader takes its last entry.
    const uint32_t burstColour = model_.colour.UniverseFade(NearestLong(step_ * 80.0 / steps));
    StepStars(burstColour);

    if (k > 0)
        for (int32_t i = 0; i < ambient_.Count(); ++i) {
            ambient_.driftX[i] *= k;
            ambient_.driftY[i] *= k;
            ambient_.driftZ[i] *= k;
        }
    scalars_.expansionSpeed *= k;
    scalars_.expansionExtent =
        static_cast<float>(static_cast<double>(scalars_.expansionExtent) + scalars_.expansionSpeed);
    const AmbientFrame frame{
        {0, 0, 0}, {0, 0, 0}, scalars_.expansionExtent, scalars_.expansionSpeed, AmbientMode::Burst};
    UpdateAmbientStars(ambient_, values_, frame, model_, {*surface_, screen_, model_.colour});
    AdvanceNebulaPoints(model_, galaxies_.count, kNoSlot, std::span<const int16_t>(galaxies_.typeIndex),
                        NebulaPaths::WhenRead);
    if (step_ > steps * 0.75)
        stepFactor_ = static_cast<float>(
            values_.stepFactor * std::cos((step_ - 0.75 * steps) / (steps * (1 - 0.75)) * kQuarterTurn));
    scalars_.trailRing = static_cast<int16_t>((scalars_.trailRing + 1) % stars_.trail);
    ++step_;
    return true;
}

// What a burst step reads for every flying or fading star, copied out of the engine once per
// step: read through the members, each value (and each array's address) would be loaded again
// after every pixel or position stored, since such a store could be taken to change it. The pass
// stays a local of StepStars (the per-star lambda is inlined into the block's loop), so the
// compiler keeps its values in registers.
struct UniverseEngine::BurstPass {
    BurstState* state;     // BurstArrays::state
    int16_t* age;          // BurstArrays::age
    int32_t* scrX;         // StarArrays::scrX
    int32_t* scrY;         // StarArrays::scrY
    int16_t trail;         // StarArrays::trail
    int16_t ring;          // trail slot of this step
    float persist;         // UniverseValues::persist: chance a star keeps flying
    bool mustFly;          // the step is before MinFly: every star keeps flying
    bool direct;           // the surface takes stores at worked-out addresses (it records no changes)
    bool flags;            // with direct: the surface is a window's image with block flags
    uint32_t colour;       // the burst colour of this step
    uint32_t stored;       // with direct: the colour as the surface stores it
    FlightPaths paths;     // the burst positions and velocities (from star 0), k, the screen
    FlightSurface surface; // with direct: the surface, the trail slots of this step (from star 0)
};

// The stars of a block that are not settled (count of them listed in moving), in star order:
// one survival draw for a flying star (it flies on or starts to fade), the settling of a star
// that has faded for a whole trail. The draws are the step's random numbers in the order the
// stars come. The list keeps the stars still not settled (d.moved: all it held); returns how
// many were flying.
[[gnu::always_inline]] inline int32_t UniverseEngine::DecideStars(const BurstPass& pass, int32_t first,
                                                                  int16_t* moving, int32_t& count,
                                                                  BurstDecisions& d) {
    // The draws come from a copy that lives in a register (settling draws from the engine's).
    // Before MinFly every star flies on whatever its draw, so those draws are only counted and
    // the generator moved past them at once.
    Random random = random_;
    uint64_t unread = 0;
    const auto settle = [&](int32_t i) {
        random.Advance(unread);
        unread = 0;
        random_ = random;
        SettleStar(i);
        random = random_;
    };
    int32_t flying = 0, kept = 0;
    for (int32_t m = 0; m < count; ++m) {
        const int32_t j = moving[m], i = first + j;
        const int16_t age = ++pass.age[i];
        d.moved[m] = static_cast<int16_t>(j);
        if (pass.state[i] == BurstState::Flying) {
            ++flying;
            d.flight.erase[j] = age > pass.trail;
            bool flies = true;
            if (pass.mustFly)
                ++unread;
            else
                flies = random() < pass.persist;
            d.flight.flies[j] = flies;
            if (!flies) {
                pass.state[i] = BurstState::Fading;
                pass.age[i] = 0;
            }
        } else { // fading: listed for the flight too, where it stays put and is not drawn
            d.flight.flies[j] = 0;
            d.flight.erase[j] = 1;
            if (age == pass.trail) settle(i);
        }
        moving[kept] = static_cast<int16_t>(j);
        kept += pass.state[i] != BurstState::Settled;
    }
    random.Advance(unread);
    random_ = random;
    count = kept;
    return flying;
}

// The pixels of a star that is not settled (or settled only this step): its pixel of a trail
// ago erased once the trail is full, and its new one kept and set when it flew into view. On a
// surface that takes worked-out addresses, FlightAddresses has kept the new pixel already.
[[gnu::always_inline]] inline void UniverseEngine::DrawMoving(const BurstPass& pass, const BurstDecisions& d,
                                                              PixelWriter& out, int32_t first, int32_t i) {
    const int32_t j = i - first;
    if (pass.direct) {
        *d.flight.eraseAt[j] = 0;
        *d.flight.pixelAt[j] = pass.stored;
        if (pass.flags) {
            *d.flight.eraseFlag[j] = 1;
            *d.flight.pixelFlag[j] = 1;
        }
        return;
    }
    const int32_t slot = i * static_cast<int32_t>(pass.trail) + pass.ring; // StarArrays::Slot
    if (d.flight.erase[j]) out.Set(pass.scrX[slot], pass.scrY[slot], 0);
    if (d.flight.drawn[j]) {
        const int32_t px = d.flight.pixelX[j], py = d.flight.pixelY[j];
        pass.scrX[slot] = px;
        pass.scrY[slot] = py;
        out.Set(px, py, pass.colour);
    }
}

void UniverseEngine::SettleStar(int32_t i) {
    burst_.state[i] = BurstState::Settled;
    const int16_t galaxy = static_cast<int16_t>(RandomIndex(random_, galaxies_.count));
    stars_.galaxy[i] = galaxy;
    const int16_t type = PickStarType(model_, galaxies_.typeIndex[galaxy]);
    stars_.type[i] = type;
    SpawnStar(model_, stars_.Ref(i), type, galaxy);
}

// The settled stars move and are drawn as in a tour frame, a block at a time (StarBlock); the
// flying and fading ones are decided one by one in star order, fly together (FlyStars, with the
// addresses of their pixels where the surface takes them), and have their pixels set in between
// the settled ones', in star order.
void UniverseEngine::StepStars(uint32_t burstColour) {
    StarBlock block(stars_, galaxies_, model_, views_, styles_, screen_);
    PixelWriter out(*surface_);
    const PixelWriter::Kind kind = out.KindOf();
    const bool flags = kind == PixelWriter::Kind::Blocks;
    const BurstPass pass{burst_.state.data(),
                         burst_.age.data(),
                         stars_.scrX.data(),
                         stars_.scrY.data(),
                         stars_.trail,
                         scalars_.trailRing,
                         values_.persist,
                         step_ < minFly_,
                         kind != PixelWriter::Kind::Any,
                         flags,
                         burstColour,
                         flags ? PixelWriter::WindowOrder(burstColour) : burstColour,
                         {burst_.x.data(), burst_.y.data(), burst_.z.data(), burst_.velX.data(),
                          burst_.velY.data(), burst_.velZ.data(), stepFactor_, screen_.focalScale,
                          static_cast<double>(screen_.centreX), static_cast<double>(screen_.centreY)},
                         {{out.Pixels(), out.Width(), out.Height(), out.Stride(), out.Scratch(),
                           out.Blocks(), out.BlockColumns(), out.ScratchFlag()},
                          stars_.scrX.data() + scalars_.trailRing,
                          stars_.scrY.data() + scalars_.trailRing,
                          stars_.trail}};
    BurstDecisions d; // a local: no store through the engine's arrays can change it
    const BurstState* state = burst_.state.data();
    int32_t* age = stars_.age.data();
    for (int32_t first = 0; first < stars_.count; first += StarBlock::kSize) {
        const int32_t end = std::min(stars_.count, first + StarBlock::kSize);
        const int32_t count = end - first;
        block.Begin(first, end, scalars_.trailRing);
        block.FetchErasedPixels(*surface_);
        // A settled star ages before it moves (a wave star's height reads its age).
        PrepareFlight(state + first, age + first, count, d.flight);
        block.MarkSteadyStars([state](int32_t i) { return state[i] == BurstState::Settled; });
        block.MoveAndProject();
        const size_t b = static_cast<size_t>(first / StarBlock::kSize);
        int32_t moving = burst_.unsettledCount[b];
        if (moving > 0) {
            const int32_t moved = moving;
            const int32_t flying = DecideStars(pass, first, burst_.unsettled.data() + first, moving, d);
            burst_.unsettledCount[b] = static_cast<int16_t>(moving);
            FlightPaths paths = pass.paths;
            for (float** v : {&paths.x, &paths.y, &paths.z, &paths.velX, &paths.velY, &paths.velZ})
                *v += first;
            FlightSurface surface = pass.surface;
            surface.scrX += first * surface.trail;
            surface.scrY += first * surface.trail;
            // Lanes pay once a block has more than a few stars in flight.
            if (flying * 6 > count) {
                if (pass.direct)
                    FlyStarsToAddresses(paths, surface, count, d.flight);
                else
                    FlyStars(paths, count, d.flight);
            } else if (pass.direct) {
                FlyListedToAddresses(paths, surface, d.moved.data(), moved, d.flight);
            } else {
                FlyListed(paths, d.moved.data(), moved, d.flight);
            }
        }
        block.Draw(*surface_,
                   [&](int32_t i) __attribute__((always_inline)) { DrawMoving(pass, d, out, first, i); });
    }
}

void UniverseEngine::SettleRemaining() {
    for (int32_t i = 0; i < stars_.count; ++i)
        if (burst_.state[i] != BurstState::Settled) SettleStar(i);
    std::fill(burst_.unsettledCount.begin(), burst_.unsettledCount.end(), int16_t{0});
    CurrentNebulaPaths(model_, galaxies_.count); // the tour's comets read them too
}

bool UniverseEngine::CreateUniverse(const std::function<bool()>& checkStop) {
    BeginUniverse();
    while (BurstStep())
        if (checkStop && checkStop()) return false;
    SettleRemaining();
    return true;
}

} // namespace orb
