#include "engine/Leader.h"

#include "base/RealMath.h"
#include "engine/Frames.h"

#include <array>
#include <cmath>

namespace quillet {

namespace {

using ld = long double;

// Turn of the tip along the start of a curved leader.
float curvedTurn(const EngineRun &e, float theta)
{
    const GeometryState &g = e.g;
    const int side = (g.horizontal() && g.point2Left == g.point2Below) || (!g.horizontal() && g.point2Left == g.upward);
    const float delta =
        f32(squareRoot(divide(std::hypot(ext(e.m.dx), ext(e.m.dy)), e.m.scale)) * 1.7L + 7.3L);
    const bool add = e.frameKind() == FrameKind::CurvedLeader1 ? side == 1 : side == 0;
    return f32(add ? theta + ext(delta) : theta - ext(delta));
}

} // namespace

float dotRadius(const FormModel &form, float scale)
{
    // A typed value that matches no item counts as 0.
    const int whole = form.basic.dotRadiusMm < 0 ? 0 : form.basic.dotRadiusMm;
    const int tenths = form.basic.dotRadiusTenths < 0 ? 0 : form.basic.dotRadiusTenths;
    return f32(ld(10 * whole + tenths) / 10 * scale);
}

int arrowHalfAngle(int index)
{
    static constexpr std::array<int, 10> angles = {8, 10, 12, 15, 20, 25, 30, 35, 40, 45};
    if (index < 0)
        index = 0;
    if (index >= int(angles.size()))
        throw RangeError("List index out of bounds (" + std::to_string(index) + ")");
    return angles[std::size_t(index)];
}

void writeTipAndLeader(EngineRun &e)
{
    RunMeasures &m = e.m;
    GeometryState &g = e.g;
    const FormModel &form = e.form();
    const Tip tip = form.tip;
    const FrameKind kind = e.frameKind();
    if (e.frameMode() || m.leaderLong == 0 || tip == Tip::NoLeader)
        return;

    // 2..3. Direction from point 1 towards point 2 (or the bend point).
    if (m.dx == 0)
        m.dx = 1e-11;
    float theta = f32(std::atan(divide(m.dy, m.dx)) * kDegreesPerRadian);
    if (m.dx < 0)
        theta = f32(theta + 180.0L);
    if (isCurvedLeader(kind))
        theta = curvedTurn(e, theta);
    g.leaderAngle = theta;

    // 4. Tip colour.
    const bool dot = isDot(tip);
    if (dot)
        e.out.color(form.basic.dotColour);
    else
        e.out.color(form.basic.arrowColour);

    // 5. A leader routed to the far end of the underline aims there.
    const bool routed = isUnderline(kind) && g.crossAbove == 1;
    if (routed) {
        if (g.horizontal())
            m.dy = double(ext(g.farUnderline) - m.p1.y);
        else
            m.dx = double(ext(g.farUnderline) - m.p1.x);
    }

    // 6..7. The symbol.
    const PointF p1 = m.p1;
    const ld s = m.scale;
    float r = 0;
    if (tip >= Tip::Arrow1) {
        const int a = arrowHalfAngle(form.basic.arrowAngle);
        const float theta1 = f32(ext(theta) + a);
        const float theta2 = f32(ext(theta) - a);
        const ld len = form.basic.arrowLength;
        const PointF a1{f32(p1.x + len * std::cos(radians(theta1)) * s / 10),
                        f32(p1.y + len * std::sin(radians(theta1)) * s / 10)};
        const PointF a2{f32(p1.x + len * std::cos(radians(theta2)) * s / 10),
                        f32(p1.y + len * std::sin(radians(theta2)) * s / 10)};
        if (tip == Tip::Arrow1) {
            e.out.line(p1, g.point2Left ? a2 : a1);
        } else {
            e.out.line(p1, a1);
            e.out.line(p1, a2);
            if (tip >= Tip::Arrow3)
                e.out.line(a1, a2);
            if (tip == Tip::Arrow4)
                e.out.solidTriangle(p1, a1, a2);
        }
    } else if (dot) {
        r = dotRadius(form, m.scale);
        if (tip == Tip::SolidDot)
            e.out.solidCircle(p1, r);
        else
            e.out.circle(p1, r);
    }

    // 8. Leader colour.
    e.out.leaderColor();

    // 9. Dots start the leader on their rim.
    PointF start = p1;
    if (dot) {
        const ld ox = r * std::cos(radians(theta)), oy = r * std::sin(radians(theta));
        start = {f32(p1.x + ox), f32(p1.y + oy)};
        g.leaderLength = f32(std::hypot(ext(m.dx) - ox, ext(m.dy) - oy));
    } else {
        g.leaderLength = f32(std::hypot(ext(m.dx), ext(m.dy)));
    }
    g.leaderStart = start;

    // 10. The leader itself.
    if (isCurvedLeader(kind)) {
        writeCurvedLeader(e);
        return;
    }
    if (e.mode() == Mode::Bend) {
        e.out.line(start, m.bend);
        start = m.bend;
    }
    if (!routed) {
        e.out.line(start, m.indicated2);
    } else if (g.horizontal()) {
        e.out.line(m.indicated2.x, m.p2.y, m.indicated2.x, g.farUnderline);
        e.out.line(start.x, start.y, m.indicated2.x, g.farUnderline);
    } else {
        e.out.line(m.p2.x, m.indicated2.y, g.farUnderline, m.indicated2.y);
        e.out.line(start.x, start.y, g.farUnderline, m.indicated2.y);
    }
}

} // namespace quillet
