#include "engine/FrameLines.h"
#include "engine/Frames.h"

namespace quillet {

void writeExtensionOnly(EngineRun &e)
{
    writeStraightExtension(e);
    applyAttachShift(e);
}

} // namespace quillet
