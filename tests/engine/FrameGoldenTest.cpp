#include "engine/EngineTestSupport.h"

#include <gtest/gtest.h>

using namespace quillet;
using namespace quillet::test;

namespace {

} // namespace

// Whole runs of the frame kinds, line for line: an underline in the text mode, a
// rectangle with an arrow, a bracket in vertical layout, a tilted oval after a bend.
TEST(FrameGolden, WholeRunMatchesByteForByte)
{
    for (const char *name : {"textmode-underline", "rectangle-arrow", "vertical-bracket", "bend-oval-tilt"}) {
        SCOPED_TRACE(name);
        const RunResult r = computeOutput(sessionFromGolden(name));
        EXPECT_EQ(r.fault, RunFault::None);
        EXPECT_EQ(readable(r.output), readable(goldenExpected(name)));
    }
}
