#include "base/RealMath.h"
#include "engine/FrameLines.h"
#include "engine/Frames.h"

#include <algorithm>
#include <cmath>

namespace quillet {

namespace {

using ld = long double;

/// The steepest leader any row of the route table moves the text for.
constexpr double kSteepestShifted = 220;

/// How a leader that would cross the text from above meets it.
enum class Route {
    Straight,    ///< steep enough to run straight to point 2 past the text's corner
    ShiftText,   ///< the text moves along the underline, away from the leader
    AroundText,  ///< no row matched: routed round the text's near side, or left out
};

// The rows are tried from the top; the first that matches decides. Heights are paper
// millimetres of the text above the underline, steepness ten times the slope.
Route routeFor(float h, float &s)
{
    if ((h < 9 && s > 50) || (h < 18 && s > 90) || (h < 26 && s > 120) || (h > 25 && s > 170))
        return Route::Straight;
    if (h <= 4 && s > 13) {
        s = f32(s / 1.7L);
        return Route::ShiftText;
    }
    const bool shift = (h < 6 && s > 8 && s <= 50) || (h < 9 && s > 10 && s <= 50) ||
                       (h < 13 && s > 12 && s <= 90) || (h < 18 && s > 13 && s <= 90) ||
                       (h < 26 && s > 16 && s <= 120) || (h < 33 && s > 20 && s <= 170) ||
                       (h > 33 && s > 30 && s <= kSteepestShifted);
    return shift ? Route::ShiftText : Route::AroundText;
}

float nonZero(float v) { return v == 0 ? f32(1e-10L) : v; }

} // namespace

void writeUnderline(EngineRun &e)
{
    RunMeasures &m = e.m;
    GeometryState &g = e.g;
    const BasicSettings &basic = e.form().basic;
    const bool extended = e.frameKind() == FrameKind::UnderlineExtended;
    const bool horizontal = g.horizontal();
    const bool forward = horizontal ? g.rightward : g.upward;
    const ld scale = m.scale;
    const int n = m.countedLines();
    const int slide = m.slide;

    // 1. Steepness of the leader against the text direction. Like every working value
    // of the frame, each is held in 32 bits, which the route table's bounds then see.
    const float ddx = nonZero(f32(ext(m.p1.x) - m.p2.x));
    const float ddy = nonZero(f32(ext(m.p1.y) - m.p2.y));
    float s = f32(horizontal ? ext(ddy) / ddx * 10 : ext(ddx) / ddy * 10);
    s = std::fabs(s);
    s = f32(s + basic.horizontalGap * ext(s) / 100);
    float extension = 0;
    if (extended) {
        extension = f32(divide(std::fabs(ext(horizontal ? g.ex : g.ey)), scale) / 1.4L);
        s = f32(ext(s) + extension);
    }

    // 2. Height of the text above the underline, and of the slid lines below it.
    const ld lineStep = ext(m.charHeight) + m.lineGap;
    const ld correction = ld(basic.verticalGap) / 10;
    const float h = f32(n == 0 ? correction + lineStep : correction + lineStep * (n - slide));
    const float hs = f32(correction + lineStep * slide);

    // 3. A leader that would cross the text from above.
    int shift = 0;
    if (g.crossAbove == 1) {
        const Route route = routeFor(h, s);
        if (route != Route::AroundText)
            g.crossAbove = 0;
        if (route == Route::ShiftText)
            shift = 1;
    }

    // 4. A leader that would end inside the text's height is left out.
    if (g.crossAbove == 1 && shift == 0) {
        const float r = f32(std::fabs(horizontal ? ext(m.p1.y) - m.p2.y : ext(m.p1.x) - m.p2.x));
        if (ext(m.frameHeight) - hs * scale > r)
            m.leaderLong = 0;
    }

    // 5. The text (and the underline's far end) moves along to clear the leader.
    g.fx0 = g.fx;
    g.fy0 = g.fy;
    if (extended)
        s = f32(ext(s) - extension);
    const float q = f32(ext(s) / 12);
    float t = 0;
    bool move = false;
    // A leader from below meets the lines under the underline nearly head-on when it
    // is steeper than any the route table would shift for; the shift's linear rule
    // then grows without bound (a leader straight up divides by 1e-10) and would
    // throw the text off the drawing, so such a leader leaves the text where it is.
    if (g.crossBelow == 1 && slide >= 1 && s <= kSteepestShifted) {
        const ld room = ext(hs) / 2 + 2;
        t = f32((forward ? room - q : q - room) * scale);
        if (extended)
            t = f32(ext(t) / 2);
        shift = 1;
        move = true;
    } else if (shift == 1) {
        const ld room = ext(h) / 2 + 3;
        t = f32((forward ? room - q : q - room) * scale);
        if (extended)
            t = f32(ext(t) / 1.7L);
        if (slide >= n)
            shift = 0;
        else
            move = true;
    }
    g.shiftAmount = 0;
    if (move) {
        if (horizontal)
            g.fx = f32(ext(g.fx) + t);
        else
            g.fy = f32(ext(g.fy) + t);
        g.shiftAmount = t;
    }
    g.underlineShift = shift;

    // 6. The line reaches over the extension.
    if (extended) {
        g.fx = f32(ext(g.fx) + g.ex);
        g.fy = f32(ext(g.fy) + g.ey);
    }

    // 7..8.
    e.out.color(extended ? basic.extensionColour : basic.frameColour);
    if (e.mode() == Mode::TextMode)
        applyAttachShift(e);

    // 9. The underline.
    if (horizontal) {
        PointF start = m.p2, end{g.fx, m.p2.y};
        if (e.tilt()) {
            PointF turnedStart = start;
            turnPair(e, end, turnedStart);
            // Elsewhere point 2 is the turning centre itself, and written as it is.
            if (e.mode() == Mode::FrameEach || e.mode() == Mode::TextMode)
                start = turnedStart;
        }
        e.out.line(start, end);
    } else {
        PointF end{m.p2.x, g.fy};
        if (e.tilt())
            end = turned(e, end);
        e.out.line(m.p2, end);
    }

    // 10. The text begins beyond the extension.
    if (extended) {
        if (horizontal)
            m.p2.x = f32(ext(m.p2.x) + g.ex);
        else
            m.p2.y = f32(ext(m.p2.y) + g.ey);
    }

    // 11. Where a leader routed round the text ends: the top of the lines above the
    // underline, on the near side.
    if (slide >= n)
        g.crossAbove = 0;
    if (g.crossAbove == 1) {
        const float height = m.frameHeight;
        float far = horizontal ? f32(ext(m.p2.y) + height) : f32(ext(m.p2.x) - height);
        if (slide >= 1) {
            const float d = f32(std::min(slide, n) * lineStep * scale);
            far = horizontal ? f32(ext(far) - d) : f32(ext(far) + d);
        }
        g.farUnderline = far;
    }
}

} // namespace quillet
