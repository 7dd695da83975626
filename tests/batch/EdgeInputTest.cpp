// Inputs at the edges of what the readers meet, and writes that fail: each run must
// give its message and an exit status that says what happened, and leave every file
// either untouched or whole.
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <sstream>

using namespace quillet;
using namespace quillet::test;

namespace {

namespace fs = std::filesystem;

using Environment = std::vector<std::pair<std::string, std::string>>;

struct BatchRun {
    int status;
    std::string err;
};

// Runs `quillet --batch args` in `dir` with `environment` added to the program's.
BatchRun runBatchIn(const TempDir &dir, const std::string &args, const Environment &environment)
{
    std::vector<std::string> argv{"--batch"};
    std::istringstream words(args);
    for (std::string word; words >> word;)
        argv.push_back(word);
#ifndef _WIN32
    for (const auto &[name, value] : environment)
        setenv(name.c_str(), value.c_str(), 1);
#endif
    const fs::path errFile = dir.path().parent_path() / (dir.path().filename().string() + ".err");
    const int status = runProgram(QUILLET_EXE, argv, dir.path(), errFile);
#ifndef _WIN32
    for (const auto &[name, value] : environment)
        unsetenv(name.c_str());
#endif
    BatchRun run{status, readBytes(errFile)};
#ifdef _WIN32
    // Standard error is a text stream there: each line ends in CR LF.
    run.err.erase(std::remove(run.err.begin(), run.err.end(), '\r'), run.err.end());
#endif
    fs::remove(errFile);
    return run;
}

// Every file under `dir` by its relative name; a symbolic link shows as "-> target".
std::map<std::string, std::string> snapshotTree(const TempDir &dir)
{
    std::map<std::string, std::string> files;
    for (auto it = fs::recursive_directory_iterator(dir.path()); it != fs::recursive_directory_iterator(); ++it) {
        const std::string name = fs::relative(it->path(), dir.path()).generic_string();
        if (it->is_symlink())
            files[name] = "-> " + fs::read_symlink(it->path()).generic_string();
        else if (it->is_regular_file())
            files[name] = readBytes(it->path());
    }
    return files;
}

std::set<std::string> changedFiles(const std::map<std::string, std::string> &before,
                                   const std::map<std::string, std::string> &after)
{
    std::set<std::string> names;
    for (const auto &[name, bytes] : after)
        if (!before.count(name) || before.at(name) != bytes)
            names.insert(name);
    for (const auto &[name, bytes] : before)
        if (!after.count(name))
            names.insert(name + " (removed)");
    return names;
}

using Setup = std::function<void(const TempDir &)>;

Setup setLine(const std::string &file, std::size_t index, const std::string &text)
{
    return [=](const TempDir &d) {
        Lines l = readLines(d / file);
        l.at(index) = text;
        d.write(file, l);
    };
}

Setup append(const std::string &file, const std::string &bytes)
{
    return [=](const TempDir &d) { d.writeBytes(file, d.read(file) + bytes); };
}

Setup both(Setup a, Setup b)
{
    return [=](const TempDir &d) { a(d), b(d); };
}

// About 10 MB of text records.
std::string tenMegabytes()
{
    std::string line = "ch 1 2 3 4 \"" + std::string(60, 'x') + "\r\n", bytes;
    while (bytes.size() < 10'000'000)
        bytes += line;
    return bytes;
}

const Setup kSelectedTexts = [](const TempDir &d) {
    d.write("jwc_temp.txt", readLines(fixture("exchange/selected-texts.jwc_temp.txt")));
};

// The write-fault shim: writes to paths containing `match` fail as `fault` says.
// ASan wants to come first among the libraries; the shim must, so it is told not to mind.
// A file saved with LF endings, as an editor elsewhere may leave it: putting it back
// with CR LF is a real write, which a full disk then refuses. (A file that would be
// written back unchanged is left alone, and a full disk never shows.)
Setup withLfEndings(const std::string &name)
{
    return [name](const TempDir &d) {
        std::string bytes = d.read(name);
        bytes.erase(std::remove(bytes.begin(), bytes.end(), '\r'), bytes.end());
        d.writeBytes(name, bytes);
    };
}

Environment fault(const std::string &fault, const std::string &match)
{
#ifdef QUILLET_IO_SHIM
    const char *asan = std::getenv("ASAN_OPTIONS");
    return {{"LD_PRELOAD", QUILLET_IO_SHIM},
            {"QUILLET_IO_FAULT", fault},
            {"QUILLET_IO_MATCH", match},
            {"ASAN_OPTIONS", std::string(asan ? asan : "") + ":verify_asan_link_order=0"}};
#else
    (void)fault, (void)match;
    return {{"unavailable", ""}};
#endif
}

const char *const kConvertRun = "warning: [変換エラー]不正なデータがあります\nクイレットの処理は中断されます\n";
const char *const kRangeRun = "warning: [範囲エラー]不正なデータがあります\nクイレットの処理は中断されます\n";
const char *const kConvertStartup =
    "warning: [変換エラー]不正なデータがあります\nデータ数、データ位置を確認\nする必要があります\n";
const char *const kInOut = "warning: [入出力エラー]書込みまたは読込みできません\nディスクを確認する必要があります\n";
const char *const kIndexInOut =
    "warning: [目次入出力エラー]書込みまたは読込みできません\nディスクを確認する必要があります\n";

struct EdgeCase {
    const char *name;
    Setup setup;
    std::string args;
    Environment environment; ///< the write-fault shim, when the case needs it
    int status;
    std::string errContains;
    std::set<std::string> changed;
    std::function<void(const TempDir &)> check = nullptr;
};

class EdgeInput : public ::testing::TestWithParam<EdgeCase> {};

const std::set<std::string> kOutput{"jwc_temp.txt"};
const std::set<std::string> kNothing{};

// The text record that the annotation writes for the memo.
std::string textRecord(const TempDir &d)
{
    for (const std::string &line : readLines(d / "jwc_temp.txt"))
        if (line.compare(0, 3, "ch ") == 0)
            return line.substr(line.find('"') + 1);
    return "(none)";
}

} // namespace

TEST_P(EdgeInput, GivesItsMessageAndStatusAndLeavesFilesWhole)
{
    const EdgeCase &c = GetParam();
    if (!c.environment.empty() && c.environment[0].first == "unavailable")
        GTEST_SKIP() << "the write-fault shim is built on Linux only";
    TempDir dir;
    copyStartData(dir);
    dir.write("jwc_temp.txt", readLines(fixture("exchange/annotation.jwc_temp.txt")));
    dir.write("memo.txt", {sj("外壁：吹付タイル")});
    if (c.setup) {
        try {
            c.setup(dir);
        } catch (const fs::filesystem_error &e) {
            if (e.code() != std::errc::function_not_supported)
                throw;
            GTEST_SKIP() << "this system cannot set the case up: " << e.what();
        }
    }
    const auto before = snapshotTree(dir);
    const BatchRun run = runBatchIn(dir, "--memo memo.txt --now 2024-05-07T09:05:03 " + c.args, c.environment);
    EXPECT_EQ(run.status, c.status) << run.err;
    if (c.errContains.empty())
        EXPECT_EQ(run.err, "");
    else
        EXPECT_NE(run.err.find(c.errContains), std::string::npos) << run.err;
    EXPECT_EQ(changedFiles(before, snapshotTree(dir)), c.changed);
    if (c.check)
        c.check(dir);
}

INSTANTIATE_TEST_SUITE_P(
    Batch, EdgeInput,
    ::testing::Values(
        // lines of 100,000 bytes
        EdgeCase{"PointOf100000Digits", setLine("jwc_temp.txt", 8, "hp1 " + std::string(100000, '1') + " 2"), "",
                 {}, 5, kConvertRun, kOutput},
        EdgeCase{"MemoLineOf100000Bytes", setLine("memo.txt", 0, std::string(100000, 'W')), "", {}, 0, "", kOutput,
                 [](const TempDir &d) { EXPECT_EQ(textRecord(d), std::string(70, 'W')); }},
        EdgeCase{"PageLineOf100000BytesIsKept", setLine("PMDATA1.tx", 3, std::string(100000, 'x')), "", {}, 0, "",
                 kOutput},
        // files of 10 MB
        EdgeCase{"ExchangeOf10MBFramedOneByOne", both(kSelectedTexts, append("jwc_temp.txt", tenMegabytes())), "T3",
                 {}, 5, kRangeRun, kOutput},
        EdgeCase{"ExchangeOf10MBFramedTogether", both(kSelectedTexts, append("jwc_temp.txt", tenMegabytes())), "T2",
                 {}, 0, "", kOutput},
        EdgeCase{"PageOf10MBIsLeftAlone", append("PMDATA1.tx", tenMegabytes()), "", {}, 0,
                 "warning: PMDATA1.tx が不正です", kOutput},
        EdgeCase{"MemoFileOf10MB", append("memo.txt", tenMegabytes()), "", {}, 0, "", kOutput},
        // NUL bytes and a Shift-JIS lead byte with nothing after it
        EdgeCase{"NulInASettingsNumber", setLine("PLDATA.tx", 7, std::string("10\0", 3)), "", {}, 1, kConvertStartup,
                 kNothing},
        EdgeCase{"NulInAPointIsNoNumber", setLine("jwc_temp.txt", 9, std::string("hp2 3020.5\0 3810.25", 19)), "",
                 {}, 5, kConvertRun, kOutput},
        EdgeCase{"NulAndLeadByteInPageNamesAreKept",
                 both(setLine("PJDATA.tx", 0, std::string("a\0b", 3)), setLine("PJDATA.tx", 1, sj("外壁") + "\x81")),
                 "", {}, 0, "", kOutput},
        EdgeCase{"LeadByteEndsTheMemo", setLine("memo.txt", 0, sj("外壁") + "\x81"), "", {}, 0, "", kOutput},
        EdgeCase{"LeadByteEndsTheFontLine", setLine("jwc_temp.txt", 16, "cn\"$<" + sj("ＭＳ ゴシック") + "\x81"), "",
                 {}, 0, "", kOutput},
        // numbers at the ends of the range
        EdgeCase{"PointBeyondFloat", setLine("jwc_temp.txt", 8, "hp1 1e4932 2310.25"), "", {}, 4,
                 "error: Floating point overflow", kNothing},
        EdgeCase{"PointOfNegativeZero", setLine("jwc_temp.txt", 8, "hp1 -0 -0"), "", {}, 0, "", kOutput,
                 [](const TempDir &d) { EXPECT_EQ(d.read("jwc_temp.txt").find(" -0 "), std::string::npos); }},
        EdgeCase{"PointOfSmallestDouble", setLine("jwc_temp.txt", 8, "hp1 4.9e-324 4.9e-324"), "", {}, 0, "",
                 kOutput},
        EdgeCase{"SettingsNumberBeyondInteger", setLine("PLDATA.tx", 7, "1e4932"), "", {}, 1, kConvertStartup,
                 kNothing},
        EdgeCase{"SettingsNumberOfNegativeZero", setLine("PLDATA.tx", 7, "-0"), "", {}, 0, "", kOutput},
        // writes that fail
        EdgeCase{"ReadOnlySettingsFile", [](const TempDir &d) { fs::permissions(d / "PLDATA.tx", fs::perms::owner_read); },
                 "", {}, 0, kInOut, kOutput},
        EdgeCase{"SettingsOnAReadOnlyDisk", nullptr, "", fault("readonly", "PLDATA.tx"), 0, kInOut, kOutput},
        EdgeCase{"PageIndexOnAFullDisk", withLfEndings("PJDATA.tx"), "", fault("full", "PJDATA.tx"), 0, kIndexInOut,
                 kOutput},
        EdgeCase{"PageOnAFullDisk", withLfEndings("PMDATA1.tx"), "", fault("full", "PMDATA1.tx"), 4,
                 "PMDATA1.tx: No space left on device", kNothing},
        EdgeCase{"ExchangeOnAFullDisk", nullptr, "", fault("full", "jwc_temp.txt"), 4,
                 "jwc_temp.txt: No space left on device", kNothing},
        EdgeCase{"AllOnAReadOnlyDisk", nullptr, "", fault("readonly", ""), 4, "Read-only file system", kNothing},
        // The start-up would create the missing memo file: a run that cannot deliver
        // its output must not leave that behind either.
        EdgeCase{"ReadOnlyExchangeFileStopsBeforeTheStartUpWrites",
                 [](const TempDir &d) {
                     fs::remove(d / "SENTAKUMEMO.TX");
                     fs::permissions(d / "jwc_temp.txt", fs::perms::owner_read);
                 },
                 "", {}, 4, "jwc_temp.txt: it is read-only", kNothing},
        EdgeCase{"TextImportOnAReadOnlyDisk", kSelectedTexts, "T1", fault("readonly", "jwc_temp.txt"), 1, kInOut,
                 kNothing},
        // a linked exchange file
        EdgeCase{"ExchangeIsALink",
                 [](const TempDir &d) {
                     fs::create_directory(d / "host");
                     fs::rename(d / "jwc_temp.txt", d / "host" / "exchange.txt");
                     fs::create_symlink(fs::path("host") / "exchange.txt", d / "jwc_temp.txt");
                 },
                 "", {}, 0, "", {"host/exchange.txt"}},
        EdgeCase{"ExchangeIsADanglingLink",
                 [](const TempDir &d) {
                     fs::remove(d / "jwc_temp.txt");
                     fs::create_symlink("gone.txt", d / "jwc_temp.txt");
                 },
                 "", {}, 1, "notice: jwc_temp.txt が見つかりません", kNothing}),
    [](const auto &info) { return std::string(info.param.name); });
