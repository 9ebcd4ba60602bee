#pragma once

#include "game/SpriteAsteroidi.h"

namespace nebulark {

// A UFO's bullet. It carries the asteroids' name, so the player's shots treat
// it as one: a shot that meets it is stopped and the bullet flies on.
class SpriteBulletNemico : public SpriteAsteroidi {
public:
    SpriteBulletNemico(FormMain* game, XImage* image, int width, int height)
        : SpriteAsteroidi(game, image, width, height) {
        stepX = 2;
        minY = 20;
    }
};

}  // namespace nebulark
