#pragma once
#include "geometry/Point.h"

namespace quillet {

/// The 32-bit results of the extended-precision trigonometry that turns and places
/// points. Each gives exactly the float, and fails exactly as, the long double
/// expression of its namesake in `extended`, which it evaluates only when a double
/// approximation cannot settle the float.

/// f32(std::hypot(a, b))
float hypotF32(long double a, long double b);

/// f32(std::atan(q) * kDegreesPerRadian)
float atanDegreesF32(long double q);

/// p.x = f32(centre.x + std::cos(angle) * r), then p.y = f32(centre.y + std::sin(angle) * r)
void placeAround(PointF &p, PointF centre, long double angle, long double r);

/// {f32(std::cos(angle) * l * f), f32(std::sin(angle) * l * f)}
PointF polarF32(long double angle, long double l, long double f);

namespace extended {
float hypotF32(long double a, long double b);
float atanDegreesF32(long double q);
void placeAround(PointF &p, PointF centre, long double angle, long double r);
PointF polarF32(long double angle, long double l, long double f);
} // namespace extended

} // namespace quillet
