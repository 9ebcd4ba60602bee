#pragma once

#include <vector>

namespace nebulark {

class Sprite;

// The sprites drawn into each frame, in drawing order: later entries are
// drawn over earlier ones. The list does not own them. It remembers whether
// it has changed since the last frame was shown.
class SpriteList {
public:
    // Null is not added.
    void Add(Sprite* sprite);
    // Removes the first entry with the sprite's id; the others keep their
    // order.
    void Remove(const Sprite* sprite);
    void Clear();
    int Count() const { return static_cast<int>(sprites.size()); }
    // Null outside the list.
    Sprite* At(int index) const;
    // Some sprite is drawn at every frame, and so may have moved.
    bool AnyMoving() const;

    bool ChangedSinceShown() const { return changed; }
    void Shown() { changed = false; }

    std::vector<Sprite*>::const_iterator begin() const { return sprites.begin(); }
    std::vector<Sprite*>::const_iterator end() const { return sprites.end(); }

private:
    std::vector<Sprite*> sprites;
    bool changed = true;
};

}  // namespace nebulark
