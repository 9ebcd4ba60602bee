#include "Flare.h"

#include <cmath>

#include "MathUtil.h"
#include "Noise.h"
#include "Ramp.h"

namespace nebulark::artgen {

void DrawFlare(Image& image, int centreX, int centreY, int radius, Rgb colour, uint32_t seed) {
    const int reach = radius * 2;
    for (int y = centreY - reach; y <= centreY + reach; ++y)
        for (int x = centreX - reach; x <= centreX + reach; ++x) {
            const double dx = (x + 0.5 - centreX) / radius, dy = (y + 0.5 - centreY) / radius;
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d >= 2 || d == 0) continue;
            // Rays vary with the direction only, so they run straight outwards.
            const double rays = ValueNoise2(dx / d * 5 + 9, dy / d * 5 + 9, seed);
            const double light =
                ExpNeg(d * 3.2) + 0.9 * rays * rays * ExpNeg(d * 1.6) * (1 - d / 2);
            const double level = std::floor(light * 8 + Bayer4(x, y) * 0.9 + 0.5) / 8;
            if (level > 0) image.AddLight(x, y, colour, level);
        }
}

}  // namespace nebulark::artgen
