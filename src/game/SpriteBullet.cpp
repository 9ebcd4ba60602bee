#include "game/SpriteBullet.h"

#include "gameframework/FormGames.h"

namespace nebulark {

void SpriteBullet::Draw(DrawingSurface*) {
    if (!alive) return;
    static constexpr Point kPlus[] = {{1, 0}, {0, 1}, {1, 1}, {2, 1}, {1, 2}};
    for (const Point& dot : kPlus)
        owner->RenderPixel(x + dot.x, y + dot.y, kColour, false);
    drawn = true;
    prevX = x;
    prevY = y;
}

}  // namespace nebulark
