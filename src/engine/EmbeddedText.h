#pragma once
#include "engine/EngineRun.h"

#include <ctime>
#include <string>
#include <vector>

namespace quillet {

/// Writes a memo line that begins with "$1" or "$2" while embedded text is on,
/// starting at `at`. The caller advances to the next line afterwards.
void writeEmbeddedLine(EngineRun &e, PointF at, const std::string &line);

/// One record of a "$1" line: a code the host replaces, or the plain text between
/// codes, with the advance to the next piece in half-width units.
struct EmbeddedPiece {
    std::string text;
    int advance = 0;
};

/// Cuts the text of a "$1" line (prefix removed) into pieces at every code.
std::vector<EmbeddedPiece> embeddedPieces(const std::string &text);

/// The text of a "$2" line (prefix removed) with every date and time code replaced
/// by `now`.
std::string expandDateCodes(const std::string &text, const std::tm &now);

} // namespace quillet
