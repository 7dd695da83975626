#include "base/RealMath.h"
#include "engine/FrameLines.h"
#include "engine/Frames.h"

namespace quillet {

namespace {

// The short ends reach one paper millimetre from point 2 towards the text.
float bracketDepth(const EngineRun &e)
{
    const long double s = e.m.scale;
    if (e.g.vertical == 1)
        return f32(e.g.upward ? e.m.p2.y + s : e.m.p2.y - s);
    return f32(e.g.rightward ? e.m.p2.x + s : e.m.p2.x - s);
}

} // namespace

void writeBracket(EngineRun &e)
{
    RunMeasures &m = e.m;
    GeometryState &g = e.g;
    if (e.frameKind() == FrameKind::BracketExtended) {
        writeExtensionToPoint3(e);
        if (g.horizontal()) {
            m.p2.x = f32(ext(m.p2.x) + g.ex);
            g.fx = f32(ext(g.fx) + g.ex);
        } else {
            m.p2.y = g.extensionEnd.y;
            g.fy = f32(ext(g.fy) + g.ey);
        }
    }
    const float b = bracketDepth(e);
    applyAttachShift(e);
    e.out.color(e.form().basic.frameColour);

    const float x2 = m.p2.x, y2 = m.p2.y, fx = g.fx, fy = g.fy;
    if (g.vertical == 0) {
        PointF p[4] = {{x2, y2}, {b, y2}, {b, fy}, {x2, fy}};
        if (e.tilt()) {
            turnPair(e, p[0], p[1]);
            turnPair(e, p[2], p[3]);
        }
        e.out.line(p[0], p[1]);
        e.out.line(p[2], p[3]);
        e.out.line(p[3], p[0]);
    } else if (g.vertical == 1) {
        // Tilt keeps the vertical layout only for a vertical-writing font; the bracket
        // turns with the text then, as every other frame does.
        PointF p[4] = {{x2, y2}, {fx, y2}, {fx, b}, {x2, b}};
        if (e.tilt()) {
            turnPair(e, p[0], p[1]);
            turnPair(e, p[2], p[3]);
        }
        e.out.line(p[0], p[1]);
        e.out.line(p[1], p[2]);
        e.out.line(p[3], p[0]);
    }
    // Frame write 1 before its texts fix a layout (0xFF): the colour line only.
}

} // namespace quillet
