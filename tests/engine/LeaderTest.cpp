#include "support/EngineFixture.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quillet;
using namespace quillet::test;

namespace {
long double length(const Segment &s) { return std::hypot(s.x2 - s.x1, s.y2 - s.y1); }
long double degrees(const Segment &s) { return std::atan2(s.y2 - s.y1, s.x2 - s.x1) * 180 / 3.14159265358979323846L; }
} // namespace

TEST(Leader, TipSymbolsOnALeaderToTheLeft)
{
    // Leader from (2000, 1000) to (1000, 1000): direction exactly 180 degrees.
    struct Case {
        int tip;
        Lines lines;
    };
    const Case cases[] = {
        {0, {}},
        {1, {"lc3", "lc3", " 2000 1000 1000 1000"}},
        {2, {"lc3", "sc 2000 1000 150 1 0 0 3.1416 100", "lc3", " 1850 1000 1000 1000"}},
        {3, {"lc3", "ci 2000 1000 150", "lc3", " 1850 1000 1000 1000"}},
    };
    for (const Case &c : cases) {
        Session s = annotationAt("2000 1000", "1000 1000", "0 1000");
        s.form.tip = Tip(c.tip);
        EXPECT_EQ(drawn(computeOutput(s).output.lines()), c.lines) << c.tip;
    }
}

TEST(Leader, ColourChoosersFallBackToTheLeaderColour)
{
    struct Case {
        int tip, arrow, dot, leader;
        const char *tipColour, *leaderColour;
    };
    const Case cases[] = {
        {1, 5, 6, 2, "lc5", "lc2"}, {1, 0, 6, 2, "lc2", "lc2"}, {1, 0, 0, 0, "lc3", "lc3"},
        {2, 5, 6, 2, "lc6", "lc2"}, {3, 5, 0, 2, "lc2", "lc2"}, {3, 5, 0, 0, "lc3", "lc3"},
    };
    for (const Case &c : cases) {
        Session s = annotationAt("2000 1000", "1000 1000", "0 1000");
        s.form.tip = Tip(c.tip);
        s.form.basic.arrowColour = c.arrow;
        s.form.basic.dotColour = c.dot;
        s.form.basic.leaderColour = c.leader;
        const Lines d = drawn(computeOutput(s).output.lines());
        ASSERT_GE(d.size(), 3u);
        EXPECT_EQ(d.front(), c.tipColour) << c.tip;
        EXPECT_EQ(d[d.size() - 2], c.leaderColour) << c.tip;
    }
}

TEST(Leader, StraightUpStartsOnTheDotRim)
{
    Session s = annotationAt("1000 1000", "1000 2000", "2000 2000");
    s.form.tip = Tip(2);
    EXPECT_EQ(drawn(computeOutput(s).output.lines()),
              (Lines{"lc3", "sc 1000 1000 150 1 0 0 3.1416 100", "lc3", " 1000 1150 1000 2000"}));
}

TEST(Leader, ArrowWingsOpenByTheArrowAngle)
{
    // Rightward leader, wings 20 * 100 / 10 = 200 long at +-30 degrees.
    for (int tip = 4; tip <= 7; ++tip) {
        Session s = annotationAt("1000 1000", "2000 1000", "3000 1000");
        s.form.tip = Tip(tip);
        s.form.basic.arrowAngle = 6;
        const Lines d = drawn(computeOutput(s).output.lines());
        const std::size_t wings = tip == 4 ? 1 : 2;
        const std::size_t closing = tip >= 6 ? 1 : 0, solid = tip == 7 ? 1 : 0;
        ASSERT_EQ(d.size(), 1 + wings + closing + solid + 2) << tip;
        const Segment w1 = segmentOf(d[1]);
        EXPECT_EQ(w1.x1, 1000);
        EXPECT_EQ(w1.y1, 1000);
        EXPECT_NEAR(length(w1), 200, 1e-3);
        EXPECT_NEAR(degrees(w1), 30, 1e-4);
        EXPECT_EQ(w1.y2, 1100); // 200 * sin 30
        if (wings == 2) {
            const Segment w2 = segmentOf(d[2]);
            EXPECT_NEAR(degrees(w2), -30, 1e-4);
            EXPECT_EQ(w2.y2, 900);
            if (closing) {
                const Segment c = segmentOf(d[3]);
                EXPECT_EQ(c.x1, w1.x2);
                EXPECT_EQ(c.y1, w1.y2);
                EXPECT_EQ(c.x2, w2.x2);
                EXPECT_EQ(c.y2, w2.y2);
            }
            if (solid) {
                const auto v = numbersOf(d[4], 3);
                EXPECT_EQ(d[4].substr(0, 3), "sl ");
                EXPECT_EQ(v, (std::vector<long double>{1000, 1000, w1.x2, w1.y2, w2.x2, w2.y2}));
            }
        }
        EXPECT_EQ(d.back(), " 1000 1000 2000 1000");
    }
}

TEST(Leader, SingleWingOpensUpwardsOnEitherSide)
{
    // Point 2 right of point 1: the wing at +a; left of it: the wing at -a.
    for (const auto &pts : {std::pair<const char *, const char *>{"2000 1000", "3000 1000"},
                            std::pair<const char *, const char *>{"0 1000", "-1000 1000"}}) {
        Session s = annotationAt("1000 1000", pts.first, pts.second);
        s.form.tip = Tip(4);
        s.form.basic.arrowAngle = 6;
        const Segment w = segmentOf(drawn(computeOutput(s).output.lines()).at(1));
        EXPECT_EQ(w.y2, 1100) << pts.first;
    }
}

TEST(Leader, ShortLeaderWritesNothing)
{
    // 50 apart, below (20 - 1) * 100 / 10 = 190 in both axes.
    for (int tip = 0; tip <= 7; ++tip) {
        Session s = annotationAt("1000 1000", "1050 1050", "3000 1050");
        s.form.tip = Tip(tip);
        EXPECT_TRUE(drawn(computeOutput(s).output.lines()).empty()) << tip;
    }
}

TEST(Leader, BendPointSplitsTheLeader)
{
    Session s = sessionFromExchange("bend.jwc_temp.txt", Mode::Bend);
    s.form.tip = Tip(1);
    EXPECT_EQ(drawn(computeOutput(s).output.lines()),
              (Lines{"lc3", "lc3", " 1520.5 2310.25 1520.5 3810.25", " 1520.5 3810.25 3020.5 3810.25"}));
}

TEST(Leader, CurvedLeaderTurnsTheArrow)
{
    // Point 2 neither left of nor below point 1 (side flag 1): kind 13 turns by +t,
    // kind 14 by -t, t = sqrt(hypot / 100) * 1.7 + 7.3 degrees.
    struct Case {
        const char *p2, *p3;
        int kind;
        double base, length, sign;
    };
    const Case cases[] = {
        {"2000 1000", "3000 1000", 13, 0, 1000, +1},
        {"2000 1000", "3000 1000", 14, 0, 1000, -1},
        {"1600 1800", "3000 1800", 13, 53.13010235415598, 1000, +1},
    };
    for (const Case &c : cases) {
        Session s = annotationAt("1000 1000", c.p2, c.p3);
        s.form.tip = Tip(5);
        s.form.frameKind = FrameKind(c.kind);
        s.form.basic.arrowAngle = 6;
        const Lines d = drawn(computeOutput(s).output.lines());
        ASSERT_GE(d.size(), 4u) << c.kind; // arrow colour, two wings, leader colour, then the curve
        const double middle = double(degrees(segmentOf(d[1])) + degrees(segmentOf(d[2]))) / 2;
        const double turn = std::sqrt(c.length / 100) * 1.7 + 7.3;
        EXPECT_NEAR(middle, c.base + c.sign * turn, 1e-3) << c.kind;
    }
}
