// ORB_VECTOR_CLONES before a function built around vectorised loops: on x86-64 it is built twice,
// for the baseline (SSE2) and for AVX2, and the dynamic loader picks the one the processor runs.
// The wider vectors halve those loops; the results are the same, since AVX2 alone brings no
// fused multiply-add and every operation rounds as before.
#pragma once

#if defined(__x86_64__) && defined(__GNUC__)
#define ORB_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define ORB_VECTOR_CLONES
#endif
