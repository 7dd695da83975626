#include "support/EngineFixture.h"
#include "program/CompleteInput.h"
#include "support/RunSupport.h"
#include "engine/EmbeddedText.h"

#include <gtest/gtest.h>

using namespace quillet;
using namespace quillet::test;

namespace {

std::tm at(int month, int day, int hour, int minute, int second, int weekday)
{
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_wday = weekday; // 0 = Sunday
    return t;
}

// Tuesday, 7 May 2024, 9:05:03: the date of the examples.
const std::tm kMay7 = at(5, 7, 9, 5, 3, 2);

Lines utf8(const Lines &lines)
{
    Lines out;
    for (const auto &l : lines)
        out.push_back(sjis::toUtf8(l));
    return out;
}

} // namespace

TEST(DateCodes, ReplaceEveryCodeWithItsPaddedValue)
{
    const std::tuple<const char *, std::tm, const char *> cases[] = {
        {"作成$y年$m月$d日", kMay7, "作成24年5 月7 日"},
        {"%y/%m/%d", kMay7, "24/05/07"},
        {"&H:%M", kMay7, " 9:05"},
        {"_m=d$S&S$Y", kMay7, " 5073  36"}, // Reiwa 6
        {"&F|%F", kMay7, "2024/ 5/ 7 09:05:03|2024/05/07 09:05:03"},
        {"_f|=F", at(11, 30, 14, 41, 9, 6), "2024/11/30|2024/11/30 14:41:09"},
        {"%F %H", at(1, 1, 0, 0, 0, 1), "2024/01/01 00:00:00 00"},
        {"$ma $wa &w", kMay7, "MAY TUE 火"},
        {"%ma%wa%w", at(12, 1, 9, 5, 3, 0), "DECSUN日"},
        {"$n$N", at(5, 7, 11, 59, 0, 2), "AM前"},
        {"$n$N", at(5, 7, 12, 0, 0, 2), "PM後"},
        // The twelve-hour clock: midnight is 0, 22 and 23 are 10 and 11.
        {"$h|$h", at(5, 7, 0, 30, 0, 2), "0 |0 "},
        {"$h|%h", at(5, 7, 12, 30, 0, 2), "12|12"},
        {"$h|%h", at(5, 7, 13, 30, 0, 2), "1 |01"},
        {"$h|&h", at(5, 7, 23, 30, 0, 2), "11|11"},
        // Codes the tables do not list take their two bytes and leave nothing.
        {"a$fb$Fc%qd%", kMay7, "abcd"},
        {"$$y%m$", kMay7, "y05"},
    };
    for (const auto &[line, now, expected] : cases)
        EXPECT_EQ(sjis::toUtf8(expandDateCodes(sj(line), now)), expected) << line;
}

TEST(EmbeddedPieces, CutAtEveryCodeWithItsAdvance)
{
    const std::pair<const char *, std::vector<std::pair<const char *, int>>> cases[] = {
        {"図番=F", {{"図番", 4}, {"=F", 19}}},
        {"_ma/_wa", {{"_ma", 3}, {"/", 1}, {"_wa", 3}}},
        {"=f_fx%f$F&F", {{"=f", 10}, {"_f", 10}, {"x", 1}, {"%f", 2}, {"$F", 2}, {"&F", 2}}},
        {"$$x^u$", {{"$$", 2}, {"x^u", 3}, {"$", 2}}},
    };
    for (const auto &[line, expected] : cases) {
        std::vector<std::pair<std::string, int>> got;
        for (const EmbeddedPiece &p : embeddedPieces(sj(line)))
            got.emplace_back(sjis::toUtf8(p.text), p.advance);
        EXPECT_EQ(got, (std::vector<std::pair<std::string, int>>(expected.begin(), expected.end()))) << line;
    }
}

TEST(EmbeddedText, PiecesFollowTheLayoutAndTheFont)
{
    // Scale 1, half-width 1.5, spacing 0.5: one unit is 1.75 and the run 図番 four units.
    struct Case {
        int vertical, rightward, upward, verticalFont;
        Mode mode;
        Lines expected;
    };
    const Case cases[] = {
        {0, 1, 1, 0, Mode::Annotation, {"ch 10 20 40 0 \"図番", "ch 17 20 40 0 \"=F"}},
        {0, 0, 1, 0, Mode::Annotation, {"ch 10 20 40 0 \"図番", "ch 17 20 40 0 \"=F"}},
        {0, 0, 1, 1, Mode::Annotation, {"ch 10 20 -40 0 \"図番", "ch 3 20 -40 0 \"=F"}},
        {1, 1, 1, 0, Mode::Annotation, {"ch 10 20  0 40 \"図番", "ch 10 27  0 40 \"=F"}},
        {1, 1, 0, 1, Mode::Annotation, {"ch 10 20  0 -40 \"図番", "ch 10 13  0 -40 \"=F"}},
        // Centred text mode: width estimate 8 - 2 + 17 = 23 units, half of
        // (1.75 * 23 - 0.25) back from the start.
        {0, 1, 1, 0, Mode::TextMode, {"cc0", "ch -10 20 40 0 \"図番", "ch -3 20 40 0 \"=F"}},
    };
    for (const Case &c : cases) {
        EngineProbe p(c.mode);
        p.m.scale = 1;
        p.m.halfWidth = 1.5;
        p.m.charSpacing = 0.5;
        p.m.frameWidth = 40.5f;
        p.form.embeddedTextOn = true;
        p.form.textCentreBase = true;
        p.g.vertical = c.vertical;
        p.g.rightward = c.rightward;
        p.g.upward = c.upward;
        p.g.verticalFont = c.verticalFont;
        EngineRun e = p.run();
        writeEmbeddedLine(e, {10, 20}, sj("$1図番=F"));
        EXPECT_EQ(utf8(p.output.lines()), c.expected) << c.vertical << c.rightward << c.upward << c.verticalFont;
    }
}

TEST(EmbeddedText, GoldenDateCodesMatchByteForByte)
{
    Session s = sessionFromGolden("date-codes");
    s.fixedNow = kMay7;
    const RunResult r = computeOutput(s);
    EXPECT_EQ(r.fault, RunFault::None);
    EXPECT_EQ(utf8(r.output.lines()), utf8(goldenExpected("date-codes")));
}
