#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nebulark::test {

// A small BMP writer for tests, written from the file format rather than from
// the program's decoders: it lays out a picture given top row first as a
// bottom-up file with a 40-byte information header, a palette of blue, green,
// red, unused entries and rows padded to 4 bytes.
struct BmpPicture {
    BmpPicture(int bitsPerPixel, int width, int height, std::vector<uint32_t> palette = {},
               std::vector<uint32_t> pixels = {})
        : bitsPerPixel(bitsPerPixel),
          width(width),
          height(height),
          palette(std::move(palette)),
          pixels(std::move(pixels)) {}

    int bitsPerPixel;  // 24, 8 or 4
    int width;
    int height;
    std::vector<uint32_t> palette;  // 0xRRGGBB entries of an 8- or 4-bit picture
    // width × height values, top row first: 0xRRGGBB for 24 bits, else an index.
    std::vector<uint32_t> pixels;
    // Fills the row padding and, at an odd 4-bit width, the unused last nibble.
    unsigned char filler = 0;
    // Bytes added to the palette area after the last entry.
    int paletteSlack = 0;
};

std::string bmpBytes(const BmpPicture& picture);
void writeBmp(const std::string& path, const BmpPicture& picture);
// The decoded form the picture should have: R, G, B per pixel, top row first.
std::vector<unsigned char> expectedRgb(const BmpPicture& picture);
// Overwrites the 4-byte little-endian field at `offset`.
void patchLe32(std::string& bytes, size_t offset, int32_t value);

}  // namespace nebulark::test
