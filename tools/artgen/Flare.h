#pragma once

#include <cstdint>

#include "Image.h"

namespace nebulark::artgen {

// The light of an explosion: a hot core and uneven rays fading outwards,
// added to what is already drawn.
void DrawFlare(Image& image, int centreX, int centreY, int radius, Rgb colour, uint32_t seed);

}  // namespace nebulark::artgen
