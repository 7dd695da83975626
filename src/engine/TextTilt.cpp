#include "engine/TextTilt.h"

#include "base/RealMath.h"
#include "geometry/FloatTrig.h"

#include <cmath>

namespace quillet {

TiltedText tiltText(PointF p, PointF indicated2, PointF p3, const GeometryState &g)
{
    using ld = long double;
    float a = f32(ext(p3.x) - indicated2.x);
    const float b = f32(ext(p3.y) - indicated2.y);
    if (a == 0)
        a = 1e-7f;
    float theta = atanDegreesF32(b, a);
    if (a > 0 && b < 0)
        theta = f32(theta + 360.0L);

    TiltedText r;
    const PointF direction = polarF32(theta, 1, 1); // cos * 1 * 1 is cos itself
    r.dx = direction.x;
    r.dy = direction.y;
    if (g.vertical == 1)
        theta = f32(g.upward ? theta - 90.0L : theta - 270.0L);

    const ld ex = ext(p.x) - indicated2.x, ey = ext(p.y) - indicated2.y;
    const float radius = hypotF32(ex, ey);
    float a2 = f32(ex);
    const float b2 = f32(ey);
    if (a2 == 0)
        a2 = 1e-7f;
    float phi = atanDegreesF32(b2, a2);
    if (a2 <= 0)
        phi = f32(phi + 180.0L);
    else if (b2 < 0)
        phi = f32(phi + 360.0L);
    if (g.vertical == 1 && !g.rightward)
        phi = f32(phi - 180.0L);

    placeAround(r.at, indicated2, ld(theta) + phi, radius);
    return r;
}

} // namespace quillet
