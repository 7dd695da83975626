#include "base/Errors.h"
#include "base/Number.h"
#include "geometry/Turning.h"
#include "support/EngineFixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>

using namespace quillet;
using namespace quillet::test;

namespace {

// The fill belongs to its own step; until it is built the golden file is compared
// without its fill block.
Lines withoutFill(const Lines &lines)
{
    Lines kept;
    bool fill = false;
    for (const auto &l : lines) {
        if (l.compare(0, 5, "lc10 ") == 0)
            fill = true;
        else if (fill && l.compare(0, 3, "sl ") != 0 && l.compare(0, 3, "sc ") != 0)
            fill = false;
        if (!fill)
            kept.push_back(l);
    }
    return kept;
}

bool hasFill(const Lines &lines)
{
    for (const auto &l : lines)
        if (l.compare(0, 5, "lc10 ") == 0)
            return true;
    return false;
}

struct Direction {
    const char *name;
    PointF p1, p2, p3;
};

// The eight direction cases around point 2 = (1000, 1000), point 1 diagonal to it.
Direction direction(int i, long double reach)
{
    const float r = float(reach);
    const bool vertical = i >= 4, forward = (i & 2) == 0, second = (i & 1) != 0;
    PointF p3 = vertical ? PointF{1000, forward ? 2000.0f : 0.0f} : PointF{forward ? 2000.0f : 0.0f, 1000};
    // Horizontal: point 1 above or below (point 2 below or not); vertical: left or right.
    float dx = vertical ? (second ? r : -r) : (forward ? -r : r);
    float dy = vertical ? (forward ? -r : r) : (second ? r : -r);
    static const char *names[] = {"right-above", "right-below", "left-above", "left-below",
                                  "up-right",    "up-left",     "down-right", "down-left"};
    return {names[i], {1000 + dx, 1000 + dy}, {1000, 1000}, p3};
}

} // namespace

TEST(CloudGolden, OutlineAndWedgeMatchTheGoldenFile)
{
    const Session s = sessionFromGolden("cloud-fill");
    const RunResult r = computeOutput(s);
    EXPECT_EQ(r.fault, RunFault::None);
    const Lines expected = goldenExpected("cloud-fill");
    EXPECT_EQ(readable(hasFill(r.output.lines()) ? r.output.lines() : withoutFill(r.output.lines())),
              readable(hasFill(r.output.lines()) ? expected : withoutFill(expected)));
}

// Hand-worked: 400 × 200 frame, no leader (gap 0), rx = 100, ry = 50 (kind 11);
// kind 12 with nb = 2: rx 87.5, a1 112.5, rg 80, b1 120, ry 40, ry2 60. Pointing
// right from point 1 below point 2 (as the golden case), kind 11 would give bumps at
// x 1100, 1300 on y 1200 and 1000 and at y 1050, 1150 on x 1000 and 1400.
TEST(CloudFrame, BumpsOfHandWorkedCases)
{
    struct Case {
        int kind;
        Direction d;
        Lines expected;
    };
    const Case cases[] = {
        {11, direction(7, 100),
         {"lc3", "ci 800 900 100 180 0 0.5 -90", "ci 1000 900 100 180 0 0.5 90", "ci 800 700 100 180 0 0.5 -90",
          "ci 1000 700 100 180 0 0.5 90", "ci 950 1000 50 0 180 0.65 0", "ci 950 600 50 0 180 0.65 180",
          "ci 850 1000 50 0 180 0.65 0", "ci 850 600 50 0 180 0.65 180"}},
        {12, direction(0, 100),
         {"lc3", "ci 1087.5 1200 87.5 0 180 0.5 0", "ci 1080 1000 80 0 180 0.5 180",
          "ci 1287.5 1200 112.5 0 180 0.5 0", "ci 1280 1000 120 0 180 0.5 180", "ci 1000 1040 40 180 0 0.65 -90",
          "ci 1400 1040 40 180 0 0.65 90", "ci 1000 1140 60 180 0 0.65 -90", "ci 1400 1140 60 180 0 0.65 90"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.d.name) + " kind " + std::to_string(c.kind));
        const RunResult r = computeOutput(annotationWithFrame(c.d.p1, c.d.p2, c.d.p3, c.kind));
        ASSERT_EQ(r.fault, RunFault::None);
        // Set-up lines "lt1", "ly4" come first; no wedge without a leader.
        const Lines out = r.output.lines();
        Lines frame(out.begin() + 2, out.begin() + 2 + long(c.expected.size()));
        EXPECT_EQ(readable(frame), readable(c.expected));
        EXPECT_TRUE(segmentsIn(r.output.lines()).empty());
    }
}

// Every direction, both kinds, with and without tilt: the bumps meet end to end all
// round, bulge outward, and leave open exactly the gap at point 2 that the wedge
// lines from point 1 run into.
TEST(CloudFrame, OutlineClosesExceptAtTheGapInEveryDirection)
{
    for (int kind : {11, 12})
        for (int i = 0; i < 8; ++i)
            for (bool tilt : {false, true})
                for (int lines : {1, 4}) {
                    Direction d = direction(i, 1000);
                    if (tilt) // a slanting direction, so that the tilt stays on
                        (i >= 4 ? d.p3.x : d.p3.y) += 300;
                    SCOPED_TRACE(std::string(d.name) + " kind " + std::to_string(kind) + (tilt ? " tilt" : "") +
                                 " lines " + std::to_string(lines));
                    Session s = annotationWithFrame(d.p1, d.p2, d.p3, kind, Lines(std::size_t(lines), "ABCDEFGHI"));
                    s.form.tiltOn = tilt;
                    const RunResult r = computeOutput(s);
                    ASSERT_EQ(r.fault, RunFault::None);
                    const auto arcs = arcsIn(r.output.lines());
                    ASSERT_EQ(arcs.size() % 2, 0u);
                    // Three bumps on each end from four lines on.
                    std::size_t ends = 0;
                    for (const auto &a : arcs)
                        ends += std::fabs(a.f - 0.65L) < 1e-9;
                    EXPECT_EQ(ends, lines < 4 ? 4u : 6u);

                    Pt c{0, 0};
                    for (const auto &a : arcs)
                        c = {c.x + a.x / arcs.size(), c.y + a.y / arcs.size()};
                    for (const auto &a : arcs) {
                        const Pt mid = arcMiddle(a);
                        EXPECT_GT((mid.x - a.x) * (a.x - c.x) + (mid.y - a.y) * (a.y - c.y), 0) << a.x << " " << a.y;
                    }

                    const auto loose = looseEnds(arcs, 0.05L);
                    ASSERT_EQ(loose.size(), 2u);
                    const auto wedge = segmentsIn(r.output.lines());
                    ASSERT_EQ(wedge.size(), 2u);
                    for (std::size_t k = 0; k < 2; ++k) {
                        EXPECT_NEAR(double(wedge[k].x1), d.p1.x, 1e-9);
                        EXPECT_NEAR(double(wedge[k].y1), d.p1.y, 1e-9);
                    }
                    const Pt w0{wedge[0].x2, wedge[0].y2}, w1{wedge[1].x2, wedge[1].y2};
                    EXPECT_TRUE((dist(w0, loose[0]) < 0.05L && dist(w1, loose[1]) < 0.05L) ||
                                (dist(w0, loose[1]) < 0.05L && dist(w1, loose[0]) < 0.05L));
                    // The first wedge line ends at point 2's corner.
                    EXPECT_LT(dist(w0, {1000, 1000}), 1e-3L);
                }
}

// The fill reads the bumps back as built, before any tilt, and only this pass's.
TEST(CloudFrame, BumpListHoldsTheUnturnedBumpsOfThisPass)
{
    const Direction d = direction(0, 100);
    Session s = annotationWithFrame(d.p1, d.p2, {2000, 1300}, 11);
    s.form.tiltOn = true;
    s.form.fillOn = true;
    EngineProbe p(s);
    p.setup();
    p.pass();
    p.pass();
    // By hand (see above): long sides at y 1200 and 1000, ends at x 1000 and 1400.
    const float want[8][3] = {{1100, 1200, 100}, {1100, 1000, 100}, {1300, 1200, 100}, {1300, 1000, 100},
                              {1000, 1050, 50},  {1400, 1050, 50},  {1000, 1150, 50},  {1400, 1150, 50}};
    const char sides[] = "42421313";
    ASSERT_EQ(p.g.bumps.size(), 8u);
    for (std::size_t i = 0; i < 8; ++i) {
        const CloudBump &b = p.g.bumps[i];
        EXPECT_EQ(b.centre.x, want[i][0]);
        EXPECT_EQ(b.centre.y, want[i][1]);
        EXPECT_EQ(b.radius, want[i][2]);
        EXPECT_EQ(b.side, sides[i]);
        EXPECT_STREQ(b.flatness, i < 4 ? "0.5" : "0.65");
    }
    EXPECT_STREQ(p.g.bumps[1].angle, "-3.1416");
    EXPECT_STREQ(p.g.bumps[4].angle, "1.5708");
}

// Without a fill gap each half disc lies on its bump's centre, whose text it takes from
// the cloud's line. Held against that centre turned on its own, as the fill turns it
// (as the first point of a turn, about c0): in every direction, where in the vertical
// ones the gapped side's bumps lie straight above or below c0 and were turned by the
// cloud as second points.
TEST(CloudFrame, HalfDiscsWithoutAGapLieOnTheirBumpsTurnedOnTheirOwn)
{
    for (const int kind : {11, 12})
        for (int i = 0; i < 8; ++i)
            for (const bool tilt : {false, true}) {
                const Direction d = direction(i, 100);
                SCOPED_TRACE(std::string(d.name) + " kind " + std::to_string(kind) + (tilt ? " tilted" : ""));
                const bool vertical = i >= 4;
                const PointF p3{d.p3.x + (vertical ? 300.0f : 0.0f), d.p3.y + (vertical ? 0.0f : 300.0f)};
                Session s = annotationWithFrame(d.p1, d.p2, p3, kind, {"ABCDEFGHIJKLMNOPQRSTUVWXYZ"});
                s.form.tiltOn = tilt;
                s.form.fillOn = true;
                s.form.basic.fillGap = 0;
                EngineProbe p(s);
                p.setup();
                p.pass();
                Lines discs;
                for (const std::string &line : p.output.lines())
                    if (line.compare(0, 3, "sc ") == 0)
                        discs.push_back(line);
                ASSERT_EQ(discs.size(), p.g.bumps.size());
                ASSERT_GT(discs.size(), 8u);
                for (std::size_t b = 0; b < discs.size(); ++b) {
                    PointF centre = p.g.bumps[b].centre, unused{1, 1};
                    if (tilt)
                        rotatePair(centre, unused, p.g.frameNear, p.m.indicated2, p.m.p3, p.g.turnFlags());
                    const std::string head = "sc " + formatFloat(centre.x) + " " + formatFloat(centre.y) + " ";
                    EXPECT_EQ(discs[b].substr(0, head.size()), head) << "bump " << b;
                }
            }
}

// A run that fails partway round a cloud keeps what it wrote before the failure. Here
// the bumps march along a frame that ends just inside the float range: both pairs of
// the long sides are written, then the next step along overflows.
TEST(CloudFrame, PairsWrittenBeforeAFailureStay)
{
    for (const int kind : {11, 12}) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        EngineProbe p(annotationWithFrame({900, 900}, {1000, 1000}, {2000, 1300}, kind));
        p.setup();
        p.m.p2 = {3.25e38f, 1000};
        p.m.p3 = {3.4e38f, 1300};
        p.m.frameWidth = 1.5e37f;
        EXPECT_THROW(p.pass(), OverflowError);
        std::size_t bumps = 0;
        for (const std::string &line : p.output.lines())
            bumps += line.compare(0, 3, "ci ") == 0;
        EXPECT_EQ(bumps, 4u);
    }
}

// The margin is held in 32 bits like the frame's other sizes: 0.6 is 0.6000000238 and
// at 1/100 pushes c0 60.0000024 out. Near the origin that shows: from y = 0.5 it ends
// at -59.5000024, stored as -59.5 + one step of 2^-18 below.
TEST(CloudFrame, MarginIsHeldInThirtyTwoBits)
{
    Session s = annotationWithFrame({0, -1000}, {1000, 0.5f}, {3000, 0.5f}, 11);
    s.form.basic.noFrameGap = false;
    EngineProbe p(s);
    p.setup();
    p.pass();
    EXPECT_EQ(p.g.frameNear.x, 1000.0f);
    EXPECT_EQ(p.g.frameNear.y, -59.5f - 0x1p-18f);
}

// A cloud's bump lines copy their shared tails, one for each kind of bump: each kind
// gets its own tail back, made once; one refused is made again when next asked for.
TEST(SharedTails, EachKindGetsItsOwnTailMadeOnce)
{
    SharedTails tails;
    int made = 0;
    auto ofKind = [&](int kind) {
        const SharedTail tail = tails.ofKind(kind, [&](char *out) {
            ++made;
            return std::size_t(std::snprintf(out, SharedTails::kCapacity, " kind %d", kind));
        });
        return std::string(tail.bytes, tail.length);
    };
    // A tail too long for the block it is copied from in whole pieces is refused.
    EXPECT_THROW(tails.ofKind(3, [](char *) { return SharedTails::kCapacity; }), std::logic_error);
    for (int round = 0; round < 2; ++round)
        for (int kind = SharedTails::kKinds - 1; kind >= 0; --kind)
            EXPECT_EQ(ofKind(kind), " kind " + std::to_string(kind));
    EXPECT_EQ(made, SharedTails::kKinds);
    EXPECT_THROW(ofKind(SharedTails::kKinds), std::logic_error);
    EXPECT_THROW(ofKind(-1), std::logic_error);
}
