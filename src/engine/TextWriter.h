#pragma once
#include "engine/EngineRun.h"

#include <string>

namespace quillet {

/// Writes the font, text-kind and layer records, one text record per memo line from
/// the placed start point, and the closing records that give the host back its own
/// font, layer group and layer. Writes nothing in the frame modes.
void writeText(EngineRun &e);

/// One text record "ch" for `text` starting at `at`, in the form the layout, tilt
/// and font ask for.
void writeTextRecord(EngineRun &e, PointF at, const std::string &text);

} // namespace quillet
