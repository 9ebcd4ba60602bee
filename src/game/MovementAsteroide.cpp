#include "game/MovementAsteroide.h"

#include "util/ProcessUtils.h"

namespace nebulark {

void MovementAsteroide::Step() {
    Point at = moved->Position();
    at.y += moved->stepY;
    if (at.y > moved->maxY) {
        at.y = moved->minY;
        at.x = RandomInt(1, moved->maxX);
    }
    moved->PlaceAt(at.x, at.y);
    Game()->DrawSprite(moved);
    Game()->CheckShipHit(*moved, 10);
}

}  // namespace nebulark
