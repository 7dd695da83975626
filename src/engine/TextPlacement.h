#pragma once
#include "engine/EngineRun.h"

namespace quillet {

/// Computes where the first written text line starts (and the centring offset,
/// text margin and underline slide values) from point 2, the far corner and the
/// orientation. Stores them in the geometry state.
void placeText(EngineRun &e);

} // namespace quillet
