#pragma once

namespace nebulark::artgen {

// Only +, -, *, / and sqrt are used below: they round the same way at every
// optimisation level, while the C library's sin or exp may differ between
// versions and from the compiler's own constant folding.
constexpr double kPi = 3.14159265358979323846;

double Clamp01(double v);
double Mix(double a, double b, double t);
double Smoothstep(double edge0, double edge1, double x);
// Sine and cosine of an angle given in turns (1 = a full circle).
double SinTurns(double turns);
double CosTurns(double turns);
// e to the power of -x for x >= 0.
double ExpNeg(double x);

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

Vec3 operator+(Vec3 a, Vec3 b);
Vec3 operator-(Vec3 a, Vec3 b);
Vec3 operator*(Vec3 a, double s);
double Dot(Vec3 a, Vec3 b);
double Length(Vec3 a);
Vec3 Normalize(Vec3 a);
// Rotates v by the given number of turns about the unit axis (Rodrigues' formula).
Vec3 RotateAbout(Vec3 v, Vec3 axis, double turns);

}  // namespace nebulark::artgen
