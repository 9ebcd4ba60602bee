#include "game/GameGlobals.h"

namespace nebulark {

GameGlobals& gameGlobals() {
    static GameGlobals globals;
    return globals;
}

void GameGlobals::StartGame() {
    playerShots = ShotLimiter{5};
    enemyShots = ShotLimiter{11};
    intermissionDeadline = DateTime{kNoDeadlineYear, 1, 1};
}

}  // namespace nebulark
