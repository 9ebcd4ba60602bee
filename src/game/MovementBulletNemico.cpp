#include "game/MovementBulletNemico.h"

namespace nebulark {

void MovementBulletNemico::Step() {
    const Point at = EnemyBulletStep(moved->Position(), moved->stepX, moved->stepY,
                                     moved->movingRight, moved->Bounds());
    // Past the bottom it simply goes; the next frame is composed without it.
    if (at.y >= moved->maxY) {
        Game()->RetireEnemyBullet(moved);
        return;
    }
    moved->PlaceAt(at.x, at.y);
    Game()->DrawSprite(moved);
    Game()->CheckShipHit(*moved, 0);
}

}  // namespace nebulark
