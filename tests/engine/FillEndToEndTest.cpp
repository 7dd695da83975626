// The fill switched on in the golden start directories, read back against the frame
// the same run drew.
#include "exchange/OutputRun.h"
#include "support/RunSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace quillet;
using namespace quillet::test;

namespace {

constexpr long double kGap = 30; // setting 3 at scale 100

Lines runWithFill(const std::string &golden, int slide = -1)
{
    Session s = sessionFromGolden(golden);
    s.form.SpeedButton10 = true;
    s.form.basic.SpinEdit2 = 3;
    s.form.ColorBox2.selectColor(65280);
    if (slide >= 0)
        s.form.ComboBoxEx4 = slide;
    const RunResult r = computeOutput(s);
    EXPECT_EQ(r.fault, RunFault::None);
    return r.output;
}

std::size_t fillAt(const Lines &out)
{
    const auto it = std::find(out.begin(), out.end(), "lc10 65280");
    EXPECT_NE(it, out.end());
    return std::size_t(it - out.begin());
}

struct Box {
    long double x1, y1, x2, y2; // x1 <= x2, y1 <= y2
};

Box boxOf(const std::vector<long double> &v)
{
    Box b{v[0], v[1], v[0], v[1]};
    for (std::size_t i = 0; i + 1 < v.size(); i += 2) {
        b.x1 = std::min(b.x1, v[i]);
        b.x2 = std::max(b.x2, v[i]);
        b.y1 = std::min(b.y1, v[i + 1]);
        b.y2 = std::max(b.y2, v[i + 1]);
    }
    return b;
}

Box boxOfSegments(const Lines &out, std::size_t first, std::size_t count)
{
    std::vector<long double> v;
    for (std::size_t i = first; i < first + count; ++i) {
        const Segment s = segmentOf(out[i]);
        v.insert(v.end(), {s.x1, s.y1, s.x2, s.y2});
    }
    return boxOf(v);
}

} // namespace

TEST(FillEndToEnd, RectangleIsFilledOneGapInsideItsLines)
{
    const Lines out = runWithFill("rectangle-arrow");
    const Box frame = boxOfSegments(out, 3, 4);
    const std::size_t at = fillAt(out);
    const Box fill = boxOf(numbersOf(out.at(at + 1), 3));
    EXPECT_NEAR(fill.x1 - frame.x1, kGap, 1e-3);
    EXPECT_NEAR(frame.x2 - fill.x2, kGap, 1e-3);
    EXPECT_NEAR(fill.y1 - frame.y1, kGap, 1e-3);
    EXPECT_NEAR(frame.y2 - fill.y2, kGap, 1e-3);
    // After the leader and before the text records.
    EXPECT_EQ(out.at(at - 1), " 1520.5 2310.25 3020.5 3810.25");
    EXPECT_EQ(out.at(at + 2).compare(0, 3, "cn\""), 0);
}

TEST(FillEndToEnd, VerticalBracketFillStartsOneGapFromTheBracket)
{
    const Lines out = runWithFill("vertical-bracket");
    const Box bracket = boxOfSegments(out, 3, 3);
    const Box fill = boxOf(numbersOf(out.at(fillAt(out) + 1), 3));
    EXPECT_NEAR(fill.x1 - bracket.x1, kGap, 1e-3);
    EXPECT_NEAR(bracket.x2 - fill.x2, kGap, 1e-3);
    EXPECT_NEAR(fill.y1 - bracket.y1, kGap, 1e-3);
}

TEST(FillEndToEnd, OvalHalfDiscsShareTheArcCentres)
{
    const Lines out = runWithFill("bend-oval-tilt");
    const std::size_t at = fillAt(out);
    for (int end = 0; end < 2; ++end) {
        const auto arc = numbersOf(out.at(std::size_t(5 + end)), 3);
        const auto disc = numbersOf(out.at(at + 2 + std::size_t(end)), 3);
        EXPECT_NEAR(disc[0], arc[0], 1e-3) << end;
        EXPECT_NEAR(disc[1], arc[1], 1e-3) << end;
        EXPECT_NEAR(disc[2], arc[2] - kGap, 1e-3) << end;
    }
}

TEST(FillEndToEnd, TextModeUnderlineWithSlideFillsAboveAndBelow)
{
    const Lines out = runWithFill("textmode-underline", 1);
    const Segment underline = segmentOf(out.at(3));
    const std::size_t at = fillAt(out);
    const Box above = boxOf(numbersOf(out.at(at + 1), 3));
    const Box below = boxOf(numbersOf(out.at(at + 2), 3));
    EXPECT_NEAR(above.y1 - underline.y1, kGap, 1e-3);
    EXPECT_NEAR(underline.y1 - below.y2, kGap, 1e-3);
    for (const Box &b : {above, below}) {
        EXPECT_NEAR(b.x1 - underline.x1, kGap, 1e-3);
        EXPECT_NEAR(underline.x2 - b.x2, kGap, 1e-3);
    }
    // The first written line slid below the underline, the second above it.
    std::vector<long double> ys;
    for (const auto &line : out)
        if (line.compare(0, 3, "ch ") == 0)
            ys.push_back(textOf(line).y);
    ASSERT_EQ(ys.size(), 2u);
    EXPECT_GT(ys[0], below.y1);
    EXPECT_LT(ys[0], below.y2);
    EXPECT_GT(ys[1], above.y1);
    EXPECT_LT(ys[1], above.y2);
}

TEST(FillEndToEnd, FramesAroundTurnedTextsAreFilledInsideEachFrame)
{
    const Lines out = runWithFill("frames-around-texts");
    int frames = 0;
    for (std::size_t i = 0; i + 5 < out.size(); ++i) {
        if (out[i] != "lc10 65280")
            continue;
        ++frames;
        std::vector<long double> corners;
        for (std::size_t k = i - 4; k < i; ++k) {
            const Segment s = segmentOf(out[k]);
            corners.insert(corners.end(), {s.x1, s.y1});
        }
        const auto quad = numbersOf(out[i + 1], 3);
        ASSERT_EQ(quad.size(), 8u);
        auto side = [](const std::vector<long double> &p, int a, int b) {
            return std::hypot(p[std::size_t(2 * a)] - p[std::size_t(2 * b)],
                              p[std::size_t(2 * a + 1)] - p[std::size_t(2 * b + 1)]);
        };
        // Same centre, each side shorter by twice the gap (whatever the scale of its group).
        for (int axis = 0; axis < 2; ++axis) {
            long double cf = 0, cq = 0;
            for (int k = 0; k < 4; ++k) {
                cf += corners[std::size_t(2 * k + axis)] / 4;
                cq += quad[std::size_t(2 * k + axis)] / 4;
            }
            EXPECT_NEAR(cq, cf, 1e-2) << frames;
        }
        const long double along = side(corners, 0, 1) - side(quad, 0, 1);
        const long double across = side(corners, 1, 2) - side(quad, 1, 2);
        EXPECT_GT(along, 0) << frames;
        EXPECT_NEAR(along, across, 1e-2) << frames;
    }
    EXPECT_EQ(frames, 4);
}
