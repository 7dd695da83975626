#pragma once
#include "engine/GeometryState.h"

namespace quillet {

/// A text start turned with the annotation, and the unit direction its line runs in.
struct TiltedText {
    PointF at;
    float dx = 0;
    float dy = 0;
};

/// Turns `p` about indicated point 2 by the slope from there to point 3.
TiltedText tiltText(PointF p, PointF indicated2, PointF p3, const GeometryState &g);

} // namespace quillet
