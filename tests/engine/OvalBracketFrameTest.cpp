#include "support/EngineFixture.h"
#include "engine/Frames.h"

using namespace quillet;
using namespace quillet::test;

namespace {

// One frame unit run on hand-set geometry, for the frame modes whose text block
// comes from existing texts.
struct FrameUnit {
    Session s;
    PackedLines output;
    RunMeasures m;
    GeometryState g;

    explicit FrameUnit(Mode mode, int kind) : s(sessionFromExchange("annotation.jwc_temp.txt", mode))
    {
        s.form.frameKind = FrameKind(kind);
        s.form.basic.noFrameGap = true;
        s.exchange.colorLine = "lc3";
        m.scale = 100;
        m.p1 = {0, 0};
        m.p2 = m.indicated2 = {2000, 2000};
        m.p3 = {2850, 2000};
        m.frameWidth = 850;
        m.frameHeight = 300;
        g.rightward = g.upward = 1;
        g.fx = 2850;
        g.fy = 2300;
    }
    Lines run(void (*unit)(EngineRun &))
    {
        RunContext ctx{s.mode, s.exchange, s.exchangeCopy, s.files.settingsList, s.form, s.currentExchangeLine, output};
        PairTurner turner;
        EngineRun e(ctx, m, g, turner);
        unit(e);
        return output.lines();
    }
};

// The angles, flatness and tilt at the end of an arc record.
std::string tailOf(const std::string &arc)
{
    std::size_t at = arc.size();
    for (int blanks = 0; blanks < 4; --at)
        blanks += arc[at - 1] == ' ';
    return arc.substr(at + 1);
}

} // namespace

// One line without margins at 1/100: W = 850, H = 300, R = 150.
TEST(Oval, SidesAndEndArcsInEveryDirection)
{
    struct Case {
        const char *what;
        int kind;
        const char *p1, *p3;
        Lines frame;
    };
    const Case cases[] = {
        {"right", 3, "1000 1000", "4000 2000",
         {"lc3", " 2000 2000 2850 2000", " 2850 2300 2000 2300", "ci 2000 2150 150 90 -90 1 0",
          "ci 2850 2150 150 -90 90 1 0"}},
        {"left", 3, "3000 1000", "0 2000",
         {"lc3", " 2000 2000 1150 2000", " 1150 2300 2000 2300", "ci 2000 2150 150 -90 90 1 0",
          "ci 1150 2150 150 90 -90 1 0"}},
        // Below point 1 the frame flips downwards.
        {"right, below", 3, "1000 3000", "4000 2000",
         {"lc3", " 2000 2000 2850 2000", " 2850 1700 2000 1700", "ci 2000 1850 150 90 -90 1 0",
          "ci 2850 1850 150 -90 90 1 0"}},
        {"up", 3, "1000 1000", "2000 4000",
         {"lc3", " 2000 2000 2000 2850", " 2300 2850 2300 2000", "ci 2150 2000 150 180 0 1 0",
          "ci 2150 2850 150 0 180 1 0"}},
        {"down", 3, "1000 1000", "2000 0",
         {"lc3", " 2000 2000 2000 1150", " 2300 1150 2300 2000", "ci 2150 2000 150 0 180 1 0",
          "ci 2150 1150 150 180 0 1 0"}},
        // The near arc's outermost point sits on the end of the extension line.
        {"extended", 8, "1000 1000", "4000 2000",
         {"lc3", " 2000 2000 4000 2000", "lc3", " 4150 1850 5000 1850", " 5000 2150 4150 2150",
          "ci 4150 2000 150 90 -90 1 0", "ci 5000 2000 150 -90 90 1 0"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const Lines d = drawn(computeOutput(frameAt(c.kind, c.p1, "2000 2000", c.p3)).output.lines());
        ASSERT_EQ(d.size(), c.frame.size() + 3);
        EXPECT_EQ(Lines(d.begin(), d.begin() + long(c.frame.size())), c.frame);
    }
}

TEST(Oval, SidesStopACharacterShortUnlessTheFrameHugsTheText)
{
    for (bool hug : {false, true}) {
        Session s = frameAt(3, "1000 1000", "2000 2000", "4000 2000");
        s.form.basic.noFrameGap = hug;
        const Lines d = drawn(computeOutput(s).output.lines());
        ASSERT_GE(d.size(), 5u);
        const Segment side = segmentOf(d[1]);
        const auto farArc = numbersOf(d[4], 3);
        // Far corner 2000 + W; W = 1042.5 with margins; 2 x 1.5 x 100 short of it.
        const long double xe = hug ? 2850 : 2000 + 1042.5 - 300;
        EXPECT_EQ(side.x2, xe) << hug;
        EXPECT_EQ(farArc[0], xe) << hug;
    }
}

TEST(Oval, TiltedVerticalArcsTurnByAQuarterMoreOrLess)
{
    // Tilt keeps an oval vertical; the direction is a hair off straight up or down.
    struct Case {
        const char *p1, *p3;
        double tilt;
    };
    const long double up = std::atan2(4000.0L, 0.5L) * 57.29578L;
    const Case cases[] = {
        {"1000 1000", "2000.5 6000", double(up - 90)},        // upward, point 2 right of point 1
        {"3000 1000", "2000.5 6000", double(up + 180 + 90)},  // upward, left
        {"1000 1000", "2000.5 -2000", double(90 - up)},          // downward, right
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.p1 + std::string(" ") + c.p3);
        Session s = frameAt(3, c.p1, "2000 2000", c.p3);
        s.form.tiltOn = true;
        const Lines d = drawn(computeOutput(s).output.lines());
        ASSERT_GE(d.size(), 5u);
        for (std::size_t i : {3u, 4u}) {
            ASSERT_EQ(d[i].compare(0, 3, "ci "), 0) << d[i];
            EXPECT_NEAR(numbersOf(d[i], 3).back(), c.tilt, 1e-3) << d[i];
        }
    }
}

TEST(Oval, FrameModes)
{
    // Frame write 2, point 2 below point 1 with the far corner above: R comes out
    // negative and is written so; without tilt the arcs follow the layout.
    FrameUnit each(Mode::FrameEach, 3);
    each.g.point2Below = 1;
    each.g.existingText = 1;
    EXPECT_EQ(each.run(writeOval), (Lines{"lc3", " 2000 2000 2850 2000", " 2850 2300 2000 2300",
                                          "ci 2000 2150 -150 90 -90 1 0", "ci 2850 2150 -150 -90 90 1 0"}));

    // With tilt the existing text's direction decides which arc opens which way.
    FrameUnit tilted(Mode::FrameEach, 3);
    tilted.s.form.tiltOn = true;
    tilted.g.existingText = 1;
    const Lines t = tilted.run(writeOval);
    ASSERT_EQ(t.size(), 5u);
    EXPECT_EQ(tailOf(t[3]), "-90 90 1 0");
    EXPECT_EQ(tailOf(t[4]), "90 -90 1 0");

    // Frame write 1 before a layout is known: a horizontal oval; tilted, no arcs.
    FrameUnit all(Mode::FrameAll, 3);
    all.g.vertical = 0xFF;
    EXPECT_EQ(all.run(writeOval), (Lines{"lc3", " 2000 2000 2850 2000", " 2850 2300 2000 2300",
                                         "ci 2000 2150 150 90 -90 1 0", "ci 2850 2150 150 -90 90 1 0"}));
    FrameUnit allTilted(Mode::FrameAll, 3);
    allTilted.g.vertical = 0xFF;
    allTilted.s.form.tiltOn = true;
    EXPECT_EQ(allTilted.run(writeOval).size(), 3u);
}

TEST(Bracket, ThreeSegmentsWithShortEndsTowardsTheText)
{
    struct Case {
        const char *what;
        int kind;
        const char *p1, *p3;
        Lines frame;
    };
    const Case cases[] = {
        {"right", 4, "1000 1000", "4000 2000",
         {"lc3", " 2000 2000 2100 2000", " 2100 2300 2000 2300", " 2000 2300 2000 2000"}},
        {"left", 4, "3000 1000", "0 2000",
         {"lc3", " 2000 2000 1900 2000", " 1900 2300 2000 2300", " 2000 2300 2000 2000"}},
        {"right, turned back below", 4, "3000 3000", "4000 2000",
         {"lc3", " 2000 2000 2100 2000", " 2100 1700 2000 1700", " 2000 1700 2000 2000"}},
        {"extended", 9, "1000 1000", "4000 2000",
         {"lc3", " 2000 2000 4000 2000", "lc3", " 4000 2000 4100 2000", " 4100 2300 4000 2300",
          " 4000 2300 4000 2000"}},
        {"up", 4, "1000 1000", "2000 4000",
         {"lc3", " 2000 2000 1700 2000", " 1700 2000 1700 2100", " 2000 2100 2000 2000"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const Lines d = drawn(computeOutput(frameAt(c.kind, c.p1, "2000 2000", c.p3)).output.lines());
        ASSERT_EQ(d.size(), c.frame.size() + 3);
        EXPECT_EQ(Lines(d.begin(), d.begin() + long(c.frame.size())), c.frame);
    }
}

TEST(Bracket, VerticalFontKeepsTheLayoutAndTheBracketTurns)
{
    Session s = frameAt(4, "1000 1000", "2000 2000", "2000.5 6000");
    s.form.tiltOn = true;
    s.form.fontSwitch = 1;
    s.form.selectedFontName = "@Mincho";
    const Lines d = drawn(computeOutput(s).output.lines());
    ASSERT_EQ(d.size(), 7u);
    const Segment across = segmentOf(d[1]), shortEnd = segmentOf(d[2]);
    EXPECT_NEAR(std::hypot(across.x2 - across.x1, across.y2 - across.y1), 300, 1e-2);
    EXPECT_NEAR(std::hypot(shortEnd.x2 - shortEnd.x1, shortEnd.y2 - shortEnd.y1), 100, 1e-2);
    // Turned by a hair: no longer exactly along the axes.
    EXPECT_NE(across.y1, across.y2);
}

TEST(Bracket, FrameWriteOneWithoutLayoutWritesItsColourOnly)
{
    FrameUnit all(Mode::FrameAll, 4);
    all.g.vertical = 0xFF;
    EXPECT_EQ(all.run(writeBracket), (Lines{"lc3"}));
}
