#include "base/RealMath.h"
#include "engine/FrameAxes.h"
#include "engine/Frames.h"

namespace quillet {

namespace {

// The balloon: its rectangle is point 2 and the far corner themselves, open over the
// gap at point 2's corner on the edge that faces point 1.
void writeBalloon(EngineRun &e)
{
    const RunMeasures &m = e.m;
    GeometryState &g = e.g;
    const FrameAxes ax = frameAxes(g);
    const float gap = frameGap(e);
    const PointF gapEnd = ax.at(f32(ax.along(m.p2) + ax.advance * ext(gap)), ax.across(m.p2));
    g.frameNear = m.p2;
    g.frameFar = {g.fx, g.fy};
    g.gapStart = m.p2;
    g.gapEnd = gapEnd;
    g.cloudCentre = ax.vertical ? m.p2 : m.indicated2;

    // The path runs Q, (r1, q2), R, (p1, r2), P and leaves P-Q open. With P at point 2
    // in the horizontal layout and Q there in the vertical one, the two middle corners
    // are the rectangle's own and the opening always lies at point 2.
    const PointF r = g.frameFar;
    const PointF p = ax.vertical ? gapEnd : m.p2;
    const PointF q = ax.vertical ? m.p2 : gapEnd;
    const PointF path[5] = {q, {r.x, q.y}, r, {p.x, r.y}, p};

    e.out.color(e.form().basic.frameColour);
    for (int i = 0; i < 4; ++i) {
        PointF a = path[i], b = path[i + 1];
        if (e.tilt())
            e.turn(a, b, g.cloudCentre);
        e.out.line(a, b);
    }
}

// The leader of the balloon and the clouds: two lines from point 1 to the gap ends.
void writeWedge(EngineRun &e)
{
    const RunMeasures &m = e.m;
    const GeometryState &g = e.g;
    if (e.frameMode() || m.leaderLong != 1)
        return;
    e.out.leaderColor();
    PointF a = g.gapStart, b = g.gapEnd;
    if (e.tilt())
        e.turn(a, b, g.cloudCentre);
    e.out.line(m.p1, a);
    e.out.line(m.p1, b);
}

} // namespace

void writeBalloonAndWedge(EngineRun &e)
{
    if (e.frameKind() == FrameKind::Balloon)
        writeBalloon(e);
    writeWedge(e);
}

} // namespace quillet
