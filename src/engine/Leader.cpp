#include "engine/Leader.h"

#include "base/RealMath.h"
#include "geometry/FloatTrig.h"
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

// Direction from point 1 towards point 2 (or the bend point), in degrees; a leader
// straight up or down gets a tiny x so that the arctangent stays defined. A curved
// leader's tip follows the start of its curve.
float leaderDirection(EngineRun &e)
{
    RunMeasures &m = e.m;
    if (m.dx == 0)
        m.dx = 1e-11;
    float theta = atanDegreesF32(m.dy, m.dx);
    if (m.dx < 0)
        theta = f32(theta + 180.0L);
    if (isCurvedLeader(e.frameKind()))
        theta = curvedTurn(e, theta);
    return theta;
}

// A leader routed round the text aims at the far end of the underline; the tip keeps
// the direction it already has. Returns whether the leader is routed.
bool aimAtFarUnderline(EngineRun &e)
{
    RunMeasures &m = e.m;
    const GeometryState &g = e.g;
    const bool routed = isUnderline(e.frameKind()) && g.crossAbove == 1;
    if (routed) {
        if (g.horizontal())
            m.dy = double(ext(g.farUnderline) - m.p1.y);
        else
            m.dx = double(ext(g.farUnderline) - m.p1.x);
    }
    return routed;
}

// The arrow wings at point 1, opening by the half-angle on both sides of the leader.
void writeArrow(EngineRun &e, float theta)
{
    const RunMeasures &m = e.m;
    const FormModel &form = e.form();
    const Tip tip = form.tip;
    const PointF p1 = m.p1;
    const ld s = m.scale;
    const int a = arrowHalfAngle(form.basic.arrowAngle);
    const float theta1 = f32(ext(theta) + a);
    const float theta2 = f32(ext(theta) - a);
    const ld len = form.basic.arrowLength;
    const PointF a1{f32(p1.x + len * std::cos(radians(theta1)) * s / 10),
                    f32(p1.y + len * std::sin(radians(theta1)) * s / 10)};
    const PointF a2{f32(p1.x + len * std::cos(radians(theta2)) * s / 10),
                    f32(p1.y + len * std::sin(radians(theta2)) * s / 10)};
    if (tip == Tip::Arrow1) {
        e.out.line(p1, e.g.point2Left ? a2 : a1);
    } else {
        e.out.line(p1, a1);
        e.out.line(p1, a2);
        if (tip >= Tip::Arrow3)
            e.out.line(a1, a2);
        if (tip == Tip::Arrow4)
            e.out.solidTriangle(p1, a1, a2);
    }
}

// A solid or hollow dot on point 1; returns its radius.
float writeDot(EngineRun &e)
{
    const RunMeasures &m = e.m;
    const float r = dotRadius(e.form(), m.scale);
    if (e.tip() == Tip::SolidDot)
        e.out.solidCircle(m.p1, r);
    else
        e.out.circle(m.p1, r);
    return r;
}

// Where the leader starts: on a dot's rim, else at point 1. Also keeps the length from
// there to point 2, which the curved leaders scale their arcs by.
PointF leaderStart(EngineRun &e, float theta, float r)
{
    const RunMeasures &m = e.m;
    GeometryState &g = e.g;
    const PointF p1 = m.p1;
    PointF start = p1;
    if (isDot(e.tip())) {
        const ld ox = r * std::cos(radians(theta)), oy = r * std::sin(radians(theta));
        start = {f32(p1.x + ox), f32(p1.y + oy)};
        g.leaderLength = hypotF32(ext(m.dx) - ox, ext(m.dy) - oy);
    } else {
        g.leaderLength = hypotF32(ext(m.dx), ext(m.dy));
    }
    g.leaderStart = start;
    return start;
}

// The straight leader to indicated point 2, through the bend point in T5. A routed
// leader ends at the far underline point, joined to the underline by a connector.
void writeStraightLeader(EngineRun &e, PointF start, bool routed)
{
    const RunMeasures &m = e.m;
    const GeometryState &g = e.g;
    if (m.throughBend) {
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
    const FormModel &form = e.form();
    const Tip tip = form.tip;
    if (e.frameMode() || e.m.leaderLong == 0 || tip == Tip::NoLeader)
        return;

    const float theta = leaderDirection(e);
    e.g.leaderAngle = theta;
    // 記号なし writes the arrow colour too, though no symbol follows.
    e.out.color(isDot(tip) ? form.basic.dotColour : form.basic.arrowColour);
    const bool routed = aimAtFarUnderline(e);
    float r = 0;
    if (tip >= Tip::Arrow1)
        writeArrow(e, theta);
    else if (isDot(tip))
        r = writeDot(e);

    e.out.leaderColor();
    const PointF start = leaderStart(e, theta, r);
    if (isCurvedLeader(e.frameKind()))
        writeCurvedLeader(e);
    else
        writeStraightLeader(e, start, routed);
}

} // namespace quillet
