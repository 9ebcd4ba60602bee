#pragma once

#include <cstdint>
#include <vector>

namespace nebulark::artgen {

constexpr int kSampleRate = 22050;

// An explosion under a second long: crunchy noise that drops in pitch, over a
// falling rumble, with a sharp attack and a decaying tail. Mono samples.
std::vector<int16_t> MakeExplosion();
// A short clean sine tone with soft edges, so that it does not click.
std::vector<int16_t> MakeBeep();

}  // namespace nebulark::artgen
