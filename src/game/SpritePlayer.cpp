#include "game/SpritePlayer.h"

#include "game/FormMain.h"

namespace nebulark {

SpritePlayer::SpritePlayer(FormMain* game, XImage* image, int width, int height)
    : Sprite(game, image, width, height), game(game) {
    name = "spriteplayer";
}

}  // namespace nebulark
