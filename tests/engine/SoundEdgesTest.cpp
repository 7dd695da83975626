// Values at the edges of the input ranges: sizes held in 32 bits where a half-way
// value decides the last bit, and the inputs whose literal handling would draw
// nothing, draw backwards or lie flat.
#include "engine/EmbeddedText.h"
#include "support/EngineFixture.h"

#include <gtest/gtest.h>

using namespace quillet;
using namespace quillet::test;

namespace {

const char *const kScale100 = "hs 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100";

// Every group at 1/100, the free text kind of width 1.7, height 2 and no spacing, so
// that one half-width unit is 85 and the memo "$1XYZW=FQ" is 24 units wide.
Session embeddedAt(const std::string &p2, const std::string &p3)
{
    Session s = sessionFromExchange("annotation.jwc_temp.txt", Mode::Annotation);
    s.exchange.scaleLine = kScale100;
    s.exchange.textKindLine = "cn0 1.7 2 0 1";
    s.exchange.point1Line = "hp1 -500 -500";
    s.exchange.point2Line = "hp2 " + p2;
    s.exchange.point3Line = "hp3 " + p3;
    s.form.textKind = 0;
    s.form.embeddedTextOn = true;
    s.form.memoLines = {"$1XYZW=FQ"};
    s.form.basic.horizontalGap = 7;
    s.form.basic.verticalGap = 0;
    s.form.attachPosition = 4;
    return s;
}

Lines records(const Lines &output, const char *prefix)
{
    Lines out;
    for (const auto &l : output)
        if (l.rfind(prefix, 0) == 0)
            out.push_back(l);
    return out;
}

// T4 at (1000, 1000): point 1 is point 2 there.
Session textModeAt(const std::string &p3)
{
    Session s = sessionFromExchange("text-mode.jwc_temp.txt", Mode::TextMode);
    s.exchange.point1Line = s.exchange.point2Line = "hp1 1000 1000";
    s.exchange.point3Line = "hp2 " + p3;
    s.form.memoLines = {"W=300"};
    s.form.basic.noFrameGap = true;
    s.form.attachPosition = 4;
    return s;
}

} // namespace

TEST(SoundEdges, NamedSizesAreHeldIn32Bits)
{
    // The embedded-text unit is 85 exactly in 32 bits but 85 - 2e-15 in extended
    // precision; the piece 23 units on lands on the half-way value 2081.708374... between
    // two floats, which rounds to even only when the unit is the stored one.
    struct Case {
        const char *name;
        Session session;
        std::size_t record;
        const char *prefix;
        std::string expected;
    };
    Session cloud = frameSession(Mode::FrameEach, 12, {"cc0", "ch 0 0 369 0 \"ABC"});
    cloud.exchange.scaleLine = "hs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1";
    cloud.form.basic.verticalGap = cloud.form.basic.horizontalGap = cloud.form.basic.lineGap = 0;
    cloud.form.basic.noFrameGap = false;
    const Case cases[] = {
        {"embedded piece, horizontal", embeddedAt("-26 -13", "5000 -13"), 2, "ch ",
         "ch 2081.70849609375 60.3333358764648 2345.41674804688 0 \"Q"},
        {"embedded piece, vertical", embeddedAt("13 -26", "13 5000"), 2, "ch ",
         "ch -60.3333358764648 2081.70849609375  0 2345.41674804688 \"Q"},
        // The unequal cloud's larger bump: (t / k + 2 rx) / 2 with t / k in extended
        // precision (t = 369 / 6 * 3 * 0.25 in 32 bits, k = 3).
        {"unequal cloud bump", cloud, 2, "ci ", "ci 48.0854339599609 5.2142858505249 19.1593494415283 0 180 0.5 0"},
    };
    for (const Case &c : cases) {
        const RunResult r = computeOutput(c.session);
        EXPECT_EQ(r.fault, RunFault::None) << c.name;
        const Lines got = records(r.output.lines(), c.prefix);
        ASSERT_GT(got.size(), c.record) << c.name << "\n" << readable(r.output.lines());
        EXPECT_EQ(got[c.record], c.expected) << c.name;
    }
}

TEST(SoundEdges, GivenExtensionOfZeroKeepsTheIndicatedDirection)
{
    // Kind 3 text "W=300" without margins: 850 wide, 300 high, direction length 849.5.
    struct Case {
        const char *name;
        Mode mode;
        const char *p3;
        bool tilt;
        int kind;
        Lines expected; // the frame lines and the text record
    };
    const Case cases[] = {
        // Text mode: the text starts at point 2 and runs towards point 3, as with any
        // other extension; with the literal rule it ran leftwards from x2 - W.
        {"text mode, right", Mode::TextMode, "3000 1000", false, 0, {"ch 1000 1000 849.5 0 \"W=300"}},
        {"text mode, left", Mode::TextMode, "-1000 1000", false, 0, {"ch 150 1000 849.5 0 \"W=300"}},
        {"text mode, up", Mode::TextMode, "1000 3000", false, 0, {"ch 1000 1000  0 849.5 \"W=300"}},
        // Tilted towards (2000, 2000): the text keeps its 45 degrees.
        {"text mode, tilted", Mode::TextMode, "2000 2000", true, 0,
         {"ch 1000 1000 0.70710676908493 0.70710676908493 \"W=300"}},
        // An annotation keeps its extension line of length 0 at point 2.
        {"annotation, flat", Mode::Annotation, "3000 2000", false, 5,
         {"lc3", " 2000 2000 2000 2000", "ch 2000 2000 849.5 0 \"W=300"}},
        {"annotation, tilted", Mode::Annotation, "3000 3000", true, 5,
         {"lc3", " 2000 2000 2000 2000", "ch 2000 2000 0.70710676908493 0.70710676908493 \"W=300"}},
    };
    for (const Case &c : cases) {
        Session s = c.mode == Mode::TextMode ? textModeAt(c.p3) : annotationAt("1000 1000", "2000 2000", c.p3);
        s.form.extensionMode = 1;
        s.form.extensionLength = 0;
        s.form.tiltOn = c.tilt;
        s.form.frameKind = FrameKind(c.kind);
        s.form.tip = Tip(0);
        const RunResult r = computeOutput(s);
        Lines got = drawn(r.output.lines());
        for (const auto &t : records(r.output.lines(), "ch "))
            got.push_back(t);
        EXPECT_EQ(got, c.expected) << c.name << "\n" << readable(r.output.lines());
    }

    // 四角延長 turned by the indicated 45 degrees: the rectangle of 850 by 300 from point 2.
    Session s = annotationAt("1000 1000", "2000 2000", "3000 3000");
    s.form.extensionMode = 1;
    s.form.extensionLength = 0;
    s.form.tiltOn = true;
    s.form.frameKind = FrameKind(7);
    s.form.tip = Tip(0);
    const Lines got = drawn(computeOutput(s).output.lines());
    ASSERT_EQ(got.size(), 7u) << readable(got);
    EXPECT_EQ(got[1], " 2000 2000 2000 2000");
    const long double c = 0.70710678118654752L;
    expectSegment(got[3], 2000, 2000, 2000 + 850 * c, 2000 + 850 * c);
    expectSegment(got[4], 2000 + 850 * c, 2000 + 850 * c, 2000 + 550 * c, 2000 + 1150 * c);
    expectSegment(got[5], 2000 + 550 * c, 2000 + 1150 * c, 2000 - 300 * c, 2000 + 300 * c);
    expectSegment(got[6], 2000 - 300 * c, 2000 + 300 * c, 2000, 2000);
}

TEST(SoundEdges, GivenExtensionAboveZeroStillMovesPointThree)
{
    // 枠無延長 with 1 mm at 1/100: the extension runs 100 along, whatever the point 3.
    for (const char *p3 : {"2500 2000", "9000 2000"}) {
        Session s = annotationAt("1000 1000", "2000 2000", p3);
        s.form.extensionMode = 1;
        s.form.extensionLength = 1;
        s.form.frameKind = FrameKind(5);
        s.form.tip = Tip(0);
        EXPECT_EQ(drawn(computeOutput(s).output.lines()), (Lines{"lc3", " 2000 2000 2100 2000"})) << p3;
    }
}

TEST(SoundEdges, BendPointOnTheTipIsNoBend)
{
    // Arrow length 2 mm at 1/100: a leader shorter than 190 in both directions is not
    // drawn. Point 1 (1000, 1000), point 2 (2000, 2000), tip 記号なし.
    struct Case {
        const char *bend;
        bool fixedLength;
        Lines expected;
    };
    const Case cases[] = {
        {"1000 1000", false, {"lc3", "lc3", " 1000 1000 2000 2000"}},
        {"1189 811", false, {"lc3", "lc3", " 1000 1000 2000 2000"}},
        {"1190 1000", false, {"lc3", "lc3", " 1000 1000 1190 1000", " 1190 1000 2000 2000"}},
        {"1000 1200", false, {"lc3", "lc3", " 1000 1000 1000 1200", " 1000 1200 2000 2000"}},
        // A fixed length then stretches the leader to point 2 as without a bend point:
        // 2 mm of the 1414.2 units, so point 2 moves to 1000 + 200 / sqrt 2.
        {"1000 1000", true, {"lc3", "lc3", " 1000 1000 1141.42138671875 1141.42138671875"}},
    };
    for (const Case &c : cases) {
        Session s = sessionFromExchange("bend.jwc_temp.txt", Mode::Bend);
        s.exchange.point1Line = "hp1 1000 1000";
        s.exchange.bendLine = std::string("hp2 ") + c.bend;
        s.exchange.point2Line = "hp3 2000 2000";
        s.exchange.point3Line = "hp4 4000 2000";
        s.form.memoLines = {"W=300"};
        s.form.tip = Tip(1);
        s.form.basic.arrowLength = 20;
        s.form.fixedLeaderLength = c.fixedLength;
        s.files.settingsList[25] = "2";
        const RunResult r = computeOutput(s);
        EXPECT_EQ(r.fault, RunFault::None) << c.bend;
        EXPECT_EQ(drawn(r.output.lines()), c.expected) << c.bend << "\n" << readable(r.output.lines());
    }
}

TEST(SoundEdges, TextModeDrawsNoLeaderAtTheLeastArrowLength)
{
    // Point 1 is point 2 in the text mode; with arrow length 1 the short-leader bound
    // is 0 and the literal rule drew a tip and a leader of length 0, or a cloud's gap
    // and wedge. Nothing of a leader is written, as at any other arrow length.
    struct Case {
        int kind;
        int tip;
        Lines expected;
    };
    const Case cases[] = {
        {0, 7, {}},
        {0, 2, {}},
        {2, 5, {"lc3", " 1000 1000 1850 1000", " 1850 1000 1850 1300", " 1850 1300 1000 1300",
                " 1000 1300 1000 1000"}},
    };
    for (const Case &c : cases) {
        Session s = textModeAt("3000 1000");
        s.form.frameKind = FrameKind(c.kind);
        s.form.tip = Tip(c.tip);
        s.form.basic.arrowLength = 1;
        EXPECT_EQ(drawn(computeOutput(s).output.lines()), c.expected) << c.kind << " " << c.tip;
    }
    // A cloud keeps both long sides closed: the same bumps as with a long arrow.
    Session cloud = textModeAt("3000 1000");
    cloud.form.frameKind = FrameKind(11);
    cloud.form.basic.arrowLength = 1;
    Session longArrow = cloud;
    longArrow.form.basic.arrowLength = 20;
    const Lines got = drawn(computeOutput(cloud).output.lines());
    EXPECT_EQ(got, drawn(computeOutput(longArrow).output.lines()));
    EXPECT_TRUE(records(got, " ").empty()) << readable(got);
}

TEST(SoundEdges, EraAndShortYearCodes)
{
    auto on = [](int year, int month, int day) {
        std::tm t{};
        t.tm_year = year - 1900;
        t.tm_mon = month - 1;
        t.tm_mday = day;
        return t;
    };
    struct Case {
        std::tm date;
        const char *codes;
        const char *expected;
    };
    const Case cases[] = {
        {on(2019, 4, 30), "$Y|%y", "31|19"},  // the last day of Heisei
        {on(2019, 5, 1), "$Y|%y", "1|19"},    // Reiwa 1
        {on(2024, 5, 7), "%Y|&Y", "6|6"},
        {on(2031, 1, 1), "_Y", "13"},
        {on(1989, 1, 8), "$Y", "1"},          // Heisei 1, by the count before Reiwa
        {on(2000, 1, 1), "$y|%y|&y", "0 |00| 0"},
        {on(1999, 12, 31), "$y|%y|&y", "99|99|99"},
        {on(1905, 6, 1), "$y|%y|_y", "5 |05| 5"},
        {on(1900, 6, 1), "%y", "00"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(expandDateCodes(c.codes, c.date), c.expected) << c.codes << " " << c.date.tm_year + 1900;
}
