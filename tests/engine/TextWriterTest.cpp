#include "support/EngineFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace quillet;
using namespace quillet::test;

namespace {

Session threeLines()
{
    // Rightward from (2000, 2000); point 1 at lower left, so no turn-back.
    Session s = annotationAt("1000 1000", "2000 2000", "3000 2000");
    s.form.memoLines = {"one", "two", "three"};
    s.form.basic.lineGap = 5; // line gap 0.5: line step (3 + 0.5) * 100
    return s;
}

std::vector<std::string> textsOf(const std::vector<TextRecord> &records)
{
    std::vector<std::string> out;
    for (const auto &r : records)
        out.push_back(r.text);
    return out;
}

} // namespace

TEST(TextWriter, LinesAreWrittenFromTheBottomUp)
{
    const RunResult r = computeOutput(threeLines());
    const Lines &o = r.output.lines();
    ASSERT_EQ(o.size(), 2 + 3 + 3 + 2u);
    EXPECT_EQ(o[2], sj("cn\"$<ＭＳ ゴシック>"));
    EXPECT_EQ(o[3], "cn3");
    EXPECT_EQ(o[4], "ly4");
    EXPECT_EQ(o[5], "ch 2000 2000 849.5 0 \"three");
    EXPECT_EQ(o[6], "ch 2000 2350 849.5 0 \"two");
    EXPECT_EQ(o[7], "ch 2000 2700 849.5 0 \"one");
    EXPECT_EQ(o[8], "lg1");
    EXPECT_EQ(o[9], "ly4");
}

TEST(TextWriter, TildeLinesLeaveNoGap)
{
    Session s = threeLines();
    s.form.memoLines = {"one", "~~note", "three"};
    const auto t = texts(computeOutput(s).output.lines());
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].text, "three");
    EXPECT_EQ(t[0].y, 2000);
    EXPECT_EQ(t[1].text, "one");
    EXPECT_EQ(t[1].y, 2350);
}

TEST(TextWriter, EmptyMemoWritesOnlyOpeningAndClosingRecords)
{
    Session s = threeLines();
    s.form.memoLines.clear();
    const Lines o = computeOutput(s).output.lines();
    EXPECT_EQ(Lines(o.begin() + 3, o.end()), (Lines{"cn3", "ly4", "lg1", "ly4"}));
}

TEST(TextWriter, TextLayerAndFontSwitch)
{
    Session s = threeLines();
    s.form.memoLines = {"x"};
    s.form.basic.textLayer = 11;
    s.form.fontSwitch = 1;
    s.form.selectedFontName = sj("ＭＳ 明朝");
    const Lines o = computeOutput(s).output.lines();
    EXPECT_EQ(Lines(o.begin() + 2, o.end()),
              (Lines{sj("cn\"$<ＭＳ 明朝>"), "cn3", "lya", "ch 2000 2000 149.5 0 \"x",
                     sj("cn\"$<ＭＳ ゴシック>)"), "lg1", "ly4"}));
}

TEST(TextWriter, VerticalFontLeftwardWritesTopDownWithReversedDirection)
{
    Session s = annotationAt("3000 1000", "2000 2000", "1000 2000");
    s.form.memoLines = {"one", "two", "three"};
    s.form.fontSwitch = 1;
    s.form.selectedFontName = sj("@ＭＳ 明朝");
    const Lines o = computeOutput(s).output.lines();
    const auto t = texts(o);
    ASSERT_EQ(textsOf(t), (std::vector<std::string>{"one", "two", "three"}));
    for (std::size_t i = 0; i < t.size(); ++i) {
        EXPECT_EQ(t[i].dx, -849.5);
        EXPECT_EQ(t[i].y - t[0].y, 300.0 * i);
    }
    EXPECT_NE(o.at(5).find(" -849.5 0 \"one"), std::string::npos);
}

TEST(TextWriter, UnderlineSlideJumpsAcrossTheUnderline)
{
    // Slide 1 of three lines without margins: t = (3 + 0.5) * 100 - 50 = 300 below the
    // start, then one line step plus J = -50 up to the lines above the underline.
    Session s = threeLines();
    s.form.frameKind = FrameKind(1);
    s.form.slide = 1;
    const auto t = texts(computeOutput(s).output.lines());
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].text, "three");
    EXPECT_EQ(t[0].y, 1700);
    EXPECT_EQ(t[1].y, 2000);
    EXPECT_EQ(t[2].y, 2350);
}

TEST(TextWriter, EmbeddedLinesAreCountedLikeOtherLines)
{
    Session s = threeLines();
    s.form.frameKind = FrameKind(1);
    s.form.slide = 1;
    s.form.embeddedTextOn = true;
    s.form.memoLines = {"one", "$2%y", "three"};
    const auto t = texts(computeOutput(s).output.lines());
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[1].y, 2000);
    EXPECT_EQ(t[2].y, 2350);
}

TEST(TextWriter, TiltedTextRunsAlongTheSlope)
{
    // Level direction: the start stays and the direction is the unit x vector.
    Session s = annotationAt("1000 1000", "2000 2000", "3000 2000");
    s.form.tiltOn = true;
    EXPECT_EQ(texts(computeOutput(s).output.lines()).at(0).text, "W=300");
    EXPECT_EQ(computeOutput(s).output.lines().at(5), "ch 2000 2000 1 0 \"W=300");

    // 45 degrees, top line attached: the start (2000, 1700) turns about point 2.
    s.exchange.point3Line = "hp3 3000 3000";
    s.form.attachPosition = 0;
    const TextRecord t = texts(computeOutput(s).output.lines()).at(0);
    EXPECT_NEAR(t.dx, std::sqrt(0.5), 1e-6);
    EXPECT_NEAR(t.dy, std::sqrt(0.5), 1e-6);
    EXPECT_NEAR(t.x, 2000 + 300 * std::sqrt(0.5), 1e-3);
    EXPECT_NEAR(t.y, 2000 - 300 * std::sqrt(0.5), 1e-3);
}

TEST(TextWriter, VerticalFontKeepsADirectionNarrowerThanTheSpacingANumber)
{
    // At 1/1 a one-character line of kind 3 with a spacing of 4 leaves a direction
    // length w = 1.5 + 2 - 4 = -2.5. The vertical font reverses it; the record must
    // still carry a number there, not "--2.5".
    struct Case {
        const char *p3;
        const char *direction;
    };
    const Case cases[] = {
        {"1000 2000", " 2.5 0 \"A"},   // horizontal, leftward
        {"3000 2000", " -2.5 0 \"A"},  // horizontal, rightward: not reversed
        {"2000 3000", "  0 2.5 \"A"},  // vertical
    };
    for (const Case &c : cases) {
        Session s = annotationAt("3000 1000", "2000 2000", c.p3);
        s.exchange.scaleLine = "hs 1 1 50 50 20 1 1 1 1 50 50 1 50 50 50 1";
        s.exchange.spacingLine = "hcd 0 0 4 0.5 0.5 0.5 1 1 1 1";
        s.form.memoLines = {"A"};
        s.form.fontSwitch = 1;
        s.form.selectedFontName = sj("@ＭＳ 明朝");
        const RunResult r = computeOutput(s);
        ASSERT_EQ(r.fault, RunFault::None) << c.p3;
        const Lines out = r.output.lines();
        const auto record = *std::find_if(out.begin(), out.end(),
                                          [](const std::string &l) { return l.compare(0, 3, "ch ") == 0; });
        EXPECT_NE(record.find(c.direction), std::string::npos) << c.p3 << ": " << record;
        EXPECT_EQ(record.find("--"), std::string::npos) << record;
    }
}

TEST(TextWriter, LineStepIsSummedInExtendedPrecision)
{
    // Character height 2.2 (64-bit) plus the 32-bit line gap 8.6000003814697265625
    // is 10.80000038146972673..., which times the scale 20 lies 3.6e-15 above the
    // midpoint 216 + 2^-17 between the 32-bit neighbours 216 and 216.0000152587890625,
    // so the step stores as the upper one. Summed in 64 bits first, the height and gap
    // give 10.800000381469726 and a product just below the midpoint: a step of 216.
    Session s = annotationAt("-1000 -1000", "0 0", "1000 0");
    s.exchange.scaleLine = "hs 100 20 50 50 20 1 1 1 1 50 50 1 50 50 50 1";
    s.exchange.textKindLine = "cn0 4 2.2 0 2";
    s.form.basic.lineGap = 86;
    s.form.memoLines = {"B", "A"};
    const Lines o = computeOutput(s).output.lines();
    const auto first = std::find(o.begin(), o.end(), "ch 0 0 40 0 \"A");
    ASSERT_NE(first, o.end());
    ASSERT_NE(first + 1, o.end());
    EXPECT_EQ(*(first + 1), "ch 0 216.000015258789 40 0 \"B");
}
