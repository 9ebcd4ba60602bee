#pragma once

#include "Image.h"

namespace nebulark::artgen {

// The game's sprite strips. Every frame has a pure black surround, which the
// game treats as transparent, and no pure black pixel inside.

// The player's ship seen from above, nose up, engines burning: 64 x 115.
Image MakeShip();
// Ten 45 x 63 asteroid frames above ten spare rows: 45 x 640. Frames 0 ... 4
// turn a grey rock once round, frames 6 ... 9 a rust-brown one; frame 5 is
// the grey rock half a step on.
Image MakeAsteroids();
// Four 40 x 40 frames of a saucer whose rim lights chase round: 40 x 160.
Image MakeSaucer();
// The saucers' glowing shot, falling: 13 x 24.
Image MakeShot();
// Ten 160 x 20 frames of the level gauge, empty to nine tenths full.
Image MakeGauge();

struct SpriteSet {
    Image ship = MakeShip();
    Image asteroids = MakeAsteroids();
    Image saucer = MakeSaucer();
    Image shot = MakeShot();
    Image gauge = MakeGauge();
};

}  // namespace nebulark::artgen
