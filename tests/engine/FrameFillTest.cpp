#include "engine/Frames.h"
#include "exchange/OutputRun.h"
#include "support/PassFixture.h"
#include "support/RunSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace quillet;
using namespace quillet::test;

namespace {

struct Flags {
    int vertical = 0, rightward = 1, upward = 1, point2Left = 0, point2Below = 0, turnBack = 0;
};

// Scale 10 and gap setting 5: g = 5 drawing units. Fill colour: red (255).
Pass fillPass(int kind, const Flags &f, PointF p2, PointF far, Mode mode = Mode::Annotation)
{
    Pass p(mode);
    p.form.SpeedButton10 = true;
    p.form.ComboBoxEx2 = kind;
    p.form.ColorBox2.selectColor(255);
    p.form.basic.SpinEdit2 = 5;
    p.m.scale = 10;
    p.m.p2 = p.m.indicated2 = p2;
    p.g.fx = far.x;
    p.g.fy = far.y;
    p.g.vertical = f.vertical;
    p.g.rightward = f.rightward;
    p.g.upward = f.upward;
    p.g.point2Left = f.point2Left;
    p.g.point2Below = f.point2Below;
    p.g.turnBack = f.turnBack;
    return p;
}

Lines fill(Pass &p)
{
    EngineRun e = p.run();
    writeFill(e);
    return p.output;
}

struct Point {
    long double x, y;
};

std::vector<Point> pointsOf(const std::string &record)
{
    const auto v = numbersOf(record, 3);
    std::vector<Point> pts;
    for (std::size_t i = 0; i + 1 < v.size(); i += 2)
        pts.push_back({v[i], v[i + 1]});
    return pts;
}

} // namespace

TEST(Fill, ButtonUpWritesNothing)
{
    Pass p = fillPass(2, {}, {100, 200}, {300, 260});
    p.form.SpeedButton10 = false;
    EXPECT_TRUE(fill(p).empty());
}

TEST(Fill, RectangleInsetByTheGapPerLayout)
{
    struct Case {
        const char *name;
        int kind;
        Flags flags;
        PointF p2, far;
        const char *quad;
    };
    const Case cases[] = {
        {"rectangle, rightward", 2, {}, {100, 200}, {300, 260}, "sl 105 205 295 205 295 255 105 255"},
        {"rectangle, leftward", 2, {0, 0, 1, 0, 0, 0}, {300, 200}, {100, 260}, "sl 295 205 105 205 105 255 295 255"},
        {"rectangle, vertical upward", 2, {1, 1, 1, 1, 0, 0}, {300, 100}, {240, 300},
         "sl 295 105 245 105 245 295 295 295"},
        {"rectangle, vertical downward", 7, {1, 1, 0, 1, 0, 0}, {300, 300}, {240, 100},
         "sl 295 295 245 295 245 105 295 105"},
        {"no frame turned back below point 2", 0, {0, 1, 1, 1, 1, 1}, {100, 200}, {300, 140},
         "sl 105 195 295 195 295 145 105 145"},
        {"bracket turned back, vertical", 4, {1, 1, 0, 0, 0, 1}, {100, 300}, {160, 100},
         "sl 105 295 155 295 155 105 105 105"},
        // The same directions without the turn-back: the frame stayed on its side.
        {"no turn-back, fill stays inside", 2, {0, 1, 1, 1, 1, 0}, {100, 200}, {300, 260},
         "sl 105 205 295 205 295 255 105 255"},
    };
    for (const Case &c : cases) {
        Pass p = fillPass(c.kind, c.flags, c.p2, c.far);
        EXPECT_EQ(fill(p), (Lines{"lc10 255", c.quad})) << c.name;
    }
}

TEST(Fill, ColourBoxCustomEntryAndNoSelection)
{
    Pass custom = fillPass(2, {}, {100, 200}, {300, 260});
    custom.form.ColorBox2.selectColor(1193046);
    EXPECT_EQ(fill(custom).front(), "lc10 1193046");
    Pass none = fillPass(2, {}, {100, 200}, {300, 260});
    none.form.ColorBox2.selectItem(-1);
    EXPECT_EQ(fill(none).front(), "lc10 0");
}

TEST(Fill, UnderlineRectangles)
{
    // Slide 1 with margin 4 and pre-shift 30: the lines above end 30 - 8 short of the
    // far corner; the slid line gets its own rectangle below the underline.
    Pass slid = fillPass(1, {}, {100, 200}, {300, 290});
    slid.m.slide = 1;
    slid.g.textMargin = 4;
    slid.g.slideShift = 30;
    EXPECT_EQ(fill(slid), (Lines{"lc10 255", "sl 105 205 295 205 295 268 105 268", "sl 105 170 295 170 295 195 105 195"}));

    // A leader from above across the text: the fill keeps the frame width back from the far end.
    Pass crossed = fillPass(1, {0, 1, 1, 1, 1, 0}, {100, 200}, {320, 260});
    crossed.m.frameWidth = 150;
    EXPECT_EQ(fill(crossed), (Lines{"lc10 255", "sl 170 205 315 205 315 255 170 255"}));

    // The extended underline fills up to the far edge from before the underline moved.
    Pass extended = fillPass(6, {}, {100, 200}, {300, 999});
    extended.g.fy0 = 260;
    EXPECT_EQ(fill(extended), (Lines{"lc10 255", "sl 105 205 295 205 295 255 105 255"}));

    // Frame modes have no text placement: the slide values count as 0.
    Pass frameMode = fillPass(1, {}, {100, 200}, {300, 290}, Mode::FrameEach);
    frameMode.m.slide = 1;
    frameMode.g.textMargin = 4;
    frameMode.g.slideShift = 30;
    EXPECT_EQ(fill(frameMode)[1], "sl 105 205 295 205 295 290 105 290");
}

TEST(Fill, OvalMiddleAndHalfDiscs)
{
    Pass across = fillPass(3, {}, {100, 200}, {300, 260});
    across.g.ovalInnerEnd = 270;
    across.g.ovalRadius = 30;
    EXPECT_EQ(fill(across), (Lines{"lc10 255", "sl 100 205 270 205 270 255 100 255",
                                   "sc 100 230 25 1 0 1.5708 3.1416 5", "sc 270 230 25 1 0 -1.5708 3.1416 5"}));

    Pass up = fillPass(8, {1, 1, 1, 0, 0, 0}, {100, 100}, {160, 300});
    up.g.ovalInnerEnd = 270;
    up.g.ovalRadius = 30;
    EXPECT_EQ(fill(up), (Lines{"lc10 255", "sl 105 100 155 100 155 270 105 270",
                               "sc 130 100 25 1 0 -3.1416 3.1416 5", "sc 130 270 25 1 0 0 3.1416 5"}));

    // No gap: the discs take the oval's own radius.
    Pass touching = fillPass(3, {0, 0, 1, 0, 1, 0}, {300, 200}, {100, 140});
    touching.form.basic.SpinEdit2 = 0;
    touching.g.ovalInnerEnd = 130;
    touching.g.ovalRadius = 30;
    EXPECT_EQ(fill(touching), (Lines{"lc10 255", "sl 300 200 130 200 130 140 300 140",
                                     "sc 300 170 30 1 0 -1.5708 3.1416 5", "sc 130 170 30 1 0 1.5708 3.1416 5"}));
}

TEST(Fill, TiltTurnsTheRectangleAboutIndicatedPoint2)
{
    // Slope 3-4-5: (105, 205) is (5, 5) from the centre and turns to (1, 7).
    Pass p = fillPass(2, {}, {100, 200}, {300, 260});
    p.form.SpeedButton11 = true;
    p.m.p3 = {140, 230};
    const Lines out = fill(p);
    ASSERT_EQ(out.size(), 2u);
    const auto pts = pointsOf(out[1]);
    const Point expected[] = {{101, 207}, {253, 321}, {223, 361}, {71, 247}};
    ASSERT_EQ(pts.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(pts[i].x, expected[i].x, 2e-3) << i;
        EXPECT_NEAR(pts[i].y, expected[i].y, 2e-3) << i;
    }
}

namespace {

// A cloud rectangle from (100, 200) to (300, 300) with its gap up to x = 150, and
// point 1 placed so that the wedge runs along a 3-4-5 slope.
Pass cloudPass(int kind)
{
    Pass p = fillPass(kind, {0, 1, 1, 0, 0, 1}, {90, 190}, {310, 310});
    p.g.frameNear = {100, 200};
    p.g.frameFar = {300, 300};
    p.g.gapEnd = {150, 200};
    p.m.p1 = {65, 120};
    p.m.leaderLong = 1;
    return p;
}

} // namespace

TEST(Fill, CloudBumpsShrinkAndMoveInward)
{
    Pass p = cloudPass(11);
    p.m.leaderLong = 0;
    p.g.bumps = {{{150, 310}, 20, '4', "0", "0.5"},
                 {{120, 190}, 15, '2', "-3.1416", "0.5"},
                 {{95, 250}, 25, '1', "1.5708", "0.65"},
                 {{305, 250}, 25, '3', "-1.5708", "0.65"}};
    const Lines out = fill(p);
    ASSERT_EQ(out.size(), 6u);
    EXPECT_EQ(out[1], "sl 105 205 295 205 295 295 105 295");
    const char *expected[] = {"sc 150 305 16.25 ", "sc 120 195 11.25 ", "sc 100 250 21.25 ", "sc 300 250 21.25 "};
    const char *tails[] = {" 0 0 3.1416 5", " -3.1416 0 3.1416 5", " 1.5708 0 3.1416 5", " -1.5708 0 3.1416 5"};
    // Flatness 0.5 + g / S / 18 on the long sides, 0.65 + g / S / 8 on the ends.
    const long double flatness[] = {0.5L + 0.5L / 18, 0.5L + 0.5L / 18, 0.7125L, 0.7125L};
    for (int i = 0; i < 4; ++i) {
        const std::string &rec = out[std::size_t(2 + i)];
        EXPECT_EQ(rec.compare(0, std::strlen(expected[i]), expected[i]), 0) << rec;
        EXPECT_EQ(rec.substr(rec.size() - std::strlen(tails[i])), tails[i]) << rec;
        EXPECT_NEAR(numbersOf(rec, 3).at(3), flatness[i], 1e-7) << rec;
    }
}

TEST(Fill, BalloonWedgeJoinsTheGapToPoint1)
{
    Pass p = cloudPass(10);
    const Lines out = fill(p);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[1], "sl 105 205 295 205 295 295 105 295");
    // Tip 5g = 25 from point 1 towards the middle of the wedge base (125, 200).
    const auto tri = pointsOf(out[2]);
    ASSERT_EQ(tri.size(), 3u);
    EXPECT_NEAR(tri[0].x, 80, 1e-3);
    EXPECT_NEAR(tri[0].y, 140, 1e-3);
    EXPECT_EQ(out[2].substr(out[2].find(" 106.5")), " 106.5 200 143.5 200");
    EXPECT_EQ(out[3], "sl 106.5 200 143.5 200 145 205 105 205");
    // The leader vector now aims at the middle of the wedge base.
    EXPECT_DOUBLE_EQ(p.m.dx, 60);
    EXPECT_DOUBLE_EQ(p.m.dy, 80);

    Pass noLeader = cloudPass(10);
    noLeader.m.leaderLong = 0;
    EXPECT_EQ(fill(noLeader).size(), 2u);
}

TEST(Fill, CurvedLeaderUsesPoint2AndACloudWideGap)
{
    // Widest line 4, frame width 340: the gap is 2 * 340 / 4 / 1.7 = 100; g = 10.
    Pass p = fillPass(13, {0, 1, 1, 0, 0, 0}, {100, 200}, {300, 300});
    p.form.basic.SpinEdit2 = 10;
    p.m.widest = 4;
    p.m.frameWidth = 340;
    p.m.leaderLong = 1;
    p.m.p1 = {-150, -200};
    const Lines out = fill(p);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[1], "sl 110 210 290 210 290 290 110 290");
    EXPECT_EQ(out[3], "sl 113 200 187 200 190 210 110 210");
    const auto tri = pointsOf(out[2]);
    EXPECT_NEAR(tri[0].x, -120, 1e-3);
    EXPECT_NEAR(tri[0].y, -160, 1e-3);
}

TEST(Fill, TiltedCloudBumpsTurnWithTheFrame)
{
    Pass p = cloudPass(11);
    p.m.leaderLong = 0;
    p.form.SpeedButton11 = true;
    p.m.indicated2 = {100, 200};
    p.m.p3 = {140, 230};
    p.g.bumps = {{{150, 310}, 20, '4', "0", "0.5"}};
    const Lines out = fill(p);
    ASSERT_EQ(out.size(), 3u);
    const auto v = numbersOf(out[2], 3);
    // (150, 305) is (50, 105) from c0 and turns to (100 + 40 - 63, 200 + 30 + 84).
    EXPECT_NEAR(v[0], 77, 2e-3);
    EXPECT_NEAR(v[1], 314, 2e-3);
    EXPECT_NEAR(v[4], std::atan(0.75L), 1e-6);
}

TEST(Fill, TextModeTurnsCloudBumpsAboutIndicatedPoint2LikeTheCloud)
{
    Pass p = cloudPass(11);
    p.ctx.mode = Mode::TextMode;
    p.m.leaderLong = 0;
    p.form.SpeedButton11 = true;
    p.m.indicated2 = {0, 0};
    p.m.p3 = {40, 30};
    p.g.bumps = {{{150, 310}, 20, '4', "0", "0.5"}};
    const Lines out = fill(p);
    ASSERT_EQ(out.size(), 3u);
    const auto v = numbersOf(out[2], 3);
    // (150, 305) turned about the origin: (120 - 183, 90 + 244).
    EXPECT_NEAR(v[0], -63, 2e-3);
    EXPECT_NEAR(v[1], 334, 2e-3);
}

TEST(Fill, GoldenCloudFillMatchesByteForByte)
{
    const Session s = sessionFromGolden("cloud-fill");
    const RunResult r = computeOutput(s);
    EXPECT_EQ(r.fault, RunFault::None);
    EXPECT_EQ(r.output, goldenExpected("cloud-fill"));
}
