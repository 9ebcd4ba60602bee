#include "images/RgbBuffer.h"

#include <new>

namespace nebulark {

bool RgbBuffer::fits(int64_t width, int64_t height) {
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return false;
    // Both sides are at most 2^14 here, so the product cannot overflow.
    return static_cast<uint64_t>(width * height * 3) <= kMaxBytes;
}

RgbBuffer RgbBuffer::allocate(int width, int height) {
    RgbBuffer buffer;
    if (!fits(width, height)) return buffer;
    try {
        buffer.bytes.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 3, 0);
    } catch (const std::bad_alloc&) {
        return buffer;
    }
    buffer.pixelWidth = width;
    buffer.pixelHeight = height;
    return buffer;
}

}  // namespace nebulark
