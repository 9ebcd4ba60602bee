#pragma once

#include <cstdint>
#include <vector>

namespace nebulark::artgen {

// A whole WAV file: the RIFF header, a PCM format chunk for 16-bit mono at
// the given rate, and the samples little-endian in the data chunk.
std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int sampleRate);

}  // namespace nebulark::artgen
