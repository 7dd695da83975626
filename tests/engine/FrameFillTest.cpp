#include "support/EngineFixture.h"
#include "engine/Frames.h"
#include "program/CompleteInput.h"
#include "support/RunSupport.h"
#include "base/Errors.h"
#include "base/Number.h"
#include "geometry/Turning.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quillet;
using namespace quillet::test;

namespace {

struct Flags {
    int vertical = 0, rightward = 1, upward = 1, point2Left = 0, point2Below = 0, turnBack = 0;
};

// Scale 10 and gap setting 5: g = 5 drawing units. Fill colour: red (255).
EngineProbe fillPass(int kind, const Flags &f, PointF p2, PointF far, Mode mode = Mode::Annotation)
{
    EngineProbe p(mode);
    p.form.fillOn = true;
    p.form.frameKind = FrameKind(kind);
    p.form.fillColour.selectColor(255);
    p.form.basic.fillGap = 5;
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

Lines fill(EngineProbe &p)
{
    EngineRun e = p.run();
    writeFill(e);
    return p.output.lines();
}

// A cloud rectangle from (100, 200) to (300, 300) with its gap up to x = 150, and
// point 1 where the wedge runs along a 3-4-5 slope to the middle of its base.
EngineProbe cloudPass(int kind)
{
    EngineProbe p = fillPass(kind, {0, 1, 1, 0, 0, 1}, {90, 190}, {310, 310});
    p.g.frameNear = {100, 200};
    p.g.frameFar = {300, 300};
    p.g.gapEnd = {150, 200};
    p.m.p1 = {65, 120};
    p.m.leaderLong = 1;
    return p;
}

void expectPoint(const std::string &record, std::size_t index, long double x, long double y)
{
    const auto v = numbersOf(record, 3);
    EXPECT_NEAR(v.at(2 * index), x, 2e-3) << record;
    EXPECT_NEAR(v.at(2 * index + 1), y, 2e-3) << record;
}

} // namespace

TEST(Fill, RectangleInsetByTheGapPerLayout)
{
    struct Case {
        int kind;
        Flags flags;
        PointF p2, far;
        const char *quad;
    };
    const Case cases[] = {
        {2, {}, {100, 200}, {300, 260}, "sl 105 205 295 205 295 255 105 255"},
        {2, {0, 0, 1, 0, 0, 0}, {300, 200}, {100, 260}, "sl 295 205 105 205 105 255 295 255"},
        {2, {1, 1, 1, 1, 0, 0}, {300, 100}, {240, 300}, "sl 295 105 245 105 245 295 295 295"},
        {7, {1, 1, 0, 1, 0, 0}, {300, 300}, {240, 100}, "sl 295 295 245 295 245 105 295 105"},
        // Turned back onto point 1's side: the inset follows the frame.
        {0, {0, 1, 1, 1, 1, 1}, {100, 200}, {300, 140}, "sl 105 195 295 195 295 145 105 145"},
        {4, {1, 1, 0, 0, 0, 1}, {100, 300}, {160, 100}, "sl 105 295 155 295 155 105 105 105"},
        // The same directions without the turn-back: the frame, and the fill, stay put.
        {2, {0, 1, 1, 1, 1, 0}, {100, 200}, {300, 260}, "sl 105 205 295 205 295 255 105 255"},
        // The text mode down the page (point 1 on point 2, upward equal to below) is
        // never turned back either.
        {2, {1, 1, 0, 0, 0, 0}, {300, 300}, {240, 100}, "sl 295 295 245 295 245 105 295 105"},
    };
    for (const Case &c : cases) {
        EngineProbe p = fillPass(c.kind, c.flags, c.p2, c.far);
        EXPECT_EQ(fill(p), (Lines{"lc10 255", c.quad})) << c.quad;
    }
}

TEST(Fill, UnderlineRectangles)
{
    // Slide 1, margin 4, pre-shift 30: the upper part ends 30 - 8 short of the far
    // corner and the slid line gets its own rectangle below the underline.
    EngineProbe slid = fillPass(1, {}, {100, 200}, {300, 290});
    slid.m.slide = 1;
    slid.g.textMargin = 4;
    slid.g.slideShift = 30;
    EXPECT_EQ(fill(slid), (Lines{"lc10 255", "sl 105 205 295 205 295 268 105 268", "sl 105 170 295 170 295 195 105 195"}));

    // A leader from above across the text: the fill keeps the frame width back from the far end.
    EngineProbe crossed = fillPass(1, {0, 1, 1, 1, 1, 0}, {100, 200}, {320, 260});
    crossed.m.frameWidth = 150;
    EXPECT_EQ(fill(crossed)[1], "sl 170 205 315 205 315 255 170 255");

    // The extended underline reaches the far edge from before the underline moved.
    EngineProbe extended = fillPass(6, {}, {100, 200}, {300, 999});
    extended.g.fy0 = 260;
    EXPECT_EQ(fill(extended)[1], "sl 105 205 295 205 295 255 105 255");
}

TEST(Fill, OvalMiddleAndHalfDiscs)
{
    EngineProbe across = fillPass(3, {}, {100, 200}, {300, 260});
    across.g.ovalInnerEnd = 270;
    across.g.ovalRadius = 30;
    EXPECT_EQ(fill(across), (Lines{"lc10 255", "sl 100 205 270 205 270 255 100 255",
                                   "sc 100 230 25 1 0 1.5708 3.1416 5", "sc 270 230 25 1 0 -1.5708 3.1416 5"}));

    EngineProbe up = fillPass(8, {1, 1, 1, 0, 0, 0}, {100, 100}, {160, 300});
    up.g.ovalInnerEnd = 270;
    up.g.ovalRadius = 30;
    EXPECT_EQ(fill(up), (Lines{"lc10 255", "sl 105 100 155 100 155 270 105 270",
                               "sc 130 100 25 1 0 -3.1416 3.1416 5", "sc 130 270 25 1 0 0 3.1416 5"}));
}

TEST(Fill, CloudBumpsAndTheWedge)
{
    EngineProbe p = cloudPass(11);
    p.g.bumps = {{{150, 310}, 20, '4', "0", "0.5", 0}, {{120, 190}, 15, '2', "-3.1416", "0.5", 1},
                 {{95, 250}, 25, '1', "1.5708", "0.65", 2}, {{305, 250}, 25, '3', "-1.5708", "0.65", 3}};
    const Lines out = fill(p);
    ASSERT_EQ(out.size(), 8u);
    EXPECT_EQ(out[1], "sl 105 205 295 205 295 295 105 295");
    // Each bump pushed g inward and shrunk by 0.75g; flatness 0.5 + g/S/18 or 0.65 + g/S/8.
    const std::pair<const char *, const char *> bumps[] = {{"sc 150 305 16.25 ", " 0 0 3.1416 5"},
                                                           {"sc 120 195 11.25 ", " -3.1416 0 3.1416 5"},
                                                           {"sc 100 250 21.25 ", " 1.5708 0 3.1416 5"},
                                                           {"sc 300 250 21.25 ", " -1.5708 0 3.1416 5"}};
    const long double flatness[] = {0.5L + 0.5L / 18, 0.5L + 0.5L / 18, 0.7125L, 0.7125L};
    for (std::size_t i = 0; i < 4; ++i) {
        const std::string &rec = out[2 + i];
        const std::string head = bumps[i].first, tail = bumps[i].second;
        EXPECT_EQ(rec.substr(0, head.size()), head);
        EXPECT_EQ(rec.substr(rec.size() - tail.size()), tail);
        EXPECT_NEAR(numbersOf(rec, 3).at(3), flatness[i], 1e-7) << rec;
    }
    // Tip 5g = 25 from point 1 towards (125, 200), the middle of the wedge base.
    expectPoint(out[6], 0, 80, 140);
    EXPECT_EQ(out[6].substr(out[6].find(" 106.5")), " 106.5 200 143.5 200");
    EXPECT_EQ(out[7], "sl 106.5 200 143.5 200 145 205 105 205");
    EXPECT_DOUBLE_EQ(p.m.dx, 60);
    EXPECT_DOUBLE_EQ(p.m.dy, 80);

    EngineProbe noLeader = cloudPass(10);
    noLeader.m.leaderLong = 0;
    EXPECT_EQ(fill(noLeader).size(), 2u);
}

TEST(Fill, CurvedLeaderUsesPoint2AndACloudWideGap)
{
    // Widest line 4, frame width 340: the gap is 2 * 340 / 4 / 1.7 = 100; g = 10.
    EngineProbe p = fillPass(13, {}, {100, 200}, {300, 300});
    p.form.basic.fillGap = 10;
    p.m.widest = 4;
    p.m.frameWidth = 340;
    p.m.leaderLong = 1;
    p.m.p1 = {-150, -200};
    const Lines out = fill(p);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[1], "sl 110 210 290 210 290 290 110 290");
    expectPoint(out[2], 0, -120, -160);
    EXPECT_EQ(out[3], "sl 113 200 187 200 190 210 110 210");
}

TEST(Fill, TiltTurnsAboutTheFrameCentre)
{
    // Slope 3-4-5. Rectangle about indicated point 2: (105, 205) is (5, 5) from it
    // and turns to (1, 7).
    EngineProbe rect = fillPass(2, {}, {100, 200}, {300, 260});
    rect.form.tiltOn = true;
    rect.m.p3 = {140, 230};
    const Lines quad = fill(rect);
    const long double corners[4][2] = {{101, 207}, {253, 321}, {223, 361}, {71, 247}};
    for (std::size_t i = 0; i < 4; ++i)
        expectPoint(quad.at(1), i, corners[i][0], corners[i][1]);

    // Cloud bumps about c0 in the annotation mode, about indicated point 2 (here the
    // origin) in the text mode and frame write 2, as the cloud itself turns; the tilt
    // gains the slope.
    for (const Mode mode : {Mode::Annotation, Mode::TextMode, Mode::FrameEach}) {
        EngineProbe p = cloudPass(11);
        p.ctx.mode = mode;
        p.m.leaderLong = 0;
        p.form.tiltOn = true;
        p.m.indicated2 = {0, 0};
        p.m.p3 = {40, 30};
        p.g.bumps = {{{150, 310}, 20, '4', "0", "0.5", 0}};
        const Lines out = fill(p);
        ASSERT_EQ(out.size(), 3u);
        if (mode == Mode::Annotation)
            expectPoint(out[2], 0, 77, 314); // (50, 105) from c0 turns to (-23, 114)
        else
            expectPoint(out[2], 0, -63, 334); // (150, 305) turns to (120 - 183, 90 + 244)
        EXPECT_NEAR(numbersOf(out[2], 3).at(4), std::atan(0.75L), 1e-6);
    }
}

// A tilted cloud's bumps are turned ahead of their lines, two at a time, where turning
// cannot fail. Whichever bumps are turned together, and wherever a bump too far out for
// that breaks the run, every line must hold its own bump turned on its own, and a bump
// that cannot be turned must end the fill after the lines before it.
TEST(Fill, TiltedCloudBumpsEachTurnedAsAlone)
{
    struct Case {
        std::size_t count;
        int odd;        // the bump at this index is far out; -1: none
        bool overflows; // far enough that turning it overflows
    };
    const Case cases[] = {{1, -1, false}, {2, -1, false}, {5, -1, false}, {9, -1, false}, {9, 0, false},
                          {9, 1, false},  {9, 2, false},  {9, 3, false},  {9, 8, false},  {6, 4, false},
                          {9, 0, true},   {9, 3, true},   {9, 4, true},   {9, 8, true}};
    for (const Case &c : cases) {
        EngineProbe p = cloudPass(11);
        p.m.leaderLong = 0;
        p.form.tiltOn = true;
        p.m.p3 = {140, 130};
        for (std::size_t i = 0; i < c.count; ++i) {
            PointF at{110 + 9.5f * float(i), 310 - 3.25f * float(i % 3)};
            if (int(i) == c.odd)
                at = c.overflows ? PointF{3e38f, 3e38f} : PointF{2e37f, 300};
            p.g.bumps.push_back({at, 7, '4', "0", "0.5", int(i % 2)});
        }
        const std::string name = std::to_string(c.count) + " bumps, far out " + std::to_string(c.odd) +
                                 (c.overflows ? " (overflows)" : "");
        EngineRun e = p.run();
        if (c.overflows)
            EXPECT_THROW(writeFill(e), OverflowError) << name;
        else
            writeFill(e);
        const Lines out = p.output.lines();
        const std::size_t written = c.overflows ? std::size_t(c.odd) : c.count;
        ASSERT_EQ(out.size(), 2 + written) << name;
        for (std::size_t i = 0; i < written; ++i) {
            PointF centre = p.g.bumps[i].centre, unused{1, 1};
            centre.y -= 5; // pushed in by the gap, downward from the top side
            rotatePair(centre, unused, p.g.frameNear, p.m.indicated2, p.m.p3, p.g.turnFlags());
            const std::string head = "sc " + formatFloat(centre.x) + " " + formatFloat(centre.y) + " ";
            EXPECT_EQ(out[2 + i].substr(0, head.size()), head) << name << ", bump " << i;
        }
    }
}

TEST(Fill, GoldenCloudFillMatchesByteForByte)
{
    const RunResult r = computeOutput(sessionFromGolden("cloud-fill"));
    EXPECT_EQ(r.fault, RunFault::None);
    EXPECT_EQ(r.output.lines(), goldenExpected("cloud-fill"));
}
