#include "game/SpriteAsteroidi.h"

namespace nebulark {

SpriteAsteroidi::SpriteAsteroidi(FormMain* game, XImage* image, int width, int height)
    : MovingSprite(game, image, width, height) {
    name = "spriteasteroidi";
    minY = 25;
}

void SpriteAsteroidi::Draw(DrawingSurface* surface) {
    if (alive) Sprite::Draw(surface);
}

void SpriteAsteroidi::FrameChanged(int) {}

int SpriteAsteroidi::SpriteQuery() {
    return 0;
}

}  // namespace nebulark
