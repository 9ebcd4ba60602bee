#include "replay/PlayDigest.h"

namespace nebulark {

namespace {

constexpr uint64_t kPrime = 1099511628211ULL;

}  // namespace

void PlayDigest::addNumber(int64_t value) {
    auto bits = static_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i, bits >>= 8)
        addByte(static_cast<uint8_t>(bits & 0xFF));
}

void PlayDigest::addText(std::string_view text) {
    for (const char c : text)
        addByte(static_cast<uint8_t>(c));
}

void PlayDigest::addByte(uint8_t byte) {
    hash = (hash ^ byte) * kPrime;
}

}  // namespace nebulark
