#pragma once

#include <string_view>

#include "Image.h"

namespace nebulark::artgen {

// Large display lettering in the manner of arcade title screens: the pixel
// font enlarged with rounded slopes, a banded metallic gradient that changes
// tone sharply at a horizon line, bevelled edges, a dark outline, a drop
// shadow and a soft coloured glow behind it.
struct LetteringStyle {
    int scale = 8;  // size of one font pixel; a multiple of 4
    Rgb top, aboveHorizon, belowHorizon, bottom;
    Rgb outline;
    Rgb glow;
};

// Draws text centred on centreX with the top of its letters at row `top`.
void DrawLettering(Image& image, int centreX, int top, std::string_view text,
                   const LetteringStyle& style);

// A smaller line in one colour with a dark outline, centred on centreX.
void DrawCaption(Image& image, int centreX, int top, std::string_view text, int scale, Rgb colour);

}  // namespace nebulark::artgen
