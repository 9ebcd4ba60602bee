#include "game/MovementBullet.h"

#include "game/SpriteUfo.h"
#include "util/ProcessUtils.h"

namespace nebulark {

void MovementBullet::Step() {
    FormMain* game = Game();
    const Point at = moved->Position();
    const int newY = at.y - moved->stepY;
    if (newY <= moved->minY) {
        game->RetirePlayerBullet(moved);
        return;
    }
    moved->PlaceAt(at.x, newY);
    game->DrawSprite(moved);
    // A hit may end the level, which empties the sprite list, so the search
    // stops at the first target it acts on.
    for (int i = 0; i < game->SpriteCount(); ++i) {
        Sprite* target = game->SpriteAt(i);
        if (target->name == "spriteufo") {
            if (StrikeUfo(target)) return;
        } else if (target->name == "spriteasteroidi") {
            if (moved->CollidesWith(*target, 0, 0)) {
                game->RetirePlayerBullet(moved);
                return;
            }
        }
    }
}

// The UFO restarts at the top row from the edge it now moves away from; the
// shot itself flies on.
bool MovementBullet::StrikeUfo(Sprite* target) {
    auto* ufo = dynamic_cast<SpriteUfo*>(target);
    if (ufo == nullptr || !moved->CollidesWith(*ufo, 0, 0)) return false;
    FormMain* game = Game();
    game->EraseSprite(ufo);
    game->PlayExplosion();
    ufo->movingRight = RandomInt(1, 2) == 1;
    ufo->PlaceAt(ufo->movingRight ? ufo->minX : ufo->maxX, ufo->minY);
    game->UfoHit(kUfoPoints);
    return true;
}

}  // namespace nebulark
