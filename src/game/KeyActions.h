#pragma once

namespace nebulark {

// The game's states.
enum GameState : int {
    kBuilding = 0,
    kTitle = 1,
    kPlaying = 2,
    kPaused = 3,
    kIntermission = 4,
    kNameEntry = 5,
    kResultStored = 6,
};

// What a typed character does in a state.
enum class KeyAction { Nothing, NewGame, Pause, Resume, EndLevel, BackToTitle };

// Letters act alike in either case; every other pairing does nothing.
KeyAction ActionFor(int state, char character);

}  // namespace nebulark
