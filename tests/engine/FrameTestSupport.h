#pragma once
#include "engine/EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quillet::test {

/// An annotation with frame `kind` and the tip 記号なし, so that the leader follows
/// the frame as colour, colour, line.
inline Session frameAt(int kind, const std::string &p1, const std::string &p2, const std::string &p3)
{
    Session s = annotationAt(p1, p2, p3);
    s.form.frameKind = FrameKind(kind);
    s.form.tip = Tip(1);
    return s;
}

/// Checks that `line` is the plain line (x1, y1)-(x2, y2) within `tolerance`.
inline void expectSegment(const std::string &line, long double x1, long double y1, long double x2, long double y2,
                          long double tolerance = 1e-3L)
{
    const Segment s = segmentOf(line);
    EXPECT_NEAR(s.x1, x1, tolerance) << line;
    EXPECT_NEAR(s.y1, y1, tolerance) << line;
    EXPECT_NEAR(s.x2, x2, tolerance) << line;
    EXPECT_NEAR(s.y2, y2, tolerance) << line;
}

} // namespace quillet::test
