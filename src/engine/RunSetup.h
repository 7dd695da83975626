#pragma once
#include "engine/RunContext.h"
#include "geometry/Point.h"
#include "geometry/Turning.h"

#include <string>

namespace quillet {

/// The numbers the run set-up derives from the exchange data and the form; the
/// engine reads them and moves the points in place.
struct RunMeasures {
    float scale = 0;                 ///< drawing scale S
    PointF p1, p2, p3, bend;         ///< points 1, 2, 3 and the T5 bend point
    PointF indicated2;               ///< point 2 as indicated; the leader ends here
    bool throughBend = false;        ///< T5: the leader runs through the bend point
    double dx = 0, dy = 0;           ///< leader vector
    int leaderLong = 0;              ///< 1 when a tip symbol and leader are drawn
    int memoLines = 0;
    int tildeLines = 0;              ///< memo lines beginning with "~~"
    int widest = 1;                  ///< widest line in half-width units
    int wideCode = 0;                ///< "^B"/"^o" (1) or "^b" (2) in the widest line
    int slide = 0;                   ///< effective underline slide
    double halfWidth = 0;            ///< paper mm
    double charHeight = 0;           ///< paper mm
    double charSpacing = 0;          ///< paper mm
    float lineGap = 0;               ///< paper mm
    float textWidth = 0;             ///< paper mm, widest line without margin
    float frameWidth = 0;            ///< drawing units, with margin
    float frameHeight = 0;           ///< drawing units, with margin
    std::string textKindCode;        ///< written after "cn"

    /// Memo lines that are text lines ("~~" lines do not count).
    int countedLines() const { return memoLines - tildeLines; }
};

/// Runs the set-up: parses scales, points and text-kind sizes, measures the memo and
/// appends the layer-group, scale-ratio, line-type and layer lines to the output.
/// Faults are thrown as they happen (ConvertError, RangeError, VariantError,
/// division errors), leaving the lines written so far in the output.
void runSetup(RunContext &ctx, RunMeasures &m);

/// Width of one memo line in half-width units and its wide code, with every "^",
/// "$1"/"$2" and "~~" rule; `tilde` tells whether the line is a "~~" line.
struct LineMeasure {
    int width = 0;
    int wideCode = 0;
    bool tilde = false;
};
LineMeasure measureLine(const std::string &line, bool embeddedText);

/// The slide actually applied for `counted` text lines and the slide box index.
int effectiveSlide(int slideIndex, int counted);

} // namespace quillet
