#include "geometry/FloatTrig.h"

#include "base/RealMath.h"

#include <cmath>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quillet {

namespace extended {

float hypotF32(long double a, long double b) { return f32(std::hypot(a, b)); }

float atanDegreesF32(long double y, long double x) { return f32(std::atan(divide(y, x)) * kDegreesPerRadian); }

void placeAround(PointF &p, PointF centre, long double degrees, long double r)
{
    const long double angle = radians(degrees);
    p.x = f32(centre.x + std::cos(angle) * r);
    p.y = f32(centre.y + std::sin(angle) * r);
}

PointF polarF32(long double degrees, long double l, long double f)
{
    const long double angle = radians(degrees);
    return {f32(std::cos(angle) * l * f), f32(std::sin(angle) * l * f)};
}

float angleAbout(float x, float y, float zero)
{
    if (x == 0)
        x = zero;
    float u = extended::atanDegreesF32(y, x);
    if (x <= 0)
        u = f32(u + 180.0L);
    else if (y < 0)
        u = f32(u + 360.0L);
    return u;
}

void turnAbout(PointF &p, PointF centre, float turn, float zero)
{
    const long double ex = ext(p.x) - centre.x, ey = ext(p.y) - centre.y;
    const float rho = extended::hypotF32(ey, ex);
    const float u = extended::angleAbout(f32(ex), f32(ey), zero);
    extended::placeAround(p, centre, ext(turn) + u, rho);
}

} // namespace extended

namespace {

// Why the fast forms are exact. Each computes a value v in double precision, with the
// double sine, cosine and arctangent, and knows that the extended expression's value
// X lies within err of v. Rounding to float is monotonic: when v - err and v + err
// round to the same float, every value between them does too, X among them, and that
// float is f32(X). err is 2^-40 of the magnitudes involved, while the double path
// (arguments rounded to double, 2^-53 each; the double functions, within an ulp; the
// roundings of the arithmetic around them) and the extended path (the C library's long
// double functions, a few ulps of 2^-64) together stay below 2^-44 of those
// magnitudes, which leaves room for the rounding of v - err and v + err themselves.
// What does not settle goes the extended way, unchanged, failures and all: a value
// within err of the half-way point between two floats, a float zero (whose sign the
// interval cannot tell), anything near the end of the float range, NaN, and arguments
// outside the ranges the bounds are stated for. Only a placement next to a half-way
// point is first tried once more, the same way in long double (placeClosely).
constexpr double kSlack = 0x1p-40;

// Angles up to 1000 degrees either way, more than any turn here reaches: the double
// angle in radians is then within 2^-47 of the extended one, and its sine and cosine
// within 2^-46 of the extended ones.
constexpr long double kMaxDegrees = 1000;

// Off only in the reference build (QUILLET_EXTENDED_TRIG), where every value goes the
// extended way, so that the output of the fast forms can be compared with it byte for
// byte on as many random runs as one likes (scripts/trig-check).
#if defined(QUILLET_EXTENDED_TRIG)
constexpr bool kFastForms = false;
#else
constexpr bool kFastForms = true;
#endif

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180;
constexpr double kPiInDouble = 3.14159265358979323846;

template <class Real>
bool settle(Real v, Real err, float &out)
{
    if (!(std::fabs(v) + err < 1e38))
        return false;
    const float lo = static_cast<float>(v - err), hi = static_cast<float>(v + err);
    if (lo != hi || lo == 0)
        return false;
    out = lo;
    return true;
}

// Far enough inside the double range that squares, products and quotients of two such
// values keep their relative precision.
bool tame(long double v) { return std::fabs(v) <= 1e150L && std::fabs(v) >= 1e-150L; }

// A quarter turn in two parts: the double nearest it, whose multiples by the few
// quarters an angle here spans are exact in long double, and the rest.
constexpr long double kQuarterTurnHigh = kPiInDouble / 2;
constexpr long double kQuarterTurnLow = 6.123233995736765886130329661375005291e-17L;
static_assert(kQuarterTurnHigh == 0x1.921fb54442d18p+0L, "the double nearest a quarter turn");

// Where the placing forms are stated for: the angle, the distance and the centre far
// enough inside their ranges for the bounds above.
bool placeable(PointF centre, long double degrees, long double r)
{
    return std::fabs(degrees) <= kMaxDegrees && std::fabs(r) <= 1e37L && std::fabs(centre.x) <= 1e37f &&
           std::fabs(centre.y) <= 1e37f;
}

// A coordinate the double path settled of a point whose other coordinate it did not.
struct Known {
    enum Axis { Neither, X, Y } axis = Neither;
    float value = 0;
};

// The coordinate that settled, if one did, from what settle gave for each.
Known knownOf(bool settledX, float x, bool settledY, float y)
{
    if (settledX)
        return {Known::X, x};
    if (settledY)
        return {Known::Y, y};
    return {};
}

// Places p at centre + (c, s) * r in double where both coordinates settle within
// their errors; otherwise leaves p and tells in `known` which coordinate did.
bool placeSettled(PointF centre, double c, double s, double r, double errX, double errY, PointF &p, Known &known)
{
    float x = 0, y = 0;
    const bool settledX = settle(centre.x + c * r, errX, x);
    const bool settledY = settle(centre.y + s * r, errY, y);
    if (settledX && settledY) {
        p = {x, y};
        return true;
    }
    known = knownOf(settledX, x, settledY, y);
    return false;
}

// extended::placeAround where the double path leaves a coordinate undecided: next to
// the half-way point between two floats, as a point turned by a multiple of a quarter
// turn often lands (its offset across the turn a float, turned into the other axis).
// The C library's long double cosine and sine of an angle past an eighth of a turn
// reduce it through a multi-word pi, a thousand instructions a call; here the angle less
// the nearest multiple of a quarter turn is taken in long double instead, within a unit
// or two of 2^-64 of the exact remainder, and the library's cosine and sine of that
// small angle are its fast kernels. Both ways then lie within (|centre| + |r|) * 2^-60
// of each other, so a value whose interval of 2^-56 of that rounds to one float is the
// extended expression's float. What does not settle even so (an exact tie, a zero) goes
// the extended way. Out of line, as the extended way is.
//
// Mostly the double path has settled one coordinate and not the other; `known` then
// holds it, and only the other's cosine or sine is asked for, the one kernel of the
// two that it needs.
#if defined(__GNUC__)
__attribute__((noinline))
#endif
void placeClosely(PointF &p, PointF centre, long double degrees, long double r, Known known)
{
    if (placeable(centre, degrees, r) && std::numeric_limits<long double>::digits >= 64) {
        const long double angle = radians(degrees);
        // The nearest quarter turn, found from the degrees in double: any whole number
        // of quarters next to the angle leaves a remainder as exact as the nearest,
        // and this one takes neither the extended unit's division nor its change of
        // rounding mode for a floor.
        const double inQuarters = double(degrees) / 90;
        const long double quarters = static_cast<int>(inQuarters + std::copysign(0.5, inQuarters));
        const long double rest = (angle - quarters * kQuarterTurnHigh) - quarters * kQuarterTurnLow;
        // The angle's cosine and sine are the rest's, swapped by an odd number of
        // quarters and negated by the quarters that face away from each axis.
        const int q = static_cast<int>(quarters) & 3;
        float x = known.axis == Known::X ? known.value : 0;
        float y = known.axis == Known::Y ? known.value : 0;
        bool settled = true;
        // settle in long double, whose bound is too fine for double.
        if (known.axis != Known::X) {
            const long double c = (q & 1 ? std::sin(rest) : std::cos(rest)) * (q == 1 || q == 2 ? -1 : 1);
            settled = settle(centre.x + c * r, (std::fabs(ext(centre.x)) + std::fabs(r)) * 0x1p-56L, x);
        }
        if (settled && known.axis != Known::Y) {
            const long double s = (q & 1 ? std::cos(rest) : std::sin(rest)) * (q >= 2 ? -1 : 1);
            settled = settle(centre.y + s * r, (std::fabs(ext(centre.y)) + std::fabs(r)) * 0x1p-56L, y);
        }
        if (settled) {
            p = {x, y};
            return;
        }
    }
    extended::placeAround(p, centre, degrees, r);
}

} // namespace

float hypotF32(long double a, long double b)
{
    if (!kFastForms)
        return extended::hypotF32(a, b);
    // Points on their centre are common: hypot(±0, ±0) is +0, exactly, in every C
    // library (C's Annex F).
    if (a == 0 && b == 0)
        return 0.0f;
    if ((a == 0 || tame(a)) && (b == 0 || tame(b))) {
        const double x = double(a), y = double(b);
        const double v = std::sqrt(x * x + y * y);
        float out;
        if (settle(v, v * kSlack, out))
            return out;
    }
    return extended::hypotF32(a, b);
}

float atanDegreesF32(long double y, long double x)
{
    if (!kFastForms)
        return extended::atanDegreesF32(y, x);
    // Here the division cannot fail. The arctangent's relative error is at most that
    // of its argument, so the bound is relative; the arctangent of a signed zero is
    // that zero, exactly.
    if ((y == 0 || tame(y)) && tame(x)) {
        const double q = double(y) / double(x);
        if (q == 0)
            return static_cast<float>(q);
        if (std::fabs(q) >= 1e-300 && std::fabs(q) <= 1e300) {
            const double v = std::atan(q) * 57.29578;
            float out;
            if (settle(v, std::fabs(v) * kSlack, out))
                return out;
        }
    }
    return extended::atanDegreesF32(y, x);
}

void placeAround(PointF &p, PointF centre, long double degrees, long double r)
{
    if (!kFastForms) {
        extended::placeAround(p, centre, degrees, r);
        return;
    }
    // An angle of zero is common (a text along the x axis) and its cosine and sine are
    // exact: 1 and the zero itself (C's Annex F). The extended expression is then only
    // sums and a product, worked out here as it would work them out; the double
    // path could not settle it where a coordinate comes out as zero.
    if (degrees == 0) {
        const long double angle = radians(degrees);
        p.x = f32(centre.x + 1.0L * r);
        p.y = f32(centre.y + angle * r);
        return;
    }
    // So is a point placed at no distance (the tip of a fill's wedge whose gap is
    // zero): the cosine and sine times zero are zeros, and adding a zero leaves every
    // coordinate as it was, a positive zero included. Only a negative zero would take
    // the sign of the cosine or sine, and is left to the extended way; so is an angle
    // that is no number, whose cosine is none either. The double path could not
    // settle a coordinate of zero.
    if (r == 0 && std::isfinite(degrees) && !(centre.x == 0 && std::signbit(centre.x)) &&
        !(centre.y == 0 && std::signbit(centre.y))) {
        p = centre;
        return;
    }
    Known known;
    if (placeable(centre, degrees, r)) {
        const double angle = double(degrees) * kRadiansPerDegree, rd = double(r);
        const double c = std::cos(angle), s = std::sin(angle);
        if (placeSettled(centre, c, s, rd, (std::fabs(centre.x) + std::fabs(rd)) * kSlack,
                         (std::fabs(centre.y) + std::fabs(rd)) * kSlack, p, known))
            return;
    }
    placeClosely(p, centre, degrees, r, known);
}

PointF polarF32(long double degrees, long double l, long double f)
{
    if (!kFastForms)
        return extended::polarF32(degrees, l, f);
    if (std::fabs(degrees) <= kMaxDegrees && tame(l) && tame(f) && std::fabs(l * f) <= 1e37L) {
        const double angle = double(degrees) * kRadiansPerDegree, lf = double(l) * double(f);
        const double c = std::cos(angle), s = std::sin(angle);
        PointF out;
        if (settle(c * lf, std::fabs(lf) * kSlack, out.x) && settle(s * lf, std::fabs(lf) * kSlack, out.y))
            return out;
    }
    return extended::polarF32(degrees, l, f);
}

namespace {

// u + 180 or u + 360 for a float u, rounded to float. Rounded to double first and then
// to float it is the float nearest the exact sum, as it is through long double: both
// keep more than 2 * 24 + 2 bits, so the double rounding is innocuous.
float plusTurn(float u, double turn) { return static_cast<float>(double(u) + turn); }

// The fast form of atanDegreesF32 for floats. The quotient of two finite floats
// neither overflows nor underflows in double; x = 0 is left to the extended way, whose
// division reports it.
// `radians` receives the double arctangent itself.
bool settledAtan(float y, float x, float &u, double &radians)
{
    if (!(std::isfinite(x) && std::isfinite(y) && x != 0))
        return false;
    const double q = double(y) / double(x);
    if (q == 0) {
        u = static_cast<float>(q);
        radians = q;
        return true;
    }
    radians = std::atan(q);
    const double v = radians * 57.29578;
    return settle(v, std::fabs(v) * kSlack, u);
}

} // namespace

float angleAbout(float x, float y, float zero)
{
    if (!kFastForms)
        return extended::angleAbout(x, y, zero);
    if (x == 0)
        x = zero;
    float u = 0;
    double radians = 0;
    if (!settledAtan(y, x, u, radians))
        return extended::angleAbout(x, y, zero);
    if (x <= 0)
        u = plusTurn(u, 180);
    else if (y < 0)
        u = plusTurn(u, 360);
    return u;
}

TurnBy::TurnBy(float degrees) : degrees(degrees)
{
    if (std::fabs(degrees) <= kMaxTurn) {
        cosine = std::cos(double(degrees) * kRadiansPerDegree);
        sine = std::sin(double(degrees) * kRadiansPerDegree);
    }
}

void turnAbout(PointF &p, PointF centre, float turn, float zero) { turnAboutBy(p, centre, TurnBy(turn), zero); }

namespace {

// The fast form of turnAboutBy in two halves, before and after the arctangent of the
// point's direction. One point's steps each wait on the one before, the arctangent
// above all; two points taken through the halves side by side (turnPairBy) let the
// processor work on one while the other waits.
struct FastTurn {
    float rho = 0;       // the distance from the centre
    float x = 0, y = 0;  // the offset from the centre as floats, a zero x replaced
    double q = 0;        // y / x, whose arctangent the second half takes
    double pc = 0, ps = 0;
    bool ok = false;     // false: the extended way decides
};

FastTurn beginTurn(PointF p, PointF centre, const TurnBy &turn, float zero)
{
    // All in double, from the floats. The differences are those of the extended way
    // within 2^-53, and their floats are the same floats (rounded to double or to long
    // double first, as for plusTurn). Coordinates this far inside the float range
    // cannot overflow on the way.
    FastTurn t;
    if (!(std::fabs(p.x) <= 1e37f && std::fabs(p.y) <= 1e37f && std::fabs(centre.x) <= 1e37f &&
          std::fabs(centre.y) <= 1e37f && std::fabs(turn.degrees) <= kMaxTurn))
        return t;
    const double ex = double(p.x) - centre.x, ey = double(p.y) - centre.y;
    const double length = std::sqrt(ex * ex + ey * ey);
    t.x = static_cast<float>(ex);
    t.y = static_cast<float>(ey);
    if (t.x == 0)
        t.x = zero;
    if (length != 0 && !settle(length, length * kSlack, t.rho))
        return t;
    // As settledAtan: the quotient of two finite floats neither overflows nor
    // underflows in double; x = 0 is left to the extended way.
    if (!(std::isfinite(t.x) && std::isfinite(t.y) && t.x != 0))
        return t;
    t.q = double(t.y) / double(t.x);
    // The cosine and sine of the turn plus the point's exact angle (see finishTurn),
    // from (x, y) alone.
    const double h = std::sqrt(double(t.x) * t.x + double(t.y) * t.y);
    const double ca = t.x / h, sa = t.y / h;
    t.pc = turn.cosine * ca - turn.sine * sa;
    t.ps = turn.sine * ca + turn.cosine * sa;
    t.ok = true;
    return t;
}

// The arctangent the second half needs (that of a zero quotient is the zero itself).
double atanOf(double q) { return q == 0 ? q : std::atan(q); }
double atanOf(const FastTurn &t) { return atanOf(t.q); }

// How far finishTurn got.
enum class Finished {
    Placed,     // p is placed
    AngleKnown, // only the placement did not settle: `u` is the extended way's angle
    Undecided,  // the extended way decides all of it
};

// Places p, or tells what is left to the extended way; where only the placement is
// left, `known` holds what of it did settle.
Finished finishTurn(const FastTurn &t, double radians, PointF centre, PointF &p, float &u, Known &known)
{
    if (!t.ok)
        return Finished::Undecided;
    if (t.q == 0) {
        u = static_cast<float>(t.q);
    } else {
        const double v = radians * 57.29578;
        if (!settle(v, std::fabs(v) * kSlack, u))
            return Finished::Undecided;
    }
    double a = radians;
    if (t.x <= 0) {
        u = plusTurn(u, 180);
        a += kPiInDouble;
    } else if (t.y < 0) {
        u = plusTurn(u, 360);
        a += 2 * kPiInDouble;
    }
    // The cosine and sine of the angle the point is placed at, turn + u, come from the
    // turn's, worked out once for all the points it turns, and from the point's own:
    // (x, y) over its length are the cosine and sine of its exact angle a, and u in
    // radians is a + d, d under 1e-6 (the float roundings of u, and 57.29578 for
    // 180 / pi). The angle the point is placed at is turn + a + d: the cosine and sine
    // of turn + a (pc, ps) turned by d, whose cosine and sine to the second order in d
    // are within 1e-19 of the exact ones. The angle sums and every rounding on the way
    // add a few units of 2^-53, well within the bound the fast forms are checked with.
    const double d = double(u) * kRadiansPerDegree - a;
    if (!(std::fabs(d) < 1e-5))
        return Finished::Undecided;
    const double cd = 1 - d * d / 2;
    const double c = t.pc * cd - t.ps * d, s = t.ps * cd + t.pc * d;
    // (|centre| + rho) is a float sum.
    const double errX = (std::fabs(centre.x) + t.rho) * kSlack, errY = (std::fabs(centre.y) + t.rho) * kSlack;
    if (!placeSettled(centre, c, s, t.rho, errX, errY, p, known))
        return Finished::AngleKnown;
    return Finished::Placed;
}

// finishTurn, then what it leaves. Where only the placement is left, the distance and
// the angle are the floats the extended way would take (both settled), and it would
// place the point from them: so it is placed from them here, closely. Out of line:
// inlined into turnPairBy, it took registers from the side-by-side turn that nearly
// every pair takes.
#if defined(__GNUC__)
__attribute__((noinline))
#endif
void finishOrFallBack(const FastTurn &t, double radians, PointF centre, const TurnBy &turn, float zero, PointF &p)
{
    float u = 0;
    Known known;
    switch (finishTurn(t, radians, centre, p, u, known)) {
    case Finished::Placed: return;
    case Finished::AngleKnown: placeClosely(p, centre, ext(turn.degrees) + u, t.rho, known); return;
    case Finished::Undecided: extended::turnAbout(p, centre, turn.degrees, zero); return;
    }
}

} // namespace

void turnAboutBy(PointF &p, PointF centre, const TurnBy &turn, float zero)
{
    if (!kFastForms) {
        extended::turnAbout(p, centre, turn.degrees, zero);
        return;
    }
    const FastTurn t = beginTurn(p, centre, turn, zero);
    finishOrFallBack(t, t.ok ? atanOf(t) : 0, centre, turn, zero, p);
}

namespace {

void turnPairOneByOne(PointF &a, PointF &b, PointF centre, const TurnBy &turn, float zeroA, float zeroB)
{
    const FastTurn ta = beginTurn(a, centre, turn, zeroA), tb = beginTurn(b, centre, turn, zeroB);
    const double radiansA = ta.ok ? atanOf(ta) : 0, radiansB = tb.ok ? atanOf(tb) : 0;
    finishOrFallBack(ta, radiansA, centre, turn, zeroA, a);
    finishOrFallBack(tb, radiansB, centre, turn, zeroB, b);
}

#if defined(__SSE2__)

// beginTurn and finishTurn for two points in the two lanes of SSE2 registers: every
// operation is the one the single form takes, in the same order and precision, on
// each lane (an IEEE operation rounds alike in a lane and alone), so each lane's
// results are that form's, bit for bit. Where a step before the placement does not
// settle in either lane, nothing is changed and both points go the single form's way
// from the start.
inline __m128d absLanes(__m128d v) { return _mm_andnot_pd(_mm_set1_pd(-0.0), v); }

// Both floats of a pair of doubles, widened again: what static_cast<float> keeps.
inline __m128 toFloats(__m128d v) { return _mm_cvtpd_ps(v); }
inline __m128d widen(__m128 f) { return _mm_cvtps_pd(f); }

// settle on each lane: bit i of the result is set where lane i settled; the floats
// are in the two low lanes of `out`. Without settle's check that v is far from the end
// of the float range: the points and the centre here are within 1e37, so a distance
// stays below 2.9e37, an angle below 360 and a turned coordinate below 3.9e37, each
// with its err far below 1e38.
inline int settleLanes(__m128d v, __m128d err, __m128 &out)
{
    const __m128 lo = toFloats(_mm_sub_pd(v, err)), hi = toFloats(_mm_add_pd(v, err));
    out = lo;
    return _mm_movemask_ps(_mm_and_ps(_mm_cmpeq_ps(lo, hi), _mm_cmpneq_ps(lo, _mm_setzero_ps()))) & 3;
}

inline float laneOf(__m128 f, int i) { return i == 0 ? _mm_cvtss_f32(f) : _mm_cvtss_f32(_mm_shuffle_ps(f, f, 1)); }

inline __m128d select(__m128d mask, __m128d yes, __m128d no)
{
    return _mm_or_pd(_mm_and_pd(mask, yes), _mm_andnot_pd(mask, no));
}
inline __m128 select(__m128 mask, __m128 yes, __m128 no)
{
    return _mm_or_ps(_mm_and_ps(mask, yes), _mm_andnot_ps(mask, no));
}

// The arctangents of both lanes one by one, as the single form takes them (that of a
// zero is the zero). Out of line: every SSE register is the callee's to change, and
// around two calls in the middle of the turn each live one was saved and loaded twice.
#if defined(__GNUC__)
__attribute__((noinline))
#endif
__m128d atanBoth(__m128d q)
{
    const double q0 = _mm_cvtsd_f64(q), q1 = _mm_cvtsd_f64(_mm_unpackhi_pd(q, q));
    const double atan0 = atanOf(q0);
    return _mm_set_pd(atanOf(q1), atan0);
}

// Where the two points and the centre are in the range the fast form is stated for,
// turns both side by side; returns false, having changed nothing, otherwise.
bool turnPairInLanes(PointF &a, PointF &b, PointF centre, const TurnBy &turn, float zeroA, float zeroB)
{
    if (!(std::fabs(a.x) <= 1e37f && std::fabs(a.y) <= 1e37f && std::fabs(b.x) <= 1e37f &&
          std::fabs(b.y) <= 1e37f && std::fabs(centre.x) <= 1e37f && std::fabs(centre.y) <= 1e37f &&
          std::fabs(turn.degrees) <= kMaxTurn))
        return false;
    const __m128d cx = _mm_set1_pd(centre.x), cy = _mm_set1_pd(centre.y);
    const __m128d ex = _mm_sub_pd(_mm_set_pd(b.x, a.x), cx), ey = _mm_sub_pd(_mm_set_pd(b.y, a.y), cy);
    const __m128d length = _mm_sqrt_pd(_mm_add_pd(_mm_mul_pd(ex, ex), _mm_mul_pd(ey, ey)));
    __m128 x = toFloats(ex);
    const __m128 y = toFloats(ey);
    x = select(_mm_cmpeq_ps(x, _mm_setzero_ps()), _mm_set_ps(0, 0, zeroB, zeroA), x);
    // rho: any length but zero must settle. A zero length does not, and its lane keeps
    // the float of 0 - 0, the zero distance the single form starts from.
    __m128 rho;
    const int settledLength = settleLanes(length, _mm_mul_pd(length, _mm_set1_pd(kSlack)), rho);
    int ok = settledLength | (_mm_movemask_pd(_mm_cmpeq_pd(length, _mm_setzero_pd())) & 3);
    // A zero x even after the replacement goes the extended way; both floats are finite
    // here, their coordinates being tame.
    ok &= ~_mm_movemask_ps(_mm_cmpeq_ps(x, _mm_setzero_ps())) & 3;
    if (ok != 3)
        return false;
    const __m128d xd = widen(x), yd = widen(y);
    const __m128d q = _mm_div_pd(yd, xd);
    const __m128d radians = atanBoth(q);

    const __m128d h = _mm_sqrt_pd(_mm_add_pd(_mm_mul_pd(xd, xd), _mm_mul_pd(yd, yd)));
    const __m128d ca = _mm_div_pd(xd, h), sa = _mm_div_pd(yd, h);
    const __m128d tc = _mm_set1_pd(turn.cosine), ts = _mm_set1_pd(turn.sine);
    const __m128d pc = _mm_sub_pd(_mm_mul_pd(tc, ca), _mm_mul_pd(ts, sa));
    const __m128d ps = _mm_add_pd(_mm_mul_pd(ts, ca), _mm_mul_pd(tc, sa));

    // u: the float of the arctangent in degrees; that of a zero quotient is the zero.
    const __m128d v = _mm_mul_pd(radians, _mm_set1_pd(57.29578));
    __m128 u;
    const __m128d qZero = _mm_cmpeq_pd(q, _mm_setzero_pd());
    const int qZeroLanes = _mm_movemask_pd(qZero) & 3;
    const int settledU = settleLanes(v, _mm_mul_pd(absLanes(v), _mm_set1_pd(kSlack)), u);
    // The double lanes' masks moved to the two low float lanes.
    const __m128 qZeroFloats = _mm_shuffle_ps(_mm_castpd_ps(qZero), _mm_castpd_ps(qZero), _MM_SHUFFLE(3, 2, 2, 0));
    u = select(qZeroFloats, toFloats(q), u);
    if (((settledU | qZeroLanes) & 3) != 3)
        return false;
    // The half and whole turns added where x <= 0, else where y < 0.
    const __m128 xNotPositive = _mm_cmple_ps(x, _mm_setzero_ps());
    const __m128 yNegative = _mm_andnot_ps(xNotPositive, _mm_cmplt_ps(y, _mm_setzero_ps()));
    const __m128 uHalf = toFloats(_mm_add_pd(widen(u), _mm_set1_pd(180)));
    const __m128 uWhole = toFloats(_mm_add_pd(widen(u), _mm_set1_pd(360)));
    u = select(xNotPositive, uHalf, select(yNegative, uWhole, u));
    const __m128d halfD = _mm_castps_pd(_mm_unpacklo_ps(xNotPositive, xNotPositive));
    const __m128d wholeD = _mm_castps_pd(_mm_unpacklo_ps(yNegative, yNegative));
    const __m128d aHalf = _mm_add_pd(radians, _mm_set1_pd(kPiInDouble));
    const __m128d aWhole = _mm_add_pd(radians, _mm_set1_pd(2 * kPiInDouble));
    const __m128d angle = select(halfD, aHalf, select(wholeD, aWhole, radians));
    const __m128d d = _mm_sub_pd(_mm_mul_pd(widen(u), _mm_set1_pd(kRadiansPerDegree)), angle);
    if ((_mm_movemask_pd(_mm_cmplt_pd(absLanes(d), _mm_set1_pd(1e-5))) & 3) != 3)
        return false;
    const __m128d cd = _mm_sub_pd(_mm_set1_pd(1), _mm_div_pd(_mm_mul_pd(d, d), _mm_set1_pd(2)));
    const __m128d c = _mm_sub_pd(_mm_mul_pd(pc, cd), _mm_mul_pd(ps, d));
    const __m128d sn = _mm_add_pd(_mm_mul_pd(ps, cd), _mm_mul_pd(pc, d));
    const __m128d rhoD = widen(rho);
    // (|centre| + rho) is a float sum, as in the single form.
    const __m128 centreX = _mm_set1_ps(std::fabs(centre.x)), centreY = _mm_set1_ps(std::fabs(centre.y));
    const __m128d slack = _mm_set1_pd(kSlack);
    __m128 px, py;
    const int settledX = settleLanes(_mm_add_pd(cx, _mm_mul_pd(c, rhoD)),
                                     _mm_mul_pd(widen(_mm_add_ps(centreX, rho)), slack), px);
    const int settledY = settleLanes(_mm_add_pd(cy, _mm_mul_pd(sn, rhoD)),
                                     _mm_mul_pd(widen(_mm_add_ps(centreY, rho)), slack), py);
    // A lane whose placement alone is left undecided is where the single form stops
    // with the angle known: it is placed closely from that lane's angle and distance,
    // as finishOrFallBack would, while the other lane keeps its settled point. A turn
    // by a quarter turn can leave a quarter of a cloud's pairs so (a float offset
    // turned into the other axis lands next to a half-way point), and starting both
    // points again in the single form turned each such pair twice.
    const auto place = [&](PointF &p, int lane) {
        const int bit = 1 << lane;
        const float x = laneOf(px, lane), y = laneOf(py, lane);
        if (settledX & settledY & bit)
            p = {x, y};
        else
            placeClosely(p, centre, ext(turn.degrees) + laneOf(u, lane), laneOf(rho, lane),
                         knownOf(settledX & bit, x, settledY & bit, y));
    };
    place(a, 0);
    place(b, 1);
    return true;
}

#endif

} // namespace

void turnPairBy(PointF &a, PointF &b, PointF centre, const TurnBy &turn, float zeroA, float zeroB)
{
    if (!kFastForms) {
        turnAboutBy(a, centre, turn, zeroA);
        turnAboutBy(b, centre, turn, zeroB);
        return;
    }
#if defined(__SSE2__)
    if (turnPairInLanes(a, b, centre, turn, zeroA, zeroB))
        return;
#endif
    turnPairOneByOne(a, b, centre, turn, zeroA, zeroB);
}

} // namespace quillet
