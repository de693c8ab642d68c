// The caches as the saver finds them after its idle wait between frames: the wait hands the
// processor to the X server and everything else that runs, so a frame starts with little of
// its own data near the core. Writing over a buffer twice the size of the last-level cache
// (64 MB) pushes every line of the engine's arrays and of the surface out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <benchmark/benchmark.h>

namespace orb::bench {

inline void EvictCaches() {
    static std::vector<uint64_t> sweep(size_t{64} << 20 >> 3);
    static uint64_t pass = 0;
    ++pass;
    for (size_t i = 0; i < sweep.size(); i += 8) // one store per 64-byte line
        sweep[i] = pass;
    benchmark::ClobberMemory();
}

} // namespace orb::bench
