#include "base/Errors.h"
#include "program/CompleteInput.h"
#include "engine/RunSetup.h"
#include "support/RunSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quillet;
using namespace quillet::test;

namespace {

struct SetupRun {
    Session session;
    FormModel form;
    PackedLines output;
    RunMeasures m;

    explicit SetupRun(Session s) : session(std::move(s)), form(session.form) {}

    void run()
    {
        RunContext ctx{session.mode, session.exchange, session.exchangeCopy, session.files.settingsList,
                       form, session.currentExchangeLine, output};
        runSetup(ctx, m);
    }
};

SetupRun annotation() { return SetupRun(sessionFromExchange("annotation.jwc_temp.txt", Mode::Annotation)); }

} // namespace

TEST(RunSetup, HostGroupAndLayerWriteLineTypeAndTheHostLayerLine)
{
    SetupRun r = annotation();
    r.form.lineType = 4;
    r.run();
    EXPECT_EQ(r.output.lines(), (Lines{"lt5", "ly4"}));
}

TEST(RunSetup, TargetGroupAndLayerAreWrittenAsHexDigitsWithTheRatio)
{
    // Points in group 1 at 1/100, target group A at 1/50.
    SetupRun r = annotation();
    r.form.basic.writeGroup = 11;
    r.form.basic.lineLayer = 16;
    r.run();
    EXPECT_EQ(r.output.lines(), (Lines{"lga", "by0.5", "lt1", "lyf"}));
}

TEST(RunSetup, RatioIsPrintedFromItsFloatValue)
{
    SetupRun r = annotation();
    r.session.exchange.scaleLine = "hs 1 3 1 1 1 1 1 1 1 1 1 1 1 1 1 1";
    r.form.basic.writeGroup = 1;
    r.run();
    EXPECT_EQ(r.output[1], "by0.333333343267441");
    EXPECT_EQ(r.m.scale, 3.0f);
}

TEST(RunSetup, PointsAndLeaderVector)
{
    SetupRun r = annotation();
    r.run();
    EXPECT_EQ(r.m.p1.x, 1520.5f);
    EXPECT_EQ(r.m.p1.y, 2310.25f);
    EXPECT_EQ(r.m.p3.x, 6020.5f);
    EXPECT_EQ(r.m.indicated2.y, 3810.25f);
    EXPECT_EQ(r.m.dx, 1500.0);
    EXPECT_EQ(r.m.dy, 1500.0);
}

TEST(RunSetup, BendPointAimsTheLeaderOnlyBelowTheCloudKinds)
{
    struct Case {
        int kind;
        double dx, dy;
    };
    for (const Case c : {Case{0, 0, 1500}, Case{10, 0, 1500}, Case{11, 1500, 1500}, Case{14, 1500, 1500}}) {
        SetupRun r(sessionFromExchange("bend.jwc_temp.txt", Mode::Bend));
        r.form.frameKind = FrameKind(c.kind);
        r.run();
        EXPECT_EQ(r.m.dx, c.dx) << c.kind;
        EXPECT_EQ(r.m.dy, c.dy) << c.kind;
    }
}

TEST(RunSetup, LeaderLongFlagComparesStrictlyWithTheArrowLength)
{
    // T = (SpinEdit5 - 1) * 100 / 10; the leader reaches 1500 in x and y.
    struct Case {
        int arrow;
        int flag;
    };
    for (const Case c : {Case{20, 1}, Case{151, 1}, Case{152, 0}}) {
        SetupRun r = annotation();
        r.form.basic.arrowLength = c.arrow;
        r.run();
        EXPECT_EQ(r.m.leaderLong, c.flag) << c.arrow;
    }
}

TEST(RunSetup, TextKindSizes)
{
    struct Case {
        const char *file;
        int box;
        const char *code;
        double hw, ch, sp;
    };
    const Case cases[] = {
        {"annotation.jwc_temp.txt", 0, "3", 1.5, 3, 0.5},  // the host's kind 3
        {"annotation.jwc_temp.txt", 10, "10", 5, 10, 1},
        {"annotation.jwc_temp.txt", 1, "1", 1, 2, 0},
        {"free-kind.jwc_temp.txt", 0, "0", 2, 4, 0.5},     // "cn0 4 4 0.5 2"
    };
    for (const Case &c : cases) {
        SetupRun r(sessionFromExchange(c.file, Mode::Annotation));
        r.form.textKind = c.box;
        r.run();
        EXPECT_EQ(r.m.textKindCode, c.code);
        EXPECT_EQ(r.m.halfWidth, c.hw);
        EXPECT_EQ(r.m.charHeight, c.ch);
        EXPECT_EQ(r.m.charSpacing, c.sp);
    }
}

TEST(RunSetup, BadTextKindsFailByClass)
{
    struct Case {
        const char *kindLine;
        const char *widthToken;
        RunFault fault;
    };
    const Case cases[] = {
        {"cn11", "2 ", RunFault::Range},
        {"cn0", "2 ", RunFault::Range},
        {"cnx", "2 ", RunFault::Convert},
        {"cn1", "2x ", RunFault::Variant},
        {"cn0 4 x 0.5 2", "2 ", RunFault::Convert},
    };
    for (const Case &c : cases) {
        Session s = sessionFromExchange("annotation.jwc_temp.txt", Mode::Annotation);
        s.exchange.textKindLine = c.kindLine;
        s.exchange.widthTokens[1] = c.widthToken;
        const RunResult r = computeOutput(s);
        EXPECT_EQ(r.fault, c.fault) << c.kindLine;
        // The first command lines were written before the sizes were read.
        EXPECT_EQ(r.output.lines(), (Lines{"lt1", "ly4"})) << c.kindLine;
    }
}

TEST(RunSetup, NonNumericScaleWritesNothing)
{
    for (const char *line : {"hs 100 x 50", "hs 100  100 50", "hs 100"}) {
        Session s = sessionFromExchange("annotation.jwc_temp.txt", Mode::Annotation);
        s.exchange.scaleLine = line;
        const RunResult r = computeOutput(s);
        EXPECT_EQ(r.fault, RunFault::Convert) << line;
        EXPECT_TRUE(r.output.empty()) << line;
        EXPECT_EQ(r.message, sj("[変換エラー]不正なデータがあります\r\nクイレットの処理は中断されます"));
    }
}

TEST(RunSetup, ZeroScaleIsADivisionFault)
{
    Session s = sessionFromExchange("annotation.jwc_temp.txt", Mode::Annotation);
    s.exchange.scaleLine = "hs 100 0 50";
    EXPECT_EQ(computeOutput(s).fault, RunFault::InvalidOperation); // 0 / 0
    s.form.basic.writeGroup = 1;
    EXPECT_EQ(computeOutput(s).fault, RunFault::RealDivideByZero); // 100 / 0
}

TEST(RunSetup, FrameSizes)
{
    // Kind 3 (half width 1.5, height 3, spacing 0.5) at 1/100.
    struct Case {
        std::vector<std::string> memo;
        bool noMargin;
        int lineGap;
        float textWidth, frameWidth, frameHeight;
    };
    const Case cases[] = {
        {{"W=300"}, true, 0, 8.5f, 850, 300},
        {{"W=300", "ab"}, true, 5, 8.5f, 850, 650},       // (3.5 * 2 - 0.5) * 100
        {{}, true, 5, 1.5f, 150, 250},                     // empty memo: one unit wide, one line high
        {{"~~x", "~~y"}, true, 0, 1.5f, 150, 300},
        {{"^Babc"}, true, 0, 3.7f, 370, 300},             // 3.25, and wide code 1 adds 0.3 half widths
        {{"^Bab"}, true, 0, 1.5f, 150, 300},               // width 1 is no wider than the start: no wide code
        {{"W=300"}, false, 0, 8.5f, 1042.5f, 0},           // margins: 1.5/2.4 + 1.3 and 3/7 + 1.2
    };
    for (const Case &c : cases) {
        SetupRun r = annotation();
        r.form.memoLines.assign(c.memo.begin(), c.memo.end());
        r.form.basic.noFrameGap = c.noMargin;
        r.form.basic.lineGap = c.lineGap;
        r.run();
        EXPECT_FLOAT_EQ(r.m.textWidth, c.textWidth);
        EXPECT_FLOAT_EQ(r.m.frameWidth, c.frameWidth);
        if (c.noMargin)
            EXPECT_EQ(r.m.frameHeight, c.frameHeight);
        else
            EXPECT_FLOAT_EQ(r.m.frameHeight, (3 + 3.0f / 7 + 1.2f) * 100);
    }
}

TEST(RunSetup, LineWidths)
{
    struct Case {
        const char *utf8;
        bool embedded;
        int width, wide;
    };
    const Case cases[] = {
        {"abc", false, 3, 0},
        {"ab^uあ", false, 3, 0},    // ^u before a full-width character: 3
        {"ab^ux", false, 3, 0},     // before a half-width one: 2
        {"ab^u", false, 2, 0},      // nothing after the code
        {"abcdef^3g", false, 4, 0}, // 9 > 3 + 3: minus 5
        {"ab^3c", false, 5, 0},     // 5 is not above 6
        {"^Bab", false, 1, 1},
        {"^bあ", false, 0, 2},
        {"ab^ocd^bx", false, 3, 2}, // a later mark replaces the earlier one
        {"abcd^", false, 5, 0},     // a "^" in the last byte is no code
        {"ab^", false, 3, 0},       // too short to hold a code
        {"$1図番=F", true, 23, 0},  // =F counts 17 more, the prefix 2 less
        {"$1図番=F", false, 8, 0},
        {"$2作成_f", true, 14, 0},
        {"~~comment", false, 0, 0},
    };
    for (const Case &c : cases) {
        const LineMeasure m = measureLine(sj(c.utf8), c.embedded);
        EXPECT_EQ(m.width, c.width) << c.utf8;
        EXPECT_EQ(m.wideCode, c.wide) << c.utf8;
    }
    EXPECT_TRUE(measureLine("~~x", false).tilde);
}

TEST(RunSetup, WidestLineKeepsTheEarlierOfEqualWidths)
{
    SetupRun r = annotation();
    r.form.memoLines = {"^Babcdef", "abcde", "~~abcdefghij"}; // 8 - 3 = 5, then 5
    r.run();
    EXPECT_EQ(r.m.widest, 5);
    EXPECT_EQ(r.m.wideCode, 1);
    EXPECT_EQ(r.m.memoLines, 3);
    EXPECT_EQ(r.m.countedLines(), 2);
}

TEST(RunSetup, EffectiveSlide)
{
    struct Case {
        int index, lines, slide;
    };
    const Case cases[] = {
        {0, 3, 0}, {2, 1, 2}, {3, 5, 3},             // fixed slides stay
        {4, 1, 0}, {4, 2, 1}, {4, 5, 1},             // 最大１行
        {5, 2, 1}, {5, 3, 2}, {5, 9, 2},             // 最大２行
        {6, 2, 1}, {6, 3, 2}, {6, 4, 3}, {6, 5, 3},  // 最大３行
        {6, 0, 6}, {4, 0, 4},                         // no counted lines: the raw index
    };
    for (const Case &c : cases)
        EXPECT_EQ(effectiveSlide(c.index, c.lines), c.slide) << c.index << " " << c.lines;
}

TEST(RunSetup, FrameWriteOneTakesTheScaleOfTheTextsGroup)
{
    // The selected texts start with "lg1" at line 15: ratio 100 / 100, then line type and layer.
    Session s = sessionFromExchange("selected-texts.jwc_temp.txt", Mode::FrameAll);
    s.form.tiltOn = true;
    const RunResult r = computeOutput(s);
    EXPECT_EQ(r.fault, RunFault::None);
    EXPECT_EQ(r.output.lines(), (Lines{"by1", "lt1", "ly4"}));
    EXPECT_EQ(r.tilt, false);
}

TEST(RunSetup, FrameWriteOneWithoutItsSixteenthLineIsARangeFault)
{
    Session s = sessionFromExchange("selected-texts.jwc_temp.txt", Mode::FrameAll);
    s.exchangeCopy.resize(15);
    const RunResult r = computeOutput(s);
    EXPECT_EQ(r.fault, RunFault::Range);
    EXPECT_TRUE(r.output.empty());
}

TEST(RotatePair, LevelDirectionLeavesAxisPointsWhereTheyAre)
{
    // Rightward and leftward, point 3 level with point 2: no turn at all.
    for (const float x3 : {5000.0f, 1000.0f}) {
        PointF a{3100, 2000}, b{3000, 2000};
        const TurnFlags flags{0, x3 > 3000, 0, 0};
        const float angle = rotatePair(a, b, {3000, 2000}, {3000, 2000}, {x3, 2000}, flags);
        EXPECT_EQ(angle, 0.0f);
        EXPECT_EQ(a.x, 3100.0f);
        EXPECT_EQ(a.y, 2000.0f);
        EXPECT_EQ(b.x, 3000.0f);
        EXPECT_EQ(b.y, 2000.0f);
    }
}

TEST(RotatePair, TurnsByTheSlopeAndKeepsTheDistance)
{
    PointF a{3200, 2000}, b{3000, 2100};
    const float angle = rotatePair(a, b, {3000, 2000}, {3000, 2000}, {4000, 3000}, TurnFlags{0, 1, 1, 0});
    EXPECT_FLOAT_EQ(angle, 45.0f);
    EXPECT_NEAR(a.x, 3000 + 200 / std::sqrt(2.0), 1e-3);
    EXPECT_NEAR(a.y, 2000 + 200 / std::sqrt(2.0), 1e-3);
    EXPECT_NEAR(b.x, 3000 - 100 / std::sqrt(2.0), 1e-3);
    EXPECT_NEAR(b.y, 2000 + 100 / std::sqrt(2.0), 1e-3);
}

TEST(RotateOne, ReturnsTheTiltAndTurnsAboutIndicatedPointTwo)
{
    PointF p{3000, 2100};
    float c = 0, s = 0;
    rotateOne(p, {3000, 2000}, {2000, 3000}, TurnFlags{0, 0, 1, 0}, c, s);
    // Slope 135 degrees read by the arctangent as -45.
    EXPECT_NEAR(c, std::sqrt(0.5), 1e-6);
    EXPECT_NEAR(s, -std::sqrt(0.5), 1e-6);
    EXPECT_NEAR(p.x, 3000 + 100 / std::sqrt(2.0), 1e-3);
    EXPECT_NEAR(p.y, 2000 + 100 / std::sqrt(2.0), 1e-3);
}

TEST(PolarOffset, AddsTheAnglesAndScalesByLengthAndFactor)
{
    const PointF p = polarOffset(30, 100, 60, 0.5);
    EXPECT_NEAR(p.x, 0, 1e-5);
    EXPECT_EQ(p.y, 50.0f);
    const PointF q = polarOffset(180, 8, 0, 2);
    EXPECT_EQ(q.x, -16.0f);
}

TEST(LeaderLength, StoredLengthIsPaperMillimetres)
{
    Session s = sessionFromExchange("annotation.jwc_temp.txt", Mode::Annotation);
    s.exchange.point2Line = "hp2 1820.5 2710.25"; // 300, 400 from point 1 at 1/100
    EXPECT_EQ(leaderLengthForStorage(runInputOf(s), s.output), "5");
    EXPECT_EQ(s.output, (Lines{"lt1", "ly4"}));
    EXPECT_NEAR(double(roundTo10Places(1.23456789012345L)), 1.2345678901, 1e-15);
}

TEST(LeaderLength, ASetUpThatFailsLeavesWhatItWroteInTheOutputList)
{
    Session s = sessionFromExchange("annotation.jwc_temp.txt", Mode::Annotation);
    s.output = {"earlier"};
    s.exchange.point2Line = "hp2 x 2710.25"; // read after the first lines are written
    EXPECT_THROW(leaderLengthForStorage(runInputOf(s), s.output), ConvertError);
    EXPECT_EQ(s.output, (Lines{"earlier", "lt1", "ly4"}));
}

TEST(LeaderLength, RoundsHalfWayLengthsToEven)
{
    // Lengths with eleven decimals ending in 5 lie exactly half-way between two
    // ten-place values.
    struct Case { long double in; double out; };
    const Case cases[] = {
        {2710.14990234375L, 2710.1499023438}, // ...437|5: 7 is odd, up
        {1.00048828125L, 1.0004882812},       // 1 + 2^-11 = ...812|5: 2 is even, down
        {3.00146484375L, 3.0014648438},       // 3 + 3 * 2^-11 = ...437|5: up
        {1.23456789012345L, 1.2345678901},    // not half-way
    };
    for (const Case &c : cases)
        EXPECT_EQ(double(roundTo10Places(c.in)), c.out) << double(c.in);
}

TEST(LeaderLength, StoredLengthOfAHalfWayLeaderAlongAnAxis)
{
    Session s = sessionFromExchange("annotation.jwc_temp.txt", Mode::Annotation);
    // 2710.14990234375 to the right of point 1 (1520.5 2310.25), at 1/100
    s.exchange.point2Line = "hp2 4230.64990234375 2310.25";
    EXPECT_EQ(leaderLengthForStorage(runInputOf(s), s.output), "27.101499023438");
}
