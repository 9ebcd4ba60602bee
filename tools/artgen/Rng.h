#pragma once

#include <cstdint>

namespace nebulark::artgen {

// A fixed xorshift generator. The pictures must come out byte for byte the same
// on every build, so nothing here relies on the standard library's engines or
// distributions.
class Rng {
public:
    explicit Rng(uint64_t seed) : state(seed != 0 ? seed : 0x9E3779B97F4A7C15ull) {}

    uint64_t Next() {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    }
    // A whole number in [0, n), n > 0.
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
    // A number in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    double Range(double low, double high) { return low + (high - low) * Unit(); }

private:
    uint64_t state;
};

}  // namespace nebulark::artgen
