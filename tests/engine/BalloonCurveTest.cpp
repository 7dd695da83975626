#include "support/EngineFixture.h"

#include <gtest/gtest.h>

using namespace quillet;
using namespace quillet::test;

namespace {

struct Corners {
    PointF p1, p3, far;
};

// Point 2 = (1000, 1000); a 400 × 200 balloon (see annotationAt) in each direction.
const Corners kBalloonCases[] = {
    {{0, 0}, {2000, 1000}, {1400, 1200}},       {{0, 2000}, {2000, 1000}, {1400, 800}},
    {{2000, 0}, {0, 1000}, {600, 1200}},        {{2000, 2000}, {0, 1000}, {600, 800}},
    {{0, 0}, {1000, 2000}, {1200, 1400}},       {{2000, 0}, {1000, 2000}, {800, 1400}},
    {{0, 2000}, {1000, 0}, {1200, 600}},        {{2000, 2000}, {1000, 0}, {800, 600}},
};

} // namespace

TEST(BalloonFrame, ClosedOutlineWithoutLeader)
{
    // Point 1 within the arrow length of point 2: no gap, no wedge.
    const RunResult r = computeOutput(annotationWithFrame({1100, 900}, {1000, 1000}, {2000, 1000}, 10));
    ASSERT_EQ(r.fault, RunFault::None);
    const Lines expected = {"lt1", "ly4", "lc3", " 1000 1000 1400 1000", " 1400 1000 1400 1200",
                            " 1400 1200 1000 1200", " 1000 1200 1000 1000"};
    const Lines out = r.output.lines();
    EXPECT_EQ(Lines(out.begin(), out.begin() + 7), expected);
    EXPECT_EQ(segmentsIn(r.output.lines()).size(), 4u);
}

// In all eight directions the outline runs round the rectangle from point 2 to the
// far corner and back, open only over the gap on the edge through point 2, and the
// wedge lines from point 1 end at both ends of that opening.
TEST(BalloonFrame, OpeningAtPointTwoFacesTheWedge)
{
    for (const Corners &c : kBalloonCases) {
        SCOPED_TRACE(std::to_string(c.p1.x) + "," + std::to_string(c.p1.y) + " -> " + std::to_string(c.p3.x) + "," +
                     std::to_string(c.p3.y));
        const RunResult r = computeOutput(annotationWithFrame(c.p1, {1000, 1000}, c.p3, 10));
        ASSERT_EQ(r.fault, RunFault::None);
        const auto segs = segmentsIn(r.output.lines());
        ASSERT_EQ(segs.size(), 6u);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(segs[i].x2, segs[i + 1].x1);
            EXPECT_EQ(segs[i].y2, segs[i + 1].y1);
        }
        // Every outline line runs along an edge of the rectangle, and the far corner is on it.
        bool farSeen = false;
        for (int i = 0; i < 4; ++i) {
            EXPECT_TRUE(segs[i].x1 == segs[i].x2 || segs[i].y1 == segs[i].y2);
            farSeen |= segs[i].x2 == c.far.x && segs[i].y2 == c.far.y;
        }
        EXPECT_TRUE(farSeen);
        const Pt start{segs[0].x1, segs[0].y1}, end{segs[3].x2, segs[3].y2};
        const Pt p2{1000, 1000};
        // One end of the opening is point 2, the other lies on the same edge, towards the far corner.
        const Pt other = dist(start, p2) < 1e-9L ? end : start;
        EXPECT_TRUE(dist(start, p2) < 1e-9L || dist(end, p2) < 1e-9L);
        const bool vertical = c.p3.x == 1000;
        if (vertical) {
            EXPECT_EQ(other.x, 1000);
            EXPECT_GT((other.y - 1000) * (c.far.y - 1000), 0);
        } else {
            EXPECT_EQ(other.y, 1000);
            EXPECT_GT((other.x - 1000) * (c.far.x - 1000), 0);
        }
        // The wedge.
        EXPECT_EQ(r.output.lines().at(7), "lc3");
        EXPECT_EQ(Pt({segs[4].x1, segs[4].y1}).x, c.p1.x);
        EXPECT_LT(dist({segs[4].x2, segs[4].y2}, p2), 1e-9L);
        EXPECT_LT(dist({segs[5].x2, segs[5].y2}, other), 1e-9L);
    }
}

// Leader to the right, θ = 0: the arcs of the side-1 table, radius k × L, tilt 0.
TEST(CurvedLeader, HandWorkedSCurveToTheRight)
{
    Session s = annotationWithFrame({1000, 1000}, {2000, 1000}, {3000, 1000}, 13);
    s.form.tip = Tip(1); // 記号なし
    const Lines out = computeOutput(s).output.lines();
    // Arrow colour, leader colour of the leader step, the curve's own colour, the arcs.
    ASSERT_GE(out.size(), 10u);
    EXPECT_EQ(Lines(out.begin() + 2, out.begin() + 5), Lines(3, "lc3"));
    const char *tails[] = {" 925 71.07535 108.92464 1 0", " 925 71.07535 108.92464 1 0",
                           " 212.5 241.92751 298.07248 1 0", " 26.9 111.7966 248.20339 1 0",
                           " 27.2 293.21554 66.78445 1 0"};
    const long double factors[] = {0.925L, 1.12055L, 0.518562L, 0.410759L, 0.589807L};
    for (int i = 0; i < 5; ++i) {
        const Arc a = arcOf(out[std::size_t(5 + i)]);
        const auto want = numbersOf(tails[i]);
        EXPECT_NEAR(double(a.r), double(want[0]), 1e-4);
        EXPECT_EQ(a.a1, want[1]);
        EXPECT_EQ(a.a2, want[2]);
        EXPECT_EQ(a.f, want[3]);
        EXPECT_EQ(a.t, 0);
        EXPECT_NEAR(double(dist({a.x, a.y}, {1000, 1000})), double(factors[i] * 1000), 1e-3);
    }
}

// Both kinds, both side flags, leader in four directions, plain and dot tips: the
// arcs join into one curve from the curve start to point 2. The small middle arcs of
// the bow meet the long ones only to about 1 % of the leader length.
TEST(CurvedLeader, ArcsJoinFromTheCurveStartToPointTwo)
{
    const PointF ends[] = {{2000, 1000}, {1000, 2000}, {0, 1300}, {700, 0}, {1600, 1800}};
    for (int kind : {13, 14})
        for (const PointF p2 : ends)
            for (int tip : {1, 2})
                for (bool up : {false, true}) { // point 3 across point 2 flips the side flag
                    SCOPED_TRACE(std::to_string(kind) + " " + std::to_string(p2.x) + "," + std::to_string(p2.y));
                    Session s = annotationWithFrame({1000, 1000}, p2, {p2.x + (up ? 0 : 1000), p2.y + (up ? 1000 : 0)}, kind);
                    s.form.tip = Tip(tip);
                    s.form.basic.dotRadiusMm = 1; // dot radius 1.5 mm: the curve starts 150 along
                    s.form.basic.dotRadiusTenths = 5;
                    const auto arcs = arcsIn(computeOutput(s).output.lines());
                    ASSERT_EQ(arcs.size(), kind == 13 ? 5u : 4u);
                    const long double d = dist({1000, 1000}, {p2.x, p2.y}), tol = 0.015L * d;
                    const auto loose = looseEnds(arcs, tol);
                    ASSERT_EQ(loose.size(), 2u);
                    const long double rim = tip == 2 ? 150 : 0;
                    const Pt start{1000 + rim * (p2.x - 1000) / d, 1000 + rim * (p2.y - 1000) / d}, end{p2.x, p2.y};
                    EXPECT_TRUE((dist(loose[0], start) < tol && dist(loose[1], end) < tol) ||
                                (dist(loose[1], start) < tol && dist(loose[0], end) < tol));
                }
}

TEST(CurvedLeader, NothingWithoutLeader)
{
    Session none = annotationWithFrame({1000, 1000}, {2000, 1000}, {3000, 1000}, 14);
    none.form.tip = Tip(0); // 引出なし
    EXPECT_TRUE(arcsIn(computeOutput(none).output.lines()).empty());
    Session close = annotationWithFrame({1000, 1000}, {1100, 1000}, {3000, 1000}, 14);
    close.form.tip = Tip(1);
    EXPECT_TRUE(arcsIn(computeOutput(close).output.lines()).empty());
}
