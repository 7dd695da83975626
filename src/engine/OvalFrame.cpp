#include "base/RealMath.h"
#include "engine/FrameLines.h"
#include "engine/Frames.h"

#include <cmath>

namespace quillet {

namespace {

using ld = long double;

constexpr const char *kOpenRight = " 90 -90 1 ";  // half circle bulging towards smaller x
constexpr const char *kOpenLeft = " -90 90 1 ";   // ... towards larger x
constexpr const char *kOpenUp = " 180 0 1 ";      // ... towards smaller y
constexpr const char *kOpenDown = " 0 180 1 ";    // ... towards larger y

bool pointMode(Mode mode) { return mode == Mode::Annotation || mode == Mode::TextMode || mode == Mode::Bend; }

// The straight sides stop short of the far corner by a character so that the end
// arc there closes around the last character, unless the frame hugs the text.
bool shortSides(const EngineRun &e) { return pointMode(e.mode()) && !e.form().basic.noFrameGap; }

void writeArcs(EngineRun &e, PointF near, PointF far, float r, const char *nearTail, const char *farTail, float tilt)
{
    e.out.arc(near, r, nearTail, tilt);
    e.out.arc(far, r, farTail, tilt);
}

void horizontalOval(EngineRun &e)
{
    RunMeasures &m = e.m;
    GeometryState &g = e.g;
    const ld step = 2 * m.halfWidth * ext(m.scale);
    float xe = g.fx;
    if (shortSides(e))
        xe = f32(g.rightward ? g.fx - step : g.fx + step);
    float r, yc;
    if (g.point2Below) {
        r = f32((ext(m.p2.y) - g.fy) / 2);
        yc = f32(ext(g.fy) + r);
    } else {
        r = f32((ext(g.fy) - m.p2.y) / 2);
        yc = f32(ext(m.p2.y) + r);
    }
    if (e.frameKind() == FrameKind::OvalExtended) {
        // The near arc's outermost point meets the end of the extension line.
        const ld along = g.rightward ? r : -ld(r);
        m.p2.x = f32(m.p2.x + along);
        g.fx = f32(g.fx + along);
        xe = f32(xe + along);
        const ld across = g.point2Below ? r : -ld(r);
        yc = f32(yc + across);
        m.p2.y = f32(m.p2.y + across);
        g.fy = f32(g.fy + across);
    }
    g.ovalInnerEnd = xe;
    g.ovalRadius = r;
    e.out.color(e.form().basic.frameColour);

    PointF a{m.p2.x, m.p2.y}, b{xe, m.p2.y}, c{xe, g.fy}, d{m.p2.x, g.fy};
    PointF nearCentre{m.p2.x, yc}, farCentre{xe, yc};
    float tilt = 0;
    if (e.tilt()) {
        turnPair(e, a, b);
        turnPair(e, c, d);
        tilt = turnPair(e, nearCentre, farCentre);
    }
    e.out.line(a, b);
    e.out.line(c, d);

    bool rightward = g.rightward;
    if (e.tilt()) {
        if (e.mode() == Mode::FrameAll)
            return;
        if (e.mode() == Mode::FrameEach)
            rightward = g.existingText == 0;
    }
    if (rightward)
        writeArcs(e, nearCentre, farCentre, r, kOpenRight, kOpenLeft, tilt);
    else
        writeArcs(e, nearCentre, farCentre, r, kOpenLeft, kOpenRight, tilt);
}

void verticalOval(EngineRun &e)
{
    RunMeasures &m = e.m;
    GeometryState &g = e.g;
    const ld step = 2 * m.halfWidth * ext(m.scale);
    float ye = g.fy;
    if (shortSides(e))
        ye = f32(g.upward ? g.fy - step : g.fy + step);
    float r, xc;
    if (!g.point2Left) {
        r = f32((ext(g.fx) - m.p2.x) / 2);
        xc = f32(ext(m.p2.x) + r);
    } else {
        r = f32((ext(m.p2.x) - g.fx) / 2);
        xc = f32(ext(g.fx) + r);
    }
    if (e.frameKind() == FrameKind::OvalExtended) {
        const ld along = g.upward ? r : -ld(r);
        m.p2.y = f32(m.p2.y + along);
        g.fy = f32(g.fy + along);
        ye = f32(ye + along);
        const ld across = g.point2Left ? r : -ld(r);
        xc = f32(xc + across);
        m.p2.x = f32(m.p2.x + across);
        g.fx = f32(g.fx + across);
    }
    e.out.color(e.form().basic.frameColour);
    if (e.frameMode())
        r = std::fabs(r);
    g.ovalInnerEnd = ye;
    g.ovalRadius = r;

    PointF a{m.p2.x, m.p2.y}, b{m.p2.x, ye}, c{g.fx, ye}, d{g.fx, m.p2.y};
    PointF nearCentre{xc, m.p2.y}, farCentre{xc, ye};
    float tilt = 0;
    if (e.tilt()) {
        turnPair(e, a, b);
        turnPair(e, c, d);
        const float tau = turnPair(e, nearCentre, farCentre);
        const bool plus = g.upward ? g.point2Left : !g.point2Left;
        tilt = f32(plus ? tau + 90.0L : tau - 90.0L);
    }
    e.out.line(a, b);
    e.out.line(c, d);
    if (g.upward)
        writeArcs(e, nearCentre, farCentre, r, kOpenUp, kOpenDown, tilt);
    else
        writeArcs(e, nearCentre, farCentre, r, kOpenDown, kOpenUp, tilt);
}

} // namespace

void writeOval(EngineRun &e)
{
    RunMeasures &m = e.m;
    GeometryState &g = e.g;
    if (e.frameKind() == FrameKind::OvalExtended) {
        writeExtensionToPoint3(e);
        if (g.horizontal()) {
            const ld along = std::fabs(ext(g.ex));
            m.p2.x = f32(g.rightward ? m.p2.x + along : m.p2.x - along);
            g.fx = f32(g.rightward ? g.fx + along : g.fx - along);
        } else {
            m.p2.y = g.extensionEnd.y;
            g.fy = f32(ext(g.fy) + g.ey);
        }
    }
    if (e.mode() == Mode::TextMode)
        applyAttachShift(e);
    // Frame write 1 has no layout yet (0xFF) and draws the oval as a horizontal one.
    if (g.vertical == 1)
        verticalOval(e);
    else
        horizontalOval(e);
}

} // namespace quillet
