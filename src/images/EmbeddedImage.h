#pragma once

#include <cstddef>

#include "images/DecodeError.h"
#include "images/RgbBuffer.h"

namespace nebulark {

// A 16-colour picture compiled into the program, as the source-text export of
// a 4-bit BMP lays it out: 48 bytes of palette (16 entries of red, green,
// blue), then the pixel rows, bottom row first, ⌈width / 2⌉ bytes each with no
// padding, the high nibble of a byte being the left pixel. Width and height
// are kept beside the array; the array's length is kept here so that a
// decoder handed larger dimensions refuses instead of reading past its end.
// The bytes are not owned: they are the program's static arrays.
class EmbeddedImage {
public:
    static constexpr size_t kPaletteBytes = 48;

    constexpr EmbeddedImage(const unsigned char* bytes, size_t length)
        : bytes(bytes), length(length) {}
    template <size_t N>
    constexpr EmbeddedImage(const unsigned char (&array)[N]) : bytes(array), length(N) {}
    template <size_t N>
    EmbeddedImage(const char (&array)[N])
        : bytes(reinterpret_cast<const unsigned char*>(array)), length(N) {}

    const unsigned char* data() const { return bytes; }
    size_t size() const { return length; }

private:
    const unsigned char* bytes;
    size_t length;
};

// The in-memory decoder: never logs; on bad dimensions or too few bytes
// returns an empty buffer and names the reason in `error`.
RgbBuffer decodeEmbeddedBytes(int width, int height, const unsigned char* bytes, size_t length,
                              DecodeError& error);

// Decodes a compiled-in picture at the given size. A null image gives an
// empty buffer; a size the image does not hold is logged and refused.
RgbBuffer decodeEmbeddedImage(int width, int height, const EmbeddedImage* image);

}  // namespace nebulark
