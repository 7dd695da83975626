#pragma once

namespace quillet {

/// A point as the drawing holds it: two 32-bit coordinates.
struct PointF {
    float x = 0;
    float y = 0;
};

} // namespace quillet
