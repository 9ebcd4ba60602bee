#pragma once

#include <vector>

#include "Image.h"
#include "MathUtil.h"
#include "Ramp.h"

namespace nebulark::artgen {

// A sprite built as a small relief: every painted pixel has a material and a
// height above the ground. Rendering lights the relief from the upper left,
// shades each material along its own ramp of colours and draws a dark
// outline round it, so that ship and saucer share one look. Glowing pixels
// (lamps, flames) keep their own colour and are not lit.
class Relief {
public:
    Relief(int width, int height);

    // Raises (x, y) to `height` in `material`, unless something higher is
    // already there.
    void Raise(int x, int y, int material, double height);
    // Changes the material of a painted pixel, keeping its height.
    void Recolour(int x, int y, int material);
    // Lowers a painted pixel, as a panel line or a vent.
    void Groove(int x, int y, double depth);
    // A glowing pixel; level 0 ... 1 picks from the glow ramp.
    void Glow(int x, int y, const Ramp& ramp, double level);

    bool Painted(int x, int y) const;
    double HeightAt(int x, int y) const;

    Image Render(const std::vector<Ramp>& materials, Rgb outline) const;

private:
    struct Cell {
        int material = -1;  // -1: nothing here
        double height = 0;
        bool glowing = false;
        Rgb glow;
    };
    const Cell* At(int x, int y) const;
    Cell* At(int x, int y);
    double Light(int x, int y) const;

    int width;
    int height;
    std::vector<Cell> cells;
};

}  // namespace nebulark::artgen
