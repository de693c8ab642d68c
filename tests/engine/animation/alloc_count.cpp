// The counting replacement of the global allocation functions, shared by the test and benchmark
// programs (each links this file once).
#include "engine/animation/alloc_count.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<int> gScopes{0};          // counting scopes alive
std::atomic<int64_t> gAllocations{0}; // allocations made while a scope was alive
} // namespace

// GCC takes the free() inside a replaced operator delete for a mismatched pair; it matches the
// malloc of the replaced operator new.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    if (gScopes.load(std::memory_order_relaxed) > 0) gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace orb::test {

AllocationCount::AllocationCount() : start_(gAllocations.load()) {
    ++gScopes;
}
AllocationCount::~AllocationCount() {
    --gScopes;
}
int64_t AllocationCount::Count() const {
    return gAllocations.load() - start_;
}

} // namespace orb::test
