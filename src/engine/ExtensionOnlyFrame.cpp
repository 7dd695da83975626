#include "engine/Frames.h"

namespace quillet {

// Not built yet: the plain extension line write nothing, so a run with this choice
// leaves them out rather than drawing something else in their place.
void writeExtensionOnly(EngineRun &) {}

} // namespace quillet
