// Asking for a cache line before storing into it. A store to a line the processor does not hold
// waits in the store queue for the line (and, when another core read it, for that copy to be
// dropped); once the queue is full, such stores go one after another. Asked for early and for
// writing, the lines arrive together while other work runs.
#pragma once

#if defined(__x86_64__) && defined(__GNUC__)
#include <cpuid.h>
#endif

namespace orb {

// Whether the processor has PREFETCHW (fetch a line owned, for writing). Asked once.
inline bool HasWritePrefetch() {
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool has = [] {
        unsigned a = 0, b = 0, c = 0, d = 0;
        return __get_cpuid(0x80000001u, &a, &b, &c, &d) != 0 && (c & bit_PRFCHW) != 0;
    }();
    return has;
#else
    return false;
#endif
}

// A hint, never a fault, whatever the address. Without PREFETCHW, a read prefetch at least brings
// the line near (the compiler's built-in makes one for a write only where the target has PREFETCHW).
inline void PrefetchForWrite(const void* at, bool writePrefetch) {
#if defined(__x86_64__) && defined(__GNUC__)
    if (writePrefetch) {
        __asm__ volatile("prefetchw (%0)" : : "r"(at));
        return;
    }
#else
    (void)writePrefetch;
#endif
    __builtin_prefetch(at, 1, 3);
}

} // namespace orb
