#include "engine/animation/framebuffer.h"

#include <gtest/gtest.h>

#include <vector>

namespace orb {

// Pixels off the surface are ignored by Set and by the writer, which draws only when asked and
// records only what it drew.
TEST(Framebuffer, SetsOnlyWhatIsOnTheSurfaceAndRecordsOnlyThat) {
    OwnedFramebuffer fb(4, 3);
    Framebuffer& s = fb.Surface();
    std::vector<uint32_t> changes;
    s.changes = &changes;
    PixelWriter out(s);
    out.SetIf(true, 1, 2, 5);
    out.SetIf(false, 2, 2, 6);
    for (auto [x, y] : {std::pair{-1, 0}, {4, 0}, {0, -1}, {0, 3}, {INT32_MIN, 1}, {1, INT32_MAX}})
        s.Set(x, y, 7), out.SetIf(true, x, y, 7);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 4; ++x)
            EXPECT_EQ(s.Get(x, y), x == 1 && y == 2 ? 5u : 0u) << x << "," << y;
    EXPECT_EQ(changes, std::vector<uint32_t>{9});
    EXPECT_EQ(s.Get(-1, 0), 0u);
}

// A window's image stores 0x00RRGGBB whatever the engine's colour holds above its blue byte.
TEST(Framebuffer, WindowOrderSwapsRedAndBlueAndDropsTheTopByte) {
    for (const auto& [colour, window] : {std::pair{0x00332211u, 0x00112233u}, {0xFF000000u, 0u},
                                        {0xAB0000FFu, 0x00FF0000u}, {0x00FF0000u, 0x000000FFu},
                                        {0x0000FF00u, 0x0000FF00u}, {0xFFFFFFFFu, 0x00FFFFFFu}})
        EXPECT_EQ(PixelWriter::WindowOrder(colour), window) << std::hex << colour;
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
