#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "engine/creation/galaxy_fixture.h"

namespace orb {
namespace {

using test::GalaxyWorld;
using test::MakeWorld;
using test::StarValues;

TEST(PrepareGalaxyTypes, CountsBelow1AreTakenAs1) {
    auto w = MakeWorld();
    w->Type(0)[G::RadSegs] = 0;
    w->Type(0)[G::RadBands] = -3;
    w->Prepare();
    const GalaxyTypeRun& run = w->model.run[0];
    EXPECT_EQ(std::tuple(run.armCount, run.bandCount, run.armSpacing, run.ifsLevels),
              std::tuple(1, 1, kTwoPi, 0));
}

// A galaxy beyond those set up leaves the star in place; one set up beyond the reserve works;
// a composite member outside the types sets nothing up.
TEST(SetupGalaxies, IfsAndNebulaStarsOfAGalaxyNotSetUpAreLeftInPlace) {
    auto w = MakeWorld();
    for (int style : {3, 4}) {
        w->Type(0)[G::GalStyle] = static_cast<float>(style);
        w->Setup(0, 2);
        StarValues s;
        s.x = s.radius = 5;
        SpawnStar(w->model, s.Ref(), 0, 2); // galaxies 0 and 1 are set up
        EXPECT_EQ(std::pair(s.x, s.radius), std::pair(5.0f, 5.0f)) << style;
        w->Setup(0, 50);
        EXPECT_TRUE(w->Spawn(0, 49).Finite());
    }
    const int16_t unknown[] = {-1};
    SetupGalaxies(w->model, 1, -1, -1, unknown); // sets nothing up, reads no type
    w->Type(kGalaxyTypeSlots)[G::GalStyle] = 4;  // a composite's own record, not a star type
    w->tables.composites[0].count = 1;
    w->tables.composites[0].member[0] = kGalaxyTypeSlots; // an unvalidated member: passed over
    const uint64_t before = w->random.State();
    SetupGalaxies(w->model, 1, -1, 0, {});
    EXPECT_EQ(w->random.State(), before);
}

// Every property at a boundary or beyond it, in every style: no star value may become NaN
// or infinite, and nothing may hang.
TEST(GalaxyGeneration, ExtremeSettingsNeverGiveNonFiniteStars) {
    std::vector<int16_t> slots(kGalaxyTypeSlots);
    for (int g = 0; g < kGalaxyTypeSlots; ++g)
        slots[g] = static_cast<int16_t>(g); // galaxy g of type g
    int round = 0;
    for (float v : {0.0f, -1.0f, 1.0f, 30000.0f})
        for (int style = 0; style < kStyleCount; ++style) {
            auto w = MakeWorld(static_cast<uint64_t>(++round));
            for (int t = 0; t < kGalaxyTypeSlots; ++t) {
                for (int p = t % 4; p < kGalaxyPropCount; p += 4) // a different mix of extremes per type
                    w->Type(t).prop[p] = v;
                w->Type(t)[G::GalStyle] = static_cast<float>(style);
            }
            w->Prepare();
            SetupGalaxies(w->model, kGalaxyTypeSlots, -1, -1, slots);
            for (int frame = 0; frame < 3; ++frame)
                AdvanceNebulaPoints(w->model, kGalaxyTypeSlots, -1, slots);
            for (int i = 0; i < 640; ++i)
                ASSERT_TRUE(w->Spawn(slots[i % kGalaxyTypeSlots], slots[i % kGalaxyTypeSlots]).Finite())
                    << "value " << v << " style " << style;
        }
}

} // namespace
} // namespace orb
