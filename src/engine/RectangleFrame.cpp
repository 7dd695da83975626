#include "engine/FrameLines.h"
#include "engine/Frames.h"

namespace quillet {

void writeRectangle(EngineRun &e)
{
    const RunMeasures &m = e.m;
    const GeometryState &g = e.g;
    if (e.frameKind() == FrameKind::RectangleExtended)
        writeStraightExtension(e);
    applyAttachShift(e);
    e.out.color(e.form().basic.frameColour);

    PointF corners[4] = {m.p2, {g.fx, m.p2.y}, {g.fx, g.fy}, {m.p2.x, g.fy}};
    if (e.tilt()) {
        turnPair(e, corners[0], corners[1]);
        turnPair(e, corners[2], corners[3]);
    }
    for (int i = 0; i < 4; ++i)
        e.out.line(corners[i], corners[(i + 1) % 4]);
}

} // namespace quillet
