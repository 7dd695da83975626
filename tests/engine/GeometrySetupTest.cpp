#include "support/EngineFixture.h"
#include "engine/GeometrySetup.h"

#include <gtest/gtest.h>

using namespace quillet;
using namespace quillet::test;

namespace {

// Only the set-up and the geometry set-up of a pass, for the values they leave.
struct SetupOnly : EngineProbe {
    using EngineProbe::EngineProbe;
    void run()
    {
        setup();
        EngineRun e = EngineProbe::run();
        setupGeometry(e);
    }
};

} // namespace

TEST(GeometrySetup, AttachOffsetMovesTheTextBelowPointTwo)
{
    // One line of kind 3 without margins: H = 300; the text starts at (x2, y2 - A).
    struct Case {
        int position;
        double y;
    };
    for (const Case c : {Case{0, 1700}, Case{2, 1850}, Case{4, 2000}}) {
        Session s = annotationAt("1000 1000", "2000 2000", "3000 2000");
        s.form.attachPosition = c.position;
        const auto t = texts(computeOutput(s).output.lines());
        ASSERT_EQ(t.size(), 1u);
        EXPECT_EQ(t[0].x, 2000);
        EXPECT_EQ(t[0].y, c.y) << c.position;
    }
}

TEST(GeometrySetup, TurnedBackFrameKeepsPointTwoAndFlipsBelow)
{
    // Point 2 left of point 1 with the text running right: the frame lies on point 1's side.
    struct Case {
        const char *p1;
        double y;
    };
    for (const Case c : {Case{"3000 1000", 2000}, Case{"3000 3000", 1700}}) {
        Session s = annotationAt(c.p1, "2000 2000", "4000 2000");
        s.form.attachPosition = 0;
        const auto t = texts(computeOutput(s).output.lines());
        ASSERT_EQ(t.size(), 1u);
        EXPECT_EQ(t[0].x, 2000);
        EXPECT_EQ(t[0].y, c.y) << c.p1;
    }
}

TEST(GeometrySetup, StraightUpDirectionReleasesTiltAndLaysOutVertically)
{
    Session s = annotationAt("1000 1000", "2000 2000", "2000 4000");
    s.form.tiltOn = true;
    const RunResult r = computeOutput(s);
    EXPECT_EQ(r.tilt, false);
    // Width 850 less the spacing 0.5, written across with two blanks after y.
    EXPECT_EQ(r.output.lines().at(r.output.size() - 3), "ch 2000 2000  0 849.5 \"W=300");

    // 最上行上 moves point 2 by H across the text.
    s.form.attachPosition = 0;
    EXPECT_EQ(computeOutput(s).output.lines().at(r.output.size() - 3), "ch 2300 2000  0 849.5 \"W=300");
}

TEST(GeometrySetup, FixedLeaderLengthStretchesTheLeaderAndMovesTheText)
{
    // Leader (300, 400), length 500; stored 2.5 mm at 1/100 halves it.
    Session s = annotationAt("1000 1000", "1300 1400", "3000 1400");
    s.form.fixedLeaderLength = true;
    s.form.tip = Tip(1);
    s.files.settingsList[25] = "2.5";
    const RunResult r = computeOutput(s);
    EXPECT_EQ(drawn(r.output.lines()), (Lines{"lc3", "lc3", " 1000 1000 1150 1200"}));
    const auto t = texts(r.output.lines());
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].x, 1150);
    EXPECT_EQ(t[0].y, 1200);

    // The text mode ignores the check box.
    Session tm = sessionFromExchange("text-mode.jwc_temp.txt", Mode::TextMode);
    tm.form.fixedLeaderLength = true;
    tm.files.settingsList[25] = "x";
    EXPECT_EQ(computeOutput(tm).fault, RunFault::None);
}

TEST(GeometrySetup, FixedLeaderLengthWithoutALeaderFailsByClass)
{
    struct Case {
        const char *stored;
        RunFault fault;
    };
    for (const Case c : {Case{"2.5", RunFault::RealDivideByZero}, Case{"0", RunFault::InvalidOperation},
                         Case{"2,5", RunFault::Convert}}) {
        Session s = annotationAt("1000 1000", "1000 1000", "3000 1000");
        s.form.fixedLeaderLength = true;
        s.files.settingsList[25] = c.stored;
        const RunResult r = computeOutput(s);
        EXPECT_EQ(r.fault, c.fault) << c.stored;
        EXPECT_EQ(r.output.lines(), (Lines{"lt1", "ly4"})) << c.stored;
    }
    Session s = annotationAt("1000 1000", "1000 1000", "3000 1000");
    s.form.fixedLeaderLength = true;
    s.files.settingsList.resize(25);
    EXPECT_EQ(computeOutput(s).fault, RunFault::Range);
}

TEST(GeometrySetup, DirectionCrossingAndTurnBackFlags)
{
    // Point 2 at (2000, 2000), text to the right (horizontal) or upwards (vertical).
    struct Case {
        const char *p1, *p3;
        int vertical, point2Left, point2Below, crossAbove, crossBelow, turnBack;
    };
    const Case cases[] = {
        {"1000 1000", "3000 2000", 0, 0, 0, 0, 0, 0}, // from lower left: runs along the text's foot
        {"3000 1000", "3000 2000", 0, 1, 0, 0, 1, 1}, // from lower right, across the text
        {"1000 3000", "3000 2000", 0, 0, 1, 0, 0, 0},
        {"3000 3000", "3000 2000", 0, 1, 1, 1, 0, 1}, // from upper right, across from above
        {"1000 1000", "2000 4000", 1, 0, 0, 0, 0, 0},
        {"3000 3000", "2000 4000", 1, 1, 1, 0, 1, 1}, // from above the upward text
        {"3000 1000", "2000 4000", 1, 1, 0, 0, 0, 0},
        {"1000 3000", "2000 4000", 1, 0, 1, 1, 0, 1},
    };
    for (const Case &c : cases) {
        SetupOnly r(annotationAt(c.p1, "2000 2000", c.p3));
        r.run();
        EXPECT_EQ(r.g.vertical, c.vertical) << c.p1 << " " << c.p3;
        EXPECT_EQ(r.g.point2Left, c.point2Left) << c.p1;
        EXPECT_EQ(r.g.point2Below, c.point2Below) << c.p1;
        EXPECT_EQ(r.g.crossAbove, c.crossAbove) << c.p1 << " " << c.p3;
        EXPECT_EQ(r.g.crossBelow, c.crossBelow) << c.p1 << " " << c.p3;
        EXPECT_EQ(r.g.turnBack, c.turnBack) << c.p1 << " " << c.p3;
    }
}

TEST(GeometrySetup, ExtensionAndFarCorner)
{
    // Given extension 10 mm at 1/100; W = 850, H = 300.
    SetupOnly r(annotationAt("1000 1000", "2000 2000", "2500 2000"));
    r.form.extensionMode = 1;
    r.form.extensionLength = 10;
    r.run();
    EXPECT_EQ(r.g.extension, 1000);
    EXPECT_EQ(r.m.p3.x, 3000);
    EXPECT_EQ(r.g.ex, 1000);
    EXPECT_EQ(r.g.ey, 0);
    EXPECT_EQ(r.g.fx, 2850);
    EXPECT_EQ(r.g.fy, 2300);

    SetupOnly left(annotationAt("1000 1000", "2000 2000", "500 2000"));
    left.run();
    EXPECT_EQ(left.g.extension, 1500);
    EXPECT_EQ(left.g.ex, -1500);
    EXPECT_EQ(left.g.fx, 1150);
}

TEST(GeometrySetup, TextModeAndFrameWriteOneFoldTheFrameKinds)
{
    const int folded[15] = {0, 1, 2, 3, 4, 0, 1, 2, 3, 4, 2, 11, 12, 0, 0};
    for (int kind = 0; kind < 15; ++kind)
        EXPECT_EQ(plainFrameKind(FrameKind(kind)), FrameKind(folded[kind]));
    Session s = sessionFromExchange("text-mode.jwc_temp.txt", Mode::TextMode);
    s.form.frameKind = FrameKind(7);
    EXPECT_EQ(computeOutput(s).frameKind, FrameKind(2));
}

TEST(GeometrySetup, TiltKeepsAVerticalFontsLayoutExceptForTheTextModesOvalAndClouds)
{
    // Point 3 steeply above point 2 (but not straight above, so the tilt stays down).
    struct Case {
        Mode mode;
        int kind;
        int vertical;
    };
    const Case cases[] = {
        {Mode::TextMode, 3, 0},   {Mode::TextMode, 11, 0}, {Mode::TextMode, 12, 0},
        {Mode::TextMode, 2, 1},   {Mode::Annotation, 3, 1}, {Mode::Annotation, 2, 1},
    };
    for (const Case &c : cases) {
        const bool textMode = c.mode == Mode::TextMode;
        Session s = textMode ? sessionFromExchange("text-mode.jwc_temp.txt", Mode::TextMode)
                             : annotationAt("1000 1000", "2000 2000", "2100 4000");
        if (textMode) {
            s.exchange.point1Line = s.exchange.point2Line = "hp1 2000 2000";
            s.exchange.point3Line = "hp2 2100 4000";
        }
        s.form.fontSwitch = 1;
        s.form.selectedFontName = "@Mincho";
        s.form.tiltOn = true;
        s.form.frameKind = FrameKind(c.kind);
        SetupOnly r(s);
        r.run();
        EXPECT_TRUE(r.form.tiltOn);
        EXPECT_EQ(r.g.verticalFont, 1);
        EXPECT_EQ(r.g.vertical, c.vertical) << int(c.mode) << " kind " << c.kind;
    }
}
