#include "engine/animation/gravity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace orb {
namespace {

// Per-galaxy arrays as the driver holds them, with the views the gravity step takes.
struct Galaxies {
    std::vector<float> px, py, pz, vx, vy, vz;
    explicit Galaxies(std::initializer_list<std::array<float, 3>> positions) {
        for (const auto& p : positions)
            px.push_back(p[0]), py.push_back(p[1]), pz.push_back(p[2]);
        vx = vy = vz = std::vector<float>(px.size(), 0.0f);
    }
    GalaxyBodies Bodies() { return {px, py, pz, vx, vy, vz}; }
};

} // namespace

TEST(Gravity, CoincidentGalaxiesAndALoneGalaxyStayPut) {
    Galaxies pair({{5, 5, 5}, {5, 5, 5}});
    Galaxies lone({{1, 2, 3}});
    GravityState state;
    for (int frame = 0; frame < 3; ++frame) {
        GravityStep(state, pair.Bodies(), 0.0999999f, 1);
        GravityStep(state, lone.Bodies(), 0.0999999f, 1);
    }
    for (size_t i = 0; i < 2; ++i) // a zero difference pulls with 0, not NaN
        EXPECT_TRUE(pair.vx[i] == 0.0f && pair.px[i] == 5.0f && pair.pz[i] == 5.0f) << i;
    EXPECT_TRUE(lone.px[0] == 1.0f && lone.vz[0] == 0.0f);
    Galaxies close({{0, 0, 0}, {1e-5f, 0, 0}}); // nearer than the softening reaches: still a pull
    GravityStep(state, close.Bodies(), 0.0999999f, 1);
    EXPECT_GT(close.vx[0], 0.0f);
    Galaxies apart({{0, 0, 0}, {10, 20, 30}});
    GravityStep(state, apart.Bodies(), 0.1f, 1);
    EXPECT_TRUE(apart.vx[0] > 0.0f && apart.vx[1] < 0.0f) << "each pulls the other";
    EXPECT_TRUE(apart.px[0] > 0.0f && apart.py[0] > 0.0f && apart.pz[0] > 0.0f) << "and moves toward it";
}

TEST(Gravity, ZeroOrNegativeForceChangesNothingAndDoesNotCount) {
    for (float force : {0.0f, -0.01f, std::nanf("")}) {
        Galaxies g({{0, 0, 0}, {10, 0, 0}});
        g.vz = {1.0f, 1.0f};
        GravityState state;
        EXPECT_FALSE(GravityStep(state, g.Bodies(), force, 1));
        EXPECT_EQ(state.frameCounter, 0);
        EXPECT_TRUE(g.pz[0] == 0.0f && g.vx[0] == 0.0f) << "not even the velocity is applied";
    }
}


TEST(Gravity, MismatchedArraysUseTheCommonLength) {
    Galaxies g({{0, 0, 0}, {10, 0, 0}});
    g.vz.resize(1); // the second galaxy has no complete record
    GravityState state;
    GravityStep(state, g.Bodies(), 0.1f, 0); // a frame count below 1 counts as 1
    EXPECT_EQ(state.frameCounter, 0);
    EXPECT_EQ(g.px[0], 0.0f) << "a lone galaxy feels no pull";
    EXPECT_EQ(g.px[1], 10.0f);
}

} // namespace orb
