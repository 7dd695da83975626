// The batch mode's dry run and pictures, run in process with a stand-in for the
// window's PNG painter, and the one exit-status table of --help and the README.
#include "batch/Batch.h"
#include "support/RunSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

using namespace quillet;
using namespace quillet::test;

namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> snapshot(const fs::path &dir)
{
    std::map<std::string, std::string> files;
    for (const auto &entry : fs::recursive_directory_iterator(dir))
        if (entry.is_regular_file())
            files[entry.path().lexically_relative(dir).string()] = readBytes(entry.path());
    return files;
}

void copyGolden(const std::string &name, const TempDir &dir)
{
    for (const auto &entry : fs::directory_iterator(fixture("golden/" + name)))
        fs::copy_file(entry.path(), dir / entry.path().filename().string());
}

struct PngCall {
    Lines output, exchange;
    bool frameMode = false;
    int width = 0, height = 0;
    fs::path file;
};

struct Outcome {
    int status;
    std::string out, err;
};

Outcome batch(const TempDir &dir, const std::vector<std::string> &args, const PngWriter &png = {})
{
    std::ostringstream out, err;
    const int status = runBatch(args, dir.path(), out, err, png);
    return {status, out.str(), err.str()};
}

} // namespace

// In every mode a dry run leaves the start directory as it was, byte for byte, and
// prints what the real run writes into jwc_temp.txt.
TEST(BatchDryRun, PrintsTheRunsLinesAndWritesNothing)
{
    struct Case {
        const char *golden;
        const char *exchange; // a fixture instead of the golden case's own, or null
        const char *mode;
    } cases[] = {
        {"rectangle-arrow", nullptr, nullptr},
        {"frames-around-texts", nullptr, "T3"},
        {"textmode-underline", nullptr, "T4"},
        {"rectangle-arrow", "selected-texts.jwc_temp.txt", "T1"}, // start-up would empty jwc_temp.txt
    };
    // The golden directories lack SENTAKUMEMO.TX and the phrase-book page, which a
    // real run creates.
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.golden) + " " + (c.mode ? c.mode : ""));
        TempDir dir;
        copyGolden(c.golden, dir);
        if (c.exchange)
            dir.write("jwc_temp.txt", readLines(fixture(std::string("exchange/") + c.exchange)));
        const auto before = snapshot(dir.path());
        std::vector<std::string> args{"--dry-run", "--preset", "1", "--memo", "memo.txt", "--now", "2024-05-07T09:05:03"};
        if (c.mode)
            args.push_back(c.mode);
        const Outcome run = batch(dir, args);
        EXPECT_EQ(run.status, kBatchCompleted) << run.err;
        EXPECT_TRUE(snapshot(dir.path()) == before);
        EXPECT_EQ(run.out, c.exchange ? std::string() : dir.read("expected.jwc_temp.txt"));
    }
}

TEST(BatchPictures, GoWhereAskedAndOnlyThereOnADryRun)
{
    TempDir dir;
    copyGolden("cloud-fill", dir);
    const auto before = snapshot(dir.path());
    std::vector<PngCall> calls;
    const PngWriter png = [&calls](const Lines &output, const Lines &exchange, bool frameMode, int w, int h,
                                   const fs::path &file, std::string &) {
        calls.push_back({output, exchange, frameMode, w, h, file});
        return true;
    };
    Outcome run = batch(dir, {"--dry-run", "--preset", "1", "--memo", "memo.txt", "--svg", "cloud.svg", "--png", "cloud.png"}, png);
    EXPECT_EQ(run.status, kBatchCompleted) << run.err;
    auto after = snapshot(dir.path());
    const std::string svg = after["cloud.svg"];
    after.erase("cloud.svg");
    EXPECT_TRUE(after == before);
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find("fill=\"#fffbf0\""), std::string::npos);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].output, goldenExpected("cloud-fill"));
    EXPECT_EQ(calls[0].exchange, readLines(dir / "jwc_temp.txt"));
    EXPECT_FALSE(calls[0].frameMode);
    EXPECT_EQ(std::make_pair(calls[0].width, calls[0].height), std::make_pair(1024, 768));
    EXPECT_EQ(calls[0].file, dir / "cloud.png");

    // Without the dry run the exchange file is written as well, and the size is taken.
    run = batch(dir, {"--preset", "1", "--memo", "memo.txt", "--png", "cloud.png", "--size", "320x200"}, png);
    EXPECT_EQ(run.status, kBatchCompleted) << run.err;
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(std::make_pair(calls[1].width, calls[1].height), std::make_pair(320, 200));
    EXPECT_EQ(dir.read("jwc_temp.txt"), dir.read("expected.jwc_temp.txt"));
}

TEST(BatchPictures, APictureThatCannotBeWrittenIsItsOwnStatus)
{
    TempDir dir;
    copyGolden("rectangle-arrow", dir);
    Outcome run = batch(dir, {"--dry-run", "--preset", "1", "--memo", "memo.txt", "--svg", "no/such/folder/a.svg"});
    EXPECT_EQ(run.status, kBatchPictureFailed);
    EXPECT_NE(run.err.find("error: the picture no/such/folder/a.svg cannot be written"), std::string::npos) << run.err;
    EXPECT_FALSE(run.out.empty()); // the lines came first

    const PngWriter failing = [](const Lines &, const Lines &, bool, int, int, const fs::path &, std::string &why) {
        why = "disk full";
        return false;
    };
    run = batch(dir, {"--preset", "1", "--memo", "memo.txt", "--png", "a.png"}, failing);
    EXPECT_EQ(run.status, kBatchPictureFailed);
    EXPECT_NE(run.err.find("disk full"), std::string::npos);
    EXPECT_EQ(dir.read("jwc_temp.txt"), dir.read("expected.jwc_temp.txt"));
}

TEST(BatchPictures, BadPictureOptionsAreABadCommandLine)
{
    const PngWriter png = [](const Lines &, const Lines &, bool, int, int, const fs::path &, std::string &) {
        return true;
    };
    struct Case {
        std::vector<std::string> args;
        bool withPainter;
        const char *problem;
    } cases[] = {
        {{"--png", "a.png"}, false, "no window"},
        {{"--size", "10x10"}, true, "--size goes with --png"},
        {{"--png", "a.png", "--size", "0x5"}, true, "--size takes"},
        {{"--png", "a.png", "--size", "10x"}, true, "--size takes"},
        {{"--png", "a.png", "--size", "x10"}, true, "--size takes"},
        {{"--png", "a.png", "--size", "10*10"}, true, "--size takes"},
        {{"--png", "a.png", "--size", "+1x2"}, true, "--size takes"},
        {{"--png", "a.png", "--size", "16385x10"}, true, "--size takes"},
        {{"--png", "a.png", "--size"}, true, "--size takes"},
        {{"--svg"}, true, "--svg takes a file"},
    };
    for (const Case &c : cases) {
        TempDir dir;
        copyStartData(dir);
        const Outcome run = batch(dir, c.args, c.withPainter ? png : PngWriter{});
        EXPECT_EQ(run.status, kBatchUsage) << c.problem;
        EXPECT_EQ(run.err.rfind("usage: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.problem), std::string::npos) << run.err;
    }
}

// The README repeats the table that --help prints; they must not drift apart.
TEST(BatchUsage, TheReadmeCarriesTheSameExitStatusTableAsHelp)
{
    std::ifstream readme(fs::path(QUILLET_SOURCE_DIR) / "README.md");
    std::vector<std::string> rows;
    std::string line;
    bool inTable = false;
    while (std::getline(readme, line)) {
        if (line.rfind("| exit status |", 0) == 0)
            inTable = true;
        else if (inTable && line.rfind("|---", 0) != 0) {
            if (line.rfind("| ", 0) != 0)
                break;
            std::string plain;
            for (char ch : line)
                if (ch != '`')
                    plain += ch;
            rows.push_back(plain);
        }
    }
    std::vector<std::string> expected;
    for (const BatchStatusRow &row : batchStatusTable())
        expected.push_back("| " + std::to_string(row.status) + " | " + row.meaning + " |");
    EXPECT_EQ(rows, expected);

    TempDir dir;
    const Outcome run = batch(dir, {"--version"});
    EXPECT_EQ(run.status, kBatchCompleted);
    EXPECT_EQ(run.out, versionText() + "\n");
    EXPECT_EQ(run.out.rfind("quillet 1.", 0), 0u);
}
