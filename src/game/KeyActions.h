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
enum class KeyAction {
    Nothing,
    NewGame,
    Watch,
    Pause,
    Resume,
    EndLevel,
    BackToTitle,
    HoldOrGoOn,
};

// Letters act alike in either case; every other pairing does nothing.
KeyAction ActionFor(int state, char character);
// What a key does while a recorded game is watched: P holds the replay and
// goes on with it, R (whose auto-repeat would otherwise end the replay it has
// just started) nothing, any other key brings the title screen back.
KeyAction WatcherActionFor(char character);

}  // namespace nebulark
