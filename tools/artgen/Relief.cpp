#include "Relief.h"

namespace nebulark::artgen {

namespace {

const Vec3 kLight = Normalize({-1.1, -0.8, 0.9});
const Vec3 kHalfway = Normalize(kLight + Vec3{0, 0, 1});

double Power(double base, int exponent) {
    double result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= base;
    return result;
}

}  // namespace

Relief::Relief(int width, int height)
    : width(width), height(height), cells(static_cast<size_t>(width) * height) {}

const Relief::Cell* Relief::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return nullptr;
    return &cells[static_cast<size_t>(y) * width + x];
}

Relief::Cell* Relief::At(int x, int y) {
    return const_cast<Cell*>(static_cast<const Relief*>(this)->At(x, y));
}

void Relief::Raise(int x, int y, int material, double h) {
    Cell* cell = At(x, y);
    if (cell == nullptr || (cell->material >= 0 && cell->height > h)) return;
    *cell = Cell{material, h, false, {}};
}

void Relief::Recolour(int x, int y, int material) {
    Cell* cell = At(x, y);
    if (cell != nullptr && cell->material >= 0 && !cell->glowing) cell->material = material;
}

void Relief::Groove(int x, int y, double depth) {
    Cell* cell = At(x, y);
    if (cell != nullptr && cell->material >= 0) cell->height -= depth;
}

void Relief::Glow(int x, int y, const Ramp& ramp, double level) {
    Cell* cell = At(x, y);
    if (cell == nullptr) return;
    cell->material = 0;
    cell->glowing = true;
    cell->glow = PickShade(ramp, level, x, y, 0.7);
}

bool Relief::Painted(int x, int y) const {
    const Cell* cell = At(x, y);
    return cell != nullptr && cell->material >= 0;
}

double Relief::HeightAt(int x, int y) const {
    const Cell* cell = At(x, y);
    return cell != nullptr && cell->material >= 0 ? cell->height : 0;
}

double Relief::Light(int x, int y) const {
    const double dx = (HeightAt(x + 1, y) - HeightAt(x - 1, y)) / 2;
    const double dy = (HeightAt(x, y + 1) - HeightAt(x, y - 1)) / 2;
    const Vec3 normal = Normalize({-dx, -dy, 1});
    const double diffuse = Dot(normal, kLight);
    const double specular = Power(Clamp01(Dot(normal, kHalfway)), 24);
    return Clamp01(0.06 + 0.8 * (diffuse > 0 ? diffuse : 0) + 0.45 * specular);
}

Image Relief::Render(const std::vector<Ramp>& materials, Rgb outline) const {
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Cell& cell = *At(x, y);
            if (cell.glowing) {
                image.Set(x, y, cell.glow == kBlack ? kNearBlack : cell.glow);
            } else if (cell.material >= 0) {
                const Rgb c = PickShade(materials[cell.material], Light(x, y), x, y, 0.5);
                image.Set(x, y, c == kBlack ? kNearBlack : c);
            } else {
                // A dark rim where the relief meets empty space.
                const bool edge = (Painted(x - 1, y) && !At(x - 1, y)->glowing) ||
                                  (Painted(x + 1, y) && !At(x + 1, y)->glowing) ||
                                  (Painted(x, y - 1) && !At(x, y - 1)->glowing) ||
                                  (Painted(x, y + 1) && !At(x, y + 1)->glowing);
                if (edge) image.Set(x, y, outline);
            }
        }
    }
    return image;
}

}  // namespace nebulark::artgen
