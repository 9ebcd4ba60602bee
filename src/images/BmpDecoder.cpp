#include "images/BmpDecoder.h"

#include <array>
#include <cstdint>

namespace nebulark {

namespace {

constexpr int64_t kMaxPaletteBytes = 1024;

int32_t readLittleEndian32(const unsigned char* p) {
    const uint32_t value =
        uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
    return static_cast<int32_t>(value);
}

size_t paddedToFour(size_t rowBytes) {
    return (rowBytes + 3) / 4 * 4;
}

size_t rowBytesFor(int width, int bitsPerPixel) {
    const size_t w = static_cast<size_t>(width);
    if (bitsPerPixel == 24) return w * 3;
    if (bitsPerPixel == 8) return w;
    return (w + 1) / 2;
}

// The palette as stored is blue, green, red, unused; kept here as red, green,
// blue so a pixel is one three-byte copy.
struct Palette {
    std::array<unsigned char, 256 * 3> rgb{};
    size_t entries = 0;
};

Palette readPalette(const unsigned char* bytes, const BmpLayout& layout) {
    Palette palette;
    palette.entries = layout.paletteEntries;
    for (size_t i = 0; i < palette.entries; ++i) {
        const unsigned char* entry = bytes + kBmpHeaderSize + i * 4;
        palette.rgb[i * 3 + 0] = entry[2];
        palette.rgb[i * 3 + 1] = entry[1];
        palette.rgb[i * 3 + 2] = entry[0];
    }
    return palette;
}

// Palette index of pixel x of a stored row; in a 4-bit row the high nibble of
// a byte is the left pixel.
unsigned indexAt(const unsigned char* row, int x, int bitsPerPixel) {
    if (bitsPerPixel == 8) return row[x];
    const unsigned char byte = row[x / 2];
    return (x % 2 == 0) ? byte >> 4 : byte & 0x0Fu;
}

bool decodeIndexedRow(const unsigned char* source, unsigned char* target, int width,
                      int bitsPerPixel, const Palette& palette) {
    for (int x = 0; x < width; ++x) {
        const unsigned index = indexAt(source, x, bitsPerPixel);
        if (index >= palette.entries) return false;
        for (int c = 0; c < 3; ++c)
            target[x * 3 + c] = palette.rgb[index * 3 + c];
    }
    return true;
}

RgbBuffer decodeIndexed(const unsigned char* bytes, size_t length, int bitsPerPixel,
                        DecodeError& error) {
    BmpLayout layout;
    error = planBmp(bytes, length, bitsPerPixel, layout);
    if (error != DecodeError::Ok) return {};
    RgbBuffer image = RgbBuffer::allocate(layout.width, layout.height);
    if (image.empty()) {
        error = DecodeError::NoMemory;
        return {};
    }
    const Palette palette = readPalette(bytes, layout);
    // Rows are stored bottom row first.
    for (int i = 0; i < layout.height; ++i) {
        const unsigned char* source =
            bytes + layout.pixelOffset + static_cast<size_t>(i) * layout.stride;
        unsigned char* target = image.row(layout.height - 1 - i);
        if (!decodeIndexedRow(source, target, layout.width, bitsPerPixel, palette)) {
            error = DecodeError::BadPaletteIndex;
            return {};
        }
    }
    return image;
}

}  // namespace

bool parseBmpHeader(const unsigned char* bytes, size_t length, BmpHeader& header) {
    if (bytes == nullptr || length < kBmpHeaderSize) return false;
    header.pixelOffset = readLittleEndian32(bytes + 10);
    header.width = readLittleEndian32(bytes + 18);
    header.height = readLittleEndian32(bytes + 22);
    return true;
}

DecodeError planBmp(const unsigned char* bytes, size_t length, int bitsPerPixel,
                    BmpLayout& layout) {
    BmpHeader header;
    if (!parseBmpHeader(bytes, length, header)) return DecodeError::Truncated;
    // Top-down pictures (negative height) are not read, and the size limits keep
    // every row and picture size below in range of size_t.
    if (!RgbBuffer::fits(header.width, header.height)) return DecodeError::BadSize;
    layout = BmpLayout{};
    layout.width = header.width;
    layout.height = header.height;
    layout.rowBytes = rowBytesFor(header.width, bitsPerPixel);
    layout.stride = paddedToFour(layout.rowBytes);
    // A 24-bit picture has no palette and its rows are taken to start right
    // after the header, whatever the offset field says.
    layout.pixelOffset = kBmpHeaderSize;
    if (bitsPerPixel != 24) {
        const int64_t paletteBytes = int64_t{header.pixelOffset} - int64_t{kBmpHeaderSize};
        if (paletteBytes < 0 || paletteBytes > kMaxPaletteBytes) return DecodeError::BadPalette;
        layout.paletteEntries = static_cast<size_t>(paletteBytes) / 4;
        layout.pixelOffset += static_cast<size_t>(paletteBytes);
    }
    const size_t pixelBytes = layout.stride * static_cast<size_t>(layout.height);
    if (length < layout.pixelOffset || length - layout.pixelOffset < pixelBytes)
        return DecodeError::Truncated;
    return DecodeError::Ok;
}

RgbBuffer decodeBmp24(const unsigned char* bytes, size_t length, DecodeError& error) {
    BmpLayout layout;
    error = planBmp(bytes, length, 24, layout);
    if (error != DecodeError::Ok) return {};
    RgbBuffer image = RgbBuffer::allocate(layout.width, layout.height);
    if (image.empty()) {
        error = DecodeError::NoMemory;
        return {};
    }
    for (int i = 0; i < layout.height; ++i) {
        const unsigned char* source =
            bytes + layout.pixelOffset + static_cast<size_t>(i) * layout.stride;
        unsigned char* target = image.row(layout.height - 1 - i);
        // Stored blue, green, red; the padding at the end of the row is skipped.
        for (size_t x = 0; x < static_cast<size_t>(layout.width); ++x) {
            target[x * 3 + 0] = source[x * 3 + 2];
            target[x * 3 + 1] = source[x * 3 + 1];
            target[x * 3 + 2] = source[x * 3 + 0];
        }
    }
    return image;
}

RgbBuffer decodeBmp8(const unsigned char* bytes, size_t length, DecodeError& error) {
    return decodeIndexed(bytes, length, 8, error);
}

RgbBuffer decodeBmp4(const unsigned char* bytes, size_t length, DecodeError& error) {
    return decodeIndexed(bytes, length, 4, error);
}

}  // namespace nebulark
