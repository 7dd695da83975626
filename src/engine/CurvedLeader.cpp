#include "base/RealMath.h"
#include "geometry/FloatTrig.h"
#include "engine/Frames.h"
#include "engine/Leader.h"

#include <cmath>

namespace quillet {

namespace {

using ld = long double;

// One arc of a curved leader: its centre lies at angle `a` from the leader and at
// `q` times the leader length from the curve start, its radius is `k` times that
// length; the tail carries its start and end angle and its flatness.
struct CurveArc {
    float a;
    float q;
    ld k;
    const char *tail;
};

// 曲線引出１: an S-shaped curve of five arcs, by side flag; the two variants mirror
// each other across the leader.
constexpr CurveArc kSCurve[2][5] = {
    {
        {71.0754f, 0.925f, 0.925L, " 251.07535 288.92464 1 "},
        {51.3402f, 1.12055f, 0.925L, " 251.07535 288.92464 1 "},
        {-15.3763f, 0.518562f, 0.2125L, " 61.92751 118.07248 1 "},
        {3.4893f, 0.410759f, 0.0269L, " 111.7966 248.20339 1 "},
        {2.4293f, 0.589807f, 0.0272L, " 293.21554 66.78445 1 "},
    },
    {
        {-71.0754f, 0.925f, 0.925L, " 71.07535 108.92464 1 "},
        {-51.3402f, 1.12055f, 0.925L, " 71.07535 108.92464 1 "},
        {15.3763f, 0.518562f, 0.2125L, " 241.92751 298.07248 1 "},
        {-3.4893f, 0.410759f, 0.0269L, " 111.7966 248.20339 1 "},
        {-2.4293f, 0.589807f, 0.0272L, " 293.21554 66.78445 1 "},
    },
};
// 曲線引出２: one wide bow of four arcs, by side flag.
constexpr CurveArc kBow[2][4] = {
    {
        {-74.16f, 1.99541f, 1.9954L, " 91.589716 105.839749 1 "},
        {76.462f, 1.95925f, 1.980239L, " 271.19638 285.86514 1 "},
        {4.335f, 0.496062f, 0.0947018L, " 269.99995 90 0.4 "},
        {-4.244f, 0.506747f, 0.0947018L, " 269.99995 90 0.4 "},
    },
    {
        {74.16f, 1.99541f, 1.9954L, " 254.16025 268.41028 1 "},
        {-76.462f, 1.95925f, 1.980239L, " 74.13485 88.80361 1 "},
        {-4.335f, 0.496062f, 0.0947018L, " 269.99995 90 0.4 "},
        {4.244f, 0.506747f, 0.0947018L, " 269.99995 90 0.4 "},
    },
};

template <std::size_t N>
void writeArcs(EngineRun &e, const CurveArc (&arcs)[N], PointF start, float length, float theta)
{
    for (const CurveArc &arc : arcs) {
        const PointF off = polarOffset(arc.a, length, theta, arc.q);
        const PointF centre{f32(ext(start.x) + off.x), f32(ext(start.y) + off.y)};
        e.out.arc(centre, f32(arc.k * length), arc.tail, theta);
    }
}

} // namespace

void writeCurvedLeader(EngineRun &e)
{
    RunMeasures &m = e.m;
    const GeometryState &g = e.g;
    if (m.leaderLong != 1)
        return;
    e.out.leaderColor();

    // The curve is laid along the unturned leader; only the arrow follows its start.
    if (m.dx == 0)
        m.dx = 1e-11;
    float theta = atanDegreesF32(m.dy, m.dx);
    if (m.dx < 0)
        theta = f32(theta + 180.0L);
    const int side = (g.horizontal() && g.point2Left == g.point2Below) || (!g.horizontal() && g.point2Left == g.upward);

    // Dot tips start the curve on the dot's rim.
    PointF start = m.p1;
    float length = 0;
    if (isDot(e.tip())) {
        const float r = dotRadius(e.form(), m.scale);
        const PointF off = polarF32(theta, r, 1); // r * cos * 1 is r * cos itself
        const float ox = off.x, oy = off.y;
        start = {f32(ext(m.p1.x) + ox), f32(ext(m.p1.y) + oy)};
        length = hypotF32(ext(m.dx) - ox, ext(m.dy) - oy);
    } else {
        length = hypotF32(ext(m.dx), ext(m.dy));
    }

    if (e.frameKind() == FrameKind::CurvedLeader1)
        writeArcs(e, kSCurve[side], start, length, theta);
    else
        writeArcs(e, kBow[side], start, length, theta);
}

} // namespace quillet
