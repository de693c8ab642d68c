#include "engine/animation/framebuffer.h"

#include <gtest/gtest.h>

namespace orb {

TEST(Framebuffer, PixelsOffTheSurfaceAreIgnored) {
    OwnedFramebuffer fb(4, 3);
    Framebuffer& s = fb.Surface();
    for (auto [x, y] : {std::pair{-1, 0}, {4, 0}, {0, -1}, {0, 3}, {INT32_MIN, 1}, {1, INT32_MAX}})
        s.Set(x, y, 7);
    for (uint32_t p : fb.Pixels())
        EXPECT_EQ(p, 0u);
    EXPECT_EQ(s.Get(-1, 0), 0u);
    EXPECT_EQ(s.Get(4, 2), 0u);
}

TEST(Framebuffer, HonoursTheStrideOfAHostBuffer) {
    // A host image whose rows are padded: two pixels of padding after each row of three.
    std::vector<uint32_t> memory(5 * 2, 0xDEADu);
    Framebuffer s{memory.data(), 3, 2, 5};
    s.Set(2, 1, 0x0000FFu); // red, in the low byte
    EXPECT_EQ(memory[1 * 5 + 2], 0x0000FFu);
    s.Clear();
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(memory[y * 5 + x], x < 3 ? 0u : 0xDEADu) << x << "," << y;
}

} // namespace orb
