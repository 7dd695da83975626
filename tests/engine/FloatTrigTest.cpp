#include "base/Errors.h"
#include "base/RealMath.h"
#include "geometry/FloatTrig.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <typeinfo>

using namespace quillet;

namespace {

using ld = long double;
using Args = std::array<ld, 6>;

// What a call gave: both floats' bits (one pattern for every NaN) and the class of
// its failure, if it failed.
struct Outcome {
    std::uint32_t x = 0, y = 0;
    std::string failure;
    bool operator==(const Outcome &o) const { return x == o.x && y == o.y && failure == o.failure; }
};

std::uint32_t bits(float v)
{
    std::uint32_t b = 0x7fc00000;
    if (!std::isnan(v))
        std::memcpy(&b, &v, sizeof b);
    return b;
}

Outcome outcome(const std::function<PointF()> &call)
{
    Outcome o;
    try {
        const PointF p = call();
        o.x = bits(p.x), o.y = bits(p.y);
    } catch (const Error &e) {
        o.failure = typeid(e).name();
    }
    return o;
}

struct Form {
    const char *name;
    std::function<Args(std::mt19937_64 &)> random;
    // Arguments whose extended result lies at, or a hair beside, the half-way point
    // between two floats: only the extended way can tell which float it rounds to.
    std::function<Args(std::mt19937_64 &)> halfWay;
    std::function<PointF(const Args &, bool fast)> call;
};

ld uniform(std::mt19937_64 &rng, ld lo, ld hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }

// A value as a float: beyond the float range, the infinity on its side.
float asFloat(ld v)
{
    return std::fabs(v) > std::numeric_limits<float>::max() ? float(std::copysign(INFINITY, v)) : float(v);
}

// A value from 1e-8 to 1e8 either way, often one of the values that break arithmetic:
// zeros, the ends of the float and extended ranges, infinities, NaN.
ld anyValue(std::mt19937_64 &rng)
{
    static const ld special[] = {0.0L, -0.0L, 1e37L, -3e38L, std::numeric_limits<float>::max(),
                                 std::numeric_limits<float>::denorm_min(), 1e-4000L, 1e4000L, INFINITY, NAN};
    if (rng() % 4 == 0)
        return special[rng() % std::size(special)];
    return (rng() % 2 ? 1 : -1) * std::pow(10.0L, uniform(rng, -8, 8));
}

// A coordinate as drawings have them, a multiple of 1/4 up to 1000 either way, so that
// points share an axis with their centre or lie on it; now and then anything.
float onGrid(std::mt19937_64 &rng)
{
    return rng() % 4 ? float(int(rng() % 8001) - 4000) / 4 : asFloat(anyValue(rng));
}

// An angle in degrees, often a multiple of a quarter turn, where the sine or cosine
// is about zero and its sign may differ between precisions, now and then anything.
ld anyAngle(std::mt19937_64 &rng)
{
    switch (rng() % 4) {
    case 0: return 90 * ld(int(rng() % 9) - 4);
    case 1: return anyValue(rng);
    default: return uniform(rng, -1200, 1200);
    }
}

// A half-way point between two neighbouring floats near `v`, moved by nothing or by
// far less than the slack, either way.
ld halfWayNear(std::mt19937_64 &rng, ld v)
{
    const float f = asFloat(v);
    const ld mid = (ld(f) + ld(std::nextafter(f, INFINITY))) / 2;
    static const ld nudge[] = {0, 0x1p-62L, -0x1p-62L, 0x1p-54L, -0x1p-54L, 0x1p-50L, -0x1p-50L};
    return mid * (1 + nudge[rng() % std::size(nudge)]);
}

// Point, centre, turn and zero for turnAbout.
Args turnAnywhere(std::mt19937_64 &rng)
{
    return Args{onGrid(rng), onGrid(rng), onGrid(rng), onGrid(rng), asFloat(anyAngle(rng)), rng() % 2 ? 1e-6f : 1e-7f};
}

// A point whose distance from the centre lies half-way between two floats, or a hair
// beyond it (what double loses of a square and long double keeps), turned by a quarter
// turn or none, where the sums after it fall on ties as well, or by any angle, where a
// wrong distance would show.
Args turnAtHalfWay(std::mt19937_64 &rng)
{
    const float big = std::ldexp(float(1 + rng() % 4095), int(rng() % 40));
    const float half = std::ldexp(1.0f, std::ilogb(big) - 24) * (rng() % 2 ? 1 : 3);
    const float cy = onGrid(rng), py = rng() % 2 ? cy : cy + std::ldexp(big, -28);
    const float turn = rng() % 2 ? float(90 * (rng() % 3)) : float(uniform(rng, -400, 400));
    return Args{big, py, half, cy, turn, 1e-6f};
}

// Two points turned side by side against the two turned one after the other the
// extended way: the first as turnAbout's arguments give it, the second its coordinates
// swapped, with the other zero.
PointF turnedPair(const Args &a, bool fast, bool second)
{
    PointF p{float(a[0]), float(a[1])}, q{float(a[1]), float(a[0])};
    const PointF centre{float(a[2]), float(a[3])};
    const float zeroP = float(a[5]), zeroQ = zeroP == 1e-6f ? 1e-7f : 1e-6f;
    if (fast) {
        turnPairBy(p, q, centre, TurnBy(float(a[4])), zeroP, zeroQ);
    } else {
        extended::turnAbout(p, centre, float(a[4]), zeroP);
        extended::turnAbout(q, centre, float(a[4]), zeroQ);
    }
    return second ? q : p;
}

const Form kForms[] = {
    {"hypot", [](auto &rng) { return Args{anyValue(rng), rng() % 4 ? anyValue(rng) : 0}; },
     [](auto &rng) {
         const ld h = halfWayNear(rng, anyValue(rng)), t = uniform(rng, 0, 7);
         return rng() % 2 ? Args{h, 0} : Args{h * std::cos(t), h * std::sin(t)};
     },
     [](const Args &a, bool fast) { return PointF{(fast ? hypotF32 : extended::hypotF32)(a[0], a[1]), 0}; }},
    {"atan in degrees", [](auto &rng) { return Args{anyValue(rng), anyValue(rng)}; },
     [](auto &rng) {
         const ld x = anyValue(rng);
         return Args{std::tan(halfWayNear(rng, uniform(rng, -90, 90)) / kDegreesPerRadian) * x, x};
     },
     [](const Args &a, bool fast) {
         return PointF{(fast ? atanDegreesF32 : extended::atanDegreesF32)(a[0], a[1]), 0};
     }},
    {"around a centre",
     [](auto &rng) { return Args{asFloat(anyValue(rng)), asFloat(anyValue(rng)), anyAngle(rng), anyValue(rng)}; },
     [](auto &rng) {
         // x lands on the half-way point: the radius is made for it.
         const float cx = asFloat(anyValue(rng)), cy = asFloat(anyValue(rng));
         const ld degrees = uniform(rng, -400, 400), r = anyValue(rng), c = std::cos(radians(degrees));
         return Args{cx, cy, degrees, (halfWayNear(rng, cx + c * r) - cx) / c};
     },
     [](const Args &a, bool fast) {
         PointF p{-1, -1};
         (fast ? placeAround : extended::placeAround)(p, {float(a[0]), float(a[1])}, a[2], a[3]);
         return p;
     }},
    {"polar", [](auto &rng) { return Args{anyAngle(rng), anyValue(rng), rng() % 2 ? anyValue(rng) : 1}; },
     [](auto &rng) {
         const ld degrees = uniform(rng, -400, 400), s = std::sin(radians(degrees));
         return Args{degrees, halfWayNear(rng, s * anyValue(rng)) / s, 1};
     },
     [](const Args &a, bool fast) { return (fast ? polarF32 : extended::polarF32)(a[0], a[1], a[2]); }},
    {"turn about a centre", turnAnywhere, turnAtHalfWay,
     [](const Args &a, bool fast) {
         PointF p{float(a[0]), float(a[1])};
         (fast ? turnAbout : extended::turnAbout)(p, {float(a[2]), float(a[3])}, float(a[4]), float(a[5]));
         return p;
     }},
    {"turn a pair, first point", turnAnywhere, turnAtHalfWay,
     [](const Args &a, bool fast) { return turnedPair(a, fast, false); }},
    {"turn a pair, second point", turnAnywhere, turnAtHalfWay,
     [](const Args &a, bool fast) { return turnedPair(a, fast, true); }},
};

} // namespace

// Each fast form gives the float of its extended expression bit for bit, and fails
// where it fails, on arguments anywhere and on arguments at rounding boundaries.
TEST(FloatTrig, EqualsTheExtendedExpressionEverywhere)
{
    for (const Form &form : kForms) {
        std::mt19937_64 rng(20261208);
        int wrong = 0;
        for (int i = 0; i < 100000 && wrong < 5; ++i) {
            const Args a = i % 2 ? form.random(rng) : form.halfWay(rng);
            const Outcome fast = outcome([&] { return form.call(a, true); });
            const Outcome slow = outcome([&] { return form.call(a, false); });
            if (!(fast == slow)) {
                ++wrong;
                ADD_FAILURE() << form.name << std::hexfloat << " (" << a[0] << ", " << a[1] << ", " << a[2] << ", "
                              << a[3] << ", " << a[4] << ", " << a[5] << "): " << fast.x << " " << fast.y << " "
                              << fast.failure << " against " << slow.x << " " << slow.y << " " << slow.failure;
            }
        }
    }
}

// Failures stay what they were however the value is computed: too large for a float,
// or a division by zero, or no number at all.
TEST(FloatTrig, FailuresStayTheirKind)
{
    EXPECT_THROW(hypotF32(3e38L, 3e38L), OverflowError);
    PointF p;
    EXPECT_THROW(placeAround(p, {3e38f, 0}, 5, 3e38L), OverflowError);
    EXPECT_THROW(polarF32(5, 1e30L, 1e10L), OverflowError);
    EXPECT_THROW(atanDegreesF32(1, 0), RealDivideByZeroError);
    EXPECT_THROW(atanDegreesF32(0, 0), InvalidOperationError);
    EXPECT_THROW(atanDegreesF32(INFINITY, INFINITY), InvalidOperationError);
}
