#pragma once

#include <initializer_list>
#include <vector>

#include "Image.h"

namespace nebulark::artgen {

// A short row of colours from dark to light. Shading picks one of them, so
// that every sprite keeps the few flat tones of hand-drawn pixel art.
using Ramp = std::vector<Rgb>;

// A ramp of `steps` colours passing evenly through the given key colours.
Ramp MakeRamp(std::initializer_list<Rgb> keys, int steps);

// The 4 x 4 ordered-dither threshold of a pixel, in (-0.5, 0.5).
double Bayer4(int x, int y);

// The ramp colour for a level in [0, 1]; `dither` (0 ... 1) mixes neighbouring
// tones in an ordered pattern at the pixel (x, y).
Rgb PickShade(const Ramp& ramp, double level, int x, int y, double dither = 0.6);

}  // namespace nebulark::artgen
