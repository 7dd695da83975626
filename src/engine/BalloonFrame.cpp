#include "engine/Frames.h"

namespace quillet {

// Not built yet: the balloon outline and the wedge leader write nothing, so a run with this choice
// leaves them out rather than drawing something else in their place.
void writeBalloonAndWedge(EngineRun &) {}

} // namespace quillet
