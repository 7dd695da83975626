#include "exchange/OutputRun.h"
#include "support/PassFixture.h"
#include "support/RunSupport.h"
#include "text/EmbeddedText.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quillet;
using namespace quillet::test;

namespace {

std::tm at(int year, int month, int day, int hour, int minute, int second, int weekday)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_wday = weekday; // 0 = Sunday
    return t;
}

// Tuesday, 7 May 2024, 9:05:03: the date of the examples.
const std::tm kMay7 = at(2024, 5, 7, 9, 5, 3, 2);

} // namespace

TEST(DateCodes, ReplaceEveryCodeWithItsPaddedValue)
{
    struct Case {
        const char *line;
        std::tm now;
        const char *expected;
    };
    const Case cases[] = {
        {"作成$y年$m月$d日", kMay7, "作成24年5 月7 日"},
        {"%y/%m/%d", kMay7, "24/05/07"},
        {"&H:%M", kMay7, " 9:05"},
        {"_m=d$S&S", kMay7, " 5073  3"},
        {"$Y", kMay7, "36"},
        {"%d", at(2024, 5, 17, 9, 5, 3, 5), "17"},
        {"&F", kMay7, "2024/ 5/ 7 09:05:03"},
        {"%F", kMay7, "2024/05/07 09:05:03"},
        {"_f|=f|_F|=F", at(2024, 11, 30, 14, 41, 9, 6), "2024/11/30|2024/11/30|2024/11/30 14:41:09|2024/11/30 14:41:09"},
        {"%F", at(2024, 1, 1, 0, 0, 0, 1), "2024/01/01 00:00:00"},
        {"%H:%M:%S", at(2024, 1, 1, 0, 0, 0, 1), "00:00:00"},
        {"$ma $wa &w", kMay7, "MAY TUE 火"},
        {"%ma%wa%w", at(2024, 12, 1, 9, 5, 3, 0), "DECSUN日"},
        {"_wa_w", at(2024, 12, 2, 9, 5, 3, 1), "MON月"},
        {"$n$N", at(2024, 5, 7, 11, 59, 0, 2), "AM前"},
        {"$n$N", at(2024, 5, 7, 12, 0, 0, 2), "PM後"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(sjis::toUtf8(expandDateCodes(sj(c.line), c.now)), c.expected) << c.line;
}

TEST(DateCodes, TwelveHourClock)
{
    const std::pair<int, const char *> hours[] = {{0, "0 "}, {9, "9 "}, {10, "10"}, {12, "12"},
                                                  {13, "1 "}, {21, "9 "}, {22, "10"}, {23, "11"}};
    for (const auto &[hour, expected] : hours)
        EXPECT_EQ(expandDateCodes("$h", at(2024, 5, 7, hour, 30, 0, 2)), expected) << hour;
    EXPECT_EQ(expandDateCodes("%h&h", at(2024, 5, 7, 13, 30, 0, 2)), "01 1");
}

TEST(DateCodes, UnlistedCodesConsumeTwoBytesAndYieldNothing)
{
    const std::pair<const char *, const char *> cases[] = {
        {"a$fb", "ab"}, {"a$Fb", "ab"}, {"a%qb", "ab"}, {"a%", "a"}, {"%y$", "24"}, {"$$y", "y"}, {"%m%", "05"},
    };
    for (const auto &[line, expected] : cases)
        EXPECT_EQ(expandDateCodes(line, kMay7), expected) << line;
}

TEST(EmbeddedPieces, CutAtEveryCodeWithItsAdvance)
{
    struct Case {
        const char *line;
        std::vector<std::pair<const char *, int>> pieces;
    };
    const Case cases[] = {
        {"図番=F", {{"図番", 4}, {"=F", 19}}},
        {"_ma/_wa", {{"_ma", 3}, {"/", 1}, {"_wa", 3}}},
        {"=f_fx%f$F&F", {{"=f", 10}, {"_f", 10}, {"x", 1}, {"%f", 2}, {"$F", 2}, {"&F", 2}}},
        {"ab$", {{"ab", 2}, {"$", 2}}},
        {"$$x^u", {{"$$", 2}, {"x^u", 3}}},
        {"", {}},
    };
    for (const Case &c : cases) {
        const auto pieces = embeddedPieces(sj(c.line));
        ASSERT_EQ(pieces.size(), c.pieces.size()) << c.line;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            EXPECT_EQ(sjis::toUtf8(pieces[i].text), c.pieces[i].first) << c.line;
            EXPECT_EQ(pieces[i].advance, c.pieces[i].second) << c.line;
        }
    }
}

namespace {

// Scale 1, half-width 1.5, spacing 0.5: one half-width unit is 1.75; direction length 40.
void measures(Pass &p)
{
    p.m.scale = 1;
    p.m.halfWidth = 1.5;
    p.m.charSpacing = 0.5;
    p.m.frameWidth = 40.5f;
    p.form.SpeedButton2 = true;
}

Lines utf8(const Lines &lines)
{
    Lines out;
    for (const auto &l : lines)
        out.push_back(sjis::toUtf8(l));
    return out;
}

} // namespace

TEST(EmbeddedText, PiecesFollowTheLayoutAndTheFont)
{
    struct Case {
        const char *name;
        int vertical, rightward, upward, verticalFont;
        Lines expected;
    };
    const Case cases[] = {
        {"horizontal rightward", 0, 1, 1, 0, {"ch 10 20 40 0 \"図番", "ch 17 20 40 0 \"=F"}},
        {"horizontal leftward", 0, 0, 1, 0, {"ch 10 20 40 0 \"図番", "ch 17 20 40 0 \"=F"}},
        {"leftward, vertical font", 0, 0, 1, 1, {"ch 10 20 -40 0 \"図番", "ch 3 20 -40 0 \"=F"}},
        {"vertical", 1, 1, 1, 0, {"ch 10 20  0 40 \"図番", "ch 10 27  0 40 \"=F"}},
        {"vertical, vertical font", 1, 1, 0, 1, {"ch 10 20  0 -40 \"図番", "ch 10 13  0 -40 \"=F"}},
    };
    for (const Case &c : cases) {
        Pass p;
        measures(p);
        p.g.vertical = c.vertical;
        p.g.rightward = c.rightward;
        p.g.upward = c.upward;
        p.g.verticalFont = c.verticalFont;
        EngineRun e = p.run();
        writeEmbeddedLine(e, {10, 20}, sj("$1図番=F"));
        EXPECT_EQ(utf8(p.output), c.expected) << c.name;
    }
}

TEST(EmbeddedText, CentredTextModeStartsHalfTheEstimatedWidthBack)
{
    // Width estimate 8 - 2 + 17 = 23 units: ((0.25 + 1.5) * 23 - 0.25) / 2 = 20.
    Pass p(Mode::TextMode);
    measures(p);
    p.form.CheckBox2 = true;
    EngineRun e = p.run();
    writeEmbeddedLine(e, {10, 20}, sj("$1図番=F"));
    EXPECT_EQ(utf8(p.output), (Lines{"cc0", "ch -10 20 40 0 \"図番", "ch -3 20 40 0 \"=F"}));
}

TEST(EmbeddedText, TiltedPiecesStayOnTheTurnedLine)
{
    // Point 3 on a 3-4-5 slope from indicated point 2.
    Pass p;
    measures(p);
    p.form.SpeedButton11 = true;
    p.g.rightward = 1;
    p.g.upward = 1;
    p.m.indicated2 = {0, 0};
    p.m.p3 = {40, 30};
    EngineRun e = p.run();
    writeEmbeddedLine(e, {4, 0}, sj("$1ab_ma"));
    ASSERT_EQ(p.output.size(), 2u);
    const TextRecord a = textOf(p.output[0]), b = textOf(p.output[1]);
    EXPECT_EQ(a.text, "ab");
    EXPECT_EQ(b.text, "_ma");
    EXPECT_NEAR(a.x, 3.2, 1e-5);
    EXPECT_NEAR(a.y, 2.4, 1e-5);
    EXPECT_NEAR(a.dx, 0.8, 1e-6);
    EXPECT_NEAR(a.dy, 0.6, 1e-6);
    // Two units (3.5) further along the same direction.
    EXPECT_NEAR(b.x - a.x, 3.5 * 0.8, 1e-4);
    EXPECT_NEAR(b.y - a.y, 3.5 * 0.6, 1e-4);
}

TEST(EmbeddedText, DateLineIsWrittenAsOneRecordWithTheFixedTime)
{
    Pass p;
    measures(p);
    p.ctx.fixedNow = kMay7;
    p.g.rightward = 1;
    EngineRun e = p.run();
    writeEmbeddedLine(e, {10, 20}, sj("$2図番%y"));
    EXPECT_EQ(utf8(p.output), (Lines{"ch 10 20 40 0 \"図番24"}));
}

namespace {

Session dateCodes(bool embedded)
{
    Session s = sessionFromGolden("date-codes");
    s.fixedNow = kMay7;
    s.form.SpeedButton2 = embedded;
    return s;
}

} // namespace

TEST(EmbeddedText, GoldenDateCodesMatchByteForByte)
{
    const RunResult r = computeOutput(dateCodes(true));
    EXPECT_EQ(r.fault, RunFault::None);
    EXPECT_EQ(utf8(r.output), utf8(goldenExpected("date-codes")));
}

TEST(EmbeddedText, ButtonUpWritesThePrefixedLinesAsTheyAre)
{
    const RunResult r = computeOutput(dateCodes(false));
    Lines texts;
    for (const auto &line : r.output)
        if (line.compare(0, 3, "ch ") == 0)
            texts.push_back(sjis::toUtf8(textOf(line).text));
    EXPECT_EQ(texts, (Lines{"$1図番=F", "$2作成%y/%m/%d"}));
}
