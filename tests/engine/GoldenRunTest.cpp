#include "program/CompleteInput.h"
#include "support/RunSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quillet;
using namespace quillet::test;

namespace {

std::size_t fontRecord(const Lines &lines)
{
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].compare(0, 4, "cn\"$") == 0)
            return i;
    return lines.size();
}

// Lines [from, to) of `part` occur as one unbroken run in `whole`.
bool containsRun(const Lines &whole, const Lines &part, std::size_t from, std::size_t to)
{
    return std::search(whole.begin(), whole.end(), part.begin() + long(from), part.begin() + long(to)) !=
           whole.end();
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

// Until the embedded codes are expanded, everything but the "$1"/"$2" records matches.
TEST(GoldenRun, DateCodesMatchesUpToTheEmbeddedRecords)
{
    const Session s = sessionFromGolden("date-codes");
    const RunResult r = computeOutput(s);
    const Lines expected = goldenExpected("date-codes");
    ASSERT_EQ(r.fault, RunFault::None);
    const std::size_t opening = fontRecord(expected) + 3;
    ASSERT_GE(r.output.size(), opening + 2);
    EXPECT_EQ(readable(Lines(r.output.begin(), r.output.begin() + long(opening))),
              readable(Lines(expected.begin(), expected.begin() + long(opening))));
    EXPECT_EQ(readable(Lines(r.output.end() - 2, r.output.end())), readable(Lines(expected.end() - 2, expected.end())));
}

// The frames of these cases are drawn by units of their own; the tip symbol and
// leader written after them must already be the golden ones, line for line.
TEST(GoldenRun, TipAndLeaderMatchBesideOtherFrames)
{
    for (const char *name : {"bend-oval-tilt", "rectangle-arrow", "vertical-bracket"}) {
        SCOPED_TRACE(name);
        const RunResult r = computeOutput(sessionFromGolden(name));
        ASSERT_EQ(r.fault, RunFault::None);
        const std::size_t font = fontRecord(r.output);
        ASSERT_GT(font, 3u);
        EXPECT_TRUE(containsRun(goldenExpected(name), r.output, 2, font)) << readable(r.output);
    }
}

// Text placed from a moved point 2 (text mode), after a tilted oval and beside a
// cloud: the text block from the font record on matches.
TEST(GoldenRun, TextBlockMatchesBesideOtherFrames)
{
    for (const char *name : {"textmode-underline", "bend-oval-tilt", "cloud-fill"}) {
        SCOPED_TRACE(name);
        const RunResult r = computeOutput(sessionFromGolden(name));
        ASSERT_EQ(r.fault, RunFault::None);
        const Lines expected = goldenExpected(name);
        EXPECT_EQ(readable(Lines(r.output.begin() + long(fontRecord(r.output)), r.output.end())),
                  readable(Lines(expected.begin() + long(fontRecord(expected)), expected.end())));
    }
}
