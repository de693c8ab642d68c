// Counting the heap allocations made inside a scope (the test program replaces the global
// operator new for this; outside a counting scope it behaves as the standard one).
#pragma once

#include <cstdint>

namespace orb::test {

// Allocations through operator new while at least one AllocationCount is alive.
class AllocationCount {
  public:
    AllocationCount();
    ~AllocationCount();
    AllocationCount(const AllocationCount&) = delete;
    AllocationCount& operator=(const AllocationCount&) = delete;
    // Allocations since this scope began.
    int64_t Count() const;

  private:
    int64_t start_; // the running total when the scope began
};

} // namespace orb::test
