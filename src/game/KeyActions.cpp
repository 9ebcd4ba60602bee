#include "game/KeyActions.h"

namespace nebulark {

KeyAction ActionFor(int state, char character) {
    const int c = static_cast<unsigned char>(character) & ~0x20;
    switch (state) {
        case kTitle:
            return c == 'G' ? KeyAction::NewGame : KeyAction::Nothing;
        case kPlaying:
            if (c == 'P') return KeyAction::Pause;
            return c == 'N' ? KeyAction::EndLevel : KeyAction::Nothing;
        case kPaused:
            return c == 'P' ? KeyAction::Resume : KeyAction::Nothing;
        case kResultStored:
            return KeyAction::BackToTitle;
        default:
            return KeyAction::Nothing;
    }
}

}  // namespace nebulark
