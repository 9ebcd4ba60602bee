#pragma once

#include <functional>

#include "util/DateTime.h"

namespace nebulark {

// Where the game reads the time and waits. The game's rate limits compare
// DateTime values and its end-of-level and lost-life sequences block the
// event loop with whole-second pauses; both go through here so that a test
// can step the clock and skip the pauses.
struct GameClock {
    std::function<DateTime()> now = [] { return DateTime::now(); };
    std::function<void(unsigned seconds)> pause;

    GameClock();
};

}  // namespace nebulark
