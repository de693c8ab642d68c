#include "engine/animation/universe_values.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orb {

TEST(UniverseValues, DefaultsComeOutAsTheRunUsesThem) {
    const UniverseValues v = ClampUniverseValues(UniverseSettings{});
    EXPECT_EQ(v.stars, 4000);
    EXPECT_FLOAT_EQ(v.expand, 10.0f);
    EXPECT_FLOAT_EQ(v.stepFactor, 0.995f);
    EXPECT_FLOAT_EQ(v.newPctStEx, 0.9f);
    EXPECT_FLOAT_EQ(v.centreDepth, 150.0f);
    EXPECT_FLOAT_EQ(v.ambientFlashSize, 99.99f) << "15000 is clamped to 9999 before scaling";
    EXPECT_FLOAT_EQ(v.gravity, 0.0f);
}

TEST(UniverseValues, ClampsAndScalings) {
    struct Row {
        const char* what;
        void (*set)(UniverseSettings&);
        float (*get)(const UniverseValues&);
        float want;
    };
    const Row rows[] = {
        {"trail limited by stars", [](UniverseSettings& u) { u[U::STrail] = 99, u[U::Stars] = 4000; },
         [](const UniverseValues& v) -> float { return v.trail; }, 7},
        {"trail of the largest universe", [](UniverseSettings& u) { u[U::STrail] = 99, u[U::Stars] = 30000; },
         [](const UniverseValues& v) -> float { return v.trail; }, 1},
        {"stars below range", [](UniverseSettings& u) { u[U::Stars] = 3; },
         [](const UniverseValues& v) -> float { return v.stars; }, 10},
        {"stars far above a 16-bit value", [](UniverseSettings& u) { u[U::Stars] = 2e9f; },
         [](const UniverseValues& v) -> float { return v.stars; }, 30000},
        {"no damping keeps all speed", [](UniverseSettings& u) { u[U::Damping] = 0; },
         [](const UniverseValues& v) { return v.stepFactor; }, 1.0f},
        {"full damping keeps half", [](UniverseSettings& u) { u[U::Damping] = 1; },
         [](const UniverseValues& v) { return v.stepFactor; }, 0.5f},
        {"damping beyond range", [](UniverseSettings& u) { u[U::Damping] = 7; },
         [](const UniverseValues& v) { return v.stepFactor; }, 0.5f},
        {"no ambient stars still runs one", [](UniverseSettings& u) { u[U::AmStar] = 0; },
         [](const UniverseValues& v) -> float { return v.ambientStars; }, 1},
        {"persistence below range", [](UniverseSettings& u) { u[U::Persist] = 0.1f; },
         [](const UniverseValues& v) { return v.persist; }, 0.25f},
        {"expansion scaled", [](UniverseSettings& u) { u[U::Expand] = 99999; },
         [](const UniverseValues& v) { return v.expand; }, 99.999f},
        {"new-star share rounded then scaled", [](UniverseSettings& u) { u[U::NewPctStEx] = 150; },
         [](const UniverseValues& v) { return v.newPctStEx; }, 1.0f},
        {"gravity scaled", [](UniverseSettings& u) { u[U::GravForce] = 125000; },
         [](const UniverseValues& v) { return v.gravity; }, 0.0125f},
        {"burst steps at least 1", [](UniverseSettings& u) { u[U::ESteps] = -4; },
         [](const UniverseValues& v) -> float { return v.burstSteps; }, 1},
        {"profile within 0..6", [](UniverseSettings& u) { u[U::Profile] = 9; },
         [](const UniverseValues& v) -> float { return v.profile; }, 6},
        {"non-finite symmetry takes the bound", [](UniverseSettings& u) { u[U::Symetry] = std::nanf(""); },
         [](const UniverseValues& v) { return v.symmetry; }, 0.0f},
    };
    for (const Row& r : rows) {
        UniverseSettings u;
        r.set(u);
        EXPECT_FLOAT_EQ(r.get(ClampUniverseValues(u)), r.want) << r.what;
    }
}

TEST(UniverseValues, PreviewReductionRoundsToEven) {
    UniverseSettings u;
    u[U::Stars] = 4000;
    u[U::AmStar] = 125;
    ReduceForPreview(u);
    EXPECT_EQ(u[U::Stars], 2600);
    EXPECT_EQ(u[U::AmStar], 62);
    u[U::Stars] = 10; // 6.5 -> 6, then the run's clamp lifts it to 10
    ReduceForPreview(u);
    EXPECT_EQ(ClampUniverseValues(u).stars, 10);
}

} // namespace orb
