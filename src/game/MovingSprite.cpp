#include "game/MovingSprite.h"

#include "game/FormMain.h"

namespace nebulark {

MovingSprite::MovingSprite(FormMain* game, XImage* image, int width, int height)
    : Sprite(game, image, width, height), game(game) {}

void MovingSprite::SetBounds(const MotionBounds& bounds) {
    minX = bounds.minX;
    maxX = bounds.maxX;
    minY = bounds.minY;
    maxY = bounds.maxY;
}

}  // namespace nebulark
