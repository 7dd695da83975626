#pragma once
#include "geometry/FloatTrig.h"
#include "geometry/Point.h"

namespace quillet {

/// The direction flags the turning routines read (0 or 1 each).
struct TurnFlags {
    int vertical = 0;
    int rightward = 0;
    int upward = 0;
    int point2Left = 0;
};

/// What a pair's first and second points are turned with (turnAboutBy's `zero`, in
/// place of an offset of zero across): a point turned alone is turned as a first one.
constexpr float kFirstPointZero = 1e-6f;
constexpr float kSecondPointZero = 1e-7f;

/// (cos(a + b) * l * f, sin(a + b) * l * f), angles in degrees.
PointF polarOffset(long double a, long double l, long double b, long double f);

/// Turns `a` and `b` about `centre` by the slope from indicated point 2 to point 3;
/// returns the text angle in degrees.
float rotatePair(PointF &a, PointF &b, PointF centre, PointF indicated2, PointF p3, const TurnFlags &flags);

/// rotatePair for the many pairs one engine pass turns. The turn itself depends on
/// indicated point 2, point 3 and the flags alone, and is computed once for each of
/// their values; a point the caller does not need may be left unturned. Results and
/// failures are rotatePair's: a point left unturned is one whose turning cannot fail.
class PairTurner {
public:
    float rotate(PointF &a, PointF &b, PointF centre, PointF indicated2, PointF p3, const TurnFlags &flags,
                 bool needA = true, bool needB = true);
    /// rotate for two points that are each turned as its first point (`a`), side by
    /// side; the same as two calls that need only their first point.
    float rotateFirsts(PointF &a1, PointF &a2, PointF centre, PointF indicated2, PointF p3, const TurnFlags &flags);

    /// What rotate turns every point by, and in `textAngle` what it returns.
    const TurnBy &turnOf(PointF indicated2, PointF p3, const TurnFlags &flags, float &textAngle)
    {
        const Turn &t = turnFor(indicated2, p3, flags);
        textAngle = t.textAngle;
        return t.turn;
    }

private:
    struct Turn {
        TurnBy turn{0};      // what the points turn by
        float textAngle = 0; // what rotatePair returns
    };
    const Turn &turnFor(PointF indicated2, PointF p3, const TurnFlags &flags);

    bool m_known = false;
    unsigned m_key[4] = {};
    TurnFlags m_flags;
    Turn m_turn;
};

/// Turns `p` about indicated point 2; `cosine`/`sine` receive those of the tilt angle.
void rotateOne(PointF &p, PointF indicated2, PointF p3, const TurnFlags &flags, float &cosine, float &sine);

/// Rounds to 10 decimal places, as leader lengths are compared and stored.
long double roundTo10Places(long double v);

} // namespace quillet
