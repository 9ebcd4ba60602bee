#include <cmath>

#include "MathUtil.h"
#include "Relief.h"
#include "Sprites.h"

namespace nebulark::artgen {

namespace {

constexpr int kSize = 40, kFrames = 4, kLamps = 12;
constexpr double kCentre = 20;

enum Material { kSilver, kBand, kUnderside, kGlass };

std::vector<Ramp> Materials() {
    return {MakeRamp({{34, 36, 52}, {90, 96, 120}, {170, 176, 196}, {240, 244, 255}}, 7),
            MakeRamp({{20, 20, 34}, {60, 58, 86}, {110, 104, 140}}, 4),
            MakeRamp({{18, 18, 30}, {48, 50, 70}, {96, 100, 124}}, 5),
            MakeRamp({{6, 40, 40}, {20, 120, 110}, {90, 230, 200}, {220, 255, 245}}, 6)};
}

// Squared distance from (cx, cy) in units of the half-axes a and b.
double Ellipse(int x, int y, double cx, double cy, double a, double b) {
    const double u = (x + 0.5 - cx) / a, v = (y + 0.5 - cy) / b;
    return u * u + v * v;
}

void Hull(Relief& saucer) {
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const double upper = Ellipse(x, y, kCentre, 24, 18.5, 7.5);
            if (y < 24 && upper < 1) saucer.Raise(x, y, kSilver, 3 + 5 * std::sqrt(1 - upper));
            const double band = Ellipse(x, y, kCentre, 24.5, 18.5, 2.2);
            if (y >= 23 && band < 1) saucer.Raise(x, y, kBand, 2.5 + std::sqrt(1 - band));
            const double lower = Ellipse(x, y, kCentre, 26, 13.5, 6);
            if (y >= 26 && lower < 1) saucer.Raise(x, y, kUnderside, 3 * std::sqrt(1 - lower));
            const double dome = Ellipse(x, y, kCentre, 18.5, 8.5, 10);
            if (y < 19 && dome < 1) saucer.Raise(x, y, kGlass, 9 + 4 * std::sqrt(1 - dome));
        }
}

// The glow of the drive underneath.
void Drive(Relief& saucer) {
    const Ramp ramp = MakeRamp({{20, 90, 80}, {80, 255, 200}, {230, 255, 250}}, 5);
    for (int y = 29; y < 34; ++y)
        for (int x = 0; x < kSize; ++x) {
            const double r = Ellipse(x, y, kCentre, 31.5, 6, 2.5);
            if (r < 1) saucer.Glow(x, y, ramp, 1 - r);
        }
}

// The rim lamps: twelve round the rim, of which those on the near side show.
// Every fourth lamp is lit, the one behind it glows, and each frame moves the
// pattern on by one lamp, so that the lights run round the saucer.
void Lamps(Relief& saucer, int frame) {
    const Ramp lit = MakeRamp({{255, 150, 40}, {255, 240, 160}, {255, 255, 255}}, 3);
    const Ramp dim = MakeRamp({{90, 24, 30}, {150, 40, 50}}, 2);
    for (int i = 0; i < kLamps; ++i) {
        const double turn = (i + 0.5) / kLamps;
        if (CosTurns(turn) < -0.05) continue;
        const int x = static_cast<int>(std::floor(kCentre - 0.5 + 16.5 * SinTurns(turn)));
        const int y = static_cast<int>(std::floor(23.5 + 1.2 * CosTurns(turn)));
        const int phase = ((i - frame) % kFrames + kFrames) % kFrames;
        const Ramp& ramp = phase <= 1 ? lit : dim;
        const double level = phase == 0 ? 1.0 : 0.2;
        for (int k = 0; k < 4; ++k)
            saucer.Glow(x + k % 2, y + k / 2, ramp, level * (k == 0 ? 1 : 0.75));
    }
}

// A small pilot inside the dome.
void Pilot(Relief& saucer) {
    const Ramp skin = MakeRamp({{30, 90, 30}, {110, 210, 80}}, 3);
    for (int y = 12; y < 19; ++y)
        for (int x = 0; x < kSize; ++x) {
            const double head = Ellipse(x, y, kCentre, 14.5, 3.2, 3.2);
            const double body = Ellipse(x, y, kCentre, 19, 4.5, 2.5);
            if (head < 1 || body < 1) saucer.Glow(x, y, skin, head < 1 ? 0.9 - head * 0.5 : 0.3);
        }
    const Ramp eye = MakeRamp({{10, 10, 10}, {10, 10, 10}}, 1);
    saucer.Glow(18, 14, eye, 0);
    saucer.Glow(21, 14, eye, 0);
}

}  // namespace

Image MakeSaucer() {
    Image strip(kSize, kSize * kFrames);
    for (int frame = 0; frame < kFrames; ++frame) {
        Relief saucer(kSize, kSize);
        Hull(saucer);
        Pilot(saucer);
        Drive(saucer);
        Lamps(saucer, frame);
        strip.Paste(saucer.Render(Materials(), {10, 10, 20}), 0, frame * kSize);
    }
    return strip;
}

}  // namespace nebulark::artgen
