#include "Backdrop.h"

#include <cmath>
#include <vector>

#include "MathUtil.h"
#include "Noise.h"
#include "Ramp.h"
#include "Rng.h"

namespace nebulark::artgen {

namespace {

constexpr double kFeather = 40;
constexpr int kTones = 8;
// Stars keep this far from the quiet rectangles, so none sits on their edge.
constexpr int kStarMargin = 4;

// Nebula density in [0, 1] at (x, y), from domain-warped fractal noise.
double Density(double x, double y, uint32_t seed) {
    const double warpX = Fractal2(x / 260, y / 260, 4, seed + 7) - 0.5;
    const double warpY = Fractal2(x / 260 + 17.3, y / 260 + 4.1, 4, seed + 9) - 0.5;
    const double n = Fractal2(x / 210 + warpX * 1.6, y / 210 + warpY * 1.6, 6, seed);
    const double dust = Smoothstep(0.5, 0.72, Fractal2(x / 90 + 3.7, y / 90 + 9.2, 5, seed + 13));
    return Smoothstep(0.38, 0.82, n) * (1 - 0.75 * dust);
}

// The nebula's density is smooth, so it is worked out on a coarse grid and
// interpolated in between; that keeps the generator quick in debug builds.
class DensityField {
public:
    DensityField(int width, int height, uint32_t seed)
        : columns(width / kCell + 2),
          rows(height / kCell + 2),
          values(static_cast<size_t>(columns) * rows) {
        for (int j = 0; j < rows; ++j)
            for (int i = 0; i < columns; ++i)
                values[static_cast<size_t>(j) * columns + i] = Density(i * kCell, j * kCell, seed);
    }

    double At(int x, int y) const {
        const int i = x / kCell, j = y / kCell;
        const double tx = (x % kCell) / static_cast<double>(kCell),
                     ty = (y % kCell) / static_cast<double>(kCell);
        const double top = Mix(Value(i, j), Value(i + 1, j), tx);
        const double bottom = Mix(Value(i, j + 1), Value(i + 1, j + 1), tx);
        return Mix(top, bottom, ty);
    }

private:
    static constexpr int kCell = 4;
    double Value(int i, int j) const { return values[static_cast<size_t>(j) * columns + i]; }

    int columns;
    int rows;
    std::vector<double> values;
};

Rgb NebulaColour(int x, int y, double density, const BackdropStyle& style) {
    const double knot = Smoothstep(0.55, 1.0, density);
    const Rgb tint = MixRgb(style.nebulaA, style.nebulaB, knot);
    // A few flat tones dithered together give the nebula a hand-painted,
    // low-colour look instead of a smooth photographic gradient.
    const double level = Clamp01(density * style.nebulaStrength) * kTones + Bayer4(x, y) * 0.8;
    const double tone = std::floor(level + 0.5) / kTones;
    return MixRgb({2, 2, 8}, tint, Clamp01(tone));
}

bool NearQuiet(int x, int y, const std::vector<Rect>& quiet) {
    for (const Rect& r : quiet)
        if (x >= r.x - kStarMargin - 3 && x < r.x + r.w + kStarMargin + 3 &&
            y >= r.y - kStarMargin - 3 && y < r.y + r.h + kStarMargin + 3)
            return true;
    return false;
}

void DrawStar(Image& image, int x, int y, Rgb colour, int size) {
    image.AddLight(x, y, colour, 1.0);
    if (size < 1) return;
    const double arm = size == 1 ? 0.35 : 0.7;
    for (int d = 1; d <= size * 2; ++d) {
        const double fade = arm / d;
        image.AddLight(x + d, y, colour, fade);
        image.AddLight(x - d, y, colour, fade);
        image.AddLight(x, y + d, colour, fade);
        image.AddLight(x, y - d, colour, fade);
    }
    if (size >= 2)
        for (int k = 0; k < 4; ++k)
            image.AddLight(x + (k % 2 ? 1 : -1), y + (k / 2 ? 1 : -1), colour, 0.3);
}

Rgb StarColour(Rng& rng) {
    static const Rgb kTints[] = {{255, 255, 255}, {200, 220, 255}, {255, 240, 200},
                                 {170, 200, 255}, {255, 210, 170}, {255, 255, 255}};
    return kTints[rng.Below(6)];
}

void Scatter(Image& image, const DensityField& density, const BackdropStyle& style,
             const std::vector<Rect>& quiet) {
    Rng rng(style.seed * 7919ull + 17);
    for (int i = 0; i < style.stars; ++i) {
        const int x = rng.Below(image.Width()), y = rng.Below(image.Height());
        const double roll = rng.Unit();
        const Rgb colour = ScaleRgb(StarColour(rng), style.starLight);
        // More stars show where the nebula is: half of the faint ones are
        // kept only there.
        if (roll < 0.5 && rng.Unit() > density.At(x, y) * 1.6) continue;
        if (NearQuiet(x, y, quiet)) continue;
        if (roll < 0.93 || !style.glints)
            image.AddLight(x, y, colour, 0.12 + 0.45 * rng.Unit());
        else if (roll < 0.985)
            DrawStar(image, x, y, ScaleRgb(colour, 0.6 + 0.4 * rng.Unit()), 1);
        else
            DrawStar(image, x, y, colour, 2 + rng.Below(2));
    }
}

// How much of the backdrop survives at (x, y): 0 inside a quiet rectangle,
// 1 farther than the feather width from all of them.
double QuietFactor(int x, int y, const std::vector<Rect>& quiet) {
    double factor = 1;
    for (const Rect& r : quiet) {
        const double dx = x < r.x ? r.x - x : (x >= r.x + r.w ? x - (r.x + r.w - 1) : 0);
        const double dy = y < r.y ? r.y - y : (y >= r.y + r.h ? y - (r.y + r.h - 1) : 0);
        const double f = Smoothstep(0, kFeather, std::sqrt(dx * dx + dy * dy));
        if (f < factor) factor = f;
    }
    return factor;
}

}  // namespace

Image MakeBackdrop(int width, int height, const BackdropStyle& style,
                   const std::vector<Rect>& quiet) {
    Image image(width, height);
    const DensityField density(width, height, style.seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double keep = 0.3 + 0.7 * QuietFactor(x, y, quiet);
            image.Set(x, y, ScaleRgb(NebulaColour(x, y, density.At(x, y), style), keep));
        }
    Scatter(image, density, style, quiet);
    return image;
}

}  // namespace nebulark::artgen
