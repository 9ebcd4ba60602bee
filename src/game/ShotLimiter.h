#pragma once

#include "util/DateTime.h"

namespace nebulark {

// How often shots may leave: at most `maxAlive` in flight, and after the first
// shot of the run the next only once more than 399 ms have passed since the
// last. The game's clock has a standing millisecond part, so in practice a
// shot follows the last once the clock's second has changed.
class ShotLimiter {
public:
    explicit ShotLimiter(int maxAlive) : maxAlive(maxAlive) {}

    bool MayFire(int alive, const DateTime& now) const;
    void Fired(const DateTime& now);

    static constexpr int kMinimumGapMs = 399;

private:
    int maxAlive;
    bool firstShot = true;
    DateTime lastShotTime;
};

}  // namespace nebulark
