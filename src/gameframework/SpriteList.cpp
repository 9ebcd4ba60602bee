#include "gameframework/SpriteList.h"

#include <algorithm>

#include "gameframework/Sprite.h"

namespace nebulark {

void SpriteList::Add(Sprite* sprite) {
    if (sprite == nullptr) return;
    sprites.push_back(sprite);
    changed = true;
}

void SpriteList::Remove(const Sprite* sprite) {
    if (sprite == nullptr) return;
    const auto found = std::find_if(sprites.begin(), sprites.end(),
                                    [&](const Sprite* s) { return s->Id() == sprite->Id(); });
    if (found == sprites.end()) return;
    sprites.erase(found);
    changed = true;
}

void SpriteList::Clear() {
    sprites.clear();
    changed = true;
}

Sprite* SpriteList::At(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return sprites[static_cast<size_t>(index)];
}

bool SpriteList::AnyMoving() const {
    return std::any_of(sprites.begin(), sprites.end(),
                       [](const Sprite* sprite) { return !sprite->persistent; });
}

}  // namespace nebulark
