#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "engine/creation/galaxy_fixture.h"

namespace orb {
namespace {

using test::GalaxyWorld;
using test::MakeWorld;

constexpr float kR = 4.0f, kQ = 16.0f;

float Envelope(int16_t profile, float r, float R = kR, float Q = kQ) {
    Random random(1);
    return std::fabs(ProfileHeight(random, profile, r, R, Q));
}

TEST(ProfileHeight, EnvelopesAtTheirBreakPoints) {
    const struct {
        int16_t profile;
        float r;
        double expected;
    } cases[] = {
        {0, 0, 4.0}, {0, 1, 2.80058},  {0, 2, 1.6}, {0, 3, 1.38564}, {0, 4, 0}, // Standard
        {1, 0, 4.0}, {1, 0.4f, 3.0},   {1, 3, 1.0}, {1, 4, 0},                  // Top-Like
        {2, 0, 4.0}, {2, 4, 0},                                                 // Spherical
        {3, 0, 4.0}, {3, 1, 3.0},      {3, 4, 0},                               // Conical
        {4, 0, 4.0}, {4, 2, 0.535898}, {4, 4, 0},                               // Hyperbolic
        {5, 0, 0},   {5, 4, 4.0},                                               // Outer-Hyperbolic
        {6, 0, 0},   {6, 2, 3.464102}, {6, 4, 4.0},                             // Inner-Hyperbolic
        {7, 1, 0},   {-1, 1, 0},                                                // unknown
    };
    for (const auto& c : cases)
        EXPECT_NEAR(Envelope(c.profile, c.r), c.expected, 1e-3) << "profile " << c.profile << " r " << c.r;
}

TEST(ProfileHeight, JustPastTheRimAndForAZeroRadiusShapeStaysFinite) {
    const float rim = std::nextafter(kR, 10.0f) + kTiny;
    for (int16_t profile = 0; profile < 7; ++profile) {
        Random random(2);
        const float h = ProfileHeight(random, profile, rim, kR, kQ);
        ASSERT_TRUE(std::isfinite(h)) << "profile " << profile;
        EXPECT_TRUE(profile > 2 || h == 0.0f) << "the first three close at the rim, profile " << profile;
        EXPECT_EQ(Envelope(profile, 0, 0, 0), 0.0f) << "zero radius, profile " << profile;
    }
    EXPECT_NEAR(Envelope(5, rim), 4.0, 1e-5); // the outer hyperbola is at its full height there
}

// Type 0 with the given properties, prepared, and one radius and height drawn from it.
std::unique_ptr<GalaxyWorld> Prepared(std::initializer_list<std::pair<G, float>> props, uint64_t seed = 42) {
    auto w = MakeWorld(seed);
    for (auto [g, v] : props)
        w->Type(0)[g] = v;
    w->Prepare();
    return w;
}
std::pair<float, float> Draw(GalaxyWorld& w) {
    float radius, height;
    StandardRadiusHeight(w.model, radius, height, 0);
    return {radius, height};
}


// Radius exponent 0 puts every star on the rim, height exponent 0 on the envelope.
TEST(StandardRadiusHeight, ExponentsOf0PutStarsOnTheRimAndTheEnvelope) {
    auto rim = Prepared({{G::RadiusExp, 0}});
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(Draw(*rim).first, 3.0f);
    auto w = Prepared({{G::HeightExp, 0}, {G::Profile, 2}}); // sphere: envelope sqrt(R^2 - r^2)
    int below = 0;
    for (int i = 0; i < 200; ++i) {
        const auto [radius, height] = Draw(*w);
        below += height < 0;
        ASSERT_NEAR(std::fabs(height), std::sqrt(std::fmax(9.0 - double(radius) * radius, 0.0)) * 0.3, 1e-5);
    }
    EXPECT_TRUE(below > 60 && below < 140) << "the sign draw puts stars on both faces: " << below;
}


} // namespace
} // namespace orb
