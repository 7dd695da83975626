#include "support/EngineFixture.h"

using namespace quillet;
using namespace quillet::test;

namespace {
const long double kPiL = 3.14159265358979323846L;
}

// One line without margins at 1/100: W = 850, H = 300, attach offset 0.
TEST(Rectangle, OneColourLineThenFourEdgesFromPointTwo)
{
    struct Case {
        const char *what;
        const char *p1, *p3;
        double fx, fy;
    };
    const Case cases[] = {
        {"right", "1000 1000", "4000 2000", 2850, 2300},
        {"left", "3000 1000", "0 2000", 1150, 2300},
        {"right, turned back below", "3000 3000", "4000 2000", 2850, 1700},
        // Vertical: the first edge runs across the text, to x2 - H ...
        {"up", "1000 1000", "2000 4000", 1700, 2850},
        // ... or to x2 + H when the frame turns back to point 1's side.
        {"down, turned back", "1000 1000", "2000 0", 2300, 1150},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const Lines d = drawn(computeOutput(frameAt(2, c.p1, "2000 2000", c.p3)).output.lines());
        ASSERT_EQ(d.size(), 8u);
        EXPECT_EQ(d[0], "lc3");
        expectSegment(d[1], 2000, 2000, c.fx, 2000);
        expectSegment(d[2], c.fx, 2000, c.fx, c.fy);
        expectSegment(d[3], c.fx, c.fy, 2000, c.fy);
        expectSegment(d[4], 2000, c.fy, 2000, 2000);
        EXPECT_EQ(Lines(d.begin() + 5, d.end()), (Lines{"lc3", "lc3", " " + std::string(c.p1) + " 2000 2000"}));
    }
}

TEST(Rectangle, ExtensionFirstThenTheRectangleAtItsEnd)
{
    Session s = frameAt(7, "1000 1000", "2000 2000", "4000 2000");
    s.form.basic.extensionColour = 5;
    s.form.basic.frameColour = 6;
    s.form.attachPosition = 2; // attach in the middle: the frame drops by H / 2
    EXPECT_EQ(drawn(computeOutput(s).output.lines()),
              (Lines{"lc5", " 2000 2000 4000 2000", "lc6", " 4000 1850 4850 1850", " 4850 1850 4850 2150",
                     " 4850 2150 4000 2150", " 4000 2150 4000 1850", "lc3", "lc3", " 1000 1000 2000 2000"}));
}

TEST(Rectangle, TiltedRectangleStillClosesAlongTheDirection)
{
    for (const char *p3 : {"4000 4000", "4000 2000", "0 1000"}) {
        SCOPED_TRACE(p3);
        Session s = frameAt(2, "1000 3000", "2000 2000", p3);
        s.form.tiltOn = true;
        const Lines d = drawn(computeOutput(s).output.lines());
        ASSERT_EQ(d.size(), 8u);
        Segment e[4];
        for (int i = 0; i < 4; ++i)
            e[i] = segmentOf(d[std::size_t(i) + 1]);
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(e[i].x2, e[(i + 1) % 4].x1, 1e-3);
            EXPECT_NEAR(e[i].y2, e[(i + 1) % 4].y1, 1e-3);
        }
        EXPECT_NEAR(e[0].x1, 2000, 1e-3);
        EXPECT_NEAR(e[0].y1, 2000, 1e-3);
        EXPECT_NEAR(std::hypot(e[0].x2 - e[0].x1, e[0].y2 - e[0].y1), 850, 1e-2);
        EXPECT_NEAR(std::hypot(e[1].x2 - e[1].x1, e[1].y2 - e[1].y1), 300, 1e-2);
        // The first edge runs from point 2 towards point 3.
        const auto v = numbersOf(std::string(p3));
        const long double want = std::atan2(v[1] - 2000, v[0] - 2000);
        const long double got = std::atan2(e[0].y2 - e[0].y1, e[0].x2 - e[0].x1);
        EXPECT_NEAR(std::remainder(got - want, 2 * kPiL), 0, 1e-4);
    }
}
