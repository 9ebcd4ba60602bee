#include "PngFile.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace nebulark::artgen {

namespace {

constexpr size_t kMaxStoredBlock = 65535;

uint32_t Crc32(const uint8_t* data, size_t size) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

uint32_t Adler32(const std::vector<uint8_t>& data) {
    uint32_t a = 1, b = 0;
    for (const uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

// A chunk is its length, its type, its data and a checksum of type and data.
void PutChunk(std::vector<uint8_t>& out, std::string_view type, const std::vector<uint8_t>& data) {
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    const size_t checked = out.size();
    for (const char c : type)
        out.push_back(static_cast<uint8_t>(c));
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian(out, Crc32(out.data() + checked, out.size() - checked));
}

// Each row starts with filter type 0: its bytes are stored as they are.
std::vector<uint8_t> Scanlines(int width, int height, const std::vector<uint8_t>& rgba) {
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    std::vector<uint8_t> out;
    out.reserve((rowBytes + 1) * height);
    for (int y = 0; y < height; ++y) {
        out.push_back(0);
        const auto row = rgba.begin() + static_cast<std::ptrdiff_t>(rowBytes * y);
        out.insert(out.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
    }
    return out;
}

// A zlib stream of stored deflate blocks, each at most 65,535 bytes long.
std::vector<uint8_t> ZlibStored(const std::vector<uint8_t>& data) {
    std::vector<uint8_t> out = {0x78, 0x01};
    size_t at = 0;
    do {
        const size_t length = std::min(kMaxStoredBlock, data.size() - at);
        const bool last = at + length == data.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<uint8_t>(length & 0xFF));
        out.push_back(static_cast<uint8_t>(length >> 8));
        out.push_back(static_cast<uint8_t>(~length & 0xFF));
        out.push_back(static_cast<uint8_t>((~length >> 8) & 0xFF));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                   data.begin() + static_cast<std::ptrdiff_t>(at + length));
        at += length;
    } while (at < data.size());
    PutBigEndian(out, Adler32(data));
    return out;
}

}  // namespace

std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgba) {
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBigEndian(header, static_cast<uint32_t>(width));
    PutBigEndian(header, static_cast<uint32_t>(height));
    // Eight bits a channel, colour type 6 (RGBA), deflate, no filtering
    // beyond type 0, not interlaced.
    header.insert(header.end(), {8, 6, 0, 0, 0});
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", ZlibStored(Scanlines(width, height, rgba)));
    PutChunk(out, "IEND", {});
    return out;
}

}  // namespace nebulark::artgen
