#include "engine/creation/universe_flight.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace orb {
namespace {

// One burst star as the star-by-star chain moves it.
struct Star {
    float x, y, z, velX, velY, velZ;
    bool flying, flies;
};

// The chain the lanes must reproduce exactly: depth first, across only in front of the viewer.
struct Expected {
    Star after;
    bool drawn;
    int32_t px, py;
};
Expected Reference(Star s, float k, float focalScale, double cx, double cy) {
    Expected e{s, false, 0, 0};
    if (s.flies) {
        const float z = static_cast<float>(static_cast<double>(s.z) + s.velZ);
        e.after.z = z;
        if (z > kNearDepth) {
            const float x = static_cast<float>(static_cast<double>(s.x) + s.velX);
            const float y = static_cast<float>(static_cast<double>(s.y) + s.velY);
            e.after.x = x;
            e.after.y = y;
            const float scale = focalScale / z;
            e.px = PixelCoord(static_cast<double>(x) * scale + cx);
            e.py = PixelCoord(static_cast<double>(y) * scale + cy);
            e.drawn = true;
        }
    }
    if (s.flying) {
        e.after.velX *= k;
        e.after.velY *= k;
        e.after.velZ *= k;
    }
    return e;
}

uint32_t Bits(float v) {
    uint32_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

// Both ways of flying a block (in lanes, and star by star from a list) against the reference,
// over stars that cross the near plane, stay behind it, stop or have stopped, and land far
// beyond any 32-bit pixel (saturated) or on NaN.
TEST(FlightTest, LanesAndListMatchTheStarByStarChain) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<Star> cases = {
        {10, -20, 500, 1.5f, -0.25f, 3, true, true},       // in view, moving away
        {0.3f, 0.7f, 0.0015f, 0, 0, -0.001f, true, true},  // crosses the near plane: depth only
        {5, 5, -40, 1, 1, -1, true, true},                 // behind the viewer
        {-7, 3, 100, 2, 2, 2, true, false},                // stops flying: damped, not moved
        {-7, 3, 100, 2, 2, 2, false, false},               // fading or settled: untouched
        {3e9f, -3e9f, 0.002f, 0, 0, 0, true, true},        // saturates both ways
        {1e-3f, 2147483000.0f, 1, 0, 1000, 0, true, true}, // just past the 32-bit range
        {nan, 1, 10, 0, 0, 0, true, true},                 // NaN across: pixel 0
        {inf, -inf, 10, 0, 0, 0, true, true},              // infinite across
        {1, 2, 3, 0.5f, 0.5f, 0.5f, true, true},
    };
    const float k = 0.75f, focalScale = 448.0f;
    const double cx = 512, cy = 384;
    for (const bool listed : {false, true}) {
        std::vector<float> x, y, z, vx, vy, vz;
        FlightBlock block{};
        std::vector<int16_t> list;
        for (size_t j = 0; j < cases.size(); ++j) {
            const Star& s = cases[j];
            x.push_back(s.x), y.push_back(s.y), z.push_back(s.z);
            vx.push_back(s.velX), vy.push_back(s.velY), vz.push_back(s.velZ);
            block.flying[j] = s.flying;
            block.flies[j] = s.flies;
            if (s.flying) list.push_back(static_cast<int16_t>(j));
        }
        const FlightPaths paths{x.data(),  y.data(), z.data(),   vx.data(), vy.data(),
                                vz.data(), k,        focalScale, cx,        cy};
        const int32_t n = static_cast<int32_t>(cases.size());
        if (listed)
            FlyListed(paths, list.data(), static_cast<int32_t>(list.size()), block);
        else
            FlyStars(paths, n, block);
        for (int32_t j = 0; j < n; ++j) {
            SCOPED_TRACE(testing::Message() << (listed ? "listed" : "lanes") << ", star " << j);
            const Expected e = Reference(cases[j], k, focalScale, cx, cy);
            EXPECT_EQ(Bits(x[j]), Bits(e.after.x));
            EXPECT_EQ(Bits(y[j]), Bits(e.after.y));
            EXPECT_EQ(Bits(z[j]), Bits(e.after.z));
            EXPECT_EQ(Bits(vx[j]), Bits(e.after.velX));
            EXPECT_EQ(Bits(vy[j]), Bits(e.after.velY));
            EXPECT_EQ(Bits(vz[j]), Bits(e.after.velZ));
            if (!cases[j].flying) continue; // a listed flight leaves the others' outputs alone
            EXPECT_EQ(block.drawn[j] != 0, e.drawn);
            if (e.drawn) {
                EXPECT_EQ(block.pixelX[j], e.px);
                EXPECT_EQ(block.pixelY[j], e.py);
            }
        }
    }
}

// Settled stars age by one frame each block (never past the largest age); the flight flags clear.
TEST(FlightTest, PrepareAgesOnlySettledStars) {
    const BurstState state[] = {BurstState::Settled, BurstState::Flying, BurstState::Fading,
                                BurstState::Settled};
    int32_t age[] = {5, 5, 5, INT32_MAX};
    FlightBlock block;
    std::fill(std::begin(block.flying), std::end(block.flying), 1);
    std::fill(std::begin(block.flies), std::end(block.flies), 1);
    PrepareFlight(state, age, 4, block);
    EXPECT_EQ(std::vector<int32_t>(age, age + 4), (std::vector<int32_t>{6, 5, 5, INT32_MAX}));
    for (int j = 0; j < 4; ++j)
        EXPECT_TRUE(block.flying[j] == 0 && block.flies[j] == 0) << j;
}

} // namespace
} // namespace orb
