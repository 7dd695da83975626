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

// Ten times the leader's slope against the text direction, widened by the 左右
// correction and, for 下線延長, by the extension. Like every working value of the frame,
// each is held in 32 bits, which the route table's bounds then see. `extension` gets
// the part the extension added, which the shift takes off again.
float leaderSteepness(const EngineRun &e, bool extended, float &extension)
{
    const RunMeasures &m = e.m;
    const GeometryState &g = e.g;
    const bool horizontal = g.horizontal();
    const ld scale = m.scale;
    const float ddx = nonZero(f32(ext(m.p1.x) - m.p2.x));
    const float ddy = nonZero(f32(ext(m.p1.y) - m.p2.y));
    float s = f32(horizontal ? ext(ddy) / ddx * 10 : ext(ddx) / ddy * 10);
    s = std::fabs(s);
    s = f32(s + e.form().basic.horizontalGap * ext(s) / 100);
    extension = 0;
    if (extended) {
        extension = f32(divide(std::fabs(ext(horizontal ? g.ex : g.ey)), scale) / 1.4L);
        s = f32(ext(s) + extension);
    }
    return s;
}

// Paper height of the text above the underline (h) and of the lines slid below it (hs).
struct TextHeights {
    float above;
    float below;
};

TextHeights textHeights(const EngineRun &e)
{
    const RunMeasures &m = e.m;
    const int n = m.countedLines();
    const int slide = m.slide;
    const ld lineStep = ext(m.charHeight) + m.lineGap;
    const ld correction = ld(e.form().basic.verticalGap) / 10;
    const float h = f32(n == 0 ? correction + lineStep : correction + lineStep * (n - slide));
    const float hs = f32(correction + lineStep * slide);
    return {h, hs};
}

// A leader that would cross the text from above runs straight past it, makes the text
// shift along the underline (returns true), or stays to be routed round the text.
bool routeAcrossText(GeometryState &g, float h, float &s)
{
    if (g.crossAbove != 1)
        return false;
    const Route route = routeFor(h, s);
    if (route != Route::AroundText)
        g.crossAbove = 0;
    return route == Route::ShiftText;
}

// A routed leader that would end inside the text's height is left out.
void dropLeaderInsideText(EngineRun &e, float hs)
{
    RunMeasures &m = e.m;
    const bool horizontal = e.g.horizontal();
    const ld scale = m.scale;
    const float r = f32(std::fabs(horizontal ? ext(m.p1.y) - m.p2.y : ext(m.p1.x) - m.p2.x));
    if (ext(m.frameHeight) - hs * scale > r)
        m.leaderLong = 0;
}

// The text (and the underline's far end) moves along to clear the leader. Returns the
// shift flag as it stands afterwards.
int shiftAlongUnderline(EngineRun &e, bool extended, float s, float extension, TextHeights heights, int shift)
{
    const RunMeasures &m = e.m;
    GeometryState &g = e.g;
    const bool horizontal = g.horizontal();
    const bool forward = horizontal ? g.rightward : g.upward;
    const ld scale = m.scale;
    const int n = m.countedLines();
    const int slide = m.slide;
    const float h = heights.above, hs = heights.below;
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
    return shift;
}

// The underline from point 2 to the far corner's end, turned with the tilt.
void drawUnderline(EngineRun &e)
{
    const RunMeasures &m = e.m;
    const GeometryState &g = e.g;
    if (g.horizontal()) {
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
}

// Where a leader routed round the text ends: the top of the lines above the underline,
// on the near side.
void routedLeaderEnd(EngineRun &e)
{
    const RunMeasures &m = e.m;
    GeometryState &g = e.g;
    const bool horizontal = g.horizontal();
    const ld scale = m.scale;
    const int n = m.countedLines();
    const int slide = m.slide;
    const ld lineStep = ext(m.charHeight) + m.lineGap;
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

} // namespace

void writeUnderline(EngineRun &e)
{
    RunMeasures &m = e.m;
    GeometryState &g = e.g;
    const BasicSettings &basic = e.form().basic;
    const bool extended = e.frameKind() == FrameKind::UnderlineExtended;

    float extension = 0;
    float s = leaderSteepness(e, extended, extension);
    const TextHeights heights = textHeights(e);
    int shift = routeAcrossText(g, heights.above, s) ? 1 : 0;
    if (g.crossAbove == 1 && shift == 0)
        dropLeaderInsideText(e, heights.below);
    g.underlineShift = shiftAlongUnderline(e, extended, s, extension, heights, shift);

    // The line reaches over the extension.
    if (extended) {
        g.fx = f32(ext(g.fx) + g.ex);
        g.fy = f32(ext(g.fy) + g.ey);
    }

    e.out.color(extended ? basic.extensionColour : basic.frameColour);
    // The text mode placed its text first and moves the frame to the attach point now.
    if (e.mode() == Mode::TextMode)
        applyAttachShift(e);
    drawUnderline(e);

    // The text begins beyond the extension.
    if (extended) {
        if (g.horizontal())
            m.p2.x = f32(ext(m.p2.x) + g.ex);
        else
            m.p2.y = f32(ext(m.p2.y) + g.ey);
    }
    routedLeaderEnd(e);
}

} // namespace quillet
