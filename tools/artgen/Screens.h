#pragma once

#include "Image.h"
#include "Sprites.h"

namespace nebulark::artgen {

// The game's full-window pictures, 800 x 600, drawn opaque. Each leaves dark
// and plain the places where the game writes over it.
constexpr int kScreenWidth = 800, kScreenHeight = 600;

// The title, under the high-score strip, the credit line and the invitation.
Image MakeTitleScreen(const SpriteSet& sprites);
// The background of every level.
Image MakePlayingField();
// Shown between two levels.
Image MakeLevelComplete(const SpriteSet& sprites);
// Shown after a lost ship.
Image MakeLifeLost();
// Shown at the end of a game.
Image MakeGameOver();

}  // namespace nebulark::artgen
