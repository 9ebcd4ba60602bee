#include <cmath>
#include <vector>

#include "MathUtil.h"
#include "Noise.h"
#include "Ramp.h"
#include "Rng.h"
#include "Sprites.h"

namespace nebulark::artgen {

namespace {

constexpr int kFrameWidth = 45, kFrameHeight = 63, kFrames = 10;

struct Crater {
    Vec3 centre;    // unit direction on the rock
    double radius;  // chord length of the crater's rim
    double depth;
};

// One rock: a lumpy ellipsoid with craters, turning about a tilted axis.
struct Rock {
    uint32_t seed;
    Vec3 axes;  // half-axes of the ellipsoid before the lumps
    Vec3 spin;  // unit axis of rotation, in view space
    std::vector<Crater> craters;
    Ramp ramp;
};

std::vector<Crater> MakeCraters(uint32_t seed, int count) {
    Rng rng(seed);
    std::vector<Crater> craters;
    for (int i = 0; i < count; ++i) {
        const Vec3 direction = Normalize({rng.Range(-1, 1), rng.Range(-1, 1), rng.Range(-1, 1)});
        const double radius = i < 3 ? rng.Range(0.45, 0.7) : rng.Range(0.18, 0.38);
        craters.push_back({direction, radius, rng.Range(0.08, 0.13) * radius / 0.5});
    }
    return craters;
}

// Height of the crater field at a unit direction: bowls below the surface,
// each ringed by a raised rim.
double CraterRelief(const Rock& rock, Vec3 direction) {
    double relief = 0;
    for (const Crater& crater : rock.craters) {
        const Vec3 d = direction - crater.centre;
        const double t = Length(d) / crater.radius;
        if (t < 1) relief += crater.depth * (t * t - 1);
        const double rim = (t - 1) / 0.3;
        if (rim > -1 && rim < 1) relief += crater.depth * 0.45 * (1 - rim * rim);
    }
    return relief;
}

// Signed distance-like value: negative inside the rock (body coordinates).
double Shape(const Rock& rock, Vec3 p) {
    const Vec3 q{p.x / rock.axes.x, p.y / rock.axes.y, p.z / rock.axes.z};
    const double r = Length(q);
    if (r == 0) return -1;
    const Vec3 u = q * (1 / r);
    const double lumps = (Fractal3(u.x * 1.3, u.y * 1.3, u.z * 1.3, 3, rock.seed) - 0.5) * 0.42;
    return r - (1 + lumps + CraterRelief(rock, u));
}

// Surface brightness of the rock material at a body point: darker patches,
// darker crater floors, fine grain.
double Albedo(const Rock& rock, Vec3 p) {
    const Vec3 q{p.x / rock.axes.x, p.y / rock.axes.y, p.z / rock.axes.z};
    const Vec3 u = Normalize(q);
    const double patches = Fractal3(u.x * 2.2, u.y * 2.2, u.z * 2.2, 3, rock.seed + 50);
    const double grain = ValueNoise3(p.x * 0.9, p.y * 0.9, p.z * 0.9, rock.seed + 60);
    const double floors = CraterRelief(rock, u) < -0.02 ? 0.74 : 1.0;
    return (0.74 + 0.4 * patches + 0.07 * grain) * floors;
}

struct Hit {
    bool found = false;
    Vec3 point;  // in body coordinates
};

// Marches a view ray through pixel (px, py) from the front, in the rock's
// body frame turned by `turn`. Far from the surface the shape value allows
// long strides; near it the ray creeps and then homes in by bisection.
Hit Cast(const Rock& rock, double px, double py, double turn, double reach) {
    Hit hit;
    const double front2 = reach * reach - px * px - py * py;
    if (front2 <= 0) return hit;
    const double front = std::sqrt(front2);
    const double smallest = std::fmin(rock.axes.x, std::fmin(rock.axes.y, rock.axes.z));
    const auto body = [&](double z) { return RotateAbout({px, py, z}, rock.spin, -turn); };
    double previous = front;
    for (double z = front; z > -front;) {
        const double shape = Shape(rock, body(z));
        if (shape <= 0) {
            double outside = previous, inside = z;
            for (int i = 0; i < 8; ++i) {
                const double middle = (outside + inside) / 2;
                (Shape(rock, body(middle)) <= 0 ? inside : outside) = middle;
            }
            hit.found = true;
            hit.point = body(inside);
            return hit;
        }
        previous = z;
        z -= std::fmax(0.4, shape * smallest * 0.4);
    }
    return hit;
}

Vec3 Normal(const Rock& rock, Vec3 p) {
    const double e = 0.35;
    return Normalize({Shape(rock, p + Vec3{e, 0, 0}) - Shape(rock, p - Vec3{e, 0, 0}),
                      Shape(rock, p + Vec3{0, e, 0}) - Shape(rock, p - Vec3{0, e, 0}),
                      Shape(rock, p + Vec3{0, 0, e}) - Shape(rock, p - Vec3{0, 0, e})});
}

// View space: x right, y up, z towards the viewer. The sun is at the upper
// left; a faint blue light from the lower right keeps the dark side readable.
double Shade(const Rock& rock, Vec3 p, double turn) {
    const Vec3 n = RotateAbout(Normal(rock, p), rock.spin, turn);
    const double key = Dot(n, Normalize({-0.8, 0.6, 0.38}));
    const double fill = Dot(n, Normalize({0.8, -0.5, 0.2}));
    const double light = 0.04 + 1.0 * (key > 0 ? key : 0) + 0.18 * (fill > 0 ? fill : 0);
    return light * Albedo(rock, p);
}

void DrawFrame(Image& strip, int frame, const Rock& rock, double turn) {
    const double reach = std::fmax(rock.axes.x, std::fmax(rock.axes.y, rock.axes.z)) * 1.3;
    for (int y = 0; y < kFrameHeight; ++y)
        for (int x = 0; x < kFrameWidth; ++x) {
            const double px = x + 0.5 - kFrameWidth / 2.0, py = kFrameHeight / 2.0 - (y + 0.5);
            const Hit hit = Cast(rock, px, py, turn, reach);
            if (!hit.found) continue;
            const Rgb c = PickShade(rock.ramp, Shade(rock, hit.point, turn) * 0.92, x, y, 0.55);
            strip.Set(x, frame * kFrameHeight + y, c);
        }
}

// A dark rim round every rock, as round the other sprites.
void Outline(Image& strip, Rgb colour) {
    Image copy = strip;
    for (int y = 0; y < strip.Height(); ++y)
        for (int x = 0; x < strip.Width(); ++x) {
            if (copy.Get(x, y) != kBlack) continue;
            const int row = y % kFrameHeight;
            const bool edge = (x > 0 && copy.Get(x - 1, y) != kBlack) ||
                              (x + 1 < kFrameWidth && copy.Get(x + 1, y) != kBlack) ||
                              (row > 0 && copy.Get(x, y - 1) != kBlack) ||
                              (row + 1 < kFrameHeight && copy.Get(x, y + 1) != kBlack);
            if (edge) strip.Set(x, y, colour);
        }
}

Rock GreyRock() {
    return {
        11,
        {17.5, 18.5, 17},
        Normalize({0.35, 1, 0.45}),
        MakeCraters(101, 11),
        MakeRamp({{22, 20, 30}, {58, 54, 66}, {104, 100, 108}, {160, 156, 158}, {222, 218, 210}},
                 8)};
}

Rock RustRock() {
    return {
        23,
        {15.5, 21.5, 16},
        Normalize({-0.3, 1, 0.35}),
        MakeCraters(202, 9),
        MakeRamp({{30, 14, 12}, {76, 34, 22}, {134, 66, 38}, {190, 112, 66}, {238, 176, 122}}, 8)};
}

}  // namespace

Image MakeAsteroids() {
    Image strip(kFrameWidth, kFrameHeight * kFrames + 10);
    const Rock grey = GreyRock(), rust = RustRock();
    for (int k = 0; k < 5; ++k)
        DrawFrame(strip, k, grey, k / 5.0);
    DrawFrame(strip, 5, grey, 0.1);
    for (int k = 0; k < 4; ++k)
        DrawFrame(strip, 6 + k, rust, k / 4.0);
    Outline(strip, {10, 8, 14});
    return strip;
}

}  // namespace nebulark::artgen
