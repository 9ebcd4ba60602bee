#include "gameframework/Sprite.h"

#include <algorithm>

#include "gameframework/FormGames.h"

namespace nebulark {

namespace {
int spriteCounter = 0;
}

int Sprite::SpriteCounter() {
    return spriteCounter;
}

Sprite::Sprite(FormGames* owner, XImage* image, int width, int height)
    : owner(owner), image(image), width(width), height(height), id(++spriteCounter) {}

void Sprite::Erase(DrawingSurface*) {
    if (!drawn || prevX == -1 || prevY == -1) return;
    RestoreUnder(x, y, width, height);
    drawn = false;
    prevX = prevY = -1;
}

void Sprite::SetFrame(int index) {
    frame = index + 1;
}

// Frames are blended straight out of the strip, with no copy of their own. A
// frame below the end of the strip is cut only as far as the strip goes, so
// it never reads outside the picture.
PixelRect Sprite::FramePart() const {
    const int top = height * (frame - 1);
    if (top < 0 || top >= image->height || width <= 0 || height <= 0) return PixelRect{};
    const int rows = std::min(height, image->height - top);
    const int columns = std::min(width, image->width);
    return PixelRect{0, top, columns, rows};
}

bool Sprite::ReachesIntoForm() const {
    const Size area = owner->GetSize();
    return x + width >= 0 && x < area.width && y + height >= 0 && y < area.height && width > 0 &&
           height > 0;
}

void Sprite::Draw(DrawingSurface*) {
    if (image != nullptr) {
        if (!persistent && prevX != -1 && prevY != -1) RestoreUnder(prevX, prevY, width, height);
        const PixelRect part = FramePart();
        if (!part.Empty() && ReachesIntoForm())
            owner->RenderImage(image, x, y, part, persistent, transparent);
    }
    drawn = true;
    shownFrame = frame;
    prevX = x;
    prevY = y;
}

void Sprite::FrameChanged(int) {}
void Sprite::SpriteHookA() {}
int Sprite::SpriteQuery() {
    return 0;
}
void Sprite::SpriteHookB() {}
void Sprite::SpriteHookC() {}

void Sprite::PlaceAt(int newX, int newY) {
    x = newX;
    y = newY;
}

void Sprite::ForgetPosition() {
    prevX = prevY = -1;
}

bool Sprite::CollidesWith(const Sprite& other, int inset, int otherInset) const {
    const int leftA = x + inset, topA = y + inset;
    const int rightA = x + width - inset, bottomA = y + height - inset;
    const int leftB = other.x + otherInset, topB = other.y + otherInset;
    const int rightB = other.x + other.width - otherInset;
    const int bottomB = other.y + other.height - otherInset;
    const bool vertical = (topB <= topA && topA < bottomB) || (topA <= topB && topB < bottomA);
    const bool horizontal = leftA < rightB && leftB < rightA;
    return vertical && horizontal;
}

void Sprite::RestoreUnder(int rx, int ry, int rw, int rh) {
    const Size area = owner->GetSize();
    const PixelRect under = PixelRect{rx, ry, rw, rh}.Intersection({0, 0, area.width, area.height});
    if (under.Empty()) return;
    owner->RipristinaSfondo(under.x, under.y, under.w, under.h, persistent);
}

}  // namespace nebulark
