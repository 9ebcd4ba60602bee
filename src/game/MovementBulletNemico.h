#pragma once

#include "game/Movement.h"
#include "game/SpriteBulletNemico.h"

namespace nebulark {

// A UFO's bullet falls and drifts sideways until it reaches the bottom;
// meeting the ship costs a life.
class MovementBulletNemico : public Movement<MovementBulletNemico, SpriteBulletNemico> {
public:
    using Movement::Movement;
    void Step() override;
};

}  // namespace nebulark
