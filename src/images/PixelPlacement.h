#pragma once

#include <cstddef>

#include "images/PixelLayout.h"
#include "images/RgbBuffer.h"

namespace nebulark {

// Writes the picture into `target` in the server's layout: `height` rows of
// `stride` bytes, each pixel `bytesPerPixel` bytes with red, green and blue at
// their positions. Every other byte (the fourth byte of a 32-bit pixel, row
// padding) is 0, and a channel whose position lies outside the pixel is left
// out rather than written into the next one. `stride` must be at least
// width × bytesPerPixel.
void placeRgbPixels(const RgbBuffer& rgb, const PixelChannels& placement, unsigned char* target,
                    size_t stride);

}  // namespace nebulark
