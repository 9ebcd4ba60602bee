#pragma once

namespace nebulark {

class FormGames;
class Sprite;
struct SpriteKind;

// A behaviour of one sprite (a movement, a frame animation), stepped by the
// game: it adds the tick's milliseconds to `counter` and calls Step once
// `counter` reaches `interval`. It never owns its sprite.
class SpriteAnim {
public:
    SpriteAnim(FormGames* form, SpriteKind* kind, Sprite* sprite);
    virtual ~SpriteAnim() = default;
    SpriteAnim(const SpriteAnim&) = delete;
    SpriteAnim& operator=(const SpriteAnim&) = delete;

    virtual void Step() = 0;
    // A copy for the same form, kind and sprite with the same counter and frames.
    virtual SpriteAnim* Clone() = 0;
    virtual void AnimHook();

    int counter = 0;
    int interval;
    int firstFrame;
    int lastFrame;
    SpriteKind* kind;
    Sprite* sprite;
    FormGames* gameForm;
};

// Cycles a sprite through the frames firstFrame … lastFrame.
class SpriteAnimazione : public SpriteAnim {
public:
    using SpriteAnim::SpriteAnim;

    void Step() override;
    SpriteAnim* Clone() override;
};

}  // namespace nebulark
