#include "gallery/GalleryPictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace nebulark {

namespace GalleryPictures {

namespace {

struct Colour {
    double r, g, b;
};

constexpr Colour kPlanetColours[kPhases] = {
    {0.85, 0.45, 0.25}, {0.30, 0.60, 0.90}, {0.45, 0.80, 0.40}, {0.80, 0.70, 0.35}};
constexpr double kPi = 3.14159265358979323846;

void Put(RgbBuffer& rgb, int x, int y, Colour c) {
    unsigned char* pixel = rgb.row(y) + x * 3;
    pixel[0] = static_cast<unsigned char>(std::clamp(c.r, 0.0, 1.0) * 255);
    pixel[1] = static_cast<unsigned char>(std::clamp(c.g, 0.0, 1.0) * 255);
    pixel[2] = static_cast<unsigned char>(std::clamp(c.b, 0.0, 1.0) * 255);
}

// A few stars on a deep blue, the same for every phase.
void DrawStars(RgbBuffer& rgb) {
    uint32_t seed = 12345;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            seed = seed * 1103515245u + 12345u;
            const double star = (seed >> 16) % 97 == 0 ? 0.9 : 0.0;
            Put(rgb, x, y, Colour{0.02 + star, 0.03 + star, 0.10 + star});
        }
}

// The ring is an ellipse around the planet; its near half is drawn over the
// planet, its far half is hidden behind it.
bool OnRing(double dx, double dy, bool nearHalf) {
    const double distance = std::hypot(dx / 1.9, dy / 0.45);
    return distance > 0.80 && distance < 0.95 && (dy > 0) == nearHalf;
}

Colour Shade(double dx, double dy, int phase) {
    const double angle = 2 * kPi * phase / kPhases;
    const double dz = std::sqrt(std::max(0.0, 1 - dx * dx - dy * dy));
    const double light =
        std::max(0.0, dx * std::cos(angle) - dy * 0.5 + dz * std::sin(angle) + 0.3);
    const Colour base = kPlanetColours[phase];
    return Colour{base.r * light, base.g * light, base.b * light};
}

}  // namespace

RgbBuffer planetPicture(int width, int height, int phase) {
    RgbBuffer rgb = RgbBuffer::allocate(width, height);
    if (rgb.empty()) return rgb;
    phase = ((phase % kPhases) + kPhases) % kPhases;
    DrawStars(rgb);
    const double radius = std::min(width, height) * 0.3;
    const Colour ring{0.85, 0.80, 0.65};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double dx = (x - width / 2.0) / radius, dy = (y - height / 2.0) / radius;
            if (OnRing(dx, dy, false)) Put(rgb, x, y, ring);
            if (dx * dx + dy * dy <= 1) Put(rgb, x, y, Shade(dx, dy, phase));
            if (OnRing(dx, dy, true)) Put(rgb, x, y, ring);
        }
    return rgb;
}

}  // namespace GalleryPictures

}  // namespace nebulark
