// The program's one uniform random generator.
#pragma once

#include <cstdint>

namespace orb {

// PCG32 (O'Neill): small state, fast, good statistics. Each draw gives a single-precision
// value in [0, 1) built from 24 random bits, so 1.0 can never come out.
class Random {
public:
    explicit Random(uint64_t seed = 0x853c49e6748fea9bULL) { Seed(seed); }

    void Seed(uint64_t seed) {
        state_ = 0;
        Next();
        state_ += seed;
        Next();
    }

    // Re-seed from the monotonic and wall clocks (done whenever a drawing surface is prepared).
    void SeedFromClock();

    // One uniform value in [0, 1).
    float operator()() { return static_cast<float>(Next() >> 8) * (1.0f / 16777216.0f); }

    uint32_t Next() {
        uint64_t old = state_;
        state_ = old * kMultiplier + kIncrement;
        uint32_t xorshifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
        uint32_t rot = static_cast<uint32_t>(old >> 59u);
        return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
    }

    uint64_t State() const { return state_; }

    // Moves on by n draws at once, as n calls of Next would (for draws whose values are not
    // needed): the n-fold step of the linear congruence, built by squaring in log2(n) steps.
    void Advance(uint64_t n) {
        uint64_t mul = kMultiplier, inc = kIncrement, totalMul = 1, totalInc = 0;
        for (; n > 0; n >>= 1) {
            if (n & 1) {
                totalMul *= mul;
                totalInc = totalInc * mul + inc;
            }
            inc *= mul + 1;
            mul *= mul;
        }
        state_ = state_ * totalMul + totalInc;
    }

private:
    static constexpr uint64_t kMultiplier = 6364136223846793005ULL;
    static constexpr uint64_t kIncrement = 1442695040888963407ULL;
    uint64_t state_;  // generator state (64 bits)
};

} // namespace orb
