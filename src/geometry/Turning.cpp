#include "geometry/Turning.h"

#include "base/RealMath.h"

#include <cmath>

namespace quillet {

using ld = long double;

PointF polarOffset(long double a, long double l, long double b, long double f)
{
    const long double angle = radians(a + b);
    return {f32(std::cos(angle) * l * f), f32(std::sin(angle) * l * f)};
}

namespace {

// Angle in degrees of (x, y) from its centre, the way every turning routine takes it:
// a zero x is replaced by a tiny value so that the arctangent stays defined.
float angleAbout(float x, float y, float zero)
{
    if (x == 0)
        x = zero;
    float u = f32(std::atan(divide(y, x)) * kDegreesPerRadian);
    if (x <= 0)
        u = f32(u + 180.0L);
    else if (y < 0)
        u = f32(u + 360.0L);
    return u;
}

void turnAbout(PointF &p, PointF centre, float turn, float zero)
{
    const ld ex = ext(p.x) - centre.x, ey = ext(p.y) - centre.y;
    const float rho = f32(std::hypot(ey, ex));
    const float u = angleAbout(f32(ex), f32(ey), zero);
    const ld angle = radians(ld(turn) + u);
    p.x = f32(centre.x + std::cos(angle) * rho);
    p.y = f32(centre.y + std::sin(angle) * rho);
}

} // namespace

float rotatePair(PointF &a, PointF &b, PointF centre, PointF indicated2, PointF p3, const TurnFlags &flags)
{
    float ddx = f32(ext(p3.x) - indicated2.x);
    const float ddy = f32(ext(p3.y) - indicated2.y);
    if (ddx == 0)
        ddx = 1e-7f;
    float h = f32(std::atan(divide(ddy, ddx)) * kDegreesPerRadian);
    float textAngle = h;
    if (flags.vertical == 1 && flags.point2Left == flags.rightward)
        textAngle = f32(h + 180.0L);
    if (ddx <= 0)
        h = f32(h + 180.0L);
    else if (ddy < 0)
        h = f32(h + 360.0L);
    if (flags.vertical == 0 && flags.rightward == 0)
        h = f32(h - 180.0L);
    if (flags.vertical == 1) {
        const bool same = flags.point2Left == flags.rightward;
        const bool add = flags.upward == 1 ? same : !same;
        h = f32(add ? h + 90.0L : h - 90.0L);
    }
    turnAbout(a, centre, h, 1e-6f);
    turnAbout(b, centre, h, 1e-7f);
    return textAngle;
}

void rotateOne(PointF &p, PointF indicated2, PointF p3, const TurnFlags &flags, float &cosine, float &sine)
{
    float ddx = f32(ext(p3.x) - indicated2.x);
    const float ddy = f32(ext(p3.y) - indicated2.y);
    if (ddx == 0)
        ddx = 1e-7f;
    float f = f32(std::atan(divide(ddy, ddx)) * kDegreesPerRadian);
    if (ddx > 0 && ddy < 0)
        f = f32(f + 360.0L);
    cosine = f32(std::cos(radians(f)));
    sine = f32(std::sin(radians(f)));
    if (flags.vertical == 1)
        f = f32(flags.upward == 1 ? f - 90.0L : f - 270.0L);

    const ld ex = ext(p.x) - indicated2.x, ey = ext(p.y) - indicated2.y;
    const float rho = f32(std::hypot(ey, ex));
    float u = angleAbout(f32(ex), f32(ey), 1e-7f);
    if (flags.vertical == 1 && flags.rightward == 0)
        u = f32(u - 180.0L);
    const ld angle = radians(ld(f) + u);
    p.x = f32(indicated2.x + std::cos(angle) * rho);
    p.y = f32(indicated2.y + std::sin(angle) * rho);
}

long double roundTo10Places(long double v)
{
    // Round the exactly scaled value, ties to even. A divisor of 1e-10 held in 64 bits
    // is a hair too large and would push every half-way length (common for leaders
    // along an axis, whose length is a coordinate difference) below the half.
    const long double scale = 1e10L;
    const long double product = v * scale;
    const long double error = std::fma(v, scale, -product); // what the product lost
    long double whole = std::nearbyint(product);
    if (std::fabs(product - whole) == 0.5L && error != 0)
        whole = error > 0 ? std::floor(product) + 1 : std::floor(product);
    return double(whole / scale);
}

} // namespace quillet
