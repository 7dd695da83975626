#pragma once
#include "engine/EngineRun.h"

namespace quillet {

// Pieces that several frame kinds draw the same way.

/// Turns `a` and `b` about indicated point 2 by the annotation's tilt; returns the
/// tilt angle in degrees that tilted arcs carry.
float turnPair(EngineRun &e, PointF &a, PointF &b);
/// One point turned about indicated point 2.
PointF turned(EngineRun &e, PointF p);

/// The extension line of 枠無延長 and 四角延長 in the extension colour; afterwards point
/// 2 and the far corner stand at its end, where the frame begins.
void writeStraightExtension(EngineRun &e);

/// The extension line of 長丸延長 and 括弧延長 in the extension colour. The caller moves
/// the frame to its end, since the two kinds do that differently.
void writeExtensionToPoint3(EngineRun &e);

} // namespace quillet
