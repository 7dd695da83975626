#include "geometry/Turning.h"

#include "base/Number.h"
#include "base/RealMath.h"
#include "geometry/FloatTrig.h"

#include <cmath>
#include <cstring>

namespace quillet {

using ld = long double;

PointF polarOffset(long double a, long double l, long double b, long double f)
{
    return polarF32(a + b, l, f);
}


namespace {

struct TurnAngles {
    float turn;
    float textAngle;
};

TurnAngles turnAngles(PointF indicated2, PointF p3, const TurnFlags &flags)
{
    float ddx = f32(ext(p3.x) - indicated2.x);
    const float ddy = f32(ext(p3.y) - indicated2.y);
    if (ddx == 0)
        ddx = 1e-7f;
    float h = atanDegreesF32(ddy, ddx);
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
    return {h, textAngle};
}

// Whether turnAbout can neither overflow nor meet a value that is no number: both
// points finite and far enough inside the float range that distance, angle and the
// turned point stay in it.
bool turnCannotFail(PointF p, PointF centre)
{
    constexpr float kTame = 1e37f;
    return std::fabs(p.x) <= kTame && std::fabs(p.y) <= kTame && std::fabs(centre.x) <= kTame &&
           std::fabs(centre.y) <= kTame;
}

} // namespace

float rotatePair(PointF &a, PointF &b, PointF centre, PointF indicated2, PointF p3, const TurnFlags &flags)
{
    const TurnAngles t = turnAngles(indicated2, p3, flags);
    const TurnBy turn(t.turn);
    turnAboutBy(a, centre, turn, kFirstPointZero);
    turnAboutBy(b, centre, turn, kSecondPointZero);
    return t.textAngle;
}

const PairTurner::Turn &PairTurner::turnFor(PointF indicated2, PointF p3, const TurnFlags &flags)
{
    // Compared bit for bit: a signed zero or a NaN is a value of its own.
    const unsigned key[4] = {floatBits(indicated2.x), floatBits(indicated2.y), floatBits(p3.x), floatBits(p3.y)};
    if (m_known && std::memcmp(key, m_key, sizeof key) == 0 && flags.vertical == m_flags.vertical &&
        flags.rightward == m_flags.rightward && flags.upward == m_flags.upward &&
        flags.point2Left == m_flags.point2Left)
        return m_turn;
    const TurnAngles t = turnAngles(indicated2, p3, flags);
    std::memcpy(m_key, key, sizeof key);
    m_flags = flags;
    m_turn = {TurnBy(t.turn), t.textAngle};
    m_known = true;
    return m_turn;
}

float PairTurner::rotate(PointF &a, PointF &b, PointF centre, PointF indicated2, PointF p3, const TurnFlags &flags,
                         bool needA, bool needB)
{
    const Turn &t = turnFor(indicated2, p3, flags);
    const bool turnA = needA || !turnCannotFail(a, centre), turnB = needB || !turnCannotFail(b, centre);
    if (turnA && turnB) {
        turnPairBy(a, b, centre, t.turn, kFirstPointZero, kSecondPointZero);
    } else if (turnA) {
        turnAboutBy(a, centre, t.turn, kFirstPointZero);
    } else if (turnB) {
        turnAboutBy(b, centre, t.turn, kSecondPointZero);
    }
    return t.textAngle;
}

float PairTurner::rotateFirsts(PointF &a1, PointF &a2, PointF centre, PointF indicated2, PointF p3,
                               const TurnFlags &flags)
{
    const Turn &t = turnFor(indicated2, p3, flags);
    turnPairBy(a1, a2, centre, t.turn, kFirstPointZero, kFirstPointZero);
    return t.textAngle;
}

void rotateOne(PointF &p, PointF indicated2, PointF p3, const TurnFlags &flags, float &cosine, float &sine)
{
    float ddx = f32(ext(p3.x) - indicated2.x);
    const float ddy = f32(ext(p3.y) - indicated2.y);
    if (ddx == 0)
        ddx = 1e-7f;
    float f = atanDegreesF32(ddy, ddx);
    if (ddx > 0 && ddy < 0)
        f = f32(f + 360.0L);
    cosine = f32(std::cos(radians(f)));
    sine = f32(std::sin(radians(f)));
    if (flags.vertical == 1)
        f = f32(flags.upward == 1 ? f - 90.0L : f - 270.0L);

    const ld ex = ext(p.x) - indicated2.x, ey = ext(p.y) - indicated2.y;
    const float rho = hypotF32(ey, ex);
    float u = angleAbout(f32(ex), f32(ey), 1e-7f);
    if (flags.vertical == 1 && flags.rightward == 0)
        u = f32(u - 180.0L);
    placeAround(p, indicated2, ld(f) + u, rho);
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
