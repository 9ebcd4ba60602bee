#pragma once

#include "gameframework/Sprite.h"

namespace nebulark {

class FormMain;

// The player's ship.
class SpritePlayer : public Sprite {
public:
    SpritePlayer(FormMain* game, XImage* image, int width, int height);

    FormMain* game;
};

}  // namespace nebulark
