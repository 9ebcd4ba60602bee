#pragma once

#include "game/MovingSprite.h"

namespace nebulark {

// The player's shot: a small white plus sign with no picture. It keeps the
// base sprite name, which no shot aims at.
class SpriteBullet : public MovingSprite {
public:
    SpriteBullet(FormMain* game, int width, int height)
        : MovingSprite(game, nullptr, width, height) {}

    // Five pixels of the frame; the old place is never restored, as every
    // frame is composed afresh.
    void Draw(DrawingSurface* surface) override;

    static constexpr uint32_t kColour = 0xFFFFFF;
};

}  // namespace nebulark
