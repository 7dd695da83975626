#include "support/EngineFixture.h"

using namespace quillet;
using namespace quillet::test;

// One line of kind 3 text without margins at 1/100: W = 850, H = 300, h = 3 + 上下/10.
// Point 2 (2000, 1000), text to the right, point 1 above and to the right of point 2,
// so the leader would cross the text from above.
TEST(Underline, RouteTableDecidesHowTheLeaderMeetsTheText)
{
    struct Case {
        const char *what;
        int kind;
        int correction; // 上下, 0.1 mm
        int gap;        // line gap, 0.1 mm
        const char *p1;
        double underlineEnd;
        Lines leader;
    };
    const Case cases[] = {
        // h = 5, s = 20: the row h < 6, 8 < s <= 50 shifts by (5 / 2 + 3 - 20 / 12) x 100.
        {"example", 1, 20, 0, "2512 2024", 3233.3333, {"lc3", "lc3", " 2512 2024 2000 1000"}},
        {"steep", 1, 0, 0, "2256 2536", 2850, {"lc3", "lc3", " 2256 2536 2000 1000"}},
        // s = 50 is not above 50: h <= 4 shifts with s / 1.7, (4.5 - 50 / 1.7 / 12) x 100.
        {"s = 50", 1, 0, 0, "2512 3560", 3054.902, {"lc3", "lc3", " 2512 3560 2000 1000"}},
        // h = 4 still takes the h <= 4 row: (2 + 3 - 20 / 1.7 / 12) x 100.
        {"h = 4", 1, 10, 0, "2512 2024", 3251.9608, {"lc3", "lc3", " 2512 2024 2000 1000"}},
        // 0.7 + 3 + 0.3 (the gap as its 32 bits hold it, H stays 300) is 4 once stored,
        // so the same row: (2 + 3 - 20 / 1.7 / 12) x 100.
        {"h = 4 as stored", 1, 7, 3, "2512 2024", 3251.9608, {"lc3", "lc3", " 2512 2024 2000 1000"}},
        // s = 5 matches no row: round the text's near side to its top (y2 + H) ...
        {"routed", 1, 0, 0, "3024 1512", 2850, {"lc3", "lc3", " 2000 1000 2000 1300", " 3024 1512 2000 1300"}},
        // ... unless point 1 lies lower than the top of the text: no leader at all.
        {"dropped", 1, 0, 0, "2512 1256", 2850, {}},
        // 下線延長: the extension (E = 2000) steepens s = 5 by 2000 / 100 / 1.4 into the
        // h <= 4 row; the shift divided by 1.7 and the extension lengthen the line.
        {"extended", 6, 0, 0, "3024 1512", 5129.1234, {"lc3", "lc3", " 3024 1512 2000 1000"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Session s = frameAt(c.kind, c.p1, "2000 1000", "4000 1000");
        s.form.basic.verticalGap = c.correction;
        s.form.basic.lineGap = c.gap;
        const Lines d = drawn(computeOutput(s).output.lines());
        ASSERT_EQ(d.size(), 2 + c.leader.size());
        EXPECT_EQ(d[0], "lc3");
        expectSegment(d[1], 2000, 1000, c.underlineEnd, 1000);
        EXPECT_EQ(Lines(d.begin() + 2, d.end()), c.leader);
    }
}

TEST(Underline, SlideDecidesTheRouteAndTheShiftFromBelow)
{
    // Two lines: H = 600.
    struct Case {
        const char *what;
        int slide;
        const char *p1, *p3;
        Lines lines;
    };
    const Case cases[] = {
        // Below the underline one line (hs = 3); from below with s = 30 the far end
        // moves by (3 / 2 + 2 - 30 / 12) x 100 along the text.
        {"below, right", 1, "2512 -536", "4000 1000", {"lc3", " 2000 1000 2950 1000", "lc3", "lc3", " 2512 -536 2000 1000"}},
        {"below, left", 1, "1488 -536", "0 1000", {"lc3", " 2000 1000 1050 1000", "lc3", "lc3", " 1488 -536 2000 1000"}},
        // Straight up from below: no slope to shift by, the text stays.
        {"below, straight up", 1, "2000 464", "0 1000", {"lc3", " 2000 1000 1150 1000", "lc3", "lc3", " 2000 464 2000 1000"}},
        // From above, no row: routed to y2 + H less the slid line.
        {"routed", 1, "4048 2024", "4000 1000",
         {"lc3", " 2000 1000 2850 1000", "lc3", "lc3", " 2000 1000 2000 1300", " 4048 2024 2000 1300"}},
        // Every line slid below the underline: nothing to cross, straight to point 2.
        {"all slid", 2, "4048 2024", "4000 1000", {"lc3", " 2000 1000 2850 1000", "lc3", "lc3", " 4048 2024 2000 1000"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Session s = frameAt(1, c.p1, "2000 1000", c.p3);
        s.form.memoLines = {"W=300", "H=300"};
        s.form.slide = c.slide;
        EXPECT_EQ(drawn(computeOutput(s).output.lines()), c.lines);
    }
}

TEST(Underline, TextMovesWithTheShift)
{
    // Margins on: W = 1042.5; centred c = (W - 1.75 x 5 x 100) / 2 = 83.75, plus the
    // shift of 100 from below.
    Session s = frameAt(1, "2512 -536", "2000 1000", "4000 1000");
    s.form.memoLines = {"W=300", "H=300"};
    s.form.slide = 1;
    s.form.basic.noFrameGap = false;
    const auto t = texts(computeOutput(s).output.lines());
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].x, 2183.75);
    EXPECT_EQ(t[1].x, 2183.75);
}

TEST(Underline, VerticalLeaderRoutedToTheFarSide)
{
    // Up the page, point 1 above-left: s = 5, routed to x2 - H.
    Session s = frameAt(1, "1488 3024", "2000 2000", "2000 4000");
    EXPECT_EQ(drawn(computeOutput(s).output.lines()),
              (Lines{"lc3", " 2000 2000 2000 2850", "lc3", "lc3", " 2000 2000 1700 2000", " 1488 3024 1700 2000"}));
}

TEST(ExtensionLine, KindsFiveAndSixStartTheTextAtItsEnd)
{
    struct Case {
        const char *what;
        int kind, attach;
        const char *p3;
        const char *extension;
        const char *underline;
        double textX, textY;
    };
    const Case cases[] = {
        // Point 3's own y does not matter without tilt; the attach offset H moves the text down.
        {"5, right", 5, 0, "4000 2100", " 2000 2000 4000 2000", nullptr, 4000, 1700},
        {"5, up", 5, 4, "2000 4000", " 2000 2000 2000 4000", nullptr, 2000, 4000},
        {"6, right", 6, 0, "4000 2000", nullptr, " 2000 2000 4850 2000", 4000, 2000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Session s = frameAt(c.kind, "1000 1000", "2000 2000", c.p3);
        s.form.extensionMode = 1;
        s.form.extensionLength = 20;
        s.form.attachPosition = c.attach;
        s.form.basic.extensionColour = 5;
        const RunResult r = computeOutput(s);
        const Lines d = drawn(r.output.lines());
        ASSERT_GE(d.size(), 2u);
        EXPECT_EQ(d[0], "lc5");
        EXPECT_EQ(d[1], c.extension ? c.extension : c.underline);
        const auto t = texts(r.output.lines());
        ASSERT_EQ(t.size(), 1u);
        EXPECT_EQ(t[0].x, c.textX);
        EXPECT_EQ(t[0].y, c.textY);
    }
}

TEST(Underline, TiltedUnderlineRunsAlongTheDirection)
{
    // Direction 45 degrees. In the text mode point 2 has moved away from the turning
    // centre before the underline, so its start must be turned as well.
    Session annotation = frameAt(1, "1000 3000", "2000 2000", "4000 4000");
    Session textMode = sessionFromExchange("text-mode.jwc_temp.txt", Mode::TextMode);
    textMode.exchange.point3Line = "hp2   5500 4200";
    textMode.form.memoLines = {"W=300"};
    textMode.form.basic.noFrameGap = true;
    textMode.form.frameKind = FrameKind(1);
    for (Session *s : {&annotation, &textMode}) {
        s->form.tiltOn = true;
        const Lines out = computeOutput(*s).output.lines();
        std::size_t at = 0;
        while (at < out.size() && out[at] != "lc3")
            ++at;
        ASSERT_LT(at + 1, out.size());
        const Segment u = segmentOf(out[at + 1]);
        EXPECT_NEAR(std::hypot(u.x2 - u.x1, u.y2 - u.y1), 850, 1e-2) << out[at + 1];
        EXPECT_NEAR(std::atan2(u.y2 - u.y1, u.x2 - u.x1) * 4, 3.14159265358979L, 1e-5) << out[at + 1];
    }
}
