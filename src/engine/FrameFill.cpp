#include "engine/Frames.h"

namespace quillet {

// Not built yet: the fill inside the frame write nothing, so a run with this choice
// leaves them out rather than drawing something else in their place.
void writeFill(EngineRun &) {}

} // namespace quillet
