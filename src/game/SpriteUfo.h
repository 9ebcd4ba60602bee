#pragma once

#include "game/MovingSprite.h"

namespace nebulark {

// A saucer that sweeps across the field row by row and fires at the ship.
class SpriteUfo : public MovingSprite {
public:
    SpriteUfo(FormMain* game, XImage* image, int width, int height)
        : MovingSprite(game, image, width, height) {
        name = "spriteufo";
    }

    void FrameChanged(int) override {}
    int SpriteQuery() override { return 0; }
};

}  // namespace nebulark
