#include "engine/Frames.h"

#include "base/Number.h"
#include "base/RealMath.h"
#include "geometry/FloatTrig.h"
#include "geometry/Turning.h"
#include "engine/FrameAxes.h"

#include <cmath>
#include <cstring>
#include <optional>

namespace quillet {

namespace {

using ld = long double;

struct Rect {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// Where the filled area lies and what it turns about, after the balloon and cloud
// kinds have swapped in their own rectangle.
struct FillFrame {
    PointF p2;        // point 2's corner
    PointF far;       // the corner opposite
    PointF centre;    // fill turning centre
    PointF gapEnd;    // G2, kinds 10 and above
};


// The curved leaders leave their frame corners open: the fill takes point 2 and the
// far corner, and a gap as wide as a cloud would leave for the same text.
PointF curvedLeaderGapEnd(const EngineRun &e, PointF c0)
{
    const FrameAxes ax = frameAxes(e.g);
    return ax.at(f32(ax.along(c0) + ax.advance * ext(frameGap(e))), ax.across(c0));
}

FillFrame fillFrame(const EngineRun &e)
{
    const FrameKind kind = e.frameKind();
    FillFrame f;
    if (isCurvedLeader(kind)) {
        f.p2 = e.m.p2;
        f.far = {e.g.fx, e.g.fy};
        f.gapEnd = curvedLeaderGapEnd(e, f.p2);
        f.centre = f.p2;
    } else if (isBalloonOrCloud(kind)) {
        f.p2 = e.g.frameNear;
        f.far = e.g.frameFar;
        f.gapEnd = e.g.gapEnd;
        f.centre = f.p2;
    } else {
        f.p2 = e.m.p2;
        f.far = {e.g.fx, e.g.fy};
        f.centre = e.m.indicated2;
    }
    // The extended underline's far edge is where it stood before the underline moved.
    if (kind == FrameKind::UnderlineExtended) {
        if (e.g.horizontal())
            f.far.y = e.g.fy0;
        else
            f.far.x = e.g.fx0;
    }
    return f;
}

float turnAbout(PointF &a, PointF &b, PointF centre, EngineRun &e) { return e.turn(a, b, centre); }

void writeQuad(EngineRun &e, const Rect &r, PointF centre)
{
    PointF a{r.x1, r.y1}, b{r.x2, r.y1}, c{r.x2, r.y2}, d{r.x1, r.y2};
    if (e.tilt()) {
        turnAbout(a, b, centre, e);
        turnAbout(c, d, centre, e);
    }
    e.out.solidQuad(a, b, c, d);
}

// Balloons and clouds: their own rectangle moved inward by the gap, on point 2's side
// of the frame whichever way it lies.
Rect balloonFillRect(const EngineRun &e, const FillFrame &f, float gap)
{
    const GeometryState &g = e.g;
    const bool horizontal = g.horizontal();
    const ld sigma = horizontal ? (g.rightward ? 1 : -1) : (g.upward ? 1 : -1);
    const ld x2 = f.p2.x, y2 = f.p2.y, fx = f.far.x, fy = f.far.y, gp = gap;
    Rect r;
    if (horizontal) {
        r.x1 = f32(x2 + sigma * gp);
        r.x2 = f32(fx - sigma * gp);
        r.y1 = f32(g.point2Below ? y2 - gp : y2 + gp);
        r.y2 = f32(g.point2Below ? fy + gp : fy - gp);
    } else {
        r.y1 = f32(y2 + sigma * gp);
        r.y2 = f32(fy - sigma * gp);
        r.x1 = f32(g.point2Left ? x2 - gp : x2 + gp);
        r.x2 = f32(g.point2Left ? fx + gp : fx - gp);
    }
    return r;
}

// Ovals: only the straight middle part; the half discs fill the ends.
Rect ovalFillRect(const EngineRun &e, const FillFrame &f, float gap)
{
    const GeometryState &g = e.g;
    const ld x2 = f.p2.x, y2 = f.p2.y, fx = f.far.x, fy = f.far.y, gp = gap;
    Rect r;
    if (g.horizontal()) {
        r.x1 = f.p2.x;
        r.x2 = g.ovalInnerEnd;
        r.y1 = f32(g.point2Below ? y2 - gp : y2 + gp);
        r.y2 = f32(g.point2Below ? fy + gp : fy - gp);
    } else {
        r.y1 = f.p2.y;
        r.y2 = g.ovalInnerEnd;
        r.x1 = f32(g.point2Left ? x2 - gp : x2 + gp);
        r.x2 = f32(g.point2Left ? fx + gp : fx - gp);
    }
    return r;
}

// The other kinds: the frame rectangle from point 2 to the far corner, inset by the gap.
Rect plainFillRect(const EngineRun &e, const FillFrame &f, float gap)
{
    const GeometryState &g = e.g;
    const FrameKind kind = e.frameKind();
    const bool horizontal = g.horizontal();
    const ld sigma = horizontal ? (g.rightward ? 1 : -1) : (g.upward ? 1 : -1);
    const ld x2 = f.p2.x, y2 = f.p2.y, fx = f.far.x, fy = f.far.y, gp = gap;
    Rect r;
    if (horizontal) {
        r.x1 = f32(x2 + sigma * gp);
        r.x2 = f32(fx - sigma * gp);
        r.y1 = f32(y2 + gp);
        r.y2 = f32(fy - gp);
    } else {
        r.x1 = f32(x2 - gp);
        r.x2 = f32(fx + gp);
        r.y1 = f32(y2 + sigma * gp);
        r.y2 = f32(fy - sigma * gp);
    }
    // A frame turned back onto point 1's side lies on the other side of point 2: the
    // inset changes sign with it. Only a frame that really turned back is corrected;
    // otherwise the fill would reach a gap beyond the frame lines on both sides.
    if ((kind == FrameKind::None || kind == FrameKind::Rectangle || kind == FrameKind::Bracket) && g.turnBack == 1) {
        if (horizontal && g.point2Below && g.rightward == g.point2Left) {
            r.y1 = f32(ext(r.y1) - 2 * gp);
            r.y2 = f32(ext(r.y2) + 2 * gp);
        } else if (!horizontal && !g.point2Left && g.upward == g.point2Below) {
            r.x1 = f32(ext(r.x1) + 2 * gp);
            r.x2 = f32(ext(r.x2) - 2 * gp);
        }
    }
    return r;
}

// Underlines: the lines slid below the underline get a rectangle of their own, and a
// leader arriving across the text shortens both to the frame width measured back from
// the far end.
void fitUnderlineFill(const EngineRun &e, const FillFrame &f, float gap, Rect &r, Rect &second)
{
    const GeometryState &g = e.g;
    const RunMeasures &m = e.m;
    const bool horizontal = g.horizontal();
    const ld x2 = f.p2.x, y2 = f.p2.y, fx = f.far.x, fy = f.far.y, gp = gap;
    const bool slid = m.slide >= 1;
    if (slid) {
        const ld t = e.frameMode() ? 0 : ext(g.slideShift), mg = e.frameMode() ? 0 : ext(g.textMargin);
        if (horizontal) {
            r.y1 = f32(y2 + gp);
            r.y2 = f32(fy - t + 2 * mg);
            second.y1 = f32(y2 - t);
            second.y2 = f32(y2 - gp);
        } else {
            r.x1 = f32(x2 - gp);
            r.x2 = f32(fx + t - 2 * mg);
            second.x1 = f32(x2 + t);
            second.x2 = f32(x2 + gp);
        }
    }
    const ld w = m.frameWidth;
    if (horizontal && g.point2Below) {
        if (g.rightward && g.point2Left)
            r.x1 = f32(ext(r.x2) - w + gp);
        else if (!g.rightward && !g.point2Left)
            r.x1 = f32(ext(r.x2) + w - gp);
    } else if (!horizontal && !g.point2Left) {
        if (g.upward && g.point2Below)
            r.y1 = f32(ext(r.y2) - w + gp);
        else if (!g.upward && !g.point2Below)
            r.y1 = f32(ext(r.y2) + w - gp);
    }
    if (horizontal) {
        second.x1 = r.x1;
        second.x2 = r.x2;
    } else {
        second.y1 = r.y1;
        second.y2 = r.y2;
    }
}

// The frame rectangle moved inward by the gap, per kind.
Rect fillRect(const EngineRun &e, const FillFrame &f, float gap, Rect &second)
{
    const FrameKind kind = e.frameKind();
    if (kind >= FrameKind::Balloon)
        return balloonFillRect(e, f, gap);
    if (isOval(kind))
        return ovalFillRect(e, f, gap);
    Rect r = plainFillRect(e, f, gap);
    if (isUnderline(kind))
        fitUnderlineFill(e, f, gap, r, second);
    return r;
}

// The round ends of an oval, as half discs on the ends of the straight part.
void writeOvalEnds(EngineRun &e, const Rect &r, float gap)
{
    const GeometryState &g = e.g;
    const float radius = f32(ext(g.ovalRadius) - gap);
    const auto num = CommandWriter::number;
    const std::string one = "1", zero = "0", half = "3.1416";
    if (g.horizontal()) {
        const float yc = f32(g.point2Below ? ext(r.y1) - radius : ext(r.y1) + radius);
        PointF a{r.x1, yc}, b{r.x2, yc};
        std::string startA, startB;
        bool rightward = g.rightward;
        if (!e.tilt()) {
            startA = rightward ? "1.5708" : "-1.5708";
            startB = rightward ? "-1.5708" : "1.5708";
        } else {
            const float tau = turnAbout(a, b, e.m.indicated2, e);
            if (e.mode() == Mode::FrameEach && g.existingText == 1)
                rightward = false;
            const std::string minus = num(f32(radians(ext(tau) - 90))), plus = num(f32(radians(ext(tau) + 90)));
            startA = rightward ? plus : minus;
            startB = rightward ? minus : plus;
        }
        e.out.solidHalfDisc(a, radius, one, zero, startA);
        e.out.solidHalfDisc(b, radius, one, zero, startB);
        return;
    }

    const float xc = f32(g.point2Left ? ext(r.x1) - radius : ext(r.x1) + radius);
    PointF a{xc, r.y1}, b{xc, r.y2};
    if (!e.tilt()) {
        e.out.solidHalfDisc(a, radius, one, zero, g.upward ? "-3.1416" : "0");
        e.out.solidHalfDisc(b, radius, one, zero, g.upward ? "0" : "-3.1416");
        return;
    }
    const float tau = turnAbout(a, b, e.m.indicated2, e);
    const bool turnLeft = g.point2Left ? g.rightward : !g.rightward; // τ + 90, else τ − 90
    const float tauTurned = f32(turnLeft ? ext(tau) + 90 : ext(tau) - 90);
    const std::string start = num(f32(radians(tauTurned)));
    e.out.solidHalfDisc(a, radius, one, g.rightward ? half : zero, start);
    e.out.solidHalfDisc(b, radius, one, g.rightward ? zero : half, start);
}

// A bump's outward direction as a number. The texts are the four of the cloud's sides,
// read once instead of once per bump.
long double bumpAngle(const char *text)
{
    static const char *const texts[] = {"1.5708", "-3.1416", "-1.5708", "0"};
    static const long double values[] = {parseFloat(texts[0]), parseFloat(texts[1]), parseFloat(texts[2]),
                                         parseFloat(texts[3])};
    for (int i = 0; i < 4; ++i)
        if (std::strcmp(text, texts[i]) == 0)
            return values[i];
    return parseFloat(text);
}

// A bump's centre pushed inward by the gap.
PointF pushedIn(const CloudBump &bump, ld gp)
{
    PointF c = bump.centre;
    switch (bump.side) {
    case '1': c.x = f32(ext(c.x) + gp); break;
    case '2': c.y = f32(ext(c.y) + gp); break;
    case '3': c.x = f32(ext(c.x) - gp); break;
    case '4': c.y = f32(ext(c.y) - gp); break;
    default: break;
    }
    return c;
}

// Far enough inside the float range that neither pushing it in by such a gap nor
// turning it can fail.
bool tame(PointF p) { return std::fabs(p.x) <= 1e37f && std::fabs(p.y) <= 1e37f; }

// pushedIn for a tame centre and gap, in double: the sum of two floats rounded to
// double and then to float is the float nearest the exact sum, as it is through long
// double (both keep more than 2 * 24 + 2 bits), and here it cannot overflow.
PointF pushedInTame(const CloudBump &bump, double gp)
{
    PointF c = bump.centre;
    switch (bump.side) {
    case '1': c.x = static_cast<float>(double(c.x) + gp); break;
    case '2': c.y = static_cast<float>(double(c.y) + gp); break;
    case '3': c.x = static_cast<float>(double(c.x) - gp); break;
    case '4': c.y = static_cast<float>(double(c.y) - gp); break;
    default: break;
    }
    return c;
}

// Bit for bit: a signed zero or a NaN is a value of its own.
bool sameBits(PointF a, PointF b) { return floatBits(a.x) == floatBits(b.x) && floatBits(a.y) == floatBits(b.y); }

// The turned centres of the bumps that come next, worked out ahead of their lines.
class TurnedAhead {
public:
    bool holds(std::size_t i) const { return i >= m_from && i < m_end; }
    PointF at(std::size_t i) const { return m_at[i % kRoom]; }
    /// The bump after the last one kept.
    std::size_t end() const { return m_end; }
    /// Keeps bump i's centre; a bump that does not follow the last one kept starts
    /// afresh, and the oldest are given up to make room.
    void keep(std::size_t i, PointF turned)
    {
        if (i != m_end)
            m_from = i;
        else if (i - m_from >= kRoom)
            m_from = i + 1 - kRoom;
        m_at[i % kRoom] = turned;
        m_end = i + 1;
    }

private:
    // The bump being written and up to three turned ahead of it.
    static constexpr std::size_t kRoom = 4;
    PointF m_at[kRoom];
    std::size_t m_from = 0, m_end = 0;
};

// The centres of a tilted cloud's half discs, pushed in and turned. Every bump is
// turned as the first point of a turn, whatever it is turned alongside: pairs of bumps
// are turned side by side, which takes less time than one after the other. Once the
// cloud's turn is known, the next pair is turned before this bump's line is written,
// so that the processor works on that turn's long chain of steps while it writes,
// instead of waiting it out after every pair; only bumps whose turning cannot fail are
// turned ahead, so what is written and where a failure would end it stay as they were.
class HalfDiscTurns {
public:
    HalfDiscTurns(EngineRun &e, PointF centre, float gap)
        : m_e(e), m_bumps(e.g.bumps), m_centre(centre), m_gap(gap),
          m_tameAround(std::fabs(ld(gap)) <= 1e37L && tame(centre))
    {
    }

    /// Whether bump i's centre is pushed in and turned already, and that centre.
    bool holds(std::size_t i) const { return m_ahead.holds(i); }
    PointF at(std::size_t i) const { return m_ahead.at(i); }

    /// Turns `c`, bump i's centre pushed in, unless it is held turned already; then
    /// turns the pair after the last one held.
    void turn(std::size_t i, PointF &c)
    {
        if (!m_ahead.holds(i))
            turnNow(i, c);
        turnAhead(i);
    }

    /// The tilt every half disc adds to its own angle, in degrees, once a bump is
    /// turned: the same for all, since every bump is turned by the one turn of the
    /// cloud.
    ld degrees() const { return m_degrees; }

    /// Whether the centre of `bump`, where the fill has not moved it, turns to the
    /// centre the cloud wrote for it: turned about the same centre by the same turn
    /// with the same `zero` (where it matters, on a centre straight above or below the
    /// one turned about). Fixes the turn first, failing as the bump's own turn would
    /// have.
    bool turnsLikeTheCloud(const CloudBump &bump)
    {
        if (!m_turnKnown) {
            // What turning the bump would return, without turning it.
            float textAngle = 0;
            m_e.tiltTurn(textAngle);
            fixTurn(textAngle);
        }
        if (!m_likeCloud) {
            const GeometryState &g = m_e.g;
            m_likeCloud = sameBits(m_centre, g.bumpTurnCentre) &&
                          floatBits(m_turnBy.degrees) == floatBits(g.bumpTurnDegrees);
        }
        return *m_likeCloud && (bump.turnZero == kFirstPointZero || bump.centre.x != m_centre.x);
    }

private:
    // Through the run's turner, with its failures: with the next bump where that one
    // cannot fail, alone otherwise. The first turn also fixes the cloud's.
    void turnNow(std::size_t i, PointF &c)
    {
        PointF next;
        const bool pairNext = m_tameAround && tame(c) && i + 1 < m_bumps.size() && tame(m_bumps[i + 1].centre) &&
                              tame(next = pushedIn(m_bumps[i + 1], m_gap));
        float tau = 0;
        if (pairNext) {
            tau = m_e.turnFirsts(c, next, m_centre);
            m_ahead.keep(i + 1, next);
        } else {
            PointF other = c;
            tau = m_e.turn(c, other, m_centre, true, false);
        }
        if (!m_turnKnown)
            fixTurn(tau);
    }

    void fixTurn(float tau)
    {
        const GeometryState &g = m_e.g;
        float textAngle = 0;
        m_turnBy = m_e.tiltTurn(textAngle);
        m_turnKnown = true;
        if (m_e.mode() == Mode::FrameEach && g.existingText == 1)
            tau = f32(ext(tau) + 180);
        m_degrees = tau;
        if (!g.horizontal())
            m_degrees = g.point2Left == g.upward ? m_degrees - 270 : m_degrees - 90;
    }

    // The pair after the last one held, while it is at most two bumps ahead of bump i;
    // only where neither pushing in nor turning can fail.
    void turnAhead(std::size_t i)
    {
        const std::size_t j = m_ahead.end();
        if (!(m_tameAround && j > i && j < i + 3 && j + 1 < m_bumps.size() && tame(m_bumps[j].centre) &&
              tame(m_bumps[j + 1].centre)))
            return;
        PointF p = pushedInTame(m_bumps[j], m_gap), q = pushedInTame(m_bumps[j + 1], m_gap);
        if (!(tame(p) && tame(q)))
            return;
        turnPairBy(p, q, m_centre, m_turnBy, kFirstPointZero, kFirstPointZero);
        m_ahead.keep(j, p);
        m_ahead.keep(j + 1, q);
    }

    EngineRun &m_e;
    const std::vector<CloudBump> &m_bumps;
    PointF m_centre;
    float m_gap;
    bool m_tameAround;
    TurnedAhead m_ahead;
    TurnBy m_turnBy{0};
    bool m_turnKnown = false;
    ld m_degrees = 0;
    std::optional<bool> m_likeCloud; // whether the cloud turned its bumps as these turn
};

// One half disc per cloud bump, shrunk and pushed inward by the gap.
void writeCloudBumps(EngineRun &e, PointF centre, float gap)
{
    const std::vector<CloudBump> &bumps = e.g.bumps;
    const ld gp = gap, s = e.m.scale;
    const bool tilt = e.tilt();
    // The two flatnesses are the same for every bump; each is worked out where it is
    // first needed, so that a failure comes where it always came.
    float flatnessOf[2] = {};
    bool known[2] = {};
    HalfDiscTurns turns(e, centre, gap);
    const bool noGap = gap == 0;
    // What follows the centre is the same for all the bumps of one kind (the same
    // radius, flatness and angle, under the one turn of the cloud): made for the first
    // of each kind, then copied. Its radius and flatness are worked out only there:
    // the bumps of a kind share them, so only the first of a kind can fail on them.
    SharedTails tails;
    for (std::size_t i = 0; i < bumps.size(); ++i) {
        const CloudBump &bump = bumps[i];
        const bool newKind = !tails.holds(bump.kind);
        float radius = 0, flatness = 0;
        if (newKind)
            radius = f32(ext(bump.radius) - 0.75L * gp);
        // Without a gap a half disc sits on its bump's centre, which the cloud has
        // turned and formatted already; its text is copied wherever it is bit for bit
        // the centre this line would write. Such a centre cannot fail to be pushed in.
        const bool mayCopy = noGap && bump.centreLength != 0 && tame(bump.centre);
        const PointF pushed = mayCopy ? pushedInTame(bump, gp) : PointF{};
        PointF c = turns.holds(i) ? turns.at(i) : mayCopy ? pushed : pushedIn(bump, gp);
        if (newKind) {
            const char *const f = bump.flatness;
            const bool longSide = f[0] == '0' && f[1] == '.' && f[2] == '5' && f[3] == '\0';
            if (!known[longSide]) {
                flatnessOf[longSide] =
                    longSide ? f32(divide(divide(gp, s), 18) + 0.5L) : f32(divide(divide(gp, s), 8) + 0.65L);
                known[longSide] = true;
            }
            flatness = flatnessOf[longSide];
        }
        const bool copyCentre =
            mayCopy && sameBits(pushed, bump.centre) && (!tilt || turns.turnsLikeTheCloud(bump));
        if (tilt && !copyCentre)
            turns.turn(i, c);
        // A half disc: centre, radius, flatness, tilt, start " 0", half a turn, 5.
        const SharedTail tail = tails.ofKind(bump.kind, [&](char *out) {
            char *p = out;
            *p++ = ' ';
            p += e.out.numberTo(p, radius);
            *p++ = ' ';
            p += e.out.numberTo(p, flatness);
            *p++ = ' ';
            if (tilt) {
                p += e.out.numberTo(p, f32(bumpAngle(bump.angle) + radians(turns.degrees())));
            } else {
                const std::size_t n = std::strlen(bump.angle);
                std::memcpy(p, bump.angle, n);
                p += n;
            }
            std::memcpy(p, " 0 3.1416 5", 11);
            return std::size_t(p + 11 - out);
        });
        if (copyCentre)
            e.out.copiedCentreLine("sc ", bump.line, bump.centreLength, tail);
        else
            e.out.centreLine("sc ", c.x, c.y, tail);
    }
}

// The filled wedge under the leader of the balloon and cloud kinds: its base along the
// gap (w1, w2), the points where it meets the filled rectangle (q1, q2) and its tip,
// 5 gaps from point 1 towards the middle of the base.
struct FillWedge {
    PointF w1, w2, q1, q2, tip;
};

FillWedge fillWedge(EngineRun &e, const FillFrame &f, float gap)
{
    RunMeasures &m = e.m;
    const GeometryState &g = e.g;
    const bool horizontal = g.horizontal();
    const ld gp = gap;
    FillWedge w;
    const ld sigma = horizontal ? (g.rightward ? 1 : -1) : (g.upward ? 1 : -1);
    const ld x2 = f.p2.x, y2 = f.p2.y;
    if (horizontal) {
        const ld tau = g.point2Below ? -1 : 1;
        w.w1 = {f32(x2 + 1.3L * sigma * gp), f.p2.y};
        w.w2 = {f32(f.gapEnd.x - 1.3L * sigma * gp), f.p2.y};
        w.q1 = {f32(x2 + sigma * gp), f32(y2 + tau * gp)};
        w.q2 = {f32(f.gapEnd.x - sigma * gp), f32(y2 + tau * gp)};
    } else {
        const ld tau = g.point2Left ? -1 : 1;
        w.w1 = {f.p2.x, f32(y2 + 1.3L * sigma * gp)};
        w.w2 = {f.p2.x, f32(f.gapEnd.y - 1.3L * sigma * gp)};
        w.q1 = {f32(x2 + tau * gp), f32(y2 + sigma * gp)};
        w.q2 = {f32(x2 + tau * gp), f32(f.gapEnd.y - sigma * gp)};
    }
    if (e.tilt())
        turnAbout(w.w1, w.w2, f.centre, e);
    // The leader vector now aims at the middle of the base.
    m.dx = double((ext(w.w1.x) + w.w2.x) / 2 - m.p1.x);
    m.dy = double((ext(w.w1.y) + w.w2.y) / 2 - m.p1.y);
    if (m.dx == 0)
        m.dx = 1e-11;
    float theta = atanDegreesF32(m.dy, m.dx);
    if (m.dx < 0)
        theta = f32(theta + 180.0L);
    placeAround(w.tip, m.p1, theta, 5 * gp);
    return w;
}

} // namespace

void writeFill(EngineRun &e)
{
    const FormModel &form = e.form();
    if (!form.fillOn)
        return;
    RunMeasures &m = e.m;
    const FrameKind kind = e.frameKind();
    const float gap = f32(ld(form.basic.fillGap) * 0.1L * m.scale);
    const FillFrame f = fillFrame(e);
    FillWedge wedge;
    if (kind >= FrameKind::Balloon)
        wedge = fillWedge(e, f, gap);
    Rect second;
    const Rect r = fillRect(e, f, gap, second);

    e.out.fillColor(form.fillColour.color());
    // Where the frame itself turns about indicated point 2, the fill follows it there.
    const bool turnsAboutIndicated = e.mode() == Mode::FrameEach || e.mode() == Mode::TextMode;
    const PointF areaCentre = turnsAboutIndicated ? m.indicated2 : f.centre;
    writeQuad(e, r, areaCentre);
    if (isUnderline(kind) && m.slide >= 1)
        writeQuad(e, second, m.indicated2);
    if (isOval(kind))
        writeOvalEnds(e, r, gap);
    // The bumps turn with the rectangle they fill, so that they stay under the cloud's
    // own bumps when those turn about indicated point 2.
    if (kind >= FrameKind::CloudEven)
        writeCloudBumps(e, areaCentre, gap);

    // The wedge: a triangle from beyond point 1 to the gap, then the strip that joins
    // the gap to the filled rectangle.
    if (kind >= FrameKind::Balloon && m.leaderLong == 1) {
        e.out.solidTriangle(wedge.tip, wedge.w1, wedge.w2);
        if (e.tilt())
            turnAbout(wedge.q1, wedge.q2, f.centre, e);
        e.out.solidQuad(wedge.w1, wedge.w2, wedge.q2, wedge.q1);
    }
}

} // namespace quillet
