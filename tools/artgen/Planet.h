#pragma once

#include <cstdint>

#include "Image.h"

namespace nebulark::artgen {

// A banded gas giant lit from one side, with a thin glowing atmosphere, for
// the backdrops of the big pictures.
struct PlanetStyle {
    int centreX = 0, centreY = 0, radius = 100;
    Rgb dark, middle, light;  // the colours of its cloud bands
    Rgb atmosphere;
    double lightX = 0.7, lightY = -0.6;  // direction of the sun across the picture
    uint32_t seed = 1;
};

void DrawPlanet(Image& image, const PlanetStyle& style);

}  // namespace nebulark::artgen
