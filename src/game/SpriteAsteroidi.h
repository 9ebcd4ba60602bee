#pragma once

#include "game/MovingSprite.h"

namespace nebulark {

// A falling rock. It cannot be destroyed: it blocks the player's shots and
// costs a life when it meets the ship.
class SpriteAsteroidi : public MovingSprite {
public:
    SpriteAsteroidi(FormMain* game, XImage* image, int width, int height);

    void Draw(DrawingSurface* surface) override;
    void FrameChanged(int index) override;
    int SpriteQuery() override;
};

}  // namespace nebulark
