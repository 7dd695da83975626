#include "base/RealMath.h"
#include "engine/Frames.h"

namespace quillet {

void applyAttachShift(EngineRun &e)
{
    GeometryState &g = e.g;
    if (g.turnBack != 0)
        return;
    if (g.horizontal()) {
        e.m.p2.y = f32(ext(e.m.p2.y) - g.attach);
        g.fy = f32(ext(g.fy) - g.attach);
    } else {
        e.m.p2.x = f32(ext(e.m.p2.x) + g.attach);
        g.fx = f32(ext(g.fx) + g.attach);
    }
}

void writeNoFrame(EngineRun &e) { applyAttachShift(e); }

} // namespace quillet
