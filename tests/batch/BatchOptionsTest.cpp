// The batch mode's own options, read in process: the local time of --now and the
// usage text.
#include "batch/Batch.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quillet;

TEST(BatchNow, TakesEveryRealDateAndRefusesTheOthers)
{
    struct Case {
        const char *text;
        int weekday;         // 0 = Sunday; -1 = refused
        const char *problem; // part of the reason given
    };
    const Case cases[] = {
        {"2024-05-07T09:05:03", 2, ""},
        {"2024-02-29T00:00:00", 4, ""},
        {"2000-02-29T23:59:59", 2, ""},
        {"1969-12-31T23:59:59", 3, ""}, // before the C library's time stamps
        {"1900-01-01T00:00:00", 1, ""},
        {"0001-01-01T00:00:00", 1, ""},
        {"9999-12-31T23:59:59", 5, ""},
        {"2023-02-29T12:00:00", -1, "2023-02 has no day 29"},
        {"1900-02-29T12:00:00", -1, "1900-02 has no day 29"},
        {"2024-04-31T12:00:00", -1, "2024-04 has no day 31"},
        {"2024-05-00T12:00:00", -1, "has no day 00"},
        {"2024-13-01T00:00:00", -1, "month 13"},
        {"2024-00-01T00:00:00", -1, "month 00"},
        {"2024-05-07T24:00:00", -1, "hour 24"},
        {"2024-05-07T23:60:00", -1, "minute 60"},
        {"2024-05-07T23:59:60", -1, "second 60"},
        {"2024-5-07T09:05:03", -1, "YYYY-MM-DDTHH:MM:SS"},
        {"2024-05-07 09:05:03", -1, "YYYY-MM-DDTHH:MM:SS"},
        {"+024-05-07T09:05:03", -1, "YYYY-MM-DDTHH:MM:SS"},
        {"2024-05-07T09:05:03Z", -1, "YYYY-MM-DDTHH:MM:SS"},
    };
    for (const Case &c : cases) {
        std::string problem;
        const auto now = parseBatchNow(c.text, problem);
        if (c.weekday < 0) {
            EXPECT_FALSE(now) << c.text;
            EXPECT_NE(problem.find(c.problem), std::string::npos) << c.text << ": " << problem;
        } else {
            ASSERT_TRUE(now) << c.text << ": " << problem;
            EXPECT_EQ(now->tm_wday, c.weekday) << c.text;
            EXPECT_EQ(std::to_string(now->tm_year + 1900), std::to_string(std::stoi(std::string(c.text, 4))));
        }
    }
    std::string problem;
    const auto last = parseBatchNow("2024-12-31T00:00:00", problem);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->tm_yday, 365); // a leap year's last day
}

TEST(BatchUsage, HelpListsEveryExitStatus)
{
    test::TempDir dir;
    std::ostringstream out, err;
    EXPECT_EQ(runBatch({"--help"}, dir.path(), out, err), kBatchCompleted);
    EXPECT_EQ(err.str(), "");
    for (const char *status : {"\n  0  ", "\n  1  ", "\n  2  ", "\n  3  ", "\n  4  ", "\n  5  the drawing run ended"})
        EXPECT_NE(out.str().find(status), std::string::npos) << status;
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}
