#pragma once

#include "gameframework/Sprite.h"

namespace nebulark {

class FormMain;

// The gauge of the UFO hits still needed to finish the level; the game sets
// its frame directly.
class SpriteTermometro : public Sprite {
public:
    SpriteTermometro(FormMain* game, XImage* image, int width, int height);

    FormMain* game;
};

}  // namespace nebulark
