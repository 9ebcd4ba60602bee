#pragma once

#include "widgets/Geometry.h"

namespace nebulark {

// The arithmetic of play that needs no display: the gauge, the asteroids'
// speeds and the moving sprites' steps. The movements apply these to their
// sprites.

// The top row the moving sprites keep to, below the status strip.
constexpr int kTopRow = 20;
constexpr int kHitsPerLevel = 20;
constexpr int kUfoPoints = 50;

// The gauge frame for the UFO hits still needed: frame 0 with 20 … 18 left,
// up to frame 9 with 1 or 0 left.
int GaugeFrame(int hitsLeft);

// An asteroid's vertical step drawn for the level, no longer than the
// asteroid itself, so that it never jumps over the ship.
int AsteroidFallStep(int drawnStep, int asteroidHeight);
// An asteroid's step interval in tick milliseconds; at least one tick.
int AsteroidInterval(int speedBase, int level, int drawnSpread);

// The limits a moving sprite keeps to.
struct MotionBounds {
    int minX = 0;
    int maxX = 0;
    int minY = 0;
    int maxY = 0;
};

// One step of a UFO's sweep. Past its far side it comes back in from the
// other side one row lower (its height plus minY); a row at or past maxY
// starts again at the top row.
Point UfoStep(Point at, int height, int stepX, bool movingRight, const MotionBounds& bounds);

// One step of an enemy bullet: down by stepY and sideways by stepX, sliding
// down a side it reaches.
Point EnemyBulletStep(Point at, int stepX, int stepY, bool movingRight, const MotionBounds& bounds);

// A UFO fires when it passes within this many pixels of the ship's x.
constexpr int kUfoAimSlack = 29;

}  // namespace nebulark
