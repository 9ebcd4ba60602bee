#include "WavFile.h"

#include <string_view>

namespace nebulark::artgen {

namespace {

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void Tag(std::vector<uint8_t>& out, std::string_view tag) {
    for (const char c : tag)
        out.push_back(static_cast<uint8_t>(c));
}

}  // namespace

std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int sampleRate) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    const int channels = 1, bytesPerSample = 2;
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    Tag(out, "RIFF");
    Put(out, 36 + dataBytes, 4);
    Tag(out, "WAVEfmt ");
    Put(out, 16, 4);  // size of the format chunk
    Put(out, 1, 2);   // PCM
    Put(out, channels, 2);
    Put(out, sampleRate, 4);
    Put(out, sampleRate * channels * bytesPerSample, 4);
    Put(out, channels * bytesPerSample, 2);
    Put(out, 8 * bytesPerSample, 2);
    Tag(out, "data");
    Put(out, dataBytes, 4);
    for (const int16_t sample : samples)
        Put(out, static_cast<uint16_t>(sample), 2);
    return out;
}

}  // namespace nebulark::artgen
