#include "exchange/OutputRun.h"
#include "support/RunSupport.h"

#include <gtest/gtest.h>

using namespace quillet;
using namespace quillet::test;

namespace {

std::string readable(const Lines &lines)
{
    std::string s;
    for (const auto &l : lines)
        s += sjis::toUtf8(l) + "\n";
    return s;
}

} // namespace

// A dot tip, layers for lines and text, host colour and text kind, no frame.
TEST(GoldenRun, DotLayersMatchesByteForByte)
{
    const Session s = sessionFromGolden("dot-layers");
    const RunResult r = computeOutput(s);
    EXPECT_EQ(r.fault, RunFault::None);
    EXPECT_EQ(readable(r.output), readable(goldenExpected("dot-layers")));
}
