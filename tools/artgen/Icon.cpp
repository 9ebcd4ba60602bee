#include "Icon.h"

#include <cmath>

#include "Backdrop.h"
#include "Flare.h"

namespace nebulark::artgen {

namespace {

constexpr int kMargin = 24, kCorner = 128, kRim = 12;
constexpr Rgb kRimColour{120, 150, 255};

// Distance from (x, y) inside the tile to the tile's rounded edge, or a
// negative value outside it.
double InsideTile(int x, int y) {
    const double lo = kMargin + kCorner, hi = kIconCanvas - kMargin - kCorner;
    const double cx = x + 0.5 < lo ? lo : (x + 0.5 > hi ? hi : x + 0.5);
    const double cy = y + 0.5 < lo ? lo : (y + 0.5 > hi ? hi : y + 0.5);
    const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
    return kCorner - std::sqrt(dx * dx + dy * dy);
}

// The scene is composed at half the canvas size, with the sprites at three
// times their own scale on a grid of three, and then doubled: every sprite
// pixel covers a block of 6 x 6 canvas pixels, so the 128-pixel icon shows the
// ship and the UFO pixel for pixel and the 256-pixel one in sharp 2 x 2
// blocks, while the starfield and the nebula keep finer detail than either.
Image DrawScene(const SpriteSet& sprites) {
    constexpr int kScene = kIconCanvas / 2;
    BackdropStyle backdrop{3, {70, 30, 120}, {40, 120, 190}, 1.1, 700};
    Image scene = MakeBackdrop(kScene, kScene, backdrop, {});
    DrawFlare(scene, 300, 92, 70, {120, 200, 255}, 2);
    scene.PasteKeyed(sprites.saucer.Crop(0, 0, 40, 40).Enlarged(3), 237, 33);
    scene.PasteKeyed(sprites.ship.Enlarged(3), 36, 24);
    return scene.Enlarged(2);
}

// The tile's outline: transparent outside, a thin light rim just inside.
std::vector<bool> TileMask(Image& scene) {
    std::vector<bool> inside(static_cast<size_t>(kIconCanvas) * kIconCanvas);
    for (int y = 0; y < kIconCanvas; ++y)
        for (int x = 0; x < kIconCanvas; ++x) {
            const double depth = InsideTile(x, y);
            inside[static_cast<size_t>(y) * kIconCanvas + x] = depth > 0;
            if (depth > 0 && depth < kRim) scene.Blend(x, y, kRimColour, 0.55);
        }
    return inside;
}

// Each output pixel averages a factor x factor block of the canvas, its
// colour weighted by coverage, so that the tile's edge comes out smooth.
std::vector<uint8_t> Reduce(const Image& scene, const std::vector<bool>& inside, int factor) {
    const int size = kIconCanvas / factor;
    std::vector<uint8_t> rgba;
    rgba.reserve(static_cast<size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double sum[3] = {0, 0, 0};
            int covered = 0;
            for (int v = y * factor; v < (y + 1) * factor; ++v)
                for (int u = x * factor; u < (x + 1) * factor; ++u) {
                    if (!inside[static_cast<size_t>(v) * kIconCanvas + u]) continue;
                    const Rgb c = scene.Get(u, v);
                    sum[0] += c.r;
                    sum[1] += c.g;
                    sum[2] += c.b;
                    ++covered;
                }
            const double n = covered > 0 ? covered : 1;
            const Rgb c = MakeRgb(sum[0] / n, sum[1] / n, sum[2] / n);
            const int area = factor * factor;
            const auto alpha = static_cast<uint8_t>((255 * covered + area / 2) / area);
            rgba.insert(rgba.end(), {c.r, c.g, c.b, alpha});
        }
    return rgba;
}

}  // namespace

std::vector<uint8_t> MakeIcon(const SpriteSet& sprites, int size) {
    Image scene = DrawScene(sprites);
    const std::vector<bool> inside = TileMask(scene);
    return Reduce(scene, inside, kIconCanvas / size);
}

}  // namespace nebulark::artgen
