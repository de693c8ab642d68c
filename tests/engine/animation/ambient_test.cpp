#include "engine/animation/ambient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/animation/effects.h"

namespace orb {
namespace {

class AmbientTest : public ::testing::Test {
  protected:
    GalaxyTables tables;
    Random random{9};
    GalaxyModel model{tables, random, BuildTrigTables()};
    ScreenGeometry screen = MakeScreenGeometry(200, 200, 1.0f);
    OwnedFramebuffer fb{200, 200};
    UniverseValues values;
    AmbientArrays amb;

    void SetUp() override {
        for (int i = 0; i < kFadeSteps; ++i)
            model.colour.universeFade[i] = 0x010000u * (i + 1);
        values.centreDepth = 100;
    }
    void Frame(const AmbientFrame& f) {
        UpdateAmbientStars(amb, values, f, model, {fb.Surface(), screen, model.colour});
    }
    // One star in plain view, no sparkle, not moving.
    void OneStillStar() {
        amb.Size(1);
        amb.z[0] = 100;
    }
};

TEST_F(AmbientTest, ReplacedStarsDriftOutwardWithTheBurst) {
    values.ambientPersist = 0.25f;
    values.ambientFlashFrames = 0;
    amb.Size(200);
    for (int i = 0; i < 200; ++i)
        amb.z[i] = 100;
    Frame({{}, {}, 40.0f, 2.0f, AmbientMode::Burst});
    int replaced = 0;
    for (int i = 0; i < 200; ++i) {
        if (amb.driftX[i] == 0 && amb.driftY[i] == 0 && amb.driftZ[i] == 0) continue;
        ++replaced;
        EXPECT_NEAR(amb.driftX[i], amb.x[i] * 2.0f / 40.0f, 1e-5f);
        EXPECT_NEAR(amb.driftY[i], amb.y[i] * 2.0f / 40.0f, 1e-5f);
        EXPECT_NEAR(amb.driftZ[i], (amb.z[i] - 100.0f) * 2.0f / 40.0f, 1e-5f);
        EXPECT_TRUE(amb.flash[i] == 0 && amb.age[i] == 0.0f) << "no cycle-down frames: no sparkle";
    }
    EXPECT_GT(replaced, 100);
    Frame({{}, {}, 0.0f, 0.0f, AmbientMode::Burst}); // an unexpanded universe gives no drift
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(std::isfinite(amb.z[i]) && std::isfinite(amb.driftX[i])) << i;
    OneStillStar();
    random.Seed(3456206); // draws exactly the persistence 0.25: not below it, so replaced
    Frame({{}, {}, 40.0f, 2.0f, AmbientMode::Burst});
    EXPECT_NE(amb.z[0], 100.0f);
}

TEST_F(AmbientTest, AStarIsReplacedOnlyAfterItsLastSparkleFrame) {
    values.ambientPersist = 0.0f, values.ambientFlashFrames = 5; // every star that may be replaced is
    OneStillStar();
    amb.flash[0] = 2;
    for (const int16_t flash : {1, 5}) { // moved with one frame left, then replaced by a fresh star
        Frame({});
        EXPECT_EQ(amb.flash[0], flash);
    }
}

TEST_F(AmbientTest, AStarAtOrBehindTheCameraIsNeitherDrawnNorMoved) {
    values.ambientPersist = 1.0f;
    for (const auto& [z, drift] : {std::pair{100.0f, -150.0f}, {kNearDepth, 0.0f}}) { // behind, at the camera
        OneStillStar();
        Frame({});
        ASSERT_NE(fb.Surface().Get(100, 100), 0u);
        amb.z[0] = z, amb.driftZ[0] = drift;
        Frame({});
        EXPECT_EQ(fb.Surface().Get(100, 100), 0u) << z;
        EXPECT_EQ(amb.scrX[0], 100) << "keeps its last pixel";
        EXPECT_EQ(std::count(fb.Pixels().begin(), fb.Pixels().end(), 0u), 200 * 200);
    }
}

} // namespace
} // namespace orb
