#include <gtest/gtest.h>

#include <cmath>

#include "engine/creation/galaxy_model.h"

namespace orb {
namespace {

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

} // namespace
} // namespace orb
