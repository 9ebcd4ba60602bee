#pragma once

#include "game/Movement.h"
#include "game/SpriteAsteroidi.h"

namespace nebulark {

// An asteroid falls by its step; past the bottom it starts again at the top
// at a new column (never the leftmost). Meeting the ship costs a life.
class MovementAsteroide : public Movement<MovementAsteroide, SpriteAsteroidi> {
public:
    using Movement::Movement;
    void Step() override;
};

}  // namespace nebulark
