#pragma once

#include <cstdint>
#include <vector>

#include "Image.h"

namespace nebulark::artgen {

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

// The look of one space backdrop: a faint two-coloured nebula with dark dust
// lanes, and a starfield that is denser where the nebula glows.
struct BackdropStyle {
    uint32_t seed = 1;
    Rgb nebulaA;  // the nebula's main colour
    Rgb nebulaB;  // the colour its brighter knots turn towards
    double nebulaStrength = 1.0;
    int stars = 1400;
    double starLight = 1.0;  // brightness of the stars
    // Whether bright stars get small cross-shaped glints; the playing field
    // leaves them out, so that no star looks like one of the player's shots.
    bool glints = true;
};

// A backdrop of the given size. Inside the quiet rectangles, where the game
// writes text or draws its gauge, the nebula dims to a dark, starless tone.
Image MakeBackdrop(int width, int height, const BackdropStyle& style,
                   const std::vector<Rect>& quiet);

}  // namespace nebulark::artgen
