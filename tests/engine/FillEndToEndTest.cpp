// The fill switched on in golden start directories, read back against the frame the
// same run drew.
#include "program/CompleteInput.h"
#include "support/RunSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace quillet;
using namespace quillet::test;

namespace {

constexpr long double kGap = 30; // setting 3 at scale 100

Lines runWithFill(const std::string &golden, int slide = 0)
{
    Session s = sessionFromGolden(golden);
    s.form.fillOn = true;
    s.form.basic.fillGap = 3;
    s.form.fillColour.selectColor(65280);
    s.form.slide = slide;
    const RunResult r = computeOutput(s);
    EXPECT_EQ(r.fault, RunFault::None);
    return r.output.lines();
}

std::size_t fillAt(const Lines &out)
{
    return std::size_t(std::find(out.begin(), out.end(), "lc10 65280") - out.begin());
}

struct Box {
    long double x1, y1, x2, y2;
};

Box boxOf(const std::vector<long double> &v)
{
    Box b{v.at(0), v.at(1), v.at(0), v.at(1)};
    for (std::size_t i = 0; i + 1 < v.size(); i += 2) {
        b = {std::min(b.x1, v[i]), std::min(b.y1, v[i + 1]), std::max(b.x2, v[i]), std::max(b.y2, v[i + 1])};
    }
    return b;
}

void expectInset(const Box &outer, const Box &inner)
{
    EXPECT_NEAR(inner.x1 - outer.x1, kGap, 1e-3);
    EXPECT_NEAR(outer.x2 - inner.x2, kGap, 1e-3);
    EXPECT_NEAR(inner.y1 - outer.y1, kGap, 1e-3);
    EXPECT_NEAR(outer.y2 - inner.y2, kGap, 1e-3);
}

} // namespace

TEST(FillEndToEnd, RectangleIsFilledOneGapInsideItsLinesBeforeTheText)
{
    const Lines out = runWithFill("rectangle-arrow");
    std::vector<long double> frame;
    for (std::size_t i = 3; i < 7; ++i) {
        const Segment s = segmentOf(out[i]);
        frame.insert(frame.end(), {s.x1, s.y1, s.x2, s.y2});
    }
    const std::size_t at = fillAt(out);
    ASSERT_LT(at + 2, out.size());
    expectInset(boxOf(frame), boxOf(numbersOf(out[at + 1], 3)));
    EXPECT_EQ(out[at - 1], " 1520.5 2310.25 3020.5 3810.25"); // after the leader
    EXPECT_EQ(out[at + 2].compare(0, 3, "cn\""), 0);          // before the text
}

TEST(FillEndToEnd, OvalHalfDiscsShareTheArcCentres)
{
    const Lines out = runWithFill("bend-oval-tilt");
    const std::size_t at = fillAt(out);
    for (std::size_t end = 0; end < 2; ++end) {
        const auto arc = numbersOf(out.at(5 + end), 3);
        const auto disc = numbersOf(out.at(at + 2 + end), 3);
        EXPECT_NEAR(disc[0], arc[0], 1e-3);
        EXPECT_NEAR(disc[1], arc[1], 1e-3);
        EXPECT_NEAR(disc[2], arc[2] - kGap, 1e-3);
    }
}

TEST(FillEndToEnd, TextModeUnderlineWithSlideFillsAboveAndBelowAroundItsLines)
{
    const Lines out = runWithFill("textmode-underline", 1);
    const Segment u = segmentOf(out.at(3));
    const std::size_t at = fillAt(out);
    const Box above = boxOf(numbersOf(out.at(at + 1), 3)), below = boxOf(numbersOf(out.at(at + 2), 3));
    EXPECT_NEAR(above.y1 - u.y1, kGap, 1e-3);
    EXPECT_NEAR(u.y1 - below.y2, kGap, 1e-3);
    for (const Box &b : {above, below}) {
        EXPECT_NEAR(b.x1 - u.x1, kGap, 1e-3);
        EXPECT_NEAR(u.x2 - b.x2, kGap, 1e-3);
    }
    // The first written line slid below the underline, the second stays above it.
    std::vector<long double> ys;
    for (const auto &line : out)
        if (line.compare(0, 3, "ch ") == 0)
            ys.push_back(textOf(line).y);
    ASSERT_EQ(ys.size(), 2u);
    EXPECT_TRUE(ys[0] > below.y1 && ys[0] < below.y2) << ys[0];
    EXPECT_TRUE(ys[1] > above.y1 && ys[1] < above.y2) << ys[1];
}

TEST(FillEndToEnd, FramesAroundTurnedTextsAreFilledInsideEachFrame)
{
    const Lines out = runWithFill("frames-around-texts");
    int frames = 0;
    for (std::size_t i = 4; i + 1 < out.size(); ++i) {
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
        auto side = [](const std::vector<long double> &p, std::size_t a, std::size_t b) {
            return std::hypot(p[2 * a] - p[2 * b], p[2 * a + 1] - p[2 * b + 1]);
        };
        // Same centre; each side shorter by twice the gap of the frame's own scale.
        for (std::size_t axis = 0; axis < 2; ++axis) {
            long double cf = 0, cq = 0;
            for (std::size_t k = 0; k < 4; ++k) {
                cf += corners[2 * k + axis] / 4;
                cq += quad[2 * k + axis] / 4;
            }
            EXPECT_NEAR(cq, cf, 1e-2) << frames;
        }
        const long double along = side(corners, 0, 1) - side(quad, 0, 1);
        EXPECT_GT(along, 0) << frames;
        EXPECT_NEAR(along, side(corners, 1, 2) - side(quad, 1, 2), 1e-2) << frames;
    }
    EXPECT_EQ(frames, 4);
}
