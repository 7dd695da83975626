#include "base/Errors.h"
#include "exchange/ExchangeData.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>

using namespace quillet;
using quillet::test::sj;

namespace {
Lines fixtureLines(const std::string &name) { return readLines(test::fixture("exchange/" + name + ".jwc_temp.txt")); }
} // namespace

struct ModeLinesCase {
    const char *fixture;
    Mode mode;
    const char *point1, *bend, *point2, *point3, *group, *layer, *colour, *textKind;
};

class ExchangeLines : public ::testing::TestWithParam<ModeLinesCase> {};

TEST_P(ExchangeLines, TakesEachModesLinesFromTheirPlaces)
{
    const ModeLinesCase &c = GetParam();
    ExchangeData data;
    ASSERT_EQ(readExchange(fixtureLines(c.fixture), c.mode, data), ExchangeVerdict::Ok);
    EXPECT_EQ(data.point1Line, c.point1);
    EXPECT_EQ(data.bendLine, c.bend);
    EXPECT_EQ(data.point2Line, c.point2);
    EXPECT_EQ(data.point3Line, c.point3);
    EXPECT_EQ(data.layerGroupLine, c.group);
    EXPECT_EQ(data.layerLine, c.layer);
    EXPECT_EQ(data.colorLine, c.colour);
    EXPECT_EQ(data.textKindLine, c.textKind);
    EXPECT_EQ(data.scaleLine, "hs 100 100 50 50 20 1 1 1 1 50 50 1 50 50 50 1");
    EXPECT_EQ(data.hostFontName, sj("ＭＳ ゴシック"));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ExchangeLines,
    ::testing::Values(
        ModeLinesCase{"annotation", Mode::Annotation, "hp1   1520.5 2310.25", "", "hp2   3020.5 3810.25",
                      "hp3   6020.5 3810.25", "lg1", "ly4", "lc3", "cn3"},
        ModeLinesCase{"text-mode", Mode::TextMode, "hp1   2500 1200", "", "hp1   2500 1200", "hp2   5500 1200",
                      "lg1", "ly4", "lc3", "cn3"},
        // The colour line of the bend layout follows the layer line, before the line-type line.
        ModeLinesCase{"bend", Mode::Bend, "hp1   1520.5 2310.25", "hp2   1520.5 3810.25", "hp3   3020.5 3810.25",
                      "hp4   6020.5 3810.25", "lg1", "ly4", "lc3", "cn3"},
        ModeLinesCase{"selected-texts", Mode::FrameAll, "0", "", "0", "0", "lg1", "ly4", "lc3", "cn3"},
        ModeLinesCase{"selected-texts", Mode::FrameEach, "0", "", "0", "0", "lg1", "ly4", "lc3", "cn3"}));

TEST(ExchangeRead, BuildsTheTextKindItemsWithTheirPadding)
{
    ExchangeData data;
    ASSERT_EQ(readExchange(fixtureLines("annotation"), Mode::Annotation, data), ExchangeVerdict::Ok);
    EXPECT_EQ(data.textKindItems[1], "h2   w2 ");   // one-digit token: two more blanks
    EXPECT_EQ(data.textKindItems[2], "h2.5 w2.5 "); // three characters and blank: none
    EXPECT_EQ(data.textKindItems[10], "h10  w10");  // no blank at the line end: three characters, two blanks
    EXPECT_EQ(data.textKindItems[4], "h4   w4 ");
    EXPECT_EQ(data.heightTokens[2], "2.5 ");
    EXPECT_EQ(data.widthTokens[10], "10");
}

struct VerdictCase {
    const char *name;
    std::function<void(Lines &)> mutate;
    Mode mode;
    ExchangeVerdict verdict;
};

class ExchangeVerdicts : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(ExchangeVerdicts, JudgesTheHeaderAndTheLength)
{
    Lines lines = fixtureLines(GetParam().mode == Mode::Bend ? "bend" : "annotation");
    GetParam().mutate(lines);
    ExchangeData data;
    EXPECT_EQ(readExchange(lines, GetParam().mode, data), GetParam().verdict);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ExchangeVerdicts,
    ::testing::Values(
        VerdictCase{"HqWithBlank", [](Lines &l) { l[0] = "hq "; }, Mode::Annotation, ExchangeVerdict::AlreadyTransformed},
        VerdictCase{"Capitals", [](Lines &l) { l[0] = "HQ"; }, Mode::Annotation, ExchangeVerdict::AlreadyTransformed},
        VerdictCase{"Empty", [](Lines &l) { l.clear(); }, Mode::Annotation, ExchangeVerdict::AlreadyTransformed},
        VerdictCase{"SixteenLines", [](Lines &l) { l.resize(16); }, Mode::Annotation, ExchangeVerdict::Abnormal},
        VerdictCase{"SeventeenLines", [](Lines &l) { l.resize(17); }, Mode::Annotation, ExchangeVerdict::Ok},
        // In the bend layout the font line is line 17: seventeen lines are not enough.
        VerdictCase{"BendSeventeenLines", [](Lines &l) { l.resize(17); }, Mode::Bend, ExchangeVerdict::Abnormal},
        VerdictCase{"BendEighteenLines", [](Lines &l) { l.resize(18); }, Mode::Bend, ExchangeVerdict::Ok}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ExchangeRead, TooFewTextKindTokensIsARangeError)
{
    for (int line : {3, 4}) {
        Lines lines = fixtureLines("annotation");
        lines[std::size_t(line)] = "hcw 2 2.5 3 4 5 6 7 8 9";
        ExchangeData data;
        EXPECT_THROW(readExchange(lines, Mode::Annotation, data), RangeError) << line;
    }
}

struct FontCase {
    std::string line;
    std::string name;
};

class HostFontName : public ::testing::TestWithParam<FontCase> {};

TEST_P(HostFontName, TakesUpToThirtyCharactersFromTheSixthLessTheLastByte)
{
    EXPECT_EQ(hostFontNameFromLine(sj(GetParam().line)), sj(GetParam().name));
}

INSTANTIATE_TEST_SUITE_P(Lines, HostFontName,
                         ::testing::Values(FontCase{"#", "ＭＳ ゴシック"}, FontCase{"cn\"$<ＭＳ 明朝>", "ＭＳ 明朝"},
                                           FontCase{"cn\"$<" + std::string(35, 'a'), std::string(29, 'a')},
                                           FontCase{"cn\"$<", ""}, FontCase{"", ""}));

TEST(TextImport, TakesTheTextAfterTheFirstQuoteOfChRecordsFromLineEleven)
{
    Lines lines(11, "ch 0 0 1 0 \"never");
    lines.push_back("ch 1 2 3 4 \"ABC");
    lines.push_back("ch without quote");
    lines.push_back("lg2");
    lines.push_back("ch 0 0 1 0 \"a \"quoted\" text");
    lines.push_back("xch 0 0 1 0 \"no");
    EXPECT_EQ(importTexts(lines), (Lines{"ABC", "a \"quoted\" text"}));
    EXPECT_EQ(importTexts(fixtureLines("selected-texts")),
              (Lines{"GL+500", sj("コンクリート打放し"), sj("外壁：吹付タイル"), sj("45°の注記")}));
}

TEST(ModeArgument, OnlyTheTenExactStringsSelectAMode)
{
    const std::pair<const char *, Mode> cases[] = {
        {"", Mode::Annotation},  {"T1", Mode::TextImport}, {"t1", Mode::TextImport}, {"T2", Mode::FrameAll},
        {"t3", Mode::FrameEach}, {"T4", Mode::TextMode},   {"t5", Mode::Bend},       {"T6", Mode::Annotation},
        {"T1x", Mode::Annotation}, {"T0", Mode::Annotation}, {"1", Mode::Annotation},
    };
    for (const auto &[arg, mode] : cases)
        EXPECT_EQ(modeFromArgument(arg), mode) << arg;
}
