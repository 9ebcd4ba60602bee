#pragma once

#include <cstdint>

namespace nebulark {

// The random stream that decides how a game unfolds. Its algorithm is fixed
// (PCG32: a 64-bit linear congruential state, each output a permuted 32-bit
// part of it), so that the same seed gives the same game with any C library
// on any platform, and a recorded game can be played again exactly.
class PlayRandom {
public:
    explicit PlayRandom(uint64_t seed = 0) { Seed(seed); }

    // Starts the stream again from the seed.
    void Seed(uint64_t seed);
    // The next 32 bits of the stream.
    uint32_t Next();
    // An integer from low to high, both included, every value equally likely;
    // an empty range (low > high) answers low and draws nothing.
    int Int(int low, int high);

private:
    uint64_t state = 0;
};

}  // namespace nebulark
