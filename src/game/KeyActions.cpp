#include "game/KeyActions.h"

namespace nebulark {

namespace {

int Capital(char character) {
    return static_cast<unsigned char>(character) & ~0x20;
}

}  // namespace

KeyAction ActionFor(int state, char character) {
    const int c = Capital(character);
    switch (state) {
        case kTitle:
            if (c == 'G') return KeyAction::NewGame;
            return c == 'R' ? KeyAction::Watch : KeyAction::Nothing;
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

KeyAction WatcherActionFor(char character) {
    const int c = Capital(character);
    if (c == 'P') return KeyAction::HoldOrGoOn;
    return c == 'R' ? KeyAction::Nothing : KeyAction::BackToTitle;
}

}  // namespace nebulark
