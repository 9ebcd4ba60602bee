#include <cmath>

#include "MathUtil.h"
#include "Ramp.h"
#include "Sprites.h"

namespace nebulark::artgen {

namespace {

constexpr int kWidth = 13, kHeight = 24;

// Brightness of the shot at (x, y): a round hot head low in the frame, since
// the shot falls, and a tail that thins and fades upwards.
double Heat(int x, int y) {
    const double dx = x + 0.5 - kWidth / 2.0;
    const double headY = 16.5;
    const double dy = y + 0.5 - headY;
    const double head = 1 - (dx * dx + dy * dy) / 30.0;
    double tail = 0;
    if (dy < 0) {
        const double t = -dy / 15.0;  // 0 at the head, 1 at the tail's end
        const double halfWidth = 4.2 * (1 - t) + 0.4;
        tail = (1 - t) * (1 - (dx * dx) / (halfWidth * halfWidth)) * 0.85;
    }
    return head > tail ? head : tail;
}

}  // namespace

Image MakeShot() {
    const Ramp ramp = MakeRamp(
        {{16, 70, 30}, {40, 170, 60}, {120, 240, 90}, {220, 255, 180}, {255, 255, 255}}, 7);
    Image shot(kWidth, kHeight);
    for (int y = 1; y < kHeight - 1; ++y)
        for (int x = 1; x < kWidth - 1; ++x) {
            const double heat = Heat(x, y);
            if (heat > 0.05) shot.Set(x, y, PickShade(ramp, heat * 1.1, x, y, 0.8));
        }
    return shot;
}

}  // namespace nebulark::artgen
