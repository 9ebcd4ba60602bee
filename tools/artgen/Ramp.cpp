#include "Ramp.h"

#include <cmath>

#include "MathUtil.h"

namespace nebulark::artgen {

Ramp MakeRamp(std::initializer_list<Rgb> keys, int steps) {
    const std::vector<Rgb> key(keys);
    Ramp ramp;
    for (int i = 0; i < steps; ++i) {
        const double position =
            steps > 1 ? static_cast<double>(i) * (key.size() - 1) / (steps - 1) : 0;
        const auto low = static_cast<size_t>(std::floor(position));
        const size_t high = low + 1 < key.size() ? low + 1 : low;
        ramp.push_back(MixRgb(key[low], key[high], position - low));
    }
    return ramp;
}

double Bayer4(int x, int y) {
    static const int kMatrix[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (kMatrix[y & 3][x & 3] + 0.5) / 16.0 - 0.5;
}

Rgb PickShade(const Ramp& ramp, double level, int x, int y, double dither) {
    const double scaled = Clamp01(level) * (ramp.size() - 1) + Bayer4(x, y) * dither;
    const double index = std::floor(scaled + 0.5);
    if (index <= 0) return ramp.front();
    if (index >= static_cast<double>(ramp.size() - 1)) return ramp.back();
    return ramp[static_cast<size_t>(index)];
}

}  // namespace nebulark::artgen
