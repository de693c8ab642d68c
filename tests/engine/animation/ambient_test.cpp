#include "engine/animation/ambient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

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

// Far more stars than one block of the passes, and not a whole number of blocks: each star moves
// by its own drift and is drawn at its own projection (fresh stars have no sparkle).
TEST_F(AmbientTest, EveryStarOfManyMovesAndIsDrawnAsTheFirst) {
    values.ambientPersist = 1.0f;
    values.ambientAgeStep = 1.0;
    constexpr int kStars = 600;
    amb.Size(kStars);
    for (int i = 0; i < kStars; ++i) {
        amb.x[i] = static_cast<float>(i % 37 - 18), amb.y[i] = static_cast<float>(i % 23 - 11);
        amb.z[i] = static_cast<float>(100 + i % 50);
        amb.driftX[i] = 0.01f * static_cast<float>(i % 5), amb.driftY[i] = -0.02f * static_cast<float>(i % 3);
        amb.driftZ[i] = -0.5f - 0.1f * static_cast<float>(i % 7);
    }
    const AmbientArrays before = amb;
    Frame({});
    for (int i = 0; i < kStars; ++i) {
        const float x = static_cast<float>(static_cast<double>(before.x[i]) + before.driftX[i]);
        const float y = static_cast<float>(static_cast<double>(before.y[i]) + before.driftY[i]);
        const float z = static_cast<float>(static_cast<double>(before.z[i]) + before.driftZ[i]);
        ASSERT_EQ(std::tuple(amb.x[i], amb.y[i], amb.z[i]), std::tuple(x, y, z)) << i;
        const float k = screen.focalScale / z;
        const int32_t sx = PixelCoord(static_cast<double>(x) * k + screen.centreX);
        const int32_t sy = PixelCoord(static_cast<double>(y) * k + screen.centreY);
        ASSERT_EQ(std::pair(amb.scrX[i], amb.scrY[i]), std::pair(sx, sy)) << i;
        EXPECT_EQ(fb.Surface().Get(sx, sy), model.colour.universeFade[1]) << i; // age 1 after one step
    }
}

} // namespace
} // namespace orb
