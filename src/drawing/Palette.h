#pragma once
#include "drawing/Drawing.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quillet::drawing {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb &o) const { return r == o.r && g == o.g && b == o.b; }
};

/// The pen colours 1..9 on a white sheet, after the host's standard colours:
///
/// | pen | colour        | RGB           |
/// |-----|---------------|---------------|
/// | 1   | light blue    | 0, 160, 200   |
/// | 2   | black         | 0, 0, 0       |
/// | 3   | green         | 0, 160, 0     |
/// | 4   | dark yellow   | 200, 160, 0   |
/// | 5   | magenta       | 224, 0, 224   |
/// | 6   | blue          | 0, 0, 255     |
/// | 7   | dark grey     | 64, 64, 64    |
/// | 8   | red           | 255, 0, 0     |
/// | 9   | grey          | 128, 128, 128 |
///
/// Yellow and light blue are darkened so that they stay readable on white; a
/// colour that was never set draws black.
Rgb penRgb(int pen);

/// A Windows colour number (red in the low byte), as "lc10" writes it.
Rgb colourNumberRgb(std::uint32_t number);

/// The colour an item is drawn in.
Rgb rgbOf(const Colour &colour);

/// "#rrggbb".
std::string hexOf(Rgb rgb);

/// Dash pattern of line type 1..9 in pixels of the picture (drawn, gap, ...); empty
/// for solid lines. Like the host's screen, dashes keep their length when zoomed.
const std::vector<double> &dashPattern(int lineType);

} // namespace quillet::drawing
