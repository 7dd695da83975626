#pragma once
// What a list of drawing command lines draws: the shapes in the order the host
// would add them, each with the colour, line type, layer and group in force.
#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace quillet::drawing {

struct Vec {
    double x = 0;
    double y = 0;
};

/// A colour as the records set it: pen colour 1..9 from "lc<n>", or, from
/// "lc10 <n>", the colour number n (a Windows colour number, red in the low byte).
struct Colour {
    int pen = 0;              ///< 1..9, 10 = `number` holds the colour; 0 = none set
    std::uint32_t number = 0; ///< only with pen 10
    bool operator==(const Colour &o) const { return pen == o.pen && (pen != 10 || number == o.number); }
    bool operator!=(const Colour &o) const { return !(*this == o); }
};

/// The state a drawn item takes from the records before it.
struct Style {
    Colour colour;
    int lineType = 1; ///< "lt<n>", 1 = solid
    int layer = -1;   ///< "ly<h>" 0..15; -1 = not set
    int group = -1;   ///< "lg<h>" 0..15; -1 = not set
};

/// " x1 y1 x2 y2"
struct Line {
    Vec a, b;
};

/// "ci": a whole ellipse, or the part of it run counter-clockwise from `start` to
/// `end`. Angles are degrees of the ellipse's own frame: the radius lies along
/// `tilt` (degrees), the other axis is radius × `flatness`.
struct Arc {
    Vec centre;
    double radius = 0;
    double start = 0;
    double end = 360;
    double flatness = 1;
    double tilt = 0;
    bool whole = true; ///< the three-number form "ci x y r"
};

/// "sc": a filled ellipse ("... 100" at the end) or the filled piece of one from
/// `start` over `span`, bounded by its chord. Angles here are radians.
struct SolidArc {
    Vec centre;
    double radius = 0;
    double flatness = 1;
    double tilt = 0;
    double start = 0;
    double span = 0;
    bool whole = false;
};

/// "sl": a filled triangle (3 corners) or quadrilateral (4 corners).
struct Solid {
    std::vector<Vec> corners;
};

/// Character sizes in drawing units: the width of a full-width character, the
/// height and the spacing between characters.
struct TextSize {
    double width = 0;
    double height = 0;
    double spacing = 0;
};

/// A text record ("ch", "cv", ...): the text runs from `at` along `direction`;
/// `basePoint` (0..8, from "cc") says which point of the text `at` is.
struct Text {
    std::string record;    ///< the two-letter record name
    Vec at, direction;
    std::string text;      ///< Shift-JIS, everything after the double quote
    std::string font;      ///< Shift-JIS font name; "@" first = vertical writing
    int textKind = 0;      ///< 1..10, 0 = free size
    TextSize size;         ///< resolved from the text kind and the group's scale
    int pen = 0;           ///< the text kind's pen colour; 0 = not known
    int basePoint = 0;
    /// The length of `direction` is the text's length: so it is in the records Jw_cad
    /// hands over. In the records this program writes the length is only a hint and
    /// the text takes the width its characters need.
    bool measured = false;
};

using Shape = std::variant<Line, Arc, SolidArc, Solid, Text>;

struct Item {
    Shape shape;
    Style style;
    int line = 0; ///< 1-based number of the command line it came from
};

/// A line the reader did not take: unknown, or a known record in a broken form.
struct Diagnostic {
    int line = 0;         ///< 1-based
    std::string message;  ///< English, for the developer and the status line
    std::string text;     ///< the line itself, Shift-JIS
};

struct Drawing {
    std::vector<Item> items;
    std::vector<Diagnostic> diagnostics;
};

/// A point the user picked, with its number.
struct Mark {
    Vec at;
    std::string label;
};

/// What a picture of a run shows: the drawn items, the texts already in the
/// drawing that frames go around (grey, beneath) and the points the user picked.
struct Picture {
    std::vector<Item> items;
    std::vector<Item> underlay;
    std::vector<Mark> marks;
};

/// A text kind as the host defines it: sizes in paper millimetres (full-width
/// character width, height, spacing) and the pen colour its texts are drawn in.
struct TextKindSize {
    double width = 0;
    double height = 0;
    double spacing = 0;
    int pen = 0;
};

/// What the host had set before the command lines start; the group scales turn a
/// text kind's paper size into drawing units.
struct Context {
    std::array<double, 16> groupScales{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    std::array<TextKindSize, 11> kinds{}; ///< index 0 = the free size
    Style style;                          ///< the host's current colour, line type, layer, group
    int textKind = 1;
    std::string font;
    int basePoint = 0;
};

} // namespace quillet::drawing
