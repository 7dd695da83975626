#include "engine/Frames.h"

namespace quillet {

// Not built yet: the underline frames write nothing, so a run with this choice
// leaves them out rather than drawing something else in their place.
void writeUnderline(EngineRun &) {}

} // namespace quillet
