#pragma once

#include <cstddef>

#include "images/DecodeError.h"
#include "images/RgbBuffer.h"

namespace nebulark {

// In-memory decoders of uncompressed BMP pictures with 24, 8 or 4 bits per
// pixel. They read nothing but the bytes they are given and never log: on bad
// input they return an empty buffer and name the reason in `error`. The file
// readers in ImageFiles.h wrap them.

constexpr size_t kBmpHeaderSize = 54;

// The three header fields the decoders use, as stored (little-endian, signed).
struct BmpHeader {
    int width = 0;
    int height = 0;
    int pixelOffset = 0;
};

// Where a checked picture's palette and pixel rows lie inside its bytes.
struct BmpLayout {
    int width = 0;
    int height = 0;
    size_t paletteEntries = 0;  // full 4-byte entries from byte 54 on
    size_t pixelOffset = 0;     // first byte of the bottom row
    size_t rowBytes = 0;        // one row without its padding
    size_t stride = 0;          // one row with its padding to 4 bytes
};

// False when fewer than kBmpHeaderSize bytes are given.
bool parseBmpHeader(const unsigned char* bytes, size_t length, BmpHeader& header);

// Checks the header of a picture of the given depth (24, 8 or 4) against the
// bytes present and fills `layout`; answers DecodeError::Ok when every
// palette entry and pixel row it promises lies within `length`.
DecodeError planBmp(const unsigned char* bytes, size_t length, int bitsPerPixel, BmpLayout& layout);

RgbBuffer decodeBmp24(const unsigned char* bytes, size_t length, DecodeError& error);
RgbBuffer decodeBmp8(const unsigned char* bytes, size_t length, DecodeError& error);
RgbBuffer decodeBmp4(const unsigned char* bytes, size_t length, DecodeError& error);

}  // namespace nebulark
