#pragma once

#include <cstdint>
#include <vector>

namespace nebulark::artgen {

// A PNG file of an RGBA picture (four bytes a pixel, rows top to bottom).
// The pixel data goes into stored, uncompressed deflate blocks, so that the
// generator needs no compression library; it only makes small icons.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgba);

}  // namespace nebulark::artgen
