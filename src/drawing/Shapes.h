#pragma once
// Geometry of the drawn shapes: points of ellipses, extents and the boxes texts
// occupy, shared by the SVG writer and the window's painter.
#include "drawing/Drawing.h"

#include <array>
#include <limits>
#include <vector>

namespace quillet::drawing {

constexpr double kPi = 3.14159265358979323846;

struct Bounds {
    double minX = std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();

    bool empty() const { return minX > maxX; }
    double width() const { return empty() ? 0 : maxX - minX; }
    double height() const { return empty() ? 0 : maxY - minY; }
    void add(Vec p);
    void add(const Bounds &b);
};

/// The point at angle `t` (radians, the ellipse's own frame) of an ellipse whose
/// radius lies along `tilt` (radians) and whose other axis is radius × flatness.
Vec ellipsePoint(Vec centre, double radius, double flatness, double tilt, double t);

/// Where the drawn part of an arc starts and how far it runs counter-clockwise, in
/// radians; a whole circle, or equal start and end, runs the full turn.
struct Sweep {
    double start = 0;
    double span = 2 * kPi;
};
Sweep sweepOf(const Arc &arc);
Sweep sweepOf(const SolidArc &solid);

/// Points along the drawn part of an ellipse, at most `step` radians apart, both
/// ends included.
std::vector<Vec> ellipsePoints(Vec centre, double radius, double flatness, double tilt, Sweep sweep,
                               double step = kPi / 90);

/// The box a text occupies: from `origin` along the unit vector `along` for `length`
/// and across it (to the left of the text's direction) for `height`.
struct TextBox {
    Vec origin, along, across;
    double length = 0;
    double height = 0;
    std::array<Vec, 4> corners() const;
};

/// Length of a text along its line: the length of its direction when measured,
/// else every byte is a half-width cell of half the character width plus half the
/// spacing, less the spacing after the last one.
double textLength(const Text &text);

/// The text's box, placed by its base point.
TextBox textBox(const Text &text);

/// Exact extent of one shape; a text counts with its box.
Bounds boundsOf(const Shape &shape);

/// Extent of the lines, arcs and solids of a drawing (texts left out).
Bounds geometryBounds(const std::vector<Item> &items);

/// Extent of everything, texts included.
Bounds pictureBounds(const std::vector<Item> &items);

} // namespace quillet::drawing
