#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace nebulark::fuzz {

// One decoder driven by arbitrary bytes. A target aborts when a decoder's
// answer breaks its contract; the sanitizers catch everything else.
struct FuzzTarget {
    const char* name;  // also the name of the target's corpus folder
    void (*run)(const uint8_t* data, size_t size);
};

// Inputs longer than this are ignored: every decoder's behaviour is reached
// with small pictures, and the dimension limits are tested with headers.
constexpr size_t kMaxFuzzInput = 64 * 1024;

const FuzzTarget* fuzzTargetsBegin();
const FuzzTarget* fuzzTargetsEnd();
const FuzzTarget* findFuzzTarget(std::string_view name);

}  // namespace nebulark::fuzz
