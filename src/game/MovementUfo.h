#pragma once

#include "game/Movement.h"
#include "game/SpriteUfo.h"

namespace nebulark {

// A UFO sweeps sideways and comes back in from the other side one row lower;
// passing above the ship it fires, and meeting the ship costs a life.
class MovementUfo : public Movement<MovementUfo, SpriteUfo> {
public:
    using Movement::Movement;
    void Step() override;
};

}  // namespace nebulark
