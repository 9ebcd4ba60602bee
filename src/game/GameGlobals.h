#pragma once

#include "game/GameClock.h"
#include "game/ShotLimiter.h"
#include "game/TitleBlinker.h"
#include "util/DateTime.h"

namespace nebulark {

// Everything the game keeps for the whole process, in one place. There is one
// game form, and these values outlive it: the first shot of the run is free of
// the rate limit, and the title screen's blinking goes on where it stopped.
struct GameGlobals {
    // Set while the game form's tick runs, so that a tick never runs inside
    // another.
    bool tickGuard = false;
    ShotLimiter playerShots{5};
    ShotLimiter enemyShots{11};
    TitleBlinker blinker;
    // 1978-01-01 stands for no deadline.
    DateTime intermissionDeadline{kNoDeadlineYear, 1, 1};
    GameClock clock;
    // The time as the tick running sees it: the clock is read once, at the
    // start of the tick, and every rate limit and pause of that tick uses
    // this value, so that a replay can hand the recorded time back.
    DateTime tickNow{1970, 1, 1};
    // Ticks of play since the X server was last told that the player is
    // there.
    int ticksSincePresence = 0;

    static constexpr int kNoDeadlineYear = 1978;

    // A game starts as the first game of the run does, whatever was played
    // before it: the first shots free of the rate limit, no deadline set.
    void StartGame();
    // The time for the game's rate limits and pauses: the tick's, inside a
    // tick; the clock's, when a step is called from outside one.
    DateTime Now() const { return tickGuard ? tickNow : clock.now(); }
};

GameGlobals& gameGlobals();

}  // namespace nebulark
