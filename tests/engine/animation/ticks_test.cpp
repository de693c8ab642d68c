#include "engine/animation/ticks.h"

#include <gtest/gtest.h>

namespace orb {

TEST(FrameDelayElapsed, MeasuresFromTheFrameStartAcrossTheTickWrap) {
    struct Row {
        uint32_t now, start;
        int32_t delay;
        bool elapsed;
    };
    // 29 and 30 ms across the wrap; a clock that went back 100 ms does not hold the frame.
    const Row rows[] = {{1029, 1000, 30, false},      {1030, 1000, 30, true},      {1000, 1000, 0, true},
                        {13, 0xFFFFFFF0u, 30, false}, {14, 0xFFFFFFF0u, 30, true}, {900, 1000, 30, true}};
    for (const Row& r : rows)
        EXPECT_EQ(FrameDelayElapsed(r.now, r.start, r.delay), r.elapsed) << r.now;
}

} // namespace orb
