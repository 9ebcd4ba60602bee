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
    // Ticks of play since the X server was last told that the player is
    // there.
    int ticksSincePresence = 0;

    static constexpr int kNoDeadlineYear = 1978;
};

GameGlobals& gameGlobals();

}  // namespace nebulark
