#pragma once
#include "engine/EngineRun.h"

#include <string>

namespace quillet {

/// Writes a memo line that begins with "$1" or "$2" while embedded text is on,
/// starting at `at`. The caller advances to the next line afterwards.
void writeEmbeddedLine(EngineRun &e, PointF at, const std::string &line);

} // namespace quillet
