#include "util/PlayRandom.h"

namespace nebulark {

namespace {

constexpr uint64_t kMultiplier = 6364136223846793005ULL;
// The stream's increment; any odd number selects one of PCG's streams, and
// this one is fixed for good, since recordings depend on it.
constexpr uint64_t kIncrement = 1442695040888963407ULL;
constexpr uint64_t kOutputs = uint64_t{1} << 32;

}  // namespace

// As PCG's reference seeding: the seed is added between two steps, so that
// nearby seeds do not start on nearby states.
void PlayRandom::Seed(uint64_t seed) {
    state = 0;
    Next();
    state += seed;
    Next();
}

uint32_t PlayRandom::Next() {
    const uint64_t old = state;
    state = old * kMultiplier + kIncrement;
    const auto shifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
    const auto rotation = static_cast<uint32_t>(old >> 59u);
    return (shifted >> rotation) | (shifted << ((32u - rotation) & 31u));
}

// Outputs at or above the last whole multiple of the span are drawn again, so
// that no value of the range comes up more often than another.
int PlayRandom::Int(int low, int high) {
    const int64_t span = static_cast<int64_t>(high) - low + 1;
    if (span <= 0) return low;
    const auto range = static_cast<uint64_t>(span);
    const uint64_t limit = kOutputs - kOutputs % range;
    uint64_t drawn = Next();
    while (drawn >= limit)
        drawn = Next();
    return static_cast<int>(low + static_cast<int64_t>(drawn % range));
}

}  // namespace nebulark
