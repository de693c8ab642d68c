// Choosing between two 32-bit values by a mask instead of a condition. In a loop that keeps a
// stored value where a condition fails (x[j] = c ? v : x[j]), the compiler turns a condition
// into a conditional store: in vector lanes a masked store, which is slow on some processors,
// and in some loops it then leaves the loop scalar. A mask makes it one plain store.
#pragma once

#include <bit>
#include <cstdint>

namespace orb {

// All ones where take holds, else zero.
[[gnu::always_inline]] inline uint32_t LaneMask(bool take) {
    return 0u - static_cast<uint32_t>(take);
}

// a where mask is all ones, b where it is zero (T: a 32-bit value type).
template <typename T> [[gnu::always_inline]] inline T Pick(uint32_t mask, T a, T b) {
    static_assert(sizeof(T) == sizeof(uint32_t));
    return std::bit_cast<T>((std::bit_cast<uint32_t>(a) & mask) | (std::bit_cast<uint32_t>(b) & ~mask));
}

} // namespace orb
