#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/creation/galaxy_fixture.h"
#include "engine/creation/styles.h"

namespace orb {
namespace {

std::unique_ptr<test::GalaxyWorld> NebulaWorld(int points, float steps = 500, float rotation = -1) {
    auto w = test::MakeWorld();
    GalaxyType& t = w->Type(0);
    t[G::GalStyle] = 4;
    t[G::CP_Points] = static_cast<float>(points);
    t[G::CP_Close] = 1.0f;
    t[G::CP_Steps] = steps;
    if (rotation >= 0) t[G::Rotation] = rotation; // otherwise the type's own
    w->Setup(0, 2);
    return w;
}

TEST(NebulaPath, PointCountsAreClampedAndTheStepsSetHowOftenLayersShift) {
    EXPECT_EQ(NebulaWorld(45)->Type(0)[G::CP_Points], 20.0f);
    EXPECT_EQ(NebulaWorld(0)->Type(0)[G::CP_Points], 1.0f);
    auto w = NebulaWorld(6, 0, 0);
    const std::vector<float> before = w->model.style.nebulaLayerX;
    const uint64_t state = w->random.State();
    for (int frame = 0; frame < 3000; ++frame)
        AdvanceNebulaPoints(w->model, 2, 0, {});
    EXPECT_EQ(w->model.style.nebulaLayerX, before);
    EXPECT_EQ(w->model.style.nebulaPhase[0], 0.0f);
    EXPECT_EQ(w->random.State(), state);
    auto every = NebulaWorld(6, 1, 0); // one step a point: the layers shift every frame
    const uint64_t fresh = every->random.State();
    AdvanceNebulaPoints(every->model, 2, 0, {});
    EXPECT_NE(every->random.State(), fresh);
    auto moving = NebulaWorld(6); // type 0 given as the slot drives every galaxy
    AdvanceNebulaPoints(moving->model, 2, 0, {});
    EXPECT_NE(moving->model.style.nebulaLayerX, before);
}

// The bias position carries the bias point along the path and wraps at its end; a junk
// position still lands the star on the path.
TEST(NebulaSpawn, TheBiasPositionWraps) {
    auto w = NebulaWorld(4);
    w->Type(0)[G::CP_B_Spd] = 999;
    w->Prepare();
    w->Type(0).nebulaBiasPos = 3.95f;
    w->Spawn(0, 1);
    EXPECT_NEAR(w->Type(0).nebulaBiasPos, 3.95 + 0.0999 - 4, 1e-5);
    w->Type(0).nebulaBiasPos = 250.0f;
    EXPECT_TRUE(w->Spawn(0, 1).Finite());
    w->Type(0).nebulaBiasPos = std::nanf(""); // a junk position starts at the path's first point
    const auto& px = w->model.style.nebulaPathX;
    const int i = GalaxyStyleState::Path(1, 0);
    EXPECT_EQ(w->Spawn(0, 1).x,
              static_cast<float>(styles::BSpline(px[i], px[i + 1], px[i + 2], px[i + 3], 0.0)));
}

} // namespace
} // namespace orb
