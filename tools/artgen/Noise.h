#pragma once

#include <cstdint>

namespace nebulark::artgen {

// Smooth value noise on an integer lattice, in [0, 1]. The lattice values come
// from an integer hash, so the same seed gives the same field everywhere.
double ValueNoise2(double x, double y, uint32_t seed);
double ValueNoise3(double x, double y, double z, uint32_t seed);

// Sums of octaves of the noise above, each of twice the frequency and half
// the weight of the one before, scaled back into [0, 1].
double Fractal2(double x, double y, int octaves, uint32_t seed);
double Fractal3(double x, double y, double z, int octaves, uint32_t seed);

// A well-mixed 32-bit hash of a lattice point.
uint32_t HashPoint(int32_t x, int32_t y, int32_t z, uint32_t seed);

}  // namespace nebulark::artgen
