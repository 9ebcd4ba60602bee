#include "game/PlayRules.h"

#include <algorithm>

#include "app/Tick.h"

namespace nebulark {

namespace {
constexpr int kGaugeSteps = 10;
}  // namespace

int GaugeFrame(int hitsLeft) {
    const double filled = static_cast<double>(hitsLeft) / kHitsPerLevel * kGaugeSteps;
    const int c = std::clamp(static_cast<int>(filled), 0, kGaugeSteps - 1);
    return kGaugeSteps - 1 - c;
}

int AsteroidFallStep(int drawnStep, int asteroidHeight) {
    return asteroidHeight > 0 ? std::min(drawnStep, asteroidHeight) : drawnStep;
}

int AsteroidInterval(int speedBase, int level, int drawnSpread) {
    return std::max(speedBase - level + drawnSpread, kTickMs);
}

Point UfoStep(Point at, int height, int stepX, bool movingRight, const MotionBounds& bounds) {
    Point next{movingRight ? at.x + stepX : at.x - stepX, at.y};
    const bool wrapped = movingRight ? next.x >= bounds.maxX : next.x <= bounds.minX;
    if (!wrapped) return next;
    next.x = movingRight ? bounds.minX : bounds.maxX;
    next.y = at.y + bounds.minY + height;
    if (next.y >= bounds.maxY) next.y = bounds.minY;
    return next;
}

Point EnemyBulletStep(Point at, int stepX, int stepY, bool movingRight,
                      const MotionBounds& bounds) {
    const int dx = movingRight ? stepX : -stepX;
    return Point{std::clamp(at.x + dx, bounds.minX, std::max(bounds.minX, bounds.maxX)),
                 at.y + stepY};
}

}  // namespace nebulark
