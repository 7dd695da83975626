#pragma once
#include "base/TextFile.h"
#include "drawing/Drawing.h"

#include <vector>

namespace quillet::drawing {

/// The picture of a run's output lines over the exchange file it started from: the
/// output's shapes, and beneath them the selected texts (`frameMode`, the modes that
/// frame texts already in the drawing) or else the points Jw_cad handed over.
/// Output lines the reader could not take go to `diagnostics` when given.
Picture pictureOfRun(const Lines &output, const Lines &exchange, bool frameMode,
                     std::vector<Diagnostic> *diagnostics = nullptr);

/// The picked points of an exchange file ("hp1" ...), labelled with their number.
std::vector<Mark> pickedPoints(const Lines &exchange);

} // namespace quillet::drawing
