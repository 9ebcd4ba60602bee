#include "game/GameClock.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "util/ChildProcesses.h"

namespace nebulark {

namespace {

// The event loop, which reaps finished children, does not run during a pause;
// the pause reaps them itself at this interval so that none stays defunct for
// long.
constexpr auto kReapInterval = std::chrono::milliseconds(250);

}  // namespace

GameClock::GameClock() {
    pause = [](unsigned seconds) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        for (auto now = std::chrono::steady_clock::now(); now < end;
             now = std::chrono::steady_clock::now()) {
            std::this_thread::sleep_for(
                std::min<std::chrono::steady_clock::duration>(kReapInterval, end - now));
            reapFinishedChildren();
        }
    };
}

}  // namespace nebulark
