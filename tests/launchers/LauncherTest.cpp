// The launchers Jw_cad starts Quillet with, read as the bytes the build installs: the
// encoding and line ends Jw_cad needs, the directives, and whether the exchange file
// Jw_cad writes for those directives is the layout the exchange reader takes in the
// launcher's mode.
#include "base/Sjis.h"
#include "exchange/ExchangeData.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace quillet;

namespace {

namespace fs = std::filesystem;

struct Launcher {
    std::string bytes;
    Lines lines;                     ///< split at CR LF, as cmd.exe and Jw_cad read them
    std::vector<std::string> names;  ///< directive names in order: "#jww", "#cd", "#1", ...
    std::vector<std::string> texts;  ///< the text after each directive name (UTF-8)
    Lines commands;                  ///< the lines after "REM #e"
};

Launcher readLauncher(const std::string &name)
{
    Launcher l;
    l.bytes = readBytes(fs::path(QUILLET_LAUNCHER_DIR) / name);
    l.lines = splitLines(l.bytes);
    bool directives = true;
    for (std::size_t i = 1; i < l.lines.size(); ++i) {
        const std::string &line = l.lines[i];
        if (!directives) {
            l.commands.push_back(line);
        } else if (line == "REM #e") {
            directives = false;
        } else if (line.compare(0, 5, "REM #") == 0) {
            const std::size_t blank = line.find(' ', 4);
            l.names.push_back(line.substr(4, blank == std::string::npos ? std::string::npos : blank - 4));
            l.texts.push_back(blank == std::string::npos ? "" : sjis::toUtf8(line.substr(blank + 1)));
        }
    }
    return l;
}

bool has(const std::vector<std::string> &names, const std::string &name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool hasJapanese(const std::string &utf8)
{
    return std::any_of(utf8.begin(), utf8.end(), [](char c) { return (unsigned char)c >= 0x80; });
}

// What every launcher shares: Jw_cad lists only CP932 bats with CR LF that declare
// themselves, and shows the first line as the memo.
void expectJwcadFile(const Launcher &l)
{
    std::size_t bareLf = 0, bareCr = 0;
    for (std::size_t i = 0; i < l.bytes.size(); ++i) {
        if (l.bytes[i] == '\n' && (i == 0 || l.bytes[i - 1] != '\r'))
            ++bareLf;
        if (l.bytes[i] == '\r' && (i + 1 == l.bytes.size() || l.bytes[i + 1] != '\n'))
            ++bareCr;
    }
    EXPECT_EQ(bareLf, 0u) << "LF without CR";
    EXPECT_EQ(bareCr, 0u) << "CR without LF";
    ASSERT_GE(l.bytes.size(), 2u);
    EXPECT_EQ(l.bytes.substr(l.bytes.size() - 2), "\r\n") << "the last line has no line end";

    const std::string text = sjis::toUtf8(l.bytes);
    EXPECT_EQ(text.find("\xEF\xBF\xBD"), std::string::npos) << "bytes that are not CP932";
    EXPECT_EQ(sjis::fromUtf8(text), l.bytes) << "bytes that do not survive CP932";

    ASSERT_FALSE(l.lines.empty());
    const std::string memo = sjis::toUtf8(l.lines[0]);
    EXPECT_EQ(memo.compare(0, 5, "@REM "), 0) << memo;
    EXPECT_NE(memo.find("クイレット"), std::string::npos) << "memo line: " << memo;
    EXPECT_EQ(memo.find('#'), std::string::npos) << "the memo line would read as a directive";
    ASSERT_GE(l.lines.size(), 2u);
    EXPECT_EQ(l.lines[1], "@echo off");

    EXPECT_TRUE(has(l.names, "#jww"));
    EXPECT_TRUE(has(l.names, "#cd"));
    for (const char *shifting : {"#hf", "#zs", "#zk", "#bz"})
        EXPECT_FALSE(has(l.names, shifting)) << shifting << " adds a line the exchange reader does not expect";
    EXPECT_FALSE(l.commands.empty()) << "no REM #e, or nothing after it";
    for (const std::string &line : l.commands)
        EXPECT_NE(line.compare(0, 5, "REM #"), 0) << "a directive after REM #e is never read: " << line;
}

// The exchange file Jw_cad writes for a launcher's directives, in its record order: the
// header, "hn" when a range is selected, one "hpN" per point pick, the current group,
// layer, colour, line type, text kind and font, "#", then the selected data.
Lines exchangeFor(const Launcher &l)
{
    Lines file = readLines(test::fixture("exchange/annotation.jwc_temp.txt"));
    file.resize(7); // hq hk hs hcw hch hcd hcc
    if (has(l.names, "#h1") || has(l.names, "#h3"))
        file.push_back("hn 1250.5 -830.25 7306.10278372591 2989.07922912206");
    for (int n = 1; has(l.names, "#" + std::to_string(n)); ++n)
        file.push_back("hp" + std::to_string(n) + "   " + std::to_string(n) + "00.5 -" + std::to_string(n) + "0.25");
    for (const char *state : {"lg1", "ly4", "lc3", "lt1", "cn3"})
        file.push_back(state);
    file.push_back(test::sj("cn\"$<ＭＳ ゴシック>"));
    file.push_back("#");
    for (const char *record : {"lg1", "ly2", "lc2", "cn3", "cc0", "ch 1000 2000 1200 0 \"GL+500"})
        file.push_back(record);
    return file;
}

struct ModeLauncher {
    const char *suffix;    ///< file name after "quillet-" or "quillet-wine-"
    const char *argument;  ///< the mode argument on the command line
    const char *selection; ///< range selection: #h1 any data, #h3 texts only
    int points;
    /// Which hpN line each exchange field must be (0: none, -1: the text "0" of the frame modes).
    int point1, bend, point2, point3;
};

const ModeLauncher kModes[] = {
    {"annotation.bat", "", "#h1", 3, 1, 0, 2, 3},
    {"t1-import.bat", "T1", "#h3", 0, 0, 0, 0, 0},
    {"t2-frame-all.bat", "T2", "#h3", 0, -1, 0, -1, -1},
    {"t3-frame-each.bat", "T3", "#h3", 0, -1, 0, -1, -1},
    {"t4-text.bat", "T4", "#h1", 2, 1, 0, 1, 2},
    {"t5-bend.bat", "T5", "#h1", 4, 1, 2, 3, 4},
};

struct Variant {
    const char *prefix;
    bool wine;
};
const Variant kVariants[] = {{"quillet-", false}, {"quillet-wine-", true}};

void PrintTo(const ModeLauncher &m, std::ostream *os) { *os << m.suffix; }
void PrintTo(const Variant &v, std::ostream *os) { *os << v.prefix; }

class ModeLaunchers : public ::testing::TestWithParam<std::tuple<ModeLauncher, Variant>> {
protected:
    const ModeLauncher &mode() const { return std::get<0>(GetParam()); }
    const Variant &variant() const { return std::get<1>(GetParam()); }
    Launcher launcher() const { return readLauncher(std::string(variant().prefix) + mode().suffix); }
};

std::string launcherName(const ::testing::TestParamInfo<std::tuple<ModeLauncher, Variant>> &info)
{
    std::string name = std::string(std::get<1>(info.param).wine ? "wine_" : "windows_") + std::get<0>(info.param).suffix;
    std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum((unsigned char)c); }, '_');
    return name;
}

} // namespace

TEST_P(ModeLaunchers, AreJwcadFilesWithTheirMemo)
{
    expectJwcadFile(launcher());
}

TEST_P(ModeLaunchers, AskForTheRangeAndThePointsOfTheirMode)
{
    const Launcher l = launcher();
    EXPECT_TRUE(has(l.names, mode().selection));
    EXPECT_FALSE(has(l.names, std::string(mode().selection) == "#h1" ? "#h3" : "#h1"));
    ASSERT_TRUE(has(l.names, "#hc")) << "no prompt for the range selection";

    std::vector<std::string> points;
    for (std::size_t i = 0; i < l.names.size(); ++i) {
        const std::string &n = l.names[i];
        if (n.size() >= 2 && n[1] >= '1' && n[1] <= '9') {
            points.push_back(n);
            EXPECT_TRUE(hasJapanese(l.texts[i])) << n << " has no Japanese prompt";
        }
        if (n == "#hc") {
            EXPECT_TRUE(hasJapanese(l.texts[i])) << "#hc has no Japanese prompt";
        }
    }
    ASSERT_EQ(int(points.size()), mode().points);
    for (std::size_t i = 0; i < points.size(); ++i)
        EXPECT_EQ(points[i], "#" + std::to_string(i + 1)) << "points are picked as #1, #2, ... in order";
}

TEST_P(ModeLaunchers, MakeJwcadWriteTheLayoutTheExchangeReaderTakesInTheirMode)
{
    const Launcher l = launcher();
    const Lines file = exchangeFor(l);
    const Mode m = modeFromArgument(mode().argument);
    if (m == Mode::TextImport || m == Mode::FrameAll || m == Mode::FrameEach) {
        // Start-up takes the selected texts, and nothing of the header, from a file of 15 lines or more.
        EXPECT_GE(file.size(), 15u);
        EXPECT_EQ(importTexts(file), Lines{"GL+500"});
        if (m == Mode::TextImport)
            return;
    }
    ExchangeData data;
    ASSERT_EQ(readExchange(file, m, data), ExchangeVerdict::Ok);

    auto pointLine = [&](int n) {
        if (n <= 0)
            return std::string(n < 0 ? "0" : "");
        return "hp" + std::to_string(n) + "   " + std::to_string(n) + "00.5 -" + std::to_string(n) + "0.25";
    };
    EXPECT_EQ(data.point1Line, pointLine(mode().point1));
    EXPECT_EQ(data.bendLine, pointLine(mode().bend));
    EXPECT_EQ(data.point2Line, pointLine(mode().point2));
    EXPECT_EQ(data.point3Line, pointLine(mode().point3));
    EXPECT_EQ(data.layerGroupLine, "lg1");
    EXPECT_EQ(data.layerLine, "ly4");
    EXPECT_EQ(data.colorLine, "lc3");
    EXPECT_EQ(data.textKindLine, "cn3");
    EXPECT_EQ(data.hostFontName, test::sj("ＭＳ ゴシック"));
}

TEST_P(ModeLaunchers, StartTheProgramInTheirModeAfterFillingInMissingStartFiles)
{
    const Launcher l = launcher();
    const std::string argument = *mode().argument ? std::string(" ") + mode().argument : "";
    const std::string copyDefaults =
        "for /r \"%~dp0defaults\" %%F in (*) do if not exist \"%~dp0%%~nxF\" copy \"%%F\" \"%~dp0\" >nul";
    const auto copy = std::find(l.commands.begin(), l.commands.end(), copyDefaults);
    ASSERT_NE(copy, l.commands.end()) << "missing start files are not filled in";
    EXPECT_EQ(std::find_if(l.commands.begin(), copy,
                           [](const std::string &c) { return c.find("quillet") != std::string::npos; }),
              copy) << "the program starts before its start files are there";
    if (!variant().wine) {
        // Jw_cad reads jwc_temp.txt back when the bat ends: /wait holds it until the window closes.
        EXPECT_EQ(l.commands.back(), "start \"\" /wait \"%~dp0quillet.exe\"" + argument);
        EXPECT_EQ(std::count_if(l.commands.begin(), l.commands.end(),
                                [](const std::string &c) { return c.find("quillet") != std::string::npos; }),
                  1);
    } else {
        const std::string start = "start \"\" /unix \"%QUILLET_HOME%/quillet-wine.sh\" \"%QUILLET_START%\"" + argument;
        const auto at = std::find(l.commands.begin(), l.commands.end(), start);
        ASSERT_NE(at, l.commands.end()) << "no line " << start;
        // The marker is made before the start and waited for after it.
        EXPECT_NE(std::find(l.commands.begin(), at, ">quillet-wine.running echo running"), at);
        EXPECT_NE(std::find(at, l.commands.end(), "if not exist quillet-wine.running goto end"), l.commands.end());
        EXPECT_EQ(l.commands.back(), ":end");
    }
}

INSTANTIATE_TEST_SUITE_P(Launchers, ModeLaunchers,
                         ::testing::Combine(::testing::ValuesIn(kModes), ::testing::ValuesIn(kVariants)), launcherName);

TEST(CheckLauncher, CopiesTheExchangeFileAsideAndLeavesItAsJwcadWroteIt)
{
    const Launcher l = readLauncher("quillet-check.bat");
    expectJwcadFile(l);
    EXPECT_TRUE(has(l.names, "#h1"));
    EXPECT_TRUE(has(l.names, "#4")) << "the check asks for as many points as the bend mode";
    int copies = 0;
    for (const std::string &c : l.commands) {
        if (c.compare(0, 4, "rem ") == 0)
            continue;
        if (c.compare(0, 21, "copy /y jwc_temp.txt ") == 0 && c.find("jwc_temp-check.txt") != std::string::npos)
            ++copies;
        EXPECT_EQ(c.find("quillet.exe"), std::string::npos) << "the check must not start the program: " << c;
        for (const char *touch : {">jwc_temp.txt", "> jwc_temp.txt", "del ", "move ", "ren "})
            EXPECT_EQ(c.find(touch), std::string::npos) << "touches jwc_temp.txt: " << c;
    }
    EXPECT_EQ(copies, 1);
}
