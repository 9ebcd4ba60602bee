#include "game/MovementUfo.h"

#include <cstdlib>

#include "game/SpritePlayer.h"

namespace nebulark {

void MovementUfo::Step() {
    const int h = moved->Dimensions().height;
    const Point at =
        UfoStep(moved->Position(), h, moved->stepX, moved->movingRight, moved->Bounds());
    moved->PlaceAt(at.x, at.y);
    Game()->DrawSprite(moved);
    const SpritePlayer* ship = Game()->Player();
    if (ship != nullptr && std::abs(ship->Position().x - at.x) <= kUfoAimSlack)
        Game()->FireEnemyBullet(at.y + h + 5);
    Game()->CheckShipHit(*moved, 10);
}

}  // namespace nebulark
