#include "geometry/FloatTrig.h"

#include "base/RealMath.h"

#include <cmath>

namespace quillet {

namespace extended {

float hypotF32(long double a, long double b) { return f32(std::hypot(a, b)); }

float atanDegreesF32(long double q) { return f32(std::atan(q) * kDegreesPerRadian); }

void placeAround(PointF &p, PointF centre, long double angle, long double r)
{
    p.x = f32(centre.x + std::cos(angle) * r);
    p.y = f32(centre.y + std::sin(angle) * r);
}

PointF polarF32(long double angle, long double l, long double f)
{
    return {f32(std::cos(angle) * l * f), f32(std::sin(angle) * l * f)};
}

} // namespace extended

namespace {

using ld = long double;

// Why the fast forms are exact. Each computes a value v with double-precision sine,
// cosine and arctangent (or an extended square root) and knows that the extended
// expression's value X lies within err of v. Rounding to float is monotonic: when
// v - err and v + err round to the same float, every value between them does too, X
// among them, and that float is f32(X). err is 2^-40 of the magnitudes involved, while
// the double functions (an ulp, 2^-52 relative, and the double argument within 2^-53
// of the extended one), the C library's long double functions (a few ulps, 2^-62) and
// the roundings of the arithmetic around them together stay below 2^-44 of those
// magnitudes: the slack also covers the rounding of v - err and v + err themselves.
// What does not settle goes the extended way, unchanged, failures and all: a value
// within err of the half-way point between two floats, a float zero (whose sign the
// interval cannot tell), anything near the end of the float range, NaN, and arguments
// outside the ranges the bounds are stated for.
constexpr ld kSlack = 0x1p-40L;

// The largest angle, in radians, the sine and cosine bounds hold for: the double
// argument is then within 2^-47 of the extended one.
constexpr ld kMaxAngle = 64;

bool settle(ld v, ld err, float &out)
{
    if (!(std::fabs(v) + err < 1e38L))
        return false;
    const float lo = static_cast<float>(v - err), hi = static_cast<float>(v + err);
    if (lo != hi || lo == 0)
        return false;
    out = lo;
    return true;
}

} // namespace

float hypotF32(long double a, long double b)
{
    // Points on their centre, and angles along an axis, are common: hypot(±0, ±0) is
    // +0 and atan(±0) is ±0, exactly, in every C library (C's Annex F).
    if (a == 0 && b == 0)
        return 0.0f;
    // Between these bounds the squares neither overflow nor lose anything that matters
    // to underflow, and the extended square root is within 2^-62 of the true length.
    if (std::fabs(a) <= 1e1000L && std::fabs(b) <= 1e1000L) {
        const ld v = std::sqrt(a * a + b * b);
        float out;
        if (v >= 1e-1000L && settle(v, v * kSlack, out))
            return out;
    }
    return extended::hypotF32(a, b);
}

float atanDegreesF32(long double q)
{
    if (q == 0)
        return static_cast<float>(q);
    // The arctangent's relative error is at most that of its argument, so the bound is
    // relative; the double argument keeps its precision inside these bounds.
    const ld m = std::fabs(q);
    if (m >= 1e-300L && m <= 1e300L) {
        const ld v = std::atan(double(q)) * kDegreesPerRadian;
        float out;
        if (settle(v, std::fabs(v) * kSlack, out))
            return out;
    }
    return extended::atanDegreesF32(q);
}

void placeAround(PointF &p, PointF centre, long double angle, long double r)
{
    if (std::fabs(angle) <= kMaxAngle && std::fabs(r) <= 1e37L && std::fabs(centre.x) <= 1e37f &&
        std::fabs(centre.y) <= 1e37f) {
        const double a = double(angle);
        const ld c = std::cos(a), s = std::sin(a);
        float x, y;
        if (settle(centre.x + c * r, (std::fabs(centre.x) + std::fabs(r)) * kSlack, x) &&
            settle(centre.y + s * r, (std::fabs(centre.y) + std::fabs(r)) * kSlack, y)) {
            p = {x, y};
            return;
        }
    }
    extended::placeAround(p, centre, angle, r);
}

PointF polarF32(long double angle, long double l, long double f)
{
    // Factors this far inside the extended range keep cos(angle) * l a normal number.
    const ld lf = std::fabs(l) * std::fabs(f);
    if (std::fabs(angle) <= kMaxAngle && std::fabs(l) <= 1e1000L && std::fabs(f) <= 1e1000L && lf >= 1e-1000L &&
        lf <= 1e37L) {
        const double a = double(angle);
        const ld c = std::cos(a), s = std::sin(a);
        PointF out;
        if (settle(c * l * f, lf * kSlack, out.x) && settle(s * l * f, lf * kSlack, out.y))
            return out;
    }
    return extended::polarF32(angle, l, f);
}

} // namespace quillet
