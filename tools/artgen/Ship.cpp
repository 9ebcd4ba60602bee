#include <cmath>

#include "MathUtil.h"
#include "Relief.h"
#include "Sprites.h"

namespace nebulark::artgen {

namespace {

constexpr int kWidth = 64, kHeight = 115;
constexpr double kAxis = 32;      // the ship's centre line lies between columns 31 and 32
constexpr double kEngine = 12.5;  // distance of each engine from the centre line
constexpr int kNozzleEnd = 100;

enum Material { kHull, kAccent, kEngineMetal, kCanopy, kDarkMetal };

std::vector<Ramp> Materials() {
    return {
        MakeRamp({{28, 32, 50}, {72, 82, 112}, {150, 160, 185}, {225, 230, 240}, {255, 255, 255}},
                 8),
        MakeRamp({{60, 8, 20}, {150, 22, 34}, {232, 62, 48}, {255, 170, 130}}, 6),
        MakeRamp({{20, 22, 32}, {52, 58, 78}, {100, 108, 128}, {170, 176, 192}}, 6),
        MakeRamp({{8, 16, 56}, {20, 70, 140}, {60, 170, 230}, {210, 248, 255}}, 6),
        MakeRamp({{12, 12, 18}, {38, 40, 50}, {82, 84, 98}}, 4)};
}

Ramp FlameRamp() {
    return MakeRamp({{90, 16, 8}, {230, 90, 20}, {255, 190, 60}, {255, 245, 200}, {255, 255, 255}},
                    7);
}

// Distance of column x's centre from the centre line.
double Offset(int x) {
    return std::fabs(x + 0.5 - kAxis);
}

double FuselageHalfWidth(int y) {
    if (y < 2) return 0;
    if (y < 44) return 8.5 * std::sqrt((y - 2) / 42.0);
    if (y < 90) return 8.5;
    return 8.5 - (y - 90) * 0.4;
}

void Fuselage(Relief& ship) {
    for (int y = 2; y < kNozzleEnd - 2; ++y) {
        const double w = FuselageHalfWidth(y);
        for (int x = 0; x < kWidth; ++x) {
            const double u = Offset(x) / w;
            if (u >= 1) continue;
            ship.Raise(x, y, y < 12 ? kAccent : kHull, 1 + 12 * std::sqrt(1 - u * u));
        }
    }
    // The canopy bulges from the fuselage just behind the nose.
    for (int y = 20; y < 44; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double du = Offset(x) / 4.2, dv = (y - 31.5) / 10.5;
            const double r = du * du + dv * dv;
            if (r < 1) ship.Raise(x, y, kCanopy, ship.HeightAt(x, y) + 3 * std::sqrt(1 - r));
        }
    // A red spine stripe and two panel lines.
    for (int y = 50; y < 88; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (Offset(x) < 1.2) ship.Recolour(x, y, kAccent);
    for (int x = 0; x < kWidth; ++x) {
        ship.Groove(x, 58, 1.5);
        ship.Groove(x, 76, 1.5);
    }
}

// Leading edge of the swept wing at distance u from the centre line.
double LeadingEdge(double u) {
    return 46 + (u - 7) * 34.0 / 22.5;
}
double TrailingEdge(double u) {
    return 86 + (u - 8) * 4.0 / 21.5;
}

void Wings(Relief& ship) {
    for (int y = 44; y < 94; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double u = Offset(x);
            if (u > 29.5 || y < LeadingEdge(u) || y > TrailingEdge(u)) continue;
            const double edge =
                std::fmin(std::fmin(y - LeadingEdge(u), TrailingEdge(u) - y), 29.5 - u);
            const bool stripe = u > 22 && u < 25.5;
            ship.Raise(x, y, stripe ? kAccent : kHull,
                       1.5 + 2 * Smoothstep(0, 3, edge) + (29.5 - u) * 0.06);
        }
    // Cannons along the wings.
    for (int y = 58; y < 74; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (std::fabs(Offset(x) - 20) < 1) ship.Raise(x, y, kDarkMetal, 4.5);
}

void Engines(Relief& ship) {
    for (int y = 52; y < kNozzleEnd; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double radius = y < 58 ? 4.6 * std::sqrt((y - 51.5) / 6.5) : 4.6;
            const double d = (Offset(x) - kEngine) / radius;
            if (std::fabs(d) >= 1) continue;
            const double h = 8 * std::sqrt(1 - d * d);
            if (y >= 95)
                ship.Raise(x, y, kDarkMetal, h + 1);  // the nozzle bell
            else
                ship.Raise(x, y, kEngineMetal, h);
        }
    // Air intakes at the front of the engines.
    for (int x = 0; x < kWidth; ++x)
        if (std::fabs(Offset(x) - kEngine) < 2.2) ship.Recolour(x, 55, kDarkMetal);
}

void Flame(Relief& ship, const Ramp& ramp, double centre, double halfWidth, int top, int length) {
    for (int y = top; y < top + length; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double t = (y - top + 0.5) / length;
            const double w = halfWidth * std::sqrt(1 - t) * (1 - 0.3 * t);
            const double d = (Offset(x) - centre) / w;
            if (std::fabs(d) >= 1) continue;
            const double level = (1 - d * d) * (1 - 0.85 * t);
            if (level > 0.06) ship.Glow(x, y, ramp, level);
        }
}

void Lights(Relief& ship) {
    const Ramp red = MakeRamp({{255, 60, 60}, {255, 200, 200}}, 2);
    const Ramp green = MakeRamp({{60, 255, 90}, {200, 255, 210}}, 2);
    for (int y = 84; y < 87; ++y) {
        ship.Glow(static_cast<int>(kAxis) - 29, y, red, y == 85 ? 1 : 0);
        ship.Glow(static_cast<int>(kAxis) + 28, y, green, y == 85 ? 1 : 0);
    }
}

}  // namespace

Image MakeShip() {
    Relief ship(kWidth, kHeight);
    Wings(ship);
    Engines(ship);
    Fuselage(ship);
    Lights(ship);
    const Ramp flame = FlameRamp();
    Flame(ship, flame, kEngine, 4.2, kNozzleEnd - 1, 15);
    Flame(ship, flame, 0, 3.2, kNozzleEnd - 3, 10);
    return ship.Render(Materials(), {10, 10, 18});
}

}  // namespace nebulark::artgen
