#pragma once

#include "Image.h"
#include "Sprites.h"

namespace nebulark::artgen {

// The game's full-window pictures, 800 x 600, drawn opaque. Each leaves dark
// and plain the places where the game writes over it.
constexpr int kScreenWidth = 800, kScreenHeight = 600;

Image MakeTitleScreen(
    const SpriteSet& sprites);  // the title, under the high-score strip and the invitation
Image MakePlayingField();       // the background of every level
Image MakeLevelComplete(const SpriteSet& sprites);  // shown between two levels
Image MakeLifeLost();                               // shown after a lost ship
Image MakeGameOver();                               // shown at the end of a game

}  // namespace nebulark::artgen
