#include "game/GameClock.h"

#include <unistd.h>

namespace nebulark {

GameClock::GameClock() {
    // sleep() may end early when a signal arrives; the rest is slept too.
    pause = [](unsigned seconds) {
        while (seconds > 0)
            seconds = sleep(seconds);
    };
}

}  // namespace nebulark
