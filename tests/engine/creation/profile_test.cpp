#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "engine/creation/galaxy_fixture.h"

namespace orb {
namespace {

using test::MakeWorld;

constexpr float kR = 4.0f, kQ = 16.0f;

float Envelope(int16_t profile, float r, float R = kR, float Q = kQ) {
    Random random(1);
    return std::fabs(ProfileHeight(random, profile, r, R, Q));
}

struct EnvelopeCase {
    int16_t profile;
    float r;
    double expected;
};

TEST(ProfileHeight, EnvelopesAtTheirBreakPoints) {
    const EnvelopeCase cases[] = {
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

TEST(ProfileHeight, PiecesMeetAtTheirBreaks) {
    const float eps = 1e-6f; // both pieces are steep square roots at the breaks
    for (float r : {kR * 0.25f, kR * 0.5f})
        EXPECT_NEAR(Envelope(0, r - eps), Envelope(0, r + eps), 0.01) << "standard at " << r;
    for (float r : {kR * 0.1f, kR * 0.75f})
        EXPECT_NEAR(Envelope(1, r - eps), Envelope(1, r + eps), 0.01) << "top-like at " << r;
}

TEST(ProfileHeight, JustPastTheRimIsFiniteAndClosed) {
    const float rim = std::nextafter(kR, 10.0f) + kTiny;
    for (int16_t profile = 0; profile < 7; ++profile) {
        Random random(2);
        const float h = ProfileHeight(random, profile, rim, kR, kQ);
        ASSERT_TRUE(std::isfinite(h)) << "profile " << profile;
        if (profile <= 2) {
            EXPECT_EQ(h, 0.0f) << "profile " << profile;
        }
    }
    EXPECT_NEAR(Envelope(5, rim), 4.0, 1e-5); // the outer hyperbola is at its full height there
}

TEST(ProfileHeight, ZeroRadiusShapeGivesZeroNotNaN) {
    for (int16_t profile = 0; profile < 7; ++profile)
        EXPECT_EQ(Envelope(profile, 0, 0, 0), 0.0f) << profile;
}

TEST(ProfileHeight, SignDrawPutsStarsOnBothFaces) {
    Random random(4);
    int below = 0;
    for (int i = 0; i < 2000; ++i) {
        const float h = ProfileHeight(random, 2, 0, kR, kQ);
        ASSERT_FLOAT_EQ(std::fabs(h), 4.0f);
        below += h < 0;
    }
    EXPECT_GT(below, 850);
    EXPECT_LT(below, 1150);
}

TEST(StandardRadiusHeight, RadiusExponent0PutsEveryStarOnTheRim) {
    auto w = MakeWorld();
    w->Type(0)[G::RadiusExp] = 0;
    w->Prepare();
    for (int i = 0; i < 200; ++i) {
        float radius, height;
        StandardRadiusHeight(w->model, radius, height, 0);
        ASSERT_EQ(radius, 3.0f);
    }
}

TEST(StandardRadiusHeight, BandFill0PutsStarsOnBandCircles) {
    auto w = MakeWorld();
    w->Type(0)[G::RadBands] = 4;
    w->Type(0)[G::RadBFill] = 0;
    w->Prepare();
    std::set<int> seen;
    for (int i = 0; i < 400; ++i) {
        float radius, height;
        StandardRadiusHeight(w->model, radius, height, 0);
        int band = -1;
        for (int k = 0; k < 4; ++k)
            if (std::fabs(radius - (std::pow(k / 4.0, 1.4) * 3.0 + 1e-9)) < 1e-6) band = k;
        ASSERT_GE(band, 0) << "radius " << radius;
        seen.insert(band);
    }
    EXPECT_EQ(seen.size(), 4u);
}

TEST(StandardRadiusHeight, HeightExponent0PutsStarsOnTheEnvelope) {
    auto w = MakeWorld();
    w->Type(0)[G::HeightExp] = 0;
    w->Type(0)[G::Profile] = 2; // sphere: envelope sqrt(R^2 - r^2)
    w->Prepare();
    for (int i = 0; i < 200; ++i) {
        float radius, height;
        StandardRadiusHeight(w->model, radius, height, 0);
        ASSERT_NEAR(std::fabs(height), std::sqrt(std::fmax(9.0 - double(radius) * radius, 0.0)) * 0.3, 1e-5);
    }
}

TEST(StandardRadiusHeight, StaysInsideTheDiscAndTakesFourDraws) {
    auto w = MakeWorld(8);
    w->Prepare();
    for (int i = 0; i < 500; ++i) {
        Random reference = w->random;
        float radius, height;
        StandardRadiusHeight(w->model, radius, height, 0);
        ASSERT_GT(radius, 0.0f);
        ASSERT_LE(radius, 3.0f);
        ASSERT_LE(std::fabs(height), 3.0f * 0.3f * 1.41f); // the standard bulge peaks near 1.4 R
        for (int d = 0; d < 4; ++d)
            reference();
        ASSERT_EQ(w->random.State(), reference.State());
    }
}

} // namespace
} // namespace orb
