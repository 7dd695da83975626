#include "base/Errors.h"
#include "program/CompleteInput.h"
#include "support/RunSupport.h"

#include <gtest/gtest.h>

using namespace quillet;
using namespace quillet::test;

namespace {

Session frameEach(std::size_t lines)
{
    Session s = sessionFromExchange("selected-texts.jwc_temp.txt", Mode::FrameEach);
    while (s.exchangeCopy.size() < lines)
        s.exchangeCopy.push_back("xx");
    s.form.frameKind = FrameKind(7);
    return s;
}

} // namespace

TEST(OutputRun, FrameEachRunsTheSetUpAgainAtEveryGroupLine)
{
    // "lg1" at line 15 (scale 100 / 100) and "lg2" at line 25 (100 / 50).
    const RunResult r = computeOutput(frameEach(127));
    EXPECT_EQ(r.fault, RunFault::None);
    // The frames drawn between them are the frame units' business; here only the set-up lines count.
    Lines setUp;
    for (const std::string &line : r.output.lines())
        if (line.rfind("lt", 0) == 0 || line.rfind("ly", 0) == 0 || line.rfind("by", 0) == 0)
            setUp.push_back(line);
    EXPECT_EQ(setUp, (Lines{"lt1", "ly4", "by1", "lt1", "ly4", "by2", "lt1", "ly4"}));
    EXPECT_EQ(r.frameKind, FrameKind(2)); // 四角延長 framed as 四角
    EXPECT_EQ(r.tilt, true);
}

TEST(OutputRun, FrameEachRefusesMoreThan127Lines)
{
    const RunResult r = computeOutput(frameEach(128));
    EXPECT_EQ(r.fault, RunFault::Range);
    EXPECT_EQ(r.message, sj("[範囲エラー]不正なデータがあります\r\nクイレットの処理は中断されます"));
    EXPECT_EQ(r.output.lines(), (Lines{"lt1", "ly4"}));
    EXPECT_EQ(r.frameKind, FrameKind(2));
}

TEST(OutputRun, TextImportLeavesTheOutputAsItIs)
{
    Session s = sessionFromExchange("annotation.jwc_temp.txt", Mode::TextImport);
    s.output = {"kept"};
    const RunResult r = computeOutput(s);
    EXPECT_EQ(r.output.lines(), (Lines{"kept"}));
    EXPECT_EQ(r.fault, RunFault::None);
}

TEST(OutputRun, OutputStartsFromTheSessionsListAndOverflowPropagates)
{
    Session s = sessionFromExchange("annotation.jwc_temp.txt", Mode::Annotation);
    s.output = {"earlier"};
    EXPECT_EQ(computeOutput(s).output.lines().front(), "earlier");
    s.exchange.point1Line = "hp1 1e39 0";
    EXPECT_THROW(computeOutput(s), OverflowError);
}

TEST(OutputRun, MessagesOfEveryClass)
{
    const std::pair<RunFault, const char *> cases[] = {
        {RunFault::Variant, "[Variant処理エラー]"},
        {RunFault::IntDivideByZero, "[ 整数除算エラー]"},
        {RunFault::RealDivideByZero, "[ 実数除算エラー]"},
        {RunFault::InvalidOperation, "[ 実数演算エラー]"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(runFaultMessage(c.first), sj(std::string(c.second) + "不正なデータがあります\r\nクイレットの処理は中断されます"));
    EXPECT_EQ(runFaultMessage(RunFault::None), "");
}
