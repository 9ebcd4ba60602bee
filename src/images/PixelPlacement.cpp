#include "images/PixelPlacement.h"

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace nebulark {

namespace {

bool inPixel(int position, int bytesPerPixel) {
    return position >= 0 && position < bytesPerPixel;
}

// Four-byte pixels whose channels sit at distinct bytes can be written as one
// 32-bit word each, built in the byte order of this machine.
bool wholeWordLayout(const PixelChannels& p) {
    return std::endian::native == std::endian::little && p.bytesPerPixel == 4 &&
           inPixel(p.red, 4) && inPixel(p.green, 4) && inPixel(p.blue, 4) && p.red != p.green &&
           p.red != p.blue && p.green != p.blue;
}

uint32_t packWord(const unsigned char* source, int redShift, int greenShift, int blueShift) {
    return uint32_t{source[0]} << redShift | uint32_t{source[1]} << greenShift |
           uint32_t{source[2]} << blueShift;
}

// Packs the pixels of a row from column `from` on one word at a time, then
// clears the row's padding.
void packRowFrom(size_t from, const unsigned char* source, unsigned char* row, size_t width,
                 size_t stride, const PixelChannels& p) {
    for (size_t x = from; x < width; ++x) {
        const uint32_t word = packWord(source + 3 * x, 8 * p.red, 8 * p.green, 8 * p.blue);
        std::memcpy(row + 4 * x, &word, 4);
    }
    std::memset(row + 4 * width, 0, stride - 4 * width);
}

#if defined(__x86_64__) || defined(__i386__)
// Four source triplets (12 bytes) become four pixels in one byte shuffle:
// byte j of pixel k takes source byte 3k + its channel, or 0 when it carries
// none. Each load reads 16 bytes for the 12 it uses, so the shuffles stop
// where that would reach past the picture and the rest of the row is packed
// pixel by pixel.
__attribute__((target("ssse3"))) void placeShuffledRows(const RgbBuffer& rgb,
                                                        const PixelChannels& p,
                                                        unsigned char* target, size_t stride) {
    alignas(16) signed char order[16];
    for (int k = 0; k < 4; ++k)
        for (int j = 0; j < 4; ++j)
            order[4 * k + j] = static_cast<signed char>(j == p.red     ? 3 * k
                                                        : j == p.green ? 3 * k + 1
                                                        : j == p.blue  ? 3 * k + 2
                                                                       : -1);
    const __m128i shuffle = _mm_load_si128(reinterpret_cast<const __m128i*>(order));
    const size_t width = static_cast<size_t>(rgb.width());
    const size_t rowBytes = 3 * width;
    for (int y = 0; y < rgb.height(); ++y) {
        const unsigned char* source = rgb.row(y);
        unsigned char* row = target + static_cast<size_t>(y) * stride;
        const size_t readable = rgb.size() - static_cast<size_t>(y) * rowBytes;
        size_t x = 0;
        for (; x + 4 <= width && 3 * x + 16 <= readable; x += 4) {
            const __m128i triplets =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + 3 * x));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + 4 * x),
                             _mm_shuffle_epi8(triplets, shuffle));
        }
        packRowFrom(x, source, row, width, stride, p);
    }
}

bool canShuffle() {
    static const bool supported = __builtin_cpu_supports("ssse3");
    return supported;
}
#else
void placeShuffledRows(const RgbBuffer&, const PixelChannels&, unsigned char*, size_t) {}

bool canShuffle() {
    return false;
}
#endif

// Without byte shuffles each word is put together from its channels.
void placeWordRows(const RgbBuffer& rgb, const PixelChannels& p, unsigned char* target,
                   size_t stride) {
    const size_t width = static_cast<size_t>(rgb.width());
    for (int y = 0; y < rgb.height(); ++y)
        packRowFrom(0, rgb.row(y), target + static_cast<size_t>(y) * stride, width, stride, p);
}

// Any other layout: the row is cleared and each channel that lies inside the
// pixel is stored on its own.
void placeByteRows(const RgbBuffer& rgb, const PixelChannels& p, unsigned char* target,
                   size_t stride) {
    const size_t bytes = static_cast<size_t>(p.bytesPerPixel);
    const bool red = inPixel(p.red, p.bytesPerPixel);
    const bool green = inPixel(p.green, p.bytesPerPixel);
    const bool blue = inPixel(p.blue, p.bytesPerPixel);
    for (int y = 0; y < rgb.height(); ++y) {
        const unsigned char* source = rgb.row(y);
        unsigned char* row = target + static_cast<size_t>(y) * stride;
        std::memset(row, 0, stride);
        for (int x = 0; x < rgb.width(); ++x, source += 3, row += bytes) {
            if (red) row[p.red] = source[0];
            if (green) row[p.green] = source[1];
            if (blue) row[p.blue] = source[2];
        }
    }
}

}  // namespace

void placeRgbPixels(const RgbBuffer& rgb, const PixelChannels& placement, unsigned char* target,
                    size_t stride) {
    if (rgb.empty() || target == nullptr || placement.bytesPerPixel <= 0) return;
    const PixelChannels& p = placement;
    if (wholeWordLayout(p) && canShuffle())
        placeShuffledRows(rgb, p, target, stride);
    else if (wholeWordLayout(p))
        placeWordRows(rgb, p, target, stride);
    else
        placeByteRows(rgb, p, target, stride);
}

}  // namespace nebulark
