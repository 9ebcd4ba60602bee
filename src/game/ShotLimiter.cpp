#include "game/ShotLimiter.h"

namespace nebulark {

bool ShotLimiter::MayFire(int alive, const DateTime& now) const {
    if (alive >= maxAlive) return false;
    return firstShot || lastShotTime.millisecondsUntil(now) > kMinimumGapMs;
}

void ShotLimiter::Fired(const DateTime& now) {
    firstShot = false;
    lastShotTime = now;
}

}  // namespace nebulark
