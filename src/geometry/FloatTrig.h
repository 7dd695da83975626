#pragma once
#include "geometry/Point.h"

namespace quillet {

/// The 32-bit results of the extended-precision trigonometry that turns and places
/// points. Each gives exactly the float of, and fails exactly as, the long double
/// expression of its namesake in `extended`, which it evaluates only when a double
/// approximation cannot settle the float. Angles are in degrees.

/// f32(std::hypot(a, b))
float hypotF32(long double a, long double b);

/// f32(std::atan(divide(y, x)) * kDegreesPerRadian)
float atanDegreesF32(long double y, long double x);

/// p.x = f32(centre.x + std::cos(radians(degrees)) * r), then
/// p.y = f32(centre.y + std::sin(radians(degrees)) * r)
void placeAround(PointF &p, PointF centre, long double degrees, long double r);

/// {f32(std::cos(radians(degrees)) * l * f), f32(std::sin(radians(degrees)) * l * f)}
PointF polarF32(long double degrees, long double l, long double f);

/// The angle in degrees of (x, y) seen from its centre, the way every turning routine
/// takes it: a zero x is replaced by `zero` so that the arctangent stays defined, and
/// the angle is brought into [0, 360) (into (90, 270] for x <= 0).
float angleAbout(float x, float y, float zero);

/// Turns p about centre by `turn` degrees: its distance and its angle about the centre
/// are taken as floats (`zero` as for angleAbout), then p is placed around the centre.
void turnAbout(PointF &p, PointF centre, float turn, float zero);

/// Turns of up to this many degrees either way take the fast form of turnAbout.
constexpr float kMaxTurn = 500;

/// A turn in degrees with the cosine and sine of its angle in double (for turns up to
/// kMaxTurn), worked out once for the many points one turn moves.
struct TurnBy {
    explicit TurnBy(float degrees);
    float degrees;
    double cosine = 1, sine = 0;
};

/// turnAbout by a turn whose cosine and sine are known.
void turnAboutBy(PointF &p, PointF centre, const TurnBy &turn, float zero);

/// turnAboutBy for a, then for b (`zeroA`, `zeroB` as `zero`), with the same results
/// and failures; the two are worked out side by side, which takes less time than one
/// after the other.
void turnPairBy(PointF &a, PointF &b, PointF centre, const TurnBy &turn, float zeroA, float zeroB);

namespace extended {
float angleAbout(float x, float y, float zero);
void turnAbout(PointF &p, PointF centre, float turn, float zero);
float hypotF32(long double a, long double b);
float atanDegreesF32(long double y, long double x);
void placeAround(PointF &p, PointF centre, long double degrees, long double r);
PointF polarF32(long double degrees, long double l, long double f);
} // namespace extended

} // namespace quillet
