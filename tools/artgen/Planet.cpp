#include "Planet.h"

#include <cmath>

#include "MathUtil.h"
#include "Noise.h"
#include "Ramp.h"

namespace nebulark::artgen {

namespace {

constexpr int kTones = 9;
constexpr double kHaloWidth = 14;

Rgb CloudColour(const PlanetStyle& style, Vec3 n) {
    // Bands run along the planet's tilted latitude, stirred by noise.
    const double latitude = n.y * 0.94 + n.x * 0.34;
    const double stir = Fractal2(n.x * 5 + 11, n.y * 9, 4, style.seed) - 0.5;
    const double stripes = 0.5 + 0.5 * SinTurns(latitude * 3.2 + stir * 0.9);
    const double band =
        Mix(Fractal2(latitude * 7 + stir * 1.2, 3.5, 3, style.seed + 3), stripes, 0.55);
    return band < 0.5 ? MixRgb(style.dark, style.middle, band * 2)
                      : MixRgb(style.middle, style.light, (band - 0.5) * 2);
}

void Surface(Image& image, const PlanetStyle& style, int x, int y, double dx, double dy) {
    const double r = style.radius;
    const Vec3 n{dx / r, dy / r, std::sqrt(Clamp01(1 - (dx * dx + dy * dy) / (r * r)))};
    const Vec3 sun = Normalize({style.lightX, style.lightY, 0.45});
    const double lit = Smoothstep(-0.12, 0.6, Dot(n, sun));
    // Light in a few flat steps, ordered-dithered: the same treatment as the
    // sprites get.
    const double level = std::floor(lit * kTones + Bayer4(x, y) * 0.9 + 0.5) / kTones;
    const Rgb cloud = CloudColour(style, n);
    image.Set(x, y, ScaleRgb(cloud, 0.04 + 0.96 * Clamp01(level)));
}

void Halo(Image& image, const PlanetStyle& style, int x, int y, double dx, double dy) {
    const double distance = std::sqrt(dx * dx + dy * dy);
    const double out = (distance - style.radius) / kHaloWidth;
    const double facing = Clamp01(0.5 + (dx * style.lightX + dy * style.lightY) / distance);
    const double strength = (1 - out) * (1 - out) * facing;
    if (strength > 0) image.AddLight(x, y, style.atmosphere, strength * 0.9);
}

}  // namespace

void DrawPlanet(Image& image, const PlanetStyle& style) {
    const int reach = style.radius + static_cast<int>(kHaloWidth) + 1;
    for (int y = style.centreY - reach; y <= style.centreY + reach; ++y)
        for (int x = style.centreX - reach; x <= style.centreX + reach; ++x) {
            if (!image.Contains(x, y)) continue;
            const double dx = x + 0.5 - style.centreX, dy = y + 0.5 - style.centreY;
            const double d2 = dx * dx + dy * dy;
            if (d2 < static_cast<double>(style.radius) * style.radius)
                Surface(image, style, x, y, dx, dy);
            else if (d2 < (style.radius + kHaloWidth) * (style.radius + kHaloWidth))
                Halo(image, style, x, y, dx, dy);
        }
}

}  // namespace nebulark::artgen
