// Drives the built program in batch mode in scratch start directories: damaged files
// of every kind must give their message and exit status, and leave every file alone
// that the program has no business rewriting.
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <sstream>

using namespace quillet;
using test::sj;
using test::TempDir;

namespace {

namespace fs = std::filesystem;

struct BatchRun {
    int status;
    std::string err;
};

BatchRun runBatch(const TempDir &dir, const std::string &args, const fs::path &outFile = {})
{
    const fs::path errFile = dir.path().parent_path() / (dir.path().filename().string() + ".err");
    std::vector<std::string> argv{"--batch"};
    std::istringstream words(args);
    for (std::string word; words >> word;)
        argv.push_back(word);
    const int status = test::runProgram(QUILLET_EXE, argv, dir.path(), errFile, outFile);
    std::string err = readBytes(errFile);
    fs::remove(errFile);
#ifdef _WIN32
    // Standard error is a text stream there: every line ends in CR LF.
    for (std::size_t at; (at = err.find("\r\n")) != std::string::npos;)
        err.erase(at, 1);
#endif
    return {status, err};
}

std::map<std::string, std::string> snapshot(const TempDir &dir)
{
    std::map<std::string, std::string> files;
    for (const auto &entry : fs::directory_iterator(dir.path()))
        files[entry.path().filename().string()] = readBytes(entry.path());
    return files;
}

std::set<std::string> changed(const std::map<std::string, std::string> &before,
                              const std::map<std::string, std::string> &after)
{
    std::set<std::string> names;
    for (const auto &[name, bytes] : after) {
        auto it = before.find(name);
        if (it == before.end() || it->second != bytes)
            names.insert(name);
    }
    for (const auto &[name, bytes] : before)
        if (!after.count(name))
            names.insert(name + " (removed)");
    return names;
}

void prepare(const TempDir &dir)
{
    test::copyStartData(dir);
    dir.write("jwc_temp.txt", readLines(test::fixture("exchange/annotation.jwc_temp.txt")));
    dir.write("memo.txt", {sj("外壁：吹付タイル")});
}

using Mutation = std::function<void(const TempDir &)>;

Mutation lines(const std::string &file, std::function<void(Lines &)> change)
{
    return [file, change](const TempDir &d) {
        Lines l = readLines(d / file);
        change(l);
        d.write(file, l);
    };
}

Mutation bytes(const std::string &file, std::string content)
{
    return [file, content](const TempDir &d) { d.writeBytes(file, content); };
}

Mutation removed(const std::string &file)
{
    return [file](const TempDir &d) { fs::remove(d / file); };
}

const std::string kGarbage = std::string("\x81\x00\xff\xfe garbage \x82", 14) + "\r\n\x9f\r\r\n";
const char *const kConvertMsg = "warning: [変換エラー]不正なデータがあります\nデータ数、データ位置を確認\nする必要があります\n";
const char *const kRangeMsg = "warning: [範囲エラー]不正なデータがあります\nデータ数、データ位置を確認\nする必要があります\n";

} // namespace

struct BadInputCase {
    const char *name;
    Mutation mutate;
    std::string args;
    int status;
    std::string err;
    std::set<std::string> changedFiles;
};

class BatchBadInput : public ::testing::TestWithParam<BadInputCase> {};

TEST_P(BatchBadInput, GivesItsMessageAndStatusAndTouchesNoOtherFile)
{
    const BadInputCase &c = GetParam();
    TempDir dir;
    prepare(dir);
    if (c.mutate)
        c.mutate(dir);
    const auto before = snapshot(dir);
    const BatchRun run = runBatch(dir, c.args);
    EXPECT_EQ(run.status, c.status);
    if (c.status == 2)
        EXPECT_EQ(run.err.rfind("usage: ", 0), 0u) << run.err;
    else
        EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(changed(before, snapshot(dir)), c.changedFiles);
}

// The same damaged start directories on a dry run: the same messages and status,
// and not one file written, created or emptied.
TEST_P(BatchBadInput, DryRunGivesTheSameAnswerAndTouchesNoFile)
{
    const BadInputCase &c = GetParam();
    TempDir dir;
    prepare(dir);
    if (c.mutate)
        c.mutate(dir);
    const auto before = snapshot(dir);
    const fs::path outFile = dir.path().parent_path() / (dir.path().filename().string() + ".out");
    const BatchRun run = runBatch(dir, c.args + " --dry-run", outFile);
    fs::remove(outFile);
    EXPECT_EQ(run.status, c.status);
    if (c.status != 2) {
        EXPECT_EQ(run.err, c.err);
    }
    EXPECT_EQ(changed(before, snapshot(dir)), std::set<std::string>{});
}

const std::set<std::string> kOutputOnly{"jwc_temp.txt"};
const std::set<std::string> kNothing{};

INSTANTIATE_TEST_SUITE_P(
    Files, BatchBadInput,
    ::testing::Values(
        BadInputCase{"AllGood", nullptr, "--memo memo.txt", 0, "", kOutputOnly},
        // settings
        BadInputCase{"SettingsMissing", removed("PLDATA.tx"), "", 3,
                     "notice: PLDATA.tx が見つかりません\nDATA.lzhが解凍されているか確認してください\n", kNothing},
        BadInputCase{"SettingsEmpty", bytes("PLDATA.tx", ""), "", 1, "warning: PLDATA.tx が不正です\n", kNothing},
        BadInputCase{"SettingsOneLineShortOf25", lines("PLDATA.tx", [](Lines &l) { l.resize(24); }), "", 1,
                     "warning: PLDATA.tx が不正です\n", kNothing},
        BadInputCase{"SettingsOneLineLong", lines("PLDATA.tx", [](Lines &l) { l.push_back("0"); }), "", 0, "",
                     kOutputOnly},
        BadInputCase{"SettingsNotANumber", lines("PLDATA.tx", [](Lines &l) { l[9] = "1.5"; }), "", 1, kConvertMsg,
                     kNothing},
        BadInputCase{"SettingsGarbage", bytes("PLDATA.tx", kGarbage), "", 1, "warning: PLDATA.tx が不正です\n",
                     kNothing},
        BadInputCase{"SettingsVeryLongLine", lines("PLDATA.tx", [](Lines &l) { l[0] = std::string(100000, '7'); }),
                     "", 1, kConvertMsg, kNothing},
        // patterns
        BadInputCase{"PatternsMissing", removed("PKDATA.tx"), "", 1,
                     "notice: 基本設定データ　PKDATA.tx\nが見つかりません\n再度登録してください\n", kNothing},
        BadInputCase{"PatternsOneLineShort", lines("PKDATA.tx", [](Lines &l) { l.pop_back(); }), "", 1,
                     "warning: PKDATA.tx が不正です\n再度登録してください\n", kNothing},
        BadInputCase{"PatternsOneLineLong", lines("PKDATA.tx", [](Lines &l) { l.push_back("0"); }), "", 1,
                     "warning: PKDATA.tx が不正です\n再度登録してください\n", kNothing},
        BadInputCase{"PatternsNotANumber", lines("PKDATA.tx", [](Lines &l) { l[0] = "x"; }), "", 1, kConvertMsg,
                     kNothing},
        BadInputCase{"PatternsEmpty", bytes("PKDATA.tx", ""), "", 1,
                     "warning: PKDATA.tx が不正です\n再度登録してください\n", kNothing},
        // exchange file
        BadInputCase{"ExchangeMissing", removed("jwc_temp.txt"), "", 1, "notice: jwc_temp.txt が見つかりません\n",
                     kNothing},
        BadInputCase{"ExchangeEmpty", bytes("jwc_temp.txt", ""), "", 1, "notice: jwc_temp.txt が変形済みです\n",
                     kNothing},
        BadInputCase{"ExchangeGarbage", bytes("jwc_temp.txt", kGarbage), "", 1,
                     "notice: jwc_temp.txt が変形済みです\n", kNothing},
        BadInputCase{"ExchangeOneLineShort", lines("jwc_temp.txt", [](Lines &l) { l.resize(16); }), "", 1,
                     "notice: jwc_temp.txt のデーターが異常です\n", kNothing},
        BadInputCase{"ExchangeFewTextKinds", lines("jwc_temp.txt", [](Lines &l) { l[4] = "hch 1 2"; }), "", 1,
                     kRangeMsg, kNothing},
        BadInputCase{"TextImportShort", lines("jwc_temp.txt", [](Lines &l) { l.resize(14); }), "T1", 1,
                     "warning: jwc_temp.txt が不正です\n", kNothing},
        // presets and memos
        BadInputCase{"MemoFileShort", lines("SENTAKUMEMO.TX", [](Lines &l) { l.resize(10); }), "", 0,
                     "warning: 簡単選択メモデーター が不正です\n", kOutputOnly},
        BadInputCase{"MemoFileMissing", removed("SENTAKUMEMO.TX"), "", 0,
                     "notice: 簡単選択メモデーター:SENTAKUMEMO.TX を新規作成します\n",
                     {"SENTAKUMEMO.TX", "jwc_temp.txt"}},
        BadInputCase{"PresetOneLineShort",
                     [](const TempDir &d) {
                         Lines l = readLines(test::fixture("golden/rectangle-arrow/PSDATA1.tx"));
                         l.pop_back();
                         d.write("PSDATA2.tx", l);
                     },
                     "--preset 2", 0, "notice: 保存なし\n", kOutputOnly},
        BadInputCase{"PresetNotANumber",
                     [](const TempDir &d) {
                         Lines l = readLines(test::fixture("golden/rectangle-arrow/PSDATA1.tx"));
                         l[0] = "arrow";
                         d.write("PSDATA2.tx", l);
                     },
                     "--preset 2", 4, "error: 'arrow' is not a valid integer value\n", kNothing},
        // phrase book
        BadInputCase{"PageIndexMissing", removed("PJDATA.tx"), "", 0, "", {"PJDATA.tx", "jwc_temp.txt"}},
        BadInputCase{"PageOneLineShort", lines("PMDATA1.tx", [](Lines &l) { l.pop_back(); }), "", 0,
                     "warning: PMDATA1.tx が不正です\n再度登録してください\n", kOutputOnly},
        BadInputCase{"PageGarbage", bytes("PMDATA1.tx", kGarbage), "", 0,
                     "warning: PMDATA1.tx が不正です\n再度登録してください\n", kOutputOnly},
        BadInputCase{"PageMissing", removed("PMDATA1.tx"), "", 0,
                     "question: 登録文字帳　PMDATA1.tx\nが見つかりません\nデータファイルを作成しますか？\n",
                     kOutputOnly},
        // usage
        BadInputCase{"PresetOutOfRange", nullptr, "--preset 11", 2, "", kNothing},
        BadInputCase{"MemoFileMissingArgument", nullptr, "--memo nothing.txt", 2, "", kNothing},
        BadInputCase{"MemoFileIsAFolder", nullptr, "--memo .", 2, "", kNothing},
        BadInputCase{"UnknownOption", nullptr, "--fast", 2, "", kNothing},
        BadInputCase{"BadTime", nullptr, "--now 2024-13-01T00:00:00", 2, "", kNothing},
        BadInputCase{"NoSuchDay", nullptr, "--now 2023-02-29T12:00:00", 2, "", kNothing},
        BadInputCase{"NoSuchHour", nullptr, "--now 2024-05-07T24:00:00", 2, "", kNothing},
        BadInputCase{"TimeBefore1970", nullptr, "--now 1969-12-31T23:59:59", 0, "", kOutputOnly},
        // a drawing run that ends with one of its error messages writes what it wrote
        // and says so in its status
        BadInputCase{"RunScaleZero",
                     lines("jwc_temp.txt", [](Lines &l) { l[2] = "hs 100 0 50 50 20 1 1 1 1 50 50 1 50 50 50 1"; }),
                     "", 5, "warning: [ 実数演算エラー]不正なデータがあります\nクイレットの処理は中断されます\n",
                     kOutputOnly},
        BadInputCase{"RunFixedLeaderOnPointOne",
                     [](const TempDir &d) {
                         lines("PLDATA.tx", [](Lines &l) { l[24] = "1", l[25] = "5"; })(d);
                         lines("jwc_temp.txt", [](Lines &l) { l[9] = "hp2   1520.5 2310.25"; })(d);
                     },
                     "", 5, "warning: [ 実数除算エラー]不正なデータがあります\nクイレットの処理は中断されます\n",
                     kOutputOnly}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Batch, UsageErrorsExplainTheCommandLine)
{
    TempDir dir;
    prepare(dir);
    const BatchRun run = runBatch(dir, "--preset 0");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("usage: quillet --batch"), std::string::npos);
}

TEST(Batch, TextImportSavesAndLeavesTheExchangeFileEmpty)
{
    TempDir dir;
    prepare(dir);
    dir.write("jwc_temp.txt", readLines(test::fixture("exchange/selected-texts.jwc_temp.txt")));
    const BatchRun run = runBatch(dir, "T1");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(dir.read("jwc_temp.txt"), "");
}

TEST(Batch, StartupFailureClosesAsTheWindowWouldAndLeavesTheExchangeFile)
{
    TempDir dir;
    prepare(dir);
    Lines pk = readLines(dir / "PKDATA.tx");
    pk.pop_back();
    dir.write("PKDATA.tx", pk);
    const std::string exchange = dir.read("jwc_temp.txt");
    Lines pl = readLines(dir / "PLDATA.tx");
    pl[16] = "";
    dir.write("PLDATA.tx", pl);
    EXPECT_EQ(runBatch(dir, "").status, 1);
    EXPECT_EQ(dir.read("jwc_temp.txt"), exchange);
    // The close-time write happened: the empty window position became "0".
    EXPECT_EQ(readLines(dir / "PLDATA.tx")[16], "0");
}
