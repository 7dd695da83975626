#pragma once
#include "engine/EngineRun.h"

namespace quillet {

/// Arrow half-angle in degrees for the arrow-angle box; no selection counts as the first item.
int arrowHalfAngle(int index);

/// Radius of the dot tips in drawing units; a typed value that matches no item counts as 0.
float dotRadius(const FormModel &form, float scale);

/// Writes the tip symbol at point 1 and the leader to indicated point 2 (through the
/// bend point in T5); the curved kinds hand the leader itself to their own unit.
void writeTipAndLeader(EngineRun &e);

} // namespace quillet
