#include "game/SpriteTermometro.h"

#include "game/FormMain.h"

namespace nebulark {

SpriteTermometro::SpriteTermometro(FormMain* game, XImage* image, int width, int height)
    : Sprite(game, image, width, height), game(game) {
    name = "spritetermometro";
}

}  // namespace nebulark
