#pragma once

namespace nebulark {

class DrawingSurface;

// The root of everything drawn in a game's frames.
// Games delete their sprites through this root, so its destructor is virtual.
class GameElement {
public:
    virtual void Erase(DrawingSurface* surface) = 0;
    virtual ~GameElement() = default;

protected:
    GameElement() = default;
};

}  // namespace nebulark
