#include "base/RealMath.h"
#include "engine/FrameAxes.h"
#include "engine/Frames.h"

#include <algorithm>
#include <cmath>

namespace quillet {

namespace {

using ld = long double;

// Bumps along one long side. The rule gives 6 for the widest annotation line and 12
// for a text of 256 half-width characters; only a text whose size makes it more than
// 130,000 characters wide (a near-zero character size in frame write 2) reaches this,
// and without it each of its frames would be tens of thousands of arcs. Fewer, larger
// bumps still close around the same rectangle.
constexpr int kMaxBumpsAlong = 256;

enum class Side { Left, Bottom, Right, Top };

// How a bump on each side of the cloud rectangle is written and recorded. Every bump
// is the half of an ellipse that lies outside the rectangle; `tilt` turns it outward.
struct SideLook {
    char code;
    const char *angle;
    const char *arcAngles;
    const char *reversedArcAngles;
    float tilt;
};

SideLook lookOf(Side side)
{
    switch (side) {
    case Side::Left: return {'1', "1.5708", " 180 0 ", " 0 180 ", -90.0f};
    case Side::Bottom: return {'2', "-3.1416", " 0 180 ", " 180 0 ", 180.0f};
    case Side::Right: return {'3', "-1.5708", " 180 0 ", " 0 180 ", 90.0f};
    case Side::Top: break;
    }
    return {'4', "0", " 0 180 ", " 180 0 ", 0.0f};
}

struct Bump {
    PointF centre;
    float radius;
    Side side;
    bool longSide; // flatter bumps along the text, rounder ones on the ends
};

// What to add to the text angle of the tilt to get the angle the frame is really
// turned by. In the horizontal layout the two agree; in the vertical layout the text
// angle is taken along the text while the frame turns from its upright build, a
// quarter or three quarters of a turn apart, and bumps tilted by the text angle alone
// would stand across their sides instead of along them.
int textToFrameTurn(const EngineRun &e, PointF centre)
{
    if (e.g.horizontal())
        return 0;
    PointF probe{f32(centre.x + 1000.0L), centre.y}, spare = probe;
    const float text = rotatePair(probe, spare, centre, e.m.indicated2, e.m.p3, e.g.turnFlags());
    const ld turn = std::atan2(ext(probe.y) - centre.y, ext(probe.x) - centre.x) * 180 / kPi;
    const int quarters = int(std::lround((turn - text) / 90));
    const int q = (quarters % 4 + 4) % 4;
    return q == 3 ? -90 : q * 90;
}

// Writes bumps in pairs, turning each pair with the frame tilt, and records them for
// the fill.
class BumpWriter {
public:
    BumpWriter(EngineRun &e, PointF centre, bool reversed) : m_e(e), m_centre(centre), m_reversed(reversed)
    {
        if (e.tilt())
            m_textToFrame = textToFrameTurn(e, centre);
    }

    void pair(const Bump &a, const Bump &b)
    {
        PointF ta = a.centre, tb = b.centre;
        float theta = 0;
        if (m_e.tilt())
            theta = f32(rotatePair(ta, tb, m_centre, m_e.m.indicated2, m_e.m.p3, m_e.g.turnFlags()) +
                        ext(m_textToFrame));
        write(a, ta, theta);
        write(b, tb, theta);
        record(a);
        record(b);
    }

private:
    void write(const Bump &bump, PointF at, float theta)
    {
        const SideLook look = lookOf(bump.side);
        const std::string tail = std::string(m_reversed ? look.reversedArcAngles : look.arcAngles) +
                                 (bump.longSide ? "0.5" : "0.65") + " ";
        const float tilt = m_e.tilt() ? f32(ext(theta) + look.tilt) : look.tilt;
        m_e.out.arc(at, bump.radius, tail, tilt);
    }

    void record(const Bump &bump)
    {
        const SideLook look = lookOf(bump.side);
        CloudBump r;
        r.centre = bump.centre;
        r.radius = bump.radius;
        r.side = look.code;
        r.angle = look.angle;
        r.flatness = bump.longSide ? "0.5" : "0.65";
        m_e.g.bumps.push_back(r);
    }

    EngineRun &m_e;
    PointF m_centre;
    bool m_reversed;
    int m_textToFrame = 0;
};

} // namespace

FrameAxes frameAxes(const GeometryState &g)
{
    FrameAxes axes;
    axes.vertical = !g.horizontal();
    axes.advance = (axes.vertical ? g.upward : g.rightward) ? 1 : -1;
    return axes;
}

float frameGap(const EngineRun &e)
{
    if (e.m.leaderLong != 1)
        return 0;
    const ld n = e.m.widest;
    return f32(squareRoot(n) * divide(divide(e.m.frameWidth, n), 1.7L));
}

void writeCloud(EngineRun &e)
{
    const RunMeasures &m = e.m;
    GeometryState &g = e.g;
    const FrameKind kind = e.frameKind();
    const FrameAxes ax = frameAxes(g);
    const int s = ax.advance;

    // The cloud rectangle: point 2 and the far corner, pushed apart across the text so
    // that the bumps clear the text.
    const int n = m.widest;
    const float margin = e.form().basic.noFrameGap ? 0.0f : f32(n < 20 ? 0.6L : 1.4L);
    const PointF far{g.fx, g.fy};
    const int t = ax.across(far) >= ax.across(m.p2) ? 1 : -1;
    const float c0Along = ax.along(m.p2), c1Along = ax.along(far);
    const float c0Across = f32(ax.across(m.p2) - t * ext(margin) * m.scale);
    const float c1Across = f32(ax.across(far) + t * ext(margin) * m.scale);
    const float w = f32(std::fabs(ext(c1Along) - c0Along));
    const float h = f32(std::fabs(ext(c1Across) - c0Across));
    const float gap = frameGap(e);
    // A text measured backwards (a negative character size in frame write 2) has a
    // negative width in characters, whose root is an invalid operation.
    const int nb = std::min(kMaxBumpsAlong, std::max(2, int(std::floor(0.7L * squareRoot(ld(n)))) + 1));
    const int nh = m.memoLines < 4 ? 2 : 3;

    g.frameNear = ax.at(c0Along, c0Across);
    g.frameFar = ax.at(c1Along, c1Across);
    g.gapStart = g.frameNear;
    g.gapEnd = ax.at(f32(c0Along + s * ext(gap)), c0Across);
    switch (e.mode()) {
    case Mode::FrameEach:
    case Mode::TextMode: g.cloudCentre = m.indicated2; break;
    case Mode::FrameAll: g.cloudCentre = m.p2; break;
    default: g.cloudCentre = g.frameNear; break;
    }

    // Sides: the gapped long side runs through c0, facing point 1.
    const bool c0Low = t > 0; // c0's side is the bottom (horizontal) or left (vertical) one
    const Side gappedSide = ax.vertical ? (c0Low ? Side::Left : Side::Right) : (c0Low ? Side::Bottom : Side::Top);
    const Side plainSide = ax.vertical ? (c0Low ? Side::Right : Side::Left) : (c0Low ? Side::Top : Side::Bottom);
    const bool startLow = s > 0; // c0's end is the left (horizontal) or bottom (vertical) one
    const Side nearEnd = ax.vertical ? (startLow ? Side::Bottom : Side::Top) : (startLow ? Side::Left : Side::Right);
    const Side farEnd = ax.vertical ? (startLow ? Side::Top : Side::Bottom) : (startLow ? Side::Right : Side::Left);

    e.out.color(e.form().basic.frameColour);
    // A text running towards smaller x is framed from its own start, turned half a
    // turn: its bumps would face inward unless drawn the other way round.
    const bool reversed = e.mode() == Mode::FrameEach && g.existingText == 1;
    BumpWriter writer(e, g.cloudCentre, reversed);

    auto longPair = [&](float plainAt, float plainR, float gappedAt, float gappedR) {
        writer.pair({ax.at(plainAt, c1Across), plainR, plainSide, true},
                    {ax.at(gappedAt, c0Across), gappedR, gappedSide, true});
    };
    auto endPair = [&](ld offset, float r) {
        const float across = f32(c0Across + t * offset);
        writer.pair({ax.at(c0Along, across), r, nearEnd, false}, {ax.at(c1Along, across), r, farEnd, false});
    };
    auto before = [&](float at) { return s > 0 ? at < c1Along : at > c1Along; };

    const ld wl = w, gl = gap;
    if (kind == FrameKind::CloudEven) {
        const float rx = f32(wl / nb / 2);
        const float rg = f32((wl - gl) / nb / 2);
        const float ry = f32(ext(h) / nh / 2);
        float plain = f32(c0Along + s * ext(rx));
        float gapped = f32(c0Along + s * (gl + rg));
        for (int step = 0; step < nb && before(plain); ++step) {
            longPair(plain, rx, gapped, rg);
            plain = f32(plain + s * 2 * ext(rx));
            gapped = f32(gapped + s * 2 * ext(rg));
        }
        for (int i = 0; i < nh; ++i)
            endPair((2 * i + 1) * ext(ry), ry);
    } else {
        // Unequal pieces: k larger bumps between smaller ones, the same total length.
        const int k = nb / 2;
        const float tk = f32(wl / nb * k * 0.25L);
        const float rx = f32((wl - tk) / nb / 2);
        const float a1 = f32((tk / k + 2 * ext(rx)) / 2);
        const float rg = f32((wl - gl) * 0.8L / nb / 2);
        const float b1 = f32(rg + (wl - gl) * 0.2L / k / 2);
        float plain = f32(c0Along + s * ext(rx));
        float gapped = f32(c0Along + s * (gl + rg));
        for (int step = 0; step < nb && before(plain); ++step) {
            longPair(plain, rx, gapped, rg);
            plain = f32(plain + s * (ext(rx) + a1));
            gapped = f32(gapped + s * (ext(rg) + b1));
            if (!before(plain))
                break;
            longPair(plain, a1, gapped, b1);
            plain = f32(plain + s * (ext(a1) + rx));
            gapped = f32(gapped + s * (ext(b1) + rg));
        }
        const float ry = f32(nh == 2 ? ext(h) * 0.4L / 2 : ext(h) * 0.6L / 4);
        const float ry2 = f32(nh == 2 ? ext(h) * 0.6L / 2 : ext(h) * 0.4L / 2);
        endPair(ry, ry);
        endPair(2 * ext(ry) + ry2, ry2);
        if (nh == 3)
            endPair(3 * ext(ry) + 2 * ext(ry2), ry);
    }
}

} // namespace quillet
