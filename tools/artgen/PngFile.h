#pragma once

#include <cstdint>
#include <vector>

namespace nebulark::artgen {

// A compressed PNG file of an RGBA picture (four bytes a pixel, rows top to
// bottom). Empty, after a message on stderr, when the picture does not have
// width × height pixels or libpng cannot encode it.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgba);

}  // namespace nebulark::artgen
