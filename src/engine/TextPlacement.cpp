#include "engine/TextPlacement.h"

#include "base/RealMath.h"

namespace quillet {

namespace {

using ld = long double;

// What every placement step reads: the frame kind's family, the orientation, the text
// sizes in extended precision and the frame's two corners as they stand now.
struct Placement {
    bool oval = false;
    bool underline = false;
    bool ownRectangle = false; // the balloon, the clouds and the curved leaders
    bool textMode = false;
    bool horizontal = true;
    bool forward = true;       // the text runs towards larger values
    ld s = 0, hw = 0, sp = 0, ch = 0, lg = 0, frameW = 0;
    ld twoHw = 0;              // two half-width characters, drawing units
    ld lineStep = 0;           // one line and its gap, drawing units
    float x2 = 0, y2 = 0, fx = 0, fy = 0;
};

Placement placementOf(const EngineRun &e)
{
    const RunMeasures &m = e.m;
    const GeometryState &g = e.g;
    const FrameKind kind = e.frameKind();
    Placement p;
    p.oval = isOval(kind);
    p.underline = isUnderline(kind);
    // The balloon, the clouds and the curved leaders place the text in their own rectangle.
    p.ownRectangle = isBalloonCloudOrCurve(kind);
    p.textMode = e.mode() == Mode::TextMode;
    p.horizontal = g.horizontal();
    p.forward = p.horizontal ? g.rightward : g.upward;
    p.s = m.scale;
    p.hw = m.halfWidth;
    p.sp = m.charSpacing;
    p.ch = m.charHeight;
    p.lg = m.lineGap;
    p.frameW = m.frameWidth;
    p.x2 = m.p2.x;
    p.y2 = m.p2.y;
    p.fx = g.fx;
    p.fy = g.fy;
    p.twoHw = 2 * p.hw * p.s;
    p.lineStep = (p.ch + p.lg) * p.s;
    return p;
}

// Sideways offset that centres the widest line in the frame. An underline shifted
// clear of the leader centres the text over its new position instead, and an oval
// keeps a character's room for its round end on the far side.
float centringOffset(const EngineRun &e, const Placement &p)
{
    const RunMeasures &m = e.m;
    const GeometryState &g = e.g;
    if (e.form().basic.noFrameGap)
        return 0;
    float c = f32((p.frameW - ((p.sp / 2 + p.hw) * m.widest - p.sp / 2) * p.s) / 2);
    if (p.underline && g.underlineShift) {
        ld v = (p.frameW - (p.sp / 2 + p.hw) * m.widest * p.s) / 2;
        if (p.forward)
            v += g.shiftAmount;
        c = f32(v);
    }
    if (p.oval && !p.textMode)
        c = f32(p.forward ? c - p.hw * p.s : c + p.hw * p.s);
    return c;
}

// Distance from point 2's edge of the frame to the first text line.
float textMargin(const EngineRun &e, const Placement &p)
{
    const BasicSettings &basic = e.form().basic;
    return basic.noFrameGap ? 0.0f : f32((ld(basic.verticalGap) / 10 + p.ch / 15 + 0.6L) * p.s);
}

// The start point for an ordinary font: along the text from point 2's end (the far
// corner's when the text runs backwards), across it from point 2's edge, or from the
// far edge when the frame lies on point 1's side.
PointF basicStart(const EngineRun &e, const Placement &p, float c, float mg)
{
    const GeometryState &g = e.g;
    float x, y;
    if (p.horizontal) {
        x = f32(g.rightward ? ext(p.x2) + c : ext(p.fx) + c);
        y = f32(ext(p.y2) + mg);
    } else {
        y = f32(g.upward ? ext(p.y2) + c : ext(p.fy) + c);
        x = f32(ext(p.x2) - mg);
    }
    if ((p.oval && !p.textMode) || g.turnBack) {
        if (p.horizontal && g.point2Below)
            y = f32(ext(p.fy) + mg);
        else if (!p.horizontal && !g.point2Left)
            x = f32(ext(p.fx) - mg);
    }
    return {x, y};
}

// A vertical-writing font without tilt: its columns start at the top of the block.
void startForVerticalFont(const EngineRun &e, const Placement &p, float c, float mg, float &x, float &y)
{
    const GeometryState &g = e.g;
    const float x2 = p.x2, y2 = p.y2, fx = p.fx, fy = p.fy;
    const ld twoHw = p.twoHw, lineStep = p.lineStep, hw = p.hw, s = p.s;
    if (p.horizontal) {
        const ld yb = g.point2Below && p.ownRectangle ? fy : y2;
        if (!g.rightward) {
            y = f32(yb + twoHw + mg);
            x = f32(ext(x2) - mg);
        } else {
            y = f32(yb + mg);
            x = f32(ext(x2) + mg);
        }
    } else {
        const ld xb = !g.point2Left && p.ownRectangle ? fx : x2;
        x = f32(xb - lineStep - mg);
        y = f32(g.upward ? ext(fy) - c : ext(y2) - c);
    }
    if (p.oval) {
        if (p.horizontal && !g.rightward) {
            x = f32(x2 + lineStep - c);
            y = f32(twoHw + (g.point2Below ? fy : y2) + mg);
        } else if (p.horizontal) {
            x = f32(ext(x2) + c);
            y = f32(ext(g.point2Below ? fy : y2) + mg);
        } else {
            x = f32(ext(!g.point2Left ? fx : x2) - twoHw - mg);
            y = g.upward ? f32(fy - hw * s - mg) : f32(ext(y2) + mg);
        }
    }
}

// A vertical-writing font with tilt on. Rightward horizontal text keeps the basic start.
void startForTiltedVerticalFont(const EngineRun &e, const Placement &p, float c, float mg, float &x, float &y)
{
    const GeometryState &g = e.g;
    const float x2 = p.x2, y2 = p.y2, fx = p.fx, fy = p.fy;
    const ld twoHw = p.twoHw, lineStep = p.lineStep;
    if (p.horizontal && !g.rightward) {
        if (g.point2Below) {
            y = f32(twoHw + (p.ownRectangle ? fy : y2) + mg);
            x = f32(ext(x2) - mg);
            if (p.oval) {
                y = f32(twoHw + fy + mg);
                x = f32(lineStep + x2 - c);
            }
        } else {
            y = f32(twoHw + y2 + mg);
            x = f32(ext(x2) - mg);
        }
    } else if (!p.horizontal) {
        const ld xc = !g.point2Left && (p.ownRectangle || p.oval) ? fx : x2;
        x = f32(xc - twoHw - mg);
        if (!g.upward)
            y = p.oval ? f32(y2 + 0.7L * mg) : f32(ext(y2) - mg);
        else
            y = p.oval ? f32(ext(g.ovalInnerEnd) - c) : f32(fy - 1.7L * mg);
    }
}

// A tilted vertical layout with an ordinary font: the tilt turns the column into a
// line, which starts from whichever corner the turn brings to its beginning.
void startForTiltedColumn(const EngineRun &e, const Placement &p, float c, float mg, float &x, float &y)
{
    const GeometryState &g = e.g;
    const float x2 = p.x2, y2 = p.y2, fx = p.fx, fy = p.fy;
    const bool oval = p.oval;
    const ld farTop = oval ? g.ovalInnerEnd : fy; // the far end along the text
    if (g.point2Left) {
        if (g.upward) {
            x = g.rightward ? f32(ext(x2) - mg) : f32(ext(fx) + mg);
            y = g.rightward ? f32(ext(y2) + c) : f32(farTop - c);
        } else {
            x = g.rightward ? f32(ext(fx) + mg) : f32(ext(x2) - mg);
            y = g.rightward ? (oval ? y2 : f32(ext(y2) - c)) : f32(ext(fy) + c);
        }
    } else {
        if (g.upward) {
            x = g.rightward ? f32(ext(fx) - mg) : f32(ext(x2) + mg);
            y = g.rightward ? f32(ext(y2) + c) : f32(farTop - c);
        } else {
            x = g.rightward ? f32(ext(x2) + mg) : f32(ext(fx) - mg);
            y = g.rightward ? (oval ? y2 : f32(ext(y2) - c)) : f32(ext(fy) + c);
        }
    }
}

// The lines slid below an underline start lower by as many lines, and the writing
// jumps back across the underline to the lines above it.
void slideBelowUnderline(EngineRun &e, const Placement &p, float mg, float &x, float &y)
{
    const RunMeasures &m = e.m;
    GeometryState &g = e.g;
    g.slideShift = 0;
    if (p.underline && m.slide >= 1) {
        g.slideShift = f32(p.lineStep * m.slide + 2 * ext(mg) - p.lg * p.s);
        if (p.horizontal)
            y = f32(ext(y) - g.slideShift);
        else
            x = f32(ext(x) + g.slideShift);
    }
    g.slideJump = f32(2 * ext(mg) - p.lg * p.s);
}

} // namespace

void placeText(EngineRun &e)
{
    GeometryState &g = e.g;
    const Placement p = placementOf(e);
    // Each later rule overrides the start an earlier one gave.
    const float c = centringOffset(e, p);
    const float mg = textMargin(e, p);
    PointF start = basicStart(e, p, c, mg);
    float x = start.x, y = start.y;
    if (g.verticalFont && !e.tilt())
        startForVerticalFont(e, p, c, mg, x, y);
    if (g.verticalFont && e.tilt())
        startForTiltedVerticalFont(e, p, c, mg, x, y);
    if (e.tilt() && !p.horizontal && !g.verticalFont)
        startForTiltedColumn(e, p, c, mg, x, y);
    slideBelowUnderline(e, p, mg, x, y);

    g.centring = c;
    g.textMargin = mg;
    g.textStart = {x, y};
}

} // namespace quillet
