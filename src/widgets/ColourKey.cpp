#include "widgets/ColourKey.h"

#include <algorithm>

namespace nebulark {

namespace {

bool SameColour(const unsigned char* pixel, PixelChannels channels, int32_t key) {
    return pixel[channels.red] == ((key >> 16) & 0xFF) &&
           pixel[channels.green] == ((key >> 8) & 0xFF) && pixel[channels.blue] == (key & 0xFF);
}

}  // namespace

PixelRect ColourKey::ShownPart(int x, int y, int w, int h, const XImage& image,
                               const PixelRect& area) {
    if (w <= 0) w = image.width;
    if (h <= 0) h = image.height;
    return PixelRect{x, y, std::min(w, image.width), std::min(h, image.height)}.Intersection(area);
}

void ColourKey::Replace(XImage& image, int imageX, int imageY, const XImage& under,
                        PixelChannels channels, int32_t key) {
    const int bytes = image.bits_per_pixel / 8;
    const int highest = std::max({channels.red, channels.green, channels.blue});
    const int lowest = std::min({channels.red, channels.green, channels.blue});
    if (image.data == nullptr || under.data == nullptr || bytes != under.bits_per_pixel / 8 ||
        lowest < 0 || highest >= bytes || imageX < 0 || imageY < 0)
        return;
    const int rows = std::min(image.height - imageY, under.height);
    const int columns = std::min(image.width - imageX, under.width);
    for (int row = 0; row < rows; ++row) {
        auto* target = reinterpret_cast<unsigned char*>(image.data) +
                       (imageY + row) * image.bytes_per_line + imageX * bytes;
        const auto* source =
            reinterpret_cast<const unsigned char*>(under.data) + row * under.bytes_per_line;
        for (int column = 0; column < columns; ++column) {
            unsigned char* pixel = target + column * bytes;
            const unsigned char* below = source + column * bytes;
            if (!SameColour(pixel, channels, key)) continue;
            pixel[channels.red] = below[channels.red];
            pixel[channels.green] = below[channels.green];
            pixel[channels.blue] = below[channels.blue];
        }
    }
}

}  // namespace nebulark
