#include "engine/animation/star_block.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/animation/star_motion.h"

namespace orb {
namespace {

const ScreenGeometry kScreen = MakeScreenGeometry(200, 150, 1.0f);

// The block's moves and drawing against the rule star by star (MoveStar, ProjectStar, Set), for
// every style, both axial planes, stars behind the camera and off the surface, some not steady.
class StarBlockTest : public ::testing::Test {
  protected:
    static constexpr int32_t kStars = 300; // more than a block
    GalaxyTables tables;
    Random random{3};
    GalaxyModel model{tables, random, BuildTrigTables()};
    GalaxyArrays galaxies;
    std::array<TypeView, kGalaxyTypeSlots> views{};
    std::array<int16_t, kGalaxyTypeSlots> styles{};

    void SetUp() override {
        for (int16_t t = 0; t < kGalaxyTypeSlots; ++t) {
            styles[t] = static_cast<int16_t>(t % 9); // 8: an unknown style, which stays put
            views[t] = {std::sin(0.2f * t), std::cos(0.2f * t), static_cast<int16_t>(t % 4 == 1)};
            model.run[t].emitSpeed = 0.01f;
            model.run[t].heightScaled = 3;
            model.run[t].angleParam = 0.2f;
            model.run[t].bandFillWhole = 4;
        }
        galaxies.Size(3);
        for (int16_t g = 0; g < 3; ++g)
            galaxies.relX[g] = 5.0f * g - 5, galaxies.relY[g] = 1.5f * g, galaxies.relZ[g] = 30.0f * g - 12;
    }
    StarArrays Stars(int16_t trail) const {
        StarArrays s;
        s.Size(kStars, trail);
        for (int32_t i = 0; i < kStars; ++i) {
            const float f = static_cast<float>(i);
            s.type[i] = static_cast<int16_t>((i * 7) % kGalaxyTypeSlots);
            s.galaxy[i] = static_cast<int16_t>(i % 3);
            s.x[i] = std::sin(f) * 20, s.y[i] = std::cos(f) * 4, s.z[i] = std::sin(2 * f) * 20;
            s.velX[i] = 0.1f, s.velY[i] = -0.05f * f, s.velZ[i] = 0.02f;
            s.radius[i] = 1 + f / 10, s.angle[i] = f, s.spin[i] = 0.01f * static_cast<float>(i % 5);
            s.height[i] = std::cos(f), s.colour[i] = 0x10000u + static_cast<uint32_t>(i);
            s.age[i] = i;
        }
        s.angle[29] = 1e20f;   // an orbiting star (type 11) beyond the exact reduction
        s.angle[271] = -3e12f; // and one (type 9) in the last block
        s.velY[33] = 3.5e9f;   // a wave star (type 7) whose phase is too
        s.age[1] = INT32_MAX;  // a wave star (type 7) too old to age further
        for (int32_t k = 0; k < kStars * trail; ++k)
            s.scrX[k] = (k * 37) % 260 - 30, s.scrY[k] = (k * 53) % 190 - 20;
        return s;
    }
};

// A surface of each kind the block draws into: its own memory (plain), a window's image with
// padded rows and block flags, or one that records its writes.
struct TestSurface {
    static constexpr int32_t kWidth = 200, kHeight = 150, kStride = 203, kColumns = (kWidth + 15) / 16;
    std::vector<uint32_t> pixels = std::vector<uint32_t>(kStride * kHeight, 0);
    std::vector<uint8_t> blocks = std::vector<uint8_t>(kColumns * ((kHeight + 15) / 16), 0);
    std::vector<uint32_t> changes;
    Framebuffer surface{pixels.data(), kWidth, kHeight, kStride};
    explicit TestSurface(PixelWriter::Kind kind) {
        if (kind == PixelWriter::Kind::Blocks)
            surface.blocks = blocks.data(), surface.blockColumns = kColumns;
        if (kind == PixelWriter::Kind::Any) surface.changes = &changes;
    }
};

// Twelve stars in thirteen steady (moved in star order) or five (sorted by kind of style first).
TEST_F(StarBlockTest, MovesAndDrawsSteadyStarsAsStarByStar) {
    using Kind = PixelWriter::Kind;
    for (const Kind kind : {Kind::Plain, Kind::Blocks, Kind::Any}) // steadyShare: steady stars in thirteen
        for (const auto& [trail, steadyShare] :
             {std::pair<int16_t, int32_t>{1, 12}, {3, 12}, {1, 5}, {3, 5}}) {
            const int16_t ring = trail - 1;
            StarArrays got = Stars(trail), want = Stars(trail);
            TestSurface gotFb(kind), wantFb(kind);
            ASSERT_EQ(PixelWriter(gotFb.surface).KindOf(), kind);
            auto steady = [&](int32_t i) { return (i * 5) % 13 < steadyShare; };
            for (int32_t i = 0; i < kStars; ++i)
                if (steady(i)) {
                    const int32_t slot = want.Slot(i, ring);
                    wantFb.surface.Set(want.scrX[slot], want.scrY[slot], 0);
                    const int16_t type = want.type[i];
                    const Vec3f local = MoveStar(want, i, styles[type], model.run[type]);
                    const int16_t g = want.galaxy[i];
                    ScreenPoint p{want.scrX[slot], want.scrY[slot]};
                    if (ProjectStar(kScreen, local, views[type],
                                    {galaxies.relX[g], galaxies.relY[g], galaxies.relZ[g]}, p) > kNearDepth) {
                        want.scrX[slot] = p.x, want.scrY[slot] = p.y;
                        wantFb.surface.Set(p.x, p.y, want.colour[i]);
                    }
                }
            StarBlock block(got, galaxies, model, views, styles, kScreen);
            for (int32_t first = 0; first < kStars; first += StarBlock::kSize) {
                const int32_t end = std::min(kStars, first + StarBlock::kSize);
                block.Begin(first, end, ring);
                block.MarkSteadyStars(steady);
                block.MoveAndProject();
                block.Draw(gotFb.surface, [&](int32_t i) { EXPECT_FALSE(steady(i)) << i; });
            }
            SCOPED_TRACE(testing::Message() << "trail " << trail << ", steady " << steadyShare
                                            << ", surface kind " << static_cast<int>(kind));
            ASSERT_EQ(gotFb.pixels, wantFb.pixels);
            EXPECT_EQ(gotFb.blocks, wantFb.blocks);
            EXPECT_EQ(gotFb.changes, wantFb.changes);
            EXPECT_GT(std::count_if(wantFb.pixels.begin(), wantFb.pixels.end(), [](uint32_t c) { return c; }),
                      8 * steadyShare);
            if (kind == Kind::Blocks) {
                EXPECT_GT(std::count(wantFb.blocks.begin(), wantFb.blocks.end(), 1), 2 * steadyShare);
                EXPECT_LT(std::count(wantFb.blocks.begin(), wantFb.blocks.end(), 1),
                          static_cast<long>(wantFb.blocks.size()));
            }
            EXPECT_TRUE(got.scrX == want.scrX && got.scrY == want.scrY && got.angle == want.angle &&
                        got.x == want.x && got.y == want.y && got.z == want.z && got.velY == want.velY &&
                        got.age == want.age);
        }
}

} // namespace
} // namespace orb
