#pragma once
#include "drawing/Drawing.h"

#include <string>

namespace quillet::drawing {

struct SvgOptions {
    int width = 0; ///< pixel width of the picture; 0 leaves the size to the viewer
};

/// The picture as an SVG document (UTF-8) in drawing units with the y axis pointing
/// up: one element per shape, classed "line", "arc", "solid" or "text" in the
/// order drawn, after the grey "underlay" texts and before the "mark" crosses of
/// the picked points. Pen colours come from the palette, solids keep their own
/// colour, texts carry font, size and direction. Lines are a thousandth of the
/// picture's larger side wide.
std::string svgOf(const Picture &picture, const SvgOptions &options = {});

} // namespace quillet::drawing
