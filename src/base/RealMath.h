#pragma once
#include "base/Errors.h"
#include "base/Number.h"

#include <cmath>

namespace quillet {

/// Extended-precision pi; degrees become radians inline and are never stored.
constexpr long double kPi = 3.141592653589793238462643383279502884L;

/// The radians-to-degrees factor the drawings have always been computed with.
constexpr long double kDegreesPerRadian = 57.29578L;

/// Degrees to radians as one unrounded expression: deg * pi / 180.
inline long double radians(long double degrees) { return degrees * kPi / 180.0L; }

/// Real division that fails the way the arithmetic unit reports it: x/0 is a real
/// division by zero, 0/0 (and anything that yields no number) an invalid operation.
inline long double divide(long double a, long double b)
{
    if (b == 0) {
        if (a == 0 || std::isnan(a))
            throw InvalidOperationError("Invalid floating point operation");
        throw RealDivideByZeroError("Floating point division by zero");
    }
    const long double q = a / b;
    if (std::isnan(q))
        throw InvalidOperationError("Invalid floating point operation");
    return q;
}

/// Square root that reports a negative argument as an invalid operation.
inline long double squareRoot(long double v)
{
    if (v < 0 || std::isnan(v))
        throw InvalidOperationError("Invalid floating point operation");
    return std::sqrt(v);
}

/// The 32-bit store every named coordinate, angle and size goes through.
inline float f32(long double v) { return toFloat(v); }

/// Widening of a 32-bit or 64-bit value into the extended arithmetic.
inline long double ext(double v) { return static_cast<long double>(v); }

} // namespace quillet
