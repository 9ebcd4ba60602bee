#pragma once

#include "game/Movement.h"
#include "game/SpriteBullet.h"

namespace nebulark {

// The player's shot rises until it reaches the top. It knocks back every UFO
// it meets and flies on; an asteroid or an enemy bullet stops it.
class MovementBullet : public Movement<MovementBullet, SpriteBullet> {
public:
    using Movement::Movement;
    void Step() override;

private:
    // Answers whether the shot's step ends here.
    bool StrikeUfo(Sprite* target);
};

}  // namespace nebulark
