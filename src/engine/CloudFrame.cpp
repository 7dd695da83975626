#include "base/RealMath.h"
#include "engine/FrameAxes.h"
#include "engine/Frames.h"
#include "geometry/Turning.h"

#include <algorithm>
#include <cmath>
#include <cstring>

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

const SideLook &lookOf(Side side)
{
    static const SideLook looks[] = {
        {'1', "1.5708", " 180 0 ", " 0 180 ", -90.0f}, // Side::Left
        {'2', "-3.1416", " 0 180 ", " 180 0 ", 180.0f}, // Side::Bottom
        {'3', "-1.5708", " 180 0 ", " 0 180 ", 90.0f},  // Side::Right
        {'4', "0", " 0 180 ", " 180 0 ", 0.0f},         // Side::Top
    };
    return looks[int(side)];
}

struct Bump {
    PointF centre;
    float radius;
    Side side;
    bool longSide; // flatter bumps along the text, rounder ones on the ends
    int kind;      // which of the cloud's kinds of bump it is (CloudBump::kind)
};

// What to add to the text angle of the tilt to get the angle the frame is really
// turned by. In the horizontal layout the two agree; in the vertical layout the text
// angle is taken along the text while the frame turns from its upright build, a
// quarter or three quarters of a turn apart, and bumps tilted by the text angle alone
// would stand across their sides instead of along them.
int textToFrameTurn(EngineRun &e, PointF centre)
{
    if (e.g.horizontal())
        return 0;
    PointF probe{f32(centre.x + 1000.0L), centre.y}, spare = probe;
    const float text = e.turn(probe, spare, centre, true, false);
    const ld turn = std::atan2(ext(probe.y) - centre.y, ext(probe.x) - centre.x) * 180 / kPi;
    const int quarters = int(std::lround((turn - text) / 90));
    const int q = (quarters % 4 + 4) % 4;
    return q == 3 ? -90 : q * 90;
}

// Writes bumps in pairs, turning each pair with the frame tilt, and records them for
// the fill.
//
// A pair is written only once the next one has been turned, or when the cloud is
// finished. Turning is a long chain of steps that each wait on the one before (square
// roots, divisions, the arctangent), and the numbers of the pair before give the
// processor independent work meanwhile; turned and written one after the other, most
// of that chain was waited out. The lines come out in the same order all the same.
class BumpWriter {
public:
    BumpWriter(EngineRun &e, PointF centre, bool reversed)
        : m_e(e), m_centre(centre), m_reversed(reversed), m_record(e.form().fillOn)
    {
        if (e.tilt())
            m_textToFrame = textToFrameTurn(e, centre);
    }

    void pair(const Bump &a, const Bump &b)
    {
        Turned next{a, b, a.centre, b.centre, m_e.g.bumps.size()};
        turn(next);
        finish();
        m_waiting = next;
        m_isWaiting = true;
        // Only the fill reads them back.
        if (m_record) {
            record(a, kFirstPointZero);
            record(b, kSecondPointZero);
        }
    }

    /// Writes the pair still waiting: the cloud's last, or the one before a failure,
    /// which has always been written before the run stopped.
    void finish()
    {
        if (!m_isWaiting)
            return;
        m_isWaiting = false;
        write(m_waiting.a, m_waiting.at, m_waiting.recordedAt);
        write(m_waiting.b, m_waiting.bt, m_waiting.recordedAt + 1);
    }

private:
    // A pair with its turned centres, and where its first bump is recorded.
    struct Turned {
        Bump a, b;
        PointF at, bt;
        std::size_t recordedAt;
    };

    void turn(Turned &t)
    {
        if (!m_e.tilt())
            return;
        // The turn and the tilt are those of every pair of the cloud: worked out where
        // the first pair is turned (where a failure to work them out would come), then
        // kept.
        if (!m_turnKnown) {
            float textAngle = 0;
            m_turn = m_e.tiltTurn(textAngle);
            m_theta = f32(ext(textAngle) + ext(m_textToFrame));
            m_turnKnown = true;
            m_e.g.bumpTurnCentre = m_centre;
            m_e.g.bumpTurnDegrees = m_turn.degrees;
        }
        turnPairBy(t.at, t.bt, m_centre, m_turn, kFirstPointZero, kSecondPointZero);
    }

    void write(const Bump &bump, PointF at, std::size_t recordedAt)
    {
        // "ci x y", then " r", the arc's angles, its flatness and its tilt. A cloud has
        // a few radii on four sides under one tilt, so a few such tails serve all its
        // bumps: one for each kind of bump (the same radius on the same side), made
        // for the first bump of the kind and then copied.
        const SharedTail tail = m_tails.ofKind(bump.kind, [&](char *out) {
            const SideLook &look = lookOf(bump.side);
            const float tilt = m_e.tilt() ? f32(ext(m_theta) + look.tilt) : look.tilt;
            char *p = out;
            *p++ = ' ';
            p += m_e.out.numberTo(p, bump.radius);
            p = copy(p, m_reversed ? look.reversedArcAngles : look.arcAngles);
            p = copy(p, bump.longSide ? "0.5 " : "0.65 ");
            p += m_e.out.numberTo(p, tilt);
            return std::size_t(p - out);
        });
        const std::size_t line = m_e.out.output().size();
        const std::size_t centreLength = m_e.out.centreLine("ci ", at.x, at.y, tail);
        if (m_record) {
            CloudBump &r = m_e.g.bumps[recordedAt];
            r.line = line;
            r.centreLength = static_cast<std::uint8_t>(centreLength);
        }
    }

    static char *copy(char *to, const char *text)
    {
        const std::size_t n = std::strlen(text);
        std::memcpy(to, text, n);
        return to + n;
    }

    void record(const Bump &bump, float turnZero)
    {
        const SideLook &look = lookOf(bump.side);
        CloudBump &r = m_e.g.bumps.emplace_back();
        r.turnZero = turnZero;
        r.centre = bump.centre;
        r.radius = bump.radius;
        r.side = look.code;
        r.angle = look.angle;
        r.flatness = bump.longSide ? "0.5" : "0.65";
        r.kind = bump.kind;
    }

    EngineRun &m_e;
    PointF m_centre;
    bool m_reversed;
    bool m_record;
    int m_textToFrame = 0;
    bool m_turnKnown = false;
    TurnBy m_turn{0};
    float m_theta = 0; // the tilt of the whole cloud, 0 without one
    SharedTails m_tails;
    Turned m_waiting{};
    bool m_isWaiting = false;
};

// The cloud rectangle in the text's own axes, and how many bumps go along and across.
struct CloudLayout {
    FrameAxes ax;
    int s = 1;                 // sense of advance along the text
    int t = 1;                 // from c0's long side towards c1's, across the text
    float c0Along = 0, c1Along = 0, c0Across = 0, c1Across = 0;
    float w = 0, h = 0;        // length along and depth across
    float gap = 0;             // opening at c0 for the wedge leader
    int nb = 2, nh = 2;        // bumps along and across
    Side gappedSide = Side::Bottom, plainSide = Side::Top, nearEnd = Side::Left, farEnd = Side::Right;
};

// Point 2 and the far corner, pushed apart across the text so that the bumps clear it.
CloudLayout cloudLayout(const EngineRun &e)
{
    const RunMeasures &m = e.m;
    const GeometryState &g = e.g;
    CloudLayout c;
    c.ax = frameAxes(g);
    c.s = c.ax.advance;
    const FrameAxes &ax = c.ax;
    const int n = m.widest;
    const float margin = e.form().basic.noFrameGap ? 0.0f : f32(n < 20 ? 0.6L : 1.4L);
    const PointF far{g.fx, g.fy};
    c.t = ax.across(far) >= ax.across(m.p2) ? 1 : -1;
    c.c0Along = ax.along(m.p2);
    c.c1Along = ax.along(far);
    c.c0Across = f32(ax.across(m.p2) - c.t * ext(margin) * m.scale);
    c.c1Across = f32(ax.across(far) + c.t * ext(margin) * m.scale);
    c.w = f32(std::fabs(ext(c.c1Along) - c.c0Along));
    c.h = f32(std::fabs(ext(c.c1Across) - c.c0Across));
    c.gap = frameGap(e);
    // A text measured backwards (a negative character size in frame write 2) has a
    // negative width in characters, whose root is an invalid operation.
    c.nb = std::min(kMaxBumpsAlong, std::max(2, int(std::floor(0.7L * squareRoot(ld(n)))) + 1));
    c.nh = m.memoLines < 4 ? 2 : 3;

    // Sides: the gapped long side runs through c0, facing point 1.
    const bool c0Low = c.t > 0; // c0's side is the bottom (horizontal) or left (vertical) one
    c.gappedSide = ax.vertical ? (c0Low ? Side::Left : Side::Right) : (c0Low ? Side::Bottom : Side::Top);
    c.plainSide = ax.vertical ? (c0Low ? Side::Right : Side::Left) : (c0Low ? Side::Top : Side::Bottom);
    const bool startLow = c.s > 0; // c0's end is the left (horizontal) or bottom (vertical) one
    c.nearEnd = ax.vertical ? (startLow ? Side::Bottom : Side::Top) : (startLow ? Side::Left : Side::Right);
    c.farEnd = ax.vertical ? (startLow ? Side::Top : Side::Bottom) : (startLow ? Side::Right : Side::Left);
    return c;
}

// What the wedge leader and the fill read back: the rectangle's corners, the gap's
// ends and the centre the bumps turn about.
void handOnCloudCorners(EngineRun &e, const CloudLayout &c)
{
    const RunMeasures &m = e.m;
    GeometryState &g = e.g;
    g.frameNear = c.ax.at(c.c0Along, c.c0Across);
    g.frameFar = c.ax.at(c.c1Along, c.c1Across);
    g.gapStart = g.frameNear;
    g.gapEnd = c.ax.at(f32(c.c0Along + c.s * ext(c.gap)), c.c0Across);
    switch (e.mode()) {
    case Mode::FrameEach:
    case Mode::TextMode: g.cloudCentre = m.indicated2; break;
    case Mode::FrameAll: g.cloudCentre = m.p2; break;
    default: g.cloudCentre = g.frameNear; break;
    }
}

// Places bump pairs on the cloud rectangle: one on each long side, or one on each end.
class CloudSides {
public:
    CloudSides(BumpWriter &writer, const CloudLayout &c) : m_writer(writer), m_c(c) {}

    // `pairKind` (0 to 3) tells apart the pairs whose radii may differ: pairs of one
    // kind have the same radii all round the cloud. Each bump of such a pair is a kind
    // of bump of its own (Bump::kind).
    void longPair(float plainAt, float plainR, float gappedAt, float gappedR, int pairKind)
    {
        m_writer.pair({m_c.ax.at(plainAt, m_c.c1Across), plainR, m_c.plainSide, true, 2 * pairKind},
                      {m_c.ax.at(gappedAt, m_c.c0Across), gappedR, m_c.gappedSide, true, 2 * pairKind + 1});
    }
    void endPair(ld offset, float r, int pairKind)
    {
        const float across = f32(m_c.c0Across + m_c.t * offset);
        m_writer.pair({m_c.ax.at(m_c.c0Along, across), r, m_c.nearEnd, false, 2 * pairKind},
                      {m_c.ax.at(m_c.c1Along, across), r, m_c.farEnd, false, 2 * pairKind + 1});
    }
    // Whether a centre along the text still lies before c1's end.
    bool before(float at) const { return m_c.s > 0 ? at < m_c.c1Along : at > m_c.c1Along; }

private:
    BumpWriter &m_writer;
    const CloudLayout &m_c;
};

// 雲　等片: equal bumps, the gapped side's shortened to leave the gap open.
void writeEvenBumps(CloudSides &sides, const CloudLayout &c)
{
    const int s = c.s, nb = c.nb, nh = c.nh;
    const ld wl = c.w, gl = c.gap;
    const float rx = f32(wl / nb / 2);
    const float rg = f32((wl - gl) / nb / 2);
    const float ry = f32(ext(c.h) / nh / 2);
    float plain = f32(c.c0Along + s * ext(rx));
    float gapped = f32(c.c0Along + s * (gl + rg));
    for (int step = 0; step < nb && sides.before(plain); ++step) {
        sides.longPair(plain, rx, gapped, rg, 0);
        plain = f32(plain + s * 2 * ext(rx));
        gapped = f32(gapped + s * 2 * ext(rg));
    }
    for (int i = 0; i < nh; ++i)
        sides.endPair((2 * i + 1) * ext(ry), ry, 1);
}

// 雲　異片: k larger bumps between smaller ones, the same total length.
void writeUnevenBumps(CloudSides &sides, const CloudLayout &c)
{
    const int s = c.s, nb = c.nb, nh = c.nh;
    const ld wl = c.w, gl = c.gap;
    const int k = nb / 2;
    const float tk = f32(wl / nb * k * 0.25L);
    const float rx = f32((wl - tk) / nb / 2);
    const float a1 = f32((ext(tk) / k + 2 * ext(rx)) / 2);
    const float rg = f32((wl - gl) * 0.8L / nb / 2);
    const float b1 = f32(rg + (wl - gl) * 0.2L / k / 2);
    float plain = f32(c.c0Along + s * ext(rx));
    float gapped = f32(c.c0Along + s * (gl + rg));
    for (int step = 0; step < nb && sides.before(plain); ++step) {
        sides.longPair(plain, rx, gapped, rg, 0);
        plain = f32(plain + s * (ext(rx) + a1));
        gapped = f32(gapped + s * (ext(rg) + b1));
        if (!sides.before(plain))
            break;
        sides.longPair(plain, a1, gapped, b1, 1);
        plain = f32(plain + s * (ext(a1) + rx));
        gapped = f32(gapped + s * (ext(b1) + rg));
    }
    const float ry = f32(nh == 2 ? ext(c.h) * 0.4L / 2 : ext(c.h) * 0.6L / 4);
    const float ry2 = f32(nh == 2 ? ext(c.h) * 0.6L / 2 : ext(c.h) * 0.4L / 2);
    sides.endPair(ry, ry, 2);
    sides.endPair(2 * ext(ry) + ry2, ry2, 3);
    if (nh == 3)
        sides.endPair(3 * ext(ry) + 2 * ext(ry2), ry, 2);
}

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
    const CloudLayout c = cloudLayout(e);
    handOnCloudCorners(e, c);
    e.out.color(e.form().basic.frameColour);
    // A text running towards smaller x is framed from its own start, turned half a
    // turn: its bumps would face inward unless drawn the other way round.
    const bool reversed = e.mode() == Mode::FrameEach && e.g.existingText == 1;
    BumpWriter writer(e, e.g.cloudCentre, reversed);
    CloudSides sides(writer, c);
    try {
        if (e.frameKind() == FrameKind::CloudEven)
            writeEvenBumps(sides, c);
        else
            writeUnevenBumps(sides, c);
    } catch (...) {
        writer.finish();
        throw;
    }
    writer.finish();
}

} // namespace quillet
