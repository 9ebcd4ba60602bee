#pragma once

#include <cstdint>
#include <vector>

namespace nebulark::artgen {

// A picture of on and off pixels: the ink of lettering, the outline of a shape.
class Mask {
public:
    Mask(int width, int height);

    int Width() const { return width; }
    int Height() const { return height; }
    // Pixels outside the mask read as off.
    bool At(int x, int y) const;
    void Set(int x, int y, bool on);

    // Twice the size with diagonal steps rounded off (the EPX rule), so that
    // enlarged pixel lettering keeps smooth slopes.
    Mask Smoothed2x() const;
    Mask Enlarged(int factor) const;
    // Every pixel within `radius` (a square) of an on pixel.
    Mask Grown(int radius) const;
    // The mask moved by (dx, dy), same size.
    Mask Shifted(int dx, int dy) const;

private:
    int width;
    int height;
    std::vector<uint8_t> bits;
};

}  // namespace nebulark::artgen
