#include "Mask.h"

#include <cstddef>

namespace nebulark::artgen {

Mask::Mask(int width, int height)
    : width(width), height(height), bits(static_cast<size_t>(width) * height) {}

bool Mask::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return false;
    return bits[static_cast<size_t>(y) * width + x] != 0;
}

void Mask::Set(int x, int y, bool on) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    bits[static_cast<size_t>(y) * width + x] = on ? 1 : 0;
}

Mask Mask::Smoothed2x() const {
    Mask out(width * 2, height * 2);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool p = At(x, y);
            const bool a = At(x, y - 1), b = At(x + 1, y), c = At(x - 1, y), d = At(x, y + 1);
            // EPX: a corner takes the colour of its two neighbours when they agree
            // and the other two do not.
            const bool corner[4] = {
                (c == a && c != d && a != b) ? a : p, (a == b && a != c && b != d) ? b : p,
                (d == c && d != b && c != a) ? c : p, (b == d && b != a && d != c) ? d : p};
            for (int k = 0; k < 4; ++k)
                out.Set(x * 2 + k % 2, y * 2 + k / 2, corner[k]);
        }
    }
    return out;
}

Mask Mask::Enlarged(int factor) const {
    Mask out(width * factor, height * factor);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            out.Set(x, y, At(x / factor, y / factor));
    return out;
}

Mask Mask::Grown(int radius) const {
    Mask rows(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int d = -radius; d <= radius && !rows.At(x, y); ++d)
                if (At(x + d, y)) rows.Set(x, y, true);
    Mask out(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int d = -radius; d <= radius && !out.At(x, y); ++d)
                if (rows.At(x, y + d)) out.Set(x, y, true);
    return out;
}

Mask Mask::Shifted(int dx, int dy) const {
    Mask out(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out.Set(x, y, At(x - dx, y - dy));
    return out;
}

}  // namespace nebulark::artgen
