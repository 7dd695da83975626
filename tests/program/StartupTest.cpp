#include "program/CompleteInput.h"
#include "program/Startup.h"
#include "settings/Settings.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>

using namespace quillet;
using test::sj;
using test::TempDir;

namespace {

void prepare(const TempDir &dir, const std::string &exchangeFixture = "annotation")
{
    test::copyStartData(dir);
    if (!exchangeFixture.empty())
        dir.write("jwc_temp.txt", readLines(test::fixture("exchange/" + exchangeFixture + ".jwc_temp.txt")));
}

Lines lines(const TempDir &dir, const std::string &name) { return readLines(dir / name); }

const std::string kRange = "warning: [範囲エラー]不正なデータがあります\r\nデータ数、データ位置を確認\r\nする必要があります";
const std::string kConvert = "warning: [変換エラー]不正なデータがあります\r\nデータ数、データ位置を確認\r\nする必要があります";

} // namespace

struct StartupCase {
    const char *name;
    std::string argument;
    std::function<void(const TempDir &)> setup;
    int screenHeight;
    std::vector<std::string> messages;
    StartupResult result;
    bool outputEnabled;
};

class StartupMessages : public ::testing::TestWithParam<StartupCase> {};

TEST_P(StartupMessages, ShowsTheMessagesInOrderAndDisablesOutputOnFailure)
{
    const StartupCase &c = GetParam();
    TempDir dir;
    prepare(dir);
    c.setup(dir);
    test::RecordingHost host;
    host.height = c.screenHeight;
    Session session;
    EXPECT_EQ(runStartup(session, host, c.argument, dir.path()), c.result);
    EXPECT_EQ(host.messages, c.messages);
    if (c.result == StartupResult::Running) {
        EXPECT_EQ(session.outputEnabled, c.outputEnabled);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartupMessages,
    ::testing::Values(
        StartupCase{"AllGood", "", [](const TempDir &) {}, 1024, {}, StartupResult::Running, true},
        StartupCase{"ExchangeMissing", "", [](const TempDir &d) { std::filesystem::remove(d / "jwc_temp.txt"); },
                    1024, {"notice: jwc_temp.txt が見つかりません"}, StartupResult::Running, false},
        StartupCase{"Transformed", "",
                    [](const TempDir &d) {
                        d.write("jwc_temp.txt", readLines(test::fixture("exchange/transformed.jwc_temp.txt")));
                    },
                    1024, {"notice: jwc_temp.txt が変形済みです"}, StartupResult::Running, false},
        StartupCase{"SixteenLinesInAnnotationMode", "",
                    [](const TempDir &d) {
                        Lines l = readLines(d / "jwc_temp.txt");
                        l.resize(16);
                        d.write("jwc_temp.txt", l);
                    },
                    1024, {"notice: jwc_temp.txt のデーターが異常です"}, StartupResult::Running, false},
        StartupCase{"TextImportWithoutFile", "T1",
                    [](const TempDir &d) { std::filesystem::remove(d / "jwc_temp.txt"); }, 1024,
                    {"notice: jwc_temp.txt が見つかりません"}, StartupResult::Running, false},
        StartupCase{"FrameWriteFourteenLines", "T2",
                    [](const TempDir &d) {
                        Lines l = readLines(d / "jwc_temp.txt");
                        l.resize(14);
                        d.write("jwc_temp.txt", l);
                    },
                    1024, {"warning: jwc_temp.txt が不正です"}, StartupResult::Running, false},
        // Long enough for the frame modes' check, too short for the exchange read: silent.
        StartupCase{"FrameWriteFifteenLines", "T2",
                    [](const TempDir &d) {
                        Lines l = readLines(d / "jwc_temp.txt");
                        l.resize(15);
                        d.write("jwc_temp.txt", l);
                    },
                    1024, {}, StartupResult::Running, true},
        StartupCase{"SettingsMissing", "", [](const TempDir &d) { std::filesystem::remove(d / "PLDATA.tx"); }, 1024,
                    {"notice: PLDATA.tx が見つかりません\r\nDATA.lzhが解凍されているか確認してください"},
                    StartupResult::Ended, false},
        StartupCase{"SettingsOf24Lines", "",
                    [](const TempDir &d) {
                        Lines l = readLines(d / "PLDATA.tx");
                        l.resize(24);
                        d.write("PLDATA.tx", l);
                    },
                    1024, {"warning: PLDATA.tx が不正です"}, StartupResult::Running, false},
        StartupCase{"SettingsNotANumber", "",
                    [](const TempDir &d) {
                        Lines l = readLines(d / "PLDATA.tx");
                        l[7] = "ten";
                        d.write("PLDATA.tx", l);
                    },
                    1024, {kConvert}, StartupResult::Running, false},
        StartupCase{"FontSwitchOutOfRange", "",
                    [](const TempDir &d) {
                        Lines l = readLines(d / "PLDATA.tx");
                        l[15] = "128";
                        d.write("PLDATA.tx", l);
                    },
                    1024, {kRange}, StartupResult::Running, false},
        StartupCase{"PatternsMissing", "", [](const TempDir &d) { std::filesystem::remove(d / "PKDATA.tx"); }, 1024,
                    {"notice: 基本設定データ　PKDATA.tx\r\nが見つかりません\r\n再度登録してください"},
                    StartupResult::Running, false},
        StartupCase{"PatternsOf127Lines", "",
                    [](const TempDir &d) {
                        Lines l = readLines(d / "PKDATA.tx");
                        l.push_back("0");
                        d.write("PKDATA.tx", l);
                    },
                    1024, {"warning: PKDATA.tx が不正です\r\n再度登録してください"}, StartupResult::Running, false},
        StartupCase{"ScreenTooSmall", "", [](const TempDir &) {}, 599,
                    {"warning: ディスプレイの解像度が 640x480 では起動出来ません\r\n800x600 以上に変更してください"},
                    StartupResult::Ended, true},
        StartupCase{"PageFileMissingDeclined", "",
                    [](const TempDir &d) { std::filesystem::remove(d / "PMDATA1.tx"); }, 1024,
                    {"question: 登録文字帳　PMDATA1.tx\r\nが見つかりません\r\nデータファイルを作成しますか？"},
                    StartupResult::Running, true},
        StartupCase{"PageFileOf179Lines", "",
                    [](const TempDir &d) {
                        Lines l = readLines(d / "PMDATA1.tx");
                        l.pop_back();
                        d.write("PMDATA1.tx", l);
                    },
                    1024, {"warning: PMDATA1.tx が不正です\r\n再度登録してください"}, StartupResult::Running, true},
        StartupCase{"PageNumberOutOfRange", "",
                    [](const TempDir &d) {
                        Lines l = readLines(d / "PLDATA.tx");
                        l[4] = "21";
                        d.write("PLDATA.tx", l);
                    },
                    1024, {kRange}, StartupResult::Running, false},
        StartupCase{"FolderVanished", "",
                    [](const TempDir &d) {
                        Lines l = readLines(d / "PLDATA.tx");
                        l[11] = "\\gone";
                        d.write("PLDATA.tx", l);
                    },
                    1024,
                    {"warning: [目次入出力エラー]書込みまたは読込みできません\r\nディスクを確認する必要があります",
                     "warning: 前回の文字帳フォルダが見つかりません"},
                    StartupResult::Running, true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Startup, TextImportFillsTheMemoAndEmptiesTheExchangeFileAtOnce)
{
    TempDir dir;
    prepare(dir, "selected-texts");
    test::RecordingHost host;
    Session session;
    runStartup(session, host, "t1", dir.path());
    EXPECT_EQ(session.mode, Mode::TextImport);
    EXPECT_EQ(session.form.memoLines, (Lines{"GL+500", sj("コンクリート打放し"), sj("外壁：吹付タイル"), sj("45°の注記")}));
    EXPECT_EQ(dir.read("jwc_temp.txt"), "");
    EXPECT_TRUE(session.outputEnabled);
}

TEST(Startup, FrameModesKeepTheWholeFileAsTheExchangeCopyAndReleaseTiltInT2)
{
    TempDir dir;
    prepare(dir, "selected-texts");
    Lines pl = lines(dir, "PLDATA.tx");
    pl[21] = "1";
    dir.write("PLDATA.tx", pl);
    test::RecordingHost host;
    Session session;
    runStartup(session, host, "T2", dir.path());
    EXPECT_EQ(session.exchangeCopy, lines(dir, "jwc_temp.txt"));
    EXPECT_EQ(session.exchange.point1Line, "0");
    EXPECT_FALSE(session.form.tiltOn);
    EXPECT_EQ(session.form.memoLines.size(), 4u);
}

TEST(Startup, ASettingsFileOf25LinesIsAppliedAndPaddedAtOnce)
{
    TempDir dir;
    prepare(dir);
    Lines pl = lines(dir, "PLDATA.tx");
    pl.resize(25);
    dir.write("PLDATA.tx", pl);
    test::RecordingHost host;
    Session session;
    runStartup(session, host, "", dir.path());
    Lines expected = pl;
    expected.resize(30, "0");
    EXPECT_EQ(lines(dir, "PLDATA.tx"), expected);
    EXPECT_TRUE(host.messages.empty());
}

struct ScreenCase {
    int height;
    std::string variant;
    int n;
};

class WindowSize : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(WindowSize, PicksTheRowOfHeightAndVariant)
{
    const WindowSizeRow *row = windowSizeFor(GetParam().height, GetParam().variant);
    EXPECT_EQ(row ? row->n : 1024, GetParam().n);
}

INSTANTIATE_TEST_SUITE_P(Rows, WindowSize,
                         ::testing::Values(ScreenCase{600, "0", 824}, ScreenCase{600, "", 824}, ScreenCase{600, "1", 920},
                                           ScreenCase{768, "0", 1024}, ScreenCase{768, "1", 1190},
                                           ScreenCase{864, "0", 1152}, ScreenCase{864, "1", 1300},
                                           ScreenCase{865, "0", 1280}, ScreenCase{2160, "1", 1420},
                                           ScreenCase{700, "1", 1024}, ScreenCase{1080, "2", 1024}));

TEST(Close, WritesSettingsAndPhraseBookButLeavesTheExchangeFileAsItWas)
{
    TempDir dir;
    prepare(dir);
    const std::string exchange = dir.read("jwc_temp.txt");
    test::RecordingHost host;
    Session session;
    ASSERT_EQ(runStartup(session, host, "", dir.path()), StartupResult::Running);
    session.form.windowLeft = 321;
    session.form.continuous = true;
    session.form.presetDown = 7;
    session.form.fixedLeaderLength = true;
    session.phraseBook.pageIndex()[3] = sj("設備2");
    closeWindow(session, host);
    EXPECT_EQ(dir.read("jwc_temp.txt"), exchange);
    const Lines pl = lines(dir, "PLDATA.tx");
    EXPECT_EQ(pl[16], "321");
    EXPECT_EQ(pl[23], "7");
    EXPECT_EQ(pl[24], "1");
    EXPECT_EQ(lines(dir, "PJDATA.tx")[3], sj("設備2"));
    EXPECT_EQ(lines(dir, "PMDATA1.tx"), test::startData("PMDATA1.tx"));
}

struct KeptFileCase {
    const char *name;
    const char *file;
    std::function<void(Lines &)> damage;
};

class CloseAfterFailure : public ::testing::TestWithParam<KeptFileCase> {};

// Files that failed their check belong to the user to mend; the close must not write
// placeholders over them.
TEST_P(CloseAfterFailure, LeavesEveryDamagedFileUntouched)
{
    TempDir dir;
    prepare(dir);
    Lines damaged = lines(dir, GetParam().file);
    GetParam().damage(damaged);
    dir.write(GetParam().file, damaged);
    const std::string before = dir.read(GetParam().file);
    test::RecordingHost host;
    Session session;
    runStartup(session, host, "", dir.path());
    closeWindow(session, host);
    EXPECT_EQ(dir.read(GetParam().file), before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CloseAfterFailure,
    ::testing::Values(KeptFileCase{"ShortSettings", "PLDATA.tx", [](Lines &l) { l.resize(20); }},
                      KeptFileCase{"SettingsNotANumber", "PLDATA.tx", [](Lines &l) { l[0] = "x"; }},
                      KeptFileCase{"LongPatterns", "PKDATA.tx", [](Lines &l) { l.push_back("0"); }},
                      KeptFileCase{"ShortPage", "PMDATA1.tx", [](Lines &l) { l.pop_back(); }}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Close, StartupStoppedBeforeThePhraseBookWritesNoPhraseBookFile)
{
    TempDir dir;
    prepare(dir);
    Lines pl = lines(dir, "PLDATA.tx");
    pl[4] = "0";
    dir.write("PLDATA.tx", pl);
    const std::string index = dir.read("PJDATA.tx");
    test::RecordingHost host;
    Session session;
    runStartup(session, host, "", dir.path());
    EXPECT_FALSE(session.outputEnabled);
    closeWindow(session, host);
    EXPECT_EQ(dir.read("PJDATA.tx"), index);
}

TEST(Close, AVanishedFolderFallsBackWithoutErasingTheStartDirectorysIndex)
{
    TempDir dir;
    prepare(dir);
    Lines pl = lines(dir, "PLDATA.tx");
    pl[11] = "\\gone";
    dir.write("PLDATA.tx", pl);
    const std::string index = dir.read("PJDATA.tx");
    test::RecordingHost host;
    Session session;
    runStartup(session, host, "", dir.path());
    EXPECT_EQ(session.phraseBook.folder(), "");
    EXPECT_EQ(session.phraseBook.page(), "1");
    closeWindow(session, host);
    EXPECT_EQ(dir.read("PJDATA.tx"), index);
    EXPECT_EQ(lines(dir, "PLDATA.tx")[11], "");
}

TEST(LeaderLength, IsStoredInPaperMillimetresRoundedToTenPlaces)
{
    TempDir dir;
    prepare(dir);
    test::RecordingHost host;
    Session session;
    ASSERT_EQ(runStartup(session, host, "", dir.path()), StartupResult::Running);
    // Points 1 and 2 of the sample lie 1500 apart in x and y, in group 1 at scale 100.
    storeLeaderLength(session);
    // hypot = 2121.32034355964…, rounded to ten places and divided by the scale.
    EXPECT_EQ(session.files.settingsList[25], "21.213203435596");
    settings::registerSettings(session.settingsScope(), host);
    EXPECT_EQ(readLines(dir / "PLDATA.tx")[25], "0"); // 設定登録 clears it
}
