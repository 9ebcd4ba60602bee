#include "gameframework/SpriteAnim.h"

#include "gameframework/FormGames.h"
#include "gameframework/Sprite.h"
#include "gameframework/SpriteKind.h"

namespace nebulark {

SpriteAnim::SpriteAnim(FormGames* form, SpriteKind* kind, Sprite* sprite)
    : interval(kind->interval),
      firstFrame(kind->firstFrame),
      lastFrame(kind->lastFrame),
      kind(kind),
      sprite(sprite),
      gameForm(form) {}

void SpriteAnim::AnimHook() {}

void SpriteAnimazione::Step() {
    const int current = sprite->FrameIndex();
    int next = current + 1;
    if (next > lastFrame) next = firstFrame;
    if (next != current) {
        sprite->SetFrame(next);
        gameForm->DrawSprite(sprite);
    }
    sprite->FrameChanged(next);
}

SpriteAnim* SpriteAnimazione::Clone() {
    auto* copy = new SpriteAnimazione(gameForm, kind, sprite);
    copy->firstFrame = firstFrame;
    copy->lastFrame = lastFrame;
    copy->counter = counter;
    return copy;
}

}  // namespace nebulark
