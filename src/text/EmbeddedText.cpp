#include "text/EmbeddedText.h"

#include "text/TextWriter.h"

namespace quillet {

void writeEmbeddedLine(EngineRun &e, PointF at, const std::string &line)
{
    // The codes are not expanded yet: the line goes out as the host would show it.
    writeTextRecord(e, at, line);
}

} // namespace quillet
