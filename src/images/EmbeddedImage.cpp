#include "images/EmbeddedImage.h"

#include "util/Log.h"
#include "util/StringUtils.h"

namespace nebulark {

RgbBuffer decodeEmbeddedBytes(int width, int height, const unsigned char* bytes, size_t length,
                              DecodeError& error) {
    error = DecodeError::Ok;
    if (!RgbBuffer::fits(width, height)) {
        error = DecodeError::BadSize;
        return {};
    }
    // Both sides are at most RgbBuffer::kMaxSide, so nothing here overflows.
    const size_t rowBytes = (static_cast<size_t>(width) + 1) / 2;
    const size_t pixelBytes = rowBytes * static_cast<size_t>(height);
    const size_t palette = EmbeddedImage::kPaletteBytes;
    if (bytes == nullptr || length < palette || length - palette < pixelBytes) {
        error = DecodeError::Truncated;
        return {};
    }
    RgbBuffer image = RgbBuffer::allocate(width, height);
    if (image.empty()) {
        error = DecodeError::NoMemory;
        return {};
    }
    for (int i = 0; i < height; ++i) {
        const unsigned char* source = bytes + palette + static_cast<size_t>(i) * rowBytes;
        unsigned char* target = image.row(height - 1 - i);
        for (int x = 0; x < width; ++x) {
            // High nibble left; for an odd width the last low nibble is unused.
            const unsigned char byte = source[x / 2];
            const unsigned index = (x % 2 == 0) ? byte >> 4 : byte & 0x0Fu;
            for (int c = 0; c < 3; ++c)
                target[x * 3 + c] = bytes[index * 3 + c];
        }
    }
    return image;
}

RgbBuffer decodeEmbeddedImage(int width, int height, const EmbeddedImage* image) {
    if (image == nullptr) return {};
    DecodeError error = DecodeError::Ok;
    RgbBuffer rgb = decodeEmbeddedBytes(width, height, image->data(), image->size(), error);
    if (error != DecodeError::Ok)
        LogMessage("EmbeddedImage " + toText(width) + "x" + toText(height) + ": " +
                   decodeErrorText(error));
    return rgb;
}

}  // namespace nebulark
