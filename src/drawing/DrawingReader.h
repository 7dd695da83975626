#pragma once
#include "base/TextFile.h"
#include "drawing/Drawing.h"

namespace quillet::drawing {

/// Reads drawing command lines (Shift-JIS) into shapes with the state in force at
/// each. A line that is not a known record, or a known record in a broken form,
/// draws nothing and is reported with its 1-based number; nothing is guessed.
Drawing readDrawing(const Lines &lines, const Context &context = {});

/// The host's state from an exchange file: group scales and text-kind sizes from
/// its header, then its current group, layer, colour, line type, text kind and font
/// from the state lines up to the first "#" line. Lines it cannot read are skipped:
/// the file has been checked by its own reader.
Context contextFromExchange(const Lines &exchange);

/// The text records of an exchange file's selected texts (the lines after its
/// first "#" line), as they stand in the drawing: measured by their direction.
std::vector<Item> selectedTexts(const Lines &exchange, const Context &context);

} // namespace quillet::drawing
