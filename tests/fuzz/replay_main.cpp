// Reruns saved fuzzer inputs through one decoder target in an ordinary build:
//   nebulark_fuzz_replay <target> <file>...
// A crash shows here as it did under the fuzzer, with the build's own
// sanitizers if it has them.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "FuzzTargets.h"

using nebulark::fuzz::FuzzTarget;

namespace {

void listTargets() {
    for (const FuzzTarget* t = nebulark::fuzz::fuzzTargetsBegin();
         t != nebulark::fuzz::fuzzTargetsEnd(); ++t)
        std::fprintf(stderr, "  %s\n", t->name);
}

}  // namespace

int main(int argc, char** argv) {
    const FuzzTarget* target = argc >= 2 ? nebulark::fuzz::findFuzzTarget(argv[1]) : nullptr;
    if (target == nullptr) {
        std::fprintf(stderr, "usage: %s <target> <file>...\ntargets:\n", argv[0]);
        listTargets();
        return 2;
    }
    int status = 0;
    for (int i = 2; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            status = 1;
            continue;
        }
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
        // An exact-size copy: a vector's spare capacity would hide a read past
        // the end from the sanitizers.
        const std::unique_ptr<uint8_t[]> exact(new uint8_t[bytes.size()]);
        std::copy(bytes.begin(), bytes.end(), exact.get());
        target->run(exact.get(), bytes.size());
        std::printf("ok %s (%zu bytes)\n", argv[i], bytes.size());
    }
    return status;
}
