#pragma once
#include "engine/EngineRun.h"

namespace quillet {

/// One pass of the geometry engine: set-up, the frame of the chosen kind, tip symbol
/// and leader, text placement, fill and text records, appended to the Output list.
void runEngine(EngineRun &e);

} // namespace quillet
