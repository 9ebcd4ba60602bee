#pragma once

#include "game/PlayRules.h"
#include "gameframework/Sprite.h"

namespace nebulark {

class FormMain;

// A sprite that moves on its own: a step per axis, the bounds it keeps to, a
// direction and whether it is still in play.
class MovingSprite : public Sprite {
public:
    MovingSprite(FormMain* game, XImage* image, int width, int height);

    MotionBounds Bounds() const { return MotionBounds{minX, maxX, minY, maxY}; }
    void SetBounds(const MotionBounds& bounds);

    int stepX = 4;
    int minX = 0;
    int maxX = 0;
    int stepY = 4;
    int minY = 20;
    int maxY = 0;
    bool movingRight = false;
    // Cleared just before the game removes the sprite; a sprite that is not
    // alive is neither drawn nor counted.
    bool alive = true;
    FormMain* game;
};

}  // namespace nebulark
