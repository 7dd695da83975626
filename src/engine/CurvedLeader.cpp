#include "engine/Frames.h"

namespace quillet {

// Not built yet: the curved leaders write nothing, so a run with this choice
// leaves them out rather than drawing something else in their place.
void writeCurvedLeader(EngineRun &) {}

} // namespace quillet
