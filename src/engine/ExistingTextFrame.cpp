#include "engine/Frames.h"

namespace quillet {

// Not built yet: the existing text records are not read, so there is no text block
// to frame and the pass ends without writing anything.
bool frameExistingText(EngineRun &) { return false; }

} // namespace quillet
