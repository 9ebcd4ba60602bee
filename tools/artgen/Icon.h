#pragma once

#include <cstdint>
#include <vector>

#include "Sprites.h"

namespace nebulark::artgen {

// The desktop icon is drawn once at this size and reduced by a whole factor,
// so it can be made at any size that divides this one (48, 128, 256 ...).
constexpr int kIconCanvas = 768;

// The game's icon, `size` x `size` RGBA pixels rows top to bottom: the
// player's ship climbing past a UFO over a nebula, on a rounded tile whose
// surround is transparent. `size` must divide kIconCanvas.
std::vector<uint8_t> MakeIcon(const SpriteSet& sprites, int size);

}  // namespace nebulark::artgen
