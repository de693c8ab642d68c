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

// A path worked out only when a star is placed on it gives every star the place the path worked
// out at once gives, whether the layers moved once or many times since (open and closed paths,
// layers shifting every few frames); CurrentNebulaPaths leaves every path as at once.
TEST(NebulaPath, WorkedOutWhenReadPlacesStarsAsWorkedOutAtOnce) {
    for (const float close : {0.0f, 1.0f}) {
        auto now = NebulaWorld(7, 3), whenRead = NebulaWorld(7, 3);
        for (auto* w : {&now, &whenRead}) {
            (*w)->Type(0)[G::CP_Close] = close;
            (*w)->Setup(0, 2);
        }
        for (int frame = 1; frame <= 40; ++frame) {
            AdvanceNebulaPoints(now->model, 2, 0, {});
            AdvanceNebulaPoints(whenRead->model, 2, 0, {}, NebulaPaths::WhenRead);
            if (frame % 7 != 0 && frame % 11 != 0) continue; // stars now and then, in galaxy 1 only
            const test::StarValues a = now->Spawn(0, 1), b = whenRead->Spawn(0, 1);
            ASSERT_EQ(std::vector<float>({a.x, a.y, a.z, a.velX, a.velY, a.velZ, a.radius}),
                      std::vector<float>({b.x, b.y, b.z, b.velX, b.velY, b.velZ, b.radius}))
                << "frame " << frame << " close " << close;
        }
        EXPECT_NE(whenRead->model.style.nebulaPathX, now->model.style.nebulaPathX); // galaxy 0's is due
        CurrentNebulaPaths(whenRead->model, 2);
        EXPECT_EQ(whenRead->model.style.nebulaPathX, now->model.style.nebulaPathX);
        EXPECT_EQ(whenRead->model.style.nebulaPathZ, now->model.style.nebulaPathZ);
    }
}

} // namespace
} // namespace orb
