#include "engine/FrameLines.h"

#include "base/RealMath.h"

namespace quillet {

float turnPair(EngineRun &e, PointF &a, PointF &b)
{
    return e.turn(a, b, e.m.indicated2);
}

PointF turned(EngineRun &e, PointF p)
{
    PointF spare = p;
    e.turn(p, spare, e.m.indicated2, true, false);
    return p;
}

void writeStraightExtension(EngineRun &e)
{
    RunMeasures &m = e.m;
    GeometryState &g = e.g;
    e.out.color(e.form().basic.extensionColour);
    const PointF end = g.extensionEnd;
    if (g.horizontal()) {
        if (e.tilt())
            e.out.line(m.p2, end);
        else
            e.out.line(m.p2.x, m.p2.y, end.x, m.p2.y);
        m.p2.x = f32(ext(m.p2.x) + g.ex);
        g.fx = f32(ext(g.fx) + g.ex);
    } else {
        if (e.tilt())
            e.out.line(m.p2, turned(e, {m.p2.x, end.y}));
        else
            e.out.line(m.p2.x, m.p2.y, m.p2.x, end.y);
        m.p2.y = end.y;
        g.fy = f32(ext(g.fy) + g.ey);
    }
}

void writeExtensionToPoint3(EngineRun &e)
{
    const RunMeasures &m = e.m;
    const PointF end = e.g.extensionEnd;
    e.out.color(e.form().basic.extensionColour);
    if (e.tilt())
        e.out.line(m.p2, end);
    else if (e.g.horizontal())
        e.out.line(m.p2.x, m.p2.y, end.x, m.p2.y);
    else
        e.out.line(m.p2.x, m.p2.y, m.p2.x, end.y);
}

} // namespace quillet
