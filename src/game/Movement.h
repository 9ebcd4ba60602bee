#pragma once

#include "game/FormMain.h"
#include "gameframework/SpriteAnim.h"

namespace nebulark {

// The base of the game's movements: a strategy with an interval of its own,
// stepping one moving sprite of the game. A copy is of the same class, for the
// same sprite, with the same interval and counter.
template <class Derived, class MovedSprite>
class Movement : public SpriteAnim {
public:
    Movement(FormMain* game, SpriteKind* kind, MovedSprite* sprite, int interval)
        : SpriteAnim(game, kind, sprite), moved(sprite) {
        this->interval = interval;
    }

    SpriteAnim* Clone() override {
        auto* copy = new Derived(Game(), kind, moved, interval);
        copy->counter = counter;
        return copy;
    }

protected:
    FormMain* Game() const { return static_cast<FormMain*>(gameForm); }

    MovedSprite* moved;
};

}  // namespace nebulark
