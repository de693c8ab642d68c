#include "engine/animation/universe_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace orb {

// Every setting below its range in one universe and beyond it in another.
TEST(UniverseValues, ClampsAndScalings) {
    UniverseSettings low, high;
    for (U u : {U::Galaxy,     U::STrail, U::Expand, U::ESteps,    U::Damping,   U::HWRatio, U::NewFreq,
                U::NewPctStEx, U::GSteps, U::GPCtrl, U::GCCtrl,    U::DstCen,    U::AmStar,  U::AmFrames,
                U::AmMaxExt,   U::AmPers, U::AmCAge, U::GravForce, U::GravFrame, U::Profile})
        low[u] = -1, high[u] = 2e9f;
    low[U::Stars] = 3, high[U::Stars] = 2e9f; // far above a 16-bit value
    low[U::Persist] = 0.1f, high[U::Persist] = 2;
    low[U::Symetry] = std::nanf(""), high[U::Symetry] = 2; // non-finite takes the lower bound
    const UniverseValues l = ClampUniverseValues(low), h = ClampUniverseValues(high);
    EXPECT_EQ(std::tuple(l.stars, l.galaxies, l.trail, l.burstSteps, l.profile, l.newFreq, l.tourSteps,
                         l.visitPoints, l.corePoints, l.ambientStars, l.ambientFlashFrames, l.gravityFrames),
              std::tuple(10, 1, 1, 1, 0, 0, 1, 1, 0, 1, 0, 1));
    EXPECT_EQ(std::tuple(h.stars, h.galaxies, h.trail, h.burstSteps, h.profile, h.newFreq, h.tourSteps,
                         h.visitPoints, h.corePoints, h.ambientStars, h.ambientFlashFrames, h.gravityFrames),
              std::tuple(30000, 999, 1, 9999, 6, 9999, 9999, 999, 999, 3000, 999, 999));
    EXPECT_EQ(std::tuple(l.expand, l.symmetry, l.persist, l.stepFactor, l.hwRatio, l.newPctStEx,
                         l.centreDepth, l.ambientPersist, l.ambientAgeStep, l.gravity),
              std::tuple(0.0f, 0.0f, 0.25f, 1.0f, 0.0f, 0.0f, 0.0f, 0.25f, 0.0f, 0.0f));
    EXPECT_FLOAT_EQ(l.ambientFlashSize, 0.01f);
    EXPECT_EQ(
        std::tuple(h.symmetry, h.persist, h.stepFactor, h.newPctStEx, h.ambientPersist, h.ambientAgeStep),
        std::tuple(1.0f, 1.0f, 0.5f, 1.0f, 1.0f, 10.0f));
    for (auto [got, want] : {std::pair{h.expand, 99.999f},
                             {h.hwRatio, 99.9f},
                             {h.centreDepth, 9999.99f},
                             {h.ambientFlashSize, 99.99f},
                             {h.gravity, 0.0999999f}})
        EXPECT_FLOAT_EQ(got, want);
    high[U::Stars] = 1579, high[U::STrail] = 99;
    EXPECT_EQ(ClampUniverseValues(high).trail, 18) << "30000 \\ 1579";
    high[U::Expand] = 12345, high[U::GravForce] = 125000, high[U::NewPctStEx] = 42.5f; // rounded, then scaled
    EXPECT_EQ(std::tuple(ClampUniverseValues(high).expand, ClampUniverseValues(high).newPctStEx),
              std::tuple(static_cast<float>(12345 * 0.001), static_cast<float>(42 * 0.01)));
    EXPECT_FLOAT_EQ(ClampUniverseValues(high).gravity, 0.0125f);
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
