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

TEST_F(AmbientTest, FullPersistenceNeverReplacesAStar) {
    values.ambientPersist = 1.0f;
    amb.Size(50);
    for (int i = 0; i < 50; ++i) {
        amb.x[i] = static_cast<float>(i);
        amb.z[i] = 100;
    }
    const AmbientFrame f{{0.5f, 0, -1}, {}, 10, 1, AmbientMode::Tour};
    for (int n = 0; n < 40; ++n) {
        for (int i = 0; i < 50; ++i) {
            amb.driftX[i] = f.cameraDelta.x;
            amb.driftZ[i] = f.cameraDelta.z;
        }
        Frame(f);
    }
    for (int i = 0; i < 50; ++i)
        EXPECT_TRUE(amb.x[i] == i + 20.0f && amb.z[i] == 60.0f && amb.flash[i] == 0) << i;
}

TEST_F(AmbientTest, DotsCoolThroughThePaletteAndVanishAtEighty) {
    values.ambientPersist = 1.0f;
    values.ambientAgeStep = 10.0f;
    OneStillStar();
    for (int n = 1; n <= 7; ++n) {
        Frame({});
        EXPECT_EQ(fb.Surface().Get(100, 100), model.colour.universeFade[10 * n]) << "frame " << n;
    }
    Frame({});
    EXPECT_EQ(fb.Surface().Get(100, 100), 0u) << "aged 80: erased and not drawn again";
    EXPECT_FLOAT_EQ(amb.age[0], 80.0f);
    values.ambientAgeStep = 0.0f; // no age step keeps the first palette entry
    amb.age[0] = 0;
    Frame({});
    Frame({});
    EXPECT_EQ(fb.Surface().Get(100, 100), model.colour.universeFade[0]);
}

TEST_F(AmbientTest, ANewStarSparklesWhiteThenBecomesADot) {
    values.ambientPersist = 1.0f;
    values.ambientFlashFrames = 3;
    values.ambientFlashSize = 1.0f;
    OneStillStar();
    amb.flash[0] = 3;
    Frame({});
    EXPECT_EQ(amb.flash[0], 2);
    EXPECT_EQ(fb.Surface().Get(100, 100), kSparkleWhite);
    Frame({});
    Frame({});
    EXPECT_EQ(amb.flash[0], 0);
    Frame({});
    EXPECT_EQ(fb.Surface().Get(100, 100), model.colour.universeFade[0]);
}

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
}

TEST_F(AmbientTest, AStarBehindTheCameraIsNeitherDrawnNorMoved) {
    values.ambientPersist = 1.0f;
    OneStillStar();
    Frame({});
    ASSERT_NE(fb.Surface().Get(100, 100), 0u);
    amb.driftZ[0] = -150; // passes behind the camera
    Frame({});
    EXPECT_EQ(fb.Surface().Get(100, 100), 0u);
    EXPECT_EQ(amb.scrX[0], 100) << "keeps its last pixel";
    EXPECT_EQ(std::count(fb.Pixels().begin(), fb.Pixels().end(), 0u), 200 * 200);
}

} // namespace
} // namespace orb
