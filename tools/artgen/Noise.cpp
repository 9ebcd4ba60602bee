#include "Noise.h"

#include <cmath>

namespace nebulark::artgen {

namespace {

double Fade(double t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

double Lerp(double a, double b, double t) {
    return a + (b - a) * t;
}

double Lattice(int32_t x, int32_t y, int32_t z, uint32_t seed) {
    return HashPoint(x, y, z, seed) * (1.0 / 4294967295.0);
}

}  // namespace

uint32_t HashPoint(int32_t x, int32_t y, int32_t z, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B9u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
    h = (h ^ (h >> 15)) * 0x2C1B3C6Du;
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE35u;
    h = (h ^ (h >> 12)) * 0x297A2D39u;
    h ^= static_cast<uint32_t>(z) * 0x27D4EB2Fu;
    h = (h ^ (h >> 15)) * 0x165667B1u;
    return h ^ (h >> 16);
}

double ValueNoise2(double x, double y, uint32_t seed) {
    return ValueNoise3(x, y, 0.5, seed);
}

double ValueNoise3(double x, double y, double z, uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    const auto ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy),
               iz = static_cast<int32_t>(fz);
    const double tx = Fade(x - fx), ty = Fade(y - fy), tz = Fade(z - fz);
    double plane[2];
    for (int dz = 0; dz < 2; ++dz) {
        const double a =
            Lerp(Lattice(ix, iy, iz + dz, seed), Lattice(ix + 1, iy, iz + dz, seed), tx);
        const double b =
            Lerp(Lattice(ix, iy + 1, iz + dz, seed), Lattice(ix + 1, iy + 1, iz + dz, seed), tx);
        plane[dz] = Lerp(a, b, ty);
    }
    return Lerp(plane[0], plane[1], tz);
}

double Fractal2(double x, double y, int octaves, uint32_t seed) {
    return Fractal3(x, y, 0.5, octaves, seed);
}

double Fractal3(double x, double y, double z, int octaves, uint32_t seed) {
    double sum = 0, weight = 1, total = 0, frequency = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * ValueNoise3(x * frequency, y * frequency, z * frequency, seed + i * 101);
        total += weight;
        weight *= 0.5;
        frequency *= 2.03;
    }
    return sum / total;
}

}  // namespace nebulark::artgen
