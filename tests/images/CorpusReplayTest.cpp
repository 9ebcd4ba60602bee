#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "FuzzTargets.h"

namespace fs = std::filesystem;
using nebulark::fuzz::FuzzTarget;

namespace {

std::vector<uint8_t> contentOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

// Every kept input, seeds and past findings alike, goes through every decoder
// target; a target aborts on a broken contract and the sanitizer build catches
// any read outside a buffer.
TEST(FuzzCorpus, EveryKeptInputReplaysThroughEveryTarget) {
    const fs::path corpus = NEBULARK_FUZZ_CORPUS;
    std::vector<fs::path> files;
    for (const FuzzTarget* t = nebulark::fuzz::fuzzTargetsBegin();
         t != nebulark::fuzz::fuzzTargetsEnd(); ++t) {
        const size_t before = files.size();
        for (const fs::directory_entry& entry : fs::directory_iterator(corpus / t->name))
            files.push_back(entry.path());
        EXPECT_GT(files.size(), before) << "no kept inputs for " << t->name;
    }
    for (const fs::path& file : files) {
        const std::vector<uint8_t> bytes = contentOf(file);
        for (const FuzzTarget* t = nebulark::fuzz::fuzzTargetsBegin();
             t != nebulark::fuzz::fuzzTargetsEnd(); ++t) {
            SCOPED_TRACE(std::string(t->name) + " on " + file.string());
            // An exact-size copy, so a read past the end leaves the heap block.
            const std::unique_ptr<uint8_t[]> exact(new uint8_t[bytes.size()]);
            std::copy(bytes.begin(), bytes.end(), exact.get());
            t->run(exact.get(), bytes.size());
        }
    }
}
