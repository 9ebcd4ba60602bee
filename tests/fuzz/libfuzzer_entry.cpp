// The libFuzzer entry point of one decoder target; tools/fuzz.sh compiles it
// once per target with NEBULARK_FUZZ_TARGET set to the target's name.
#include <cstdlib>

#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const nebulark::fuzz::FuzzTarget* target =
        nebulark::fuzz::findFuzzTarget(NEBULARK_FUZZ_TARGET);
    if (target == nullptr) std::abort();
    target->run(data, size);
    return 0;
}
