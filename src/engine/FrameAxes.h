#pragma once
#include "engine/EngineRun.h"

namespace quillet {

/// The balloon and cloud frames are built in the text's own coordinates: `along` runs
/// with the text (x in the horizontal layout, y in the vertical one), `across` at right
/// angles to it. `advance` is +1 or -1: the sense in which the text runs along.
struct FrameAxes {
    bool vertical = false;
    int advance = 1;

    float along(PointF p) const { return vertical ? p.y : p.x; }
    float across(PointF p) const { return vertical ? p.x : p.y; }
    PointF at(float alongValue, float acrossValue) const
    {
        return vertical ? PointF{acrossValue, alongValue} : PointF{alongValue, acrossValue};
    }
};

/// The axes of the current orientation.
FrameAxes frameAxes(const GeometryState &g);

/// Width of the opening at point 2's corner that the wedge leader enters: none when no
/// leader is drawn, else the frame width over 1.7 times the root of the widest line.
float frameGap(const EngineRun &e);

} // namespace quillet
