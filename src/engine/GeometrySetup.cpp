#include "engine/GeometrySetup.h"

#include "base/Number.h"
#include "base/RealMath.h"
#include "geometry/FloatTrig.h"
#include "engine/TextPlacement.h"

#include <cmath>

namespace quillet {

namespace {

using ld = long double;

void fixLeaderLength(EngineRun &e)
{
    RunMeasures &m = e.m;
    const bool bend = m.throughBend;
    const PointF end = bend ? m.bend : m.p2;
    const float vx = f32(ext(end.x) - m.p1.x);
    const float vy = f32(ext(end.y) - m.p1.y);
    const ld length = roundTo10Places(std::hypot(ld(vx), ld(vy)));
    if (e.ctx.settingsList.size() <= 25)
        throw RangeError("List index out of bounds (25)");
    const ld target = parseFloat(e.ctx.settingsList[25]) * m.scale;
    // Points 1 and 2 on top of each other have no direction to stretch along: the
    // division reports it (division by zero, or 0/0 for a stored length of 0).
    const ld k = divide(target, length);
    const float ox = f32(vx - k * vx);
    const float oy = f32(vy - k * vy);
    if (bend) {
        m.bend.x = f32(ext(m.bend.x) - ox);
        m.bend.y = f32(ext(m.bend.y) - oy);
    } else {
        m.p2.x = f32(ext(m.p2.x) - ox);
        m.p2.y = f32(ext(m.p2.y) - oy);
        m.p3.x = f32(ext(m.p3.x) - ox);
        m.p3.y = f32(ext(m.p3.y) - oy);
    }
    m.indicated2 = m.p2;
    // The leader runs to the bend point only where the set-up aimed it there.
    const PointF leaderEnd = bend && e.frameKind() < FrameKind::CloudEven ? m.bend : m.p2;
    m.dx = double(ext(leaderEnd.x) - m.p1.x);
    m.dy = double(ext(leaderEnd.y) - m.p1.y);
}

void extendAlongAnnotation(EngineRun &e)
{
    RunMeasures &m = e.m;
    GeometryState &g = e.g;
    const FormModel &form = e.form();
    g.extension = form.extensionMode == 1 ? f32(ld(form.extensionLength) * m.scale)
                                      : hypotF32(ext(m.p3.x) - m.p2.x, ext(m.p3.y) - m.p2.y);
    const float len = g.extension;
    const PointF indicated3 = m.p3;
    g.ex = g.ey = 0;
    if (e.tilt()) {
        PointF a = m.p3, b = m.p3;
        // Only the text angle is wanted here.
        float theta = e.turn(a, b, m.p2, false, false);
        if (ext(m.p2.x) - m.p3.x > 0)
            theta = f32(theta + 180.0L);
        placeAround(m.p3, m.p2, theta, len);
        if (g.horizontal())
            g.ex = g.rightward ? len : -len;
        else
            g.ey = g.upward ? len : -len;
    } else if (g.horizontal()) {
        m.p3.x = f32(g.rightward ? ext(m.p2.x) + len : ext(m.p2.x) - len);
        g.ex = g.rightward ? len : -len;
    } else {
        m.p3.y = f32(g.upward ? ext(m.p2.y) + len : ext(m.p2.y) - len);
        g.ey = g.upward ? len : -len;
    }
    g.extensionEnd = m.p3;
    // A given length of 0 puts point 3 on point 2, where it has no direction left:
    // the tilt, the text and the text mode's frame would all lie flat or backwards.
    // Point 3 keeps pointing the way the user indicated; the extension stays of length 0.
    if (form.extensionMode == 1 && form.extensionLength == 0)
        m.p3 = indicated3;
}

void crossingFlags(EngineRun &e)
{
    GeometryState &g = e.g;
    g.crossAbove = g.crossBelow = 0;
    if (e.m.leaderLong != 1)
        return;
    if (g.vertical == 0 && !e.tilt()) {
        const int same = g.point2Left == g.rightward;
        (g.point2Below ? g.crossAbove : g.crossBelow) = same;
    } else if (g.vertical == 1) {
        const int same = g.point2Below == g.upward;
        (g.point2Left ? g.crossBelow : g.crossAbove) = same;
    }
}

void turnBackFlag(EngineRun &e)
{
    GeometryState &g = e.g;
    const FrameKind kind = e.frameKind();
    g.turnBack = 0;
    if (isBalloonOrCloud(kind)) {
        g.turnBack = 1;
    } else if (!e.tilt() && (kind == FrameKind::None || kind == FrameKind::Rectangle || kind == FrameKind::Bracket || isCurvedLeader(kind))) {
        if ((g.vertical == 0 && g.point2Left == g.rightward) || (g.vertical == 1 && g.point2Below == g.upward))
            g.turnBack = 1;
    }
}

float attachFor(int position, float full, float middle)
{
    switch (position) {
    case 0: return full;                         // 最上行上
    case 1: return f32(ext(full) - middle);      // 最上行中央
    case 2: return f32(ext(full) / 2);           // 全体中央
    case 3: return middle;                       // 最下行中央
    default: return 0;                           // 最下行下
    }
}

void attachOffset(EngineRun &e)
{
    const RunMeasures &m = e.m;
    GeometryState &g = e.g;
    const int position = e.form().attachPosition;
    const ld ch = m.charHeight, s = m.scale;
    if (e.mode() != Mode::TextMode) {
        const float margin = f32((ld(e.form().basic.verticalGap) / 10 + ch / 9 + 0.7L) * s);
        const float c = f32(ch / 2 * s + margin);
        g.attach = attachFor(position, m.frameHeight, c);
    } else {
        g.turnBack = 0;
        const float h = f32(((ch + m.lineGap) * m.countedLines() - m.lineGap) * s);
        const float c = f32(ch / 2 * s);
        g.attach = attachFor(position, h, c);
    }
}

void farCorner(EngineRun &e)
{
    const RunMeasures &m = e.m;
    GeometryState &g = e.g;
    const ld w = m.frameWidth, h = m.frameHeight;
    const FrameKind kind = e.frameKind();
    const bool oval = isOval(kind) &&
                      (e.mode() == Mode::Annotation || e.mode() == Mode::TextMode || e.mode() == Mode::Bend);
    if (g.horizontal()) {
        g.fx = f32(g.rightward ? m.p2.x + w : m.p2.x - w);
        g.fy = f32((g.turnBack && g.point2Below) || (oval && g.point2Below) ? m.p2.y - h : m.p2.y + h);
    } else {
        g.fy = f32(g.upward ? m.p2.y + w : m.p2.y - w);
        g.fx = f32((g.turnBack && !g.point2Left) || (oval && !g.point2Left) ? m.p2.x + h : m.p2.x - h);
    }
}

// Text mode: the text is placed from the indicated point, then the frame is moved
// so that it lies around the text.
void placeFrameAroundText(EngineRun &e)
{
    RunMeasures &m = e.m;
    GeometryState &g = e.g;
    const FrameKind kind = e.frameKind();
    g.rightward = m.p3.x > m.p2.x;
    g.upward = m.p3.y > m.p2.y;
    if (g.vertical == 1) {
        if (kind == FrameKind::Oval) {
            g.point2Left = 1;
            g.point2Below = 0;
        } else if (isCloud(kind)) {
            g.point2Left = 1;
        }
    }
    placeText(e);

    PointF &t = g.textStart;
    const float tw = f32(ext(m.textWidth) * m.scale);
    const float h2 = e.form().textCentreBase ? f32(ext(tw) / 2) : 0.0f;
    float dx = 0, dy = 0;
    int sx = -1, sy = -1; // direction in which point 2 and the far corner move by (dx, dy)
    if (g.horizontal() && g.rightward) {
        dx = f32(ext(t.x) - m.p2.x + h2);
        dy = f32(ext(t.y) - m.p2.y);
        t.x = m.p2.x;
        t.y = f32(ext(m.p2.y) - g.attach);
    } else if (g.horizontal()) {
        dx = f32(std::fabs(ext(m.p2.x) - (ext(tw) + t.x)) + h2);
        dy = f32(std::fabs(ext(t.y) - m.p2.y));
        t.x = f32(ext(t.x) + dx + h2);
        t.y = f32(ext(m.p2.y) - g.attach);
        sx = +1;
    } else if (g.upward) {
        dx = f32(ext(t.x) - m.p2.x);
        dy = f32(ext(t.y) - m.p2.y + h2);
        t.x = f32(ext(m.p2.x) + g.attach);
        t.y = m.p2.y;
    } else {
        dx = f32(ext(t.x) - m.p2.x);
        dy = f32((ext(m.frameWidth) - tw) / 2 + h2);
        t.y = f32(ext(t.y) + dy + h2);
        t.x = f32(ext(m.p2.x) + g.attach);
        sy = +1;
    }
    m.p2.x = f32(m.p2.x + sx * ext(dx));
    m.p2.y = f32(m.p2.y + sy * ext(dy));
    g.fx = f32(g.fx + sx * ext(dx));
    g.fy = f32(g.fy + sy * ext(dy));
    if (kind == FrameKind::Oval) {
        const ld half = m.halfWidth * ext(m.scale);
        if (g.horizontal()) {
            const ld d = g.rightward ? half : -half;
            m.p2.x = f32(m.p2.x + d);
            g.fx = f32(g.fx + d);
        } else {
            const ld d = g.upward ? half : -half;
            m.p2.y = f32(m.p2.y + d);
            g.fy = f32(g.fy + d);
        }
    }
}

} // namespace

FrameKind plainFrameKind(FrameKind kind)
{
    switch (kind) {
    case FrameKind::NoneExtended:
    case FrameKind::CurvedLeader1:
    case FrameKind::CurvedLeader2: return FrameKind::None;
    case FrameKind::UnderlineExtended: return FrameKind::Underline;
    case FrameKind::RectangleExtended: return FrameKind::Rectangle;
    case FrameKind::OvalExtended: return FrameKind::Oval;
    case FrameKind::BracketExtended: return FrameKind::Bracket;
    case FrameKind::Balloon: return FrameKind::Rectangle;
    default: return kind;
    }
}

void setupGeometry(EngineRun &e)
{
    RunMeasures &m = e.m;
    GeometryState &g = e.g;
    FormModel &form = e.ctx.form;
    const Mode mode = e.mode();
    const bool pointModes = mode == Mode::Annotation || mode == Mode::TextMode || mode == Mode::Bend;

    // The layout follows the points as indicated, before the fixed length moves them.
    g.vertical = std::fabs(ext(m.p3.y) - m.p2.y) > std::fabs(ext(m.p3.x) - m.p2.x) ? 1 : 0;

    if (form.fixedLeaderLength && (mode == Mode::Annotation || mode == Mode::Bend))
        fixLeaderLength(e);

    // A direction straight up or down has no slope to tilt by.
    if (pointModes && m.p3.x == m.p2.x)
        form.tiltOn = false;

    g.upward = m.p2.y < m.p3.y;
    g.rightward = m.p2.x < m.p3.x;
    g.point2Left = m.p2.x < m.p1.x;
    g.point2Below = m.p2.y < m.p1.y;

    // The text mode and frame write 1 know only the plain frames.
    if (mode == Mode::TextMode || mode == Mode::FrameAll)
        form.frameKind = plainFrameKind(form.frameKind);

    // A tilted frame lays the text along its own line; a vertical-writing font keeps
    // its columns, and the oval and the balloon kinds keep the layout the points gave.
    const std::string font = form.heldFontNameOrDefault();
    g.verticalFont = form.fontSwitch != 0 && !font.empty() && font[0] == '@';
    const FrameKind kind = e.frameKind();
    if (!g.verticalFont && e.tilt() && kind < FrameKind::Balloon && kind != FrameKind::Oval)
        g.vertical = 0;
    // The text mode lays a tilted oval or cloud along its text whatever the font.
    if (mode == Mode::TextMode && e.tilt() && (kind == FrameKind::Oval || isCloud(kind)))
        g.vertical = 0;

    extendAlongAnnotation(e);
    crossingFlags(e);
    turnBackFlag(e);
    attachOffset(e);
    farCorner(e);

    // The text mode places its text at the indicated point first and then moves the
    // frame around it.
    if (mode == Mode::TextMode)
        placeFrameAroundText(e);
}

} // namespace quillet
