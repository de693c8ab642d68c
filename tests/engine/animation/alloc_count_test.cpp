#include "engine/animation/alloc_count.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace orb::test {
namespace {

TEST(AllocationCount, CountsOnlyInsideItsScope) {
    auto outside = std::make_unique<int>(1);
    AllocationCount count;
    EXPECT_EQ(count.Count(), 0);
    auto inside = std::make_unique<int[]>(4);
    std::vector<int> v(3);
    EXPECT_EQ(count.Count(), 2);
}

} // namespace
} // namespace orb::test
