#include "MathUtil.h"

#include <cmath>

namespace nebulark::artgen {

double Clamp01(double v) {
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}

double Mix(double a, double b, double t) {
    return a + (b - a) * t;
}

double Smoothstep(double edge0, double edge1, double x) {
    const double t = Clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

double SinTurns(double turns) {
    // Reduce to [-pi/2, pi/2], where the Taylor series to x^13 is exact to
    // well below one part in 10^9.
    double x = (turns - std::floor(turns + 0.5)) * 2 * kPi;
    if (x > kPi / 2) x = kPi - x;
    if (x < -kPi / 2) x = -kPi - x;
    const double x2 = x * x;
    double term = x;
    double sum = x;
    for (int n = 1; n <= 6; ++n) {
        term *= -x2 / ((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sum;
}

double CosTurns(double turns) {
    return SinTurns(turns + 0.25);
}

double ExpNeg(double x) {
    // (1 - x/2^16)^(2^16) by repeated squaring; close enough for envelopes
    // and falloffs, and exact to the last bit on every build.
    if (x > 700) return 0;
    double v = 1 - x / 65536.0;
    if (v <= 0) return 0;
    for (int i = 0; i < 16; ++i)
        v *= v;
    return v;
}

Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 operator*(Vec3 a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
double Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
double Length(Vec3 a) {
    return std::sqrt(Dot(a, a));
}

Vec3 Normalize(Vec3 a) {
    const double length = Length(a);
    return length > 0 ? a * (1 / length) : Vec3{0, 0, 1};
}

Vec3 RotateAbout(Vec3 v, Vec3 axis, double turns) {
    const double c = CosTurns(turns);
    const double s = SinTurns(turns);
    const Vec3 cross{axis.y * v.z - axis.z * v.y, axis.z * v.x - axis.x * v.z,
                     axis.x * v.y - axis.y * v.x};
    return v * c + cross * s + axis * (Dot(axis, v) * (1 - c));
}

}  // namespace nebulark::artgen
