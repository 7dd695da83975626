#include "base/Errors.h"
#include "base/TextFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>

using namespace quillet;

struct SplitCase {
    std::string bytes;
    Lines lines;
};

class SplitLines : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitLines, EndsLinesAtCrLfOrLoneLfAndKeepsEveryOtherByte)
{
    EXPECT_EQ(splitLines(GetParam().bytes), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SplitLines,
    ::testing::Values(SplitCase{"", {}}, SplitCase{"a\r\nb\r\n", {"a", "b"}}, SplitCase{"a\r\nb", {"a", "b"}},
                      SplitCase{"a\nb\n", {"a", "b"}}, SplitCase{"\r\n", {""}}, SplitCase{"\r\n\r\n", {"", ""}},
                      SplitCase{"a\rb\r\n", {"a\rb"}}, SplitCase{std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}},
                      SplitCase{"a\r\n\r\nb", {"a", "", "b"}}, SplitCase{"a\r", {"a\r"}}));

TEST(TextFile, WritesCrLfAfterEveryLineAndReadsItBack)
{
    test::TempDir dir;
    const Lines lines{"hq", "", "lc3", test::sj("注釈")};
    writeLines(dir / "f.tx", lines);
    EXPECT_EQ(dir.read("f.tx"), "hq\r\n\r\nlc3\r\n" + test::sj("注釈") + "\r\n");
    EXPECT_EQ(readLines(dir / "f.tx"), lines);
    writeLines(dir / "empty.tx", {});
    EXPECT_EQ(dir.read("empty.tx"), "");
}

// Packed lines must read back line for line, and their bytes must be what writeLines
// would write, also for empty lines and lines that hold the line-break bytes.
TEST(PackedLines, ReadBackLineForLineWithTheBytesWriteLinesWrites)
{
    const Lines cases[] = {{},
                           {""},
                           {"", ""},
                           {"hq", "", "lc3"},
                           {"a\r\nb", "c\r", "\nd"},
                           {std::string("a\0b", 3), test::sj("注釈")}};
    for (const Lines &lines : cases) {
        PackedLines packed(lines);
        ASSERT_EQ(packed.size(), lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(packed[i], lines[i]) << i;
        EXPECT_EQ(packed.lines(), lines);
        EXPECT_EQ(packed.bytes(), joinLines(lines));
        // Lines added one at a time to a list that has some already.
        PackedLines grown(Lines{"first"});
        grown.reserve(1, 4);
        for (const std::string &line : lines)
            grown.push_back(line);
        Lines expected{"first"};
        expected.insert(expected.end(), lines.begin(), lines.end());
        EXPECT_EQ(grown.lines(), expected);
        EXPECT_EQ(grown.bytes(), joinLines(expected));
        // A copy holds the lines of its own: the original growing on leaves it as it was.
        PackedLines copy(packed);
        copy = grown;
        grown.push_back(std::string(5000, 'y'));
        EXPECT_EQ(copy.lines(), expected);
        EXPECT_EQ(copy.bytes(), joinLines(expected));
    }
}

// A line built in place keeps what was written when more room is asked for (the block
// grows under it), and nothing of an unfinished line shows.
TEST(PackedLines, ALineBuiltInPlaceSurvivesTheBlockGrowing)
{
    PackedLines packed(Lines{"lc3"});
    std::memcpy(packed.room(2), "ci", 2);
    EXPECT_EQ(packed.bytes(), "lc3\r\n");
    char *at = packed.room(10000);
    std::memset(at + 2, 'x', 9998);
    packed.closeLine(10000);
    packed.push_back("lt1");
    EXPECT_EQ(packed.lines(), (Lines{"lc3", "ci" + std::string(9998, 'x'), "lt1"}));
    EXPECT_EQ(packed.bytes(), joinLines(packed.lines()));
}

TEST(TextFile, ReplacesAnExistingFileWholeAndLeavesNoTemporaryBehind)
{
    test::TempDir dir;
    dir.writeBytes("f.tx", "old\r\nold\r\nold\r\n");
    writeLines(dir / "f.tx", {"new"});
    EXPECT_EQ(dir.read("f.tx"), "new\r\n");
    for (const auto &entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename(), "f.tx");
}

// A write that would put back the very bytes a file holds leaves the file alone; any
// other difference, a longer or shorter file with the same start included, replaces it.
TEST(TextFile, RewritesOnlyAFileWhoseBytesDiffer)
{
    struct Case {
        const char *held;
        const char *written;
        bool replaced;
    } const cases[] = {
        {"a\r\nb\r\n", "a\r\nb\r\n", false},
        {"", "", false},
        {"a\r\nb\r\n", "a\r\nc\r\n", true},   // same length
        {"a\r\nb\r\nc\r\n", "a\r\nb\r\n", true}, // the held file is longer
        {"a\r\nb\r\n", "a\r\nb\r\nc\r\n", true}, // the held file is a start of the new
        {"", "a\r\n", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string("held '") + c.held + "', written '" + c.written + "'");
        test::TempDir dir;
        dir.writeBytes("f.tx", c.held);
        // Read back after setting: a file system keeps its times to its own grain.
        std::filesystem::last_write_time(dir / "f.tx",
                                         std::filesystem::file_time_type::clock::now() - std::chrono::hours(48));
        const auto longAgo = std::filesystem::last_write_time(dir / "f.tx");
        writeBytesAtomically(dir / "f.tx", c.written);
        EXPECT_EQ(dir.read("f.tx"), c.written);
        EXPECT_EQ(std::filesystem::last_write_time(dir / "f.tx") != longAgo, c.replaced);
    }
}

TEST(TextFile, FailuresAreInputOutputErrors)
{
    test::TempDir dir;
    EXPECT_THROW(readLines(dir / "missing.tx"), InOutError);
    EXPECT_THROW(readLines(dir.path()), InOutError); // a folder where a file should be
    EXPECT_THROW(writeLines(dir / "no-such-folder" / "f.tx", {"x"}), InOutError);
    EXPECT_FALSE(fileExists(dir / "missing.tx"));
    EXPECT_TRUE(directoryExists(dir.path()));
    EXPECT_FALSE(fileExists(dir.path()));
}

TEST(TextFile, StaleTemporariesOfEndedRunsGoAndOthersStay)
{
    test::TempDir dir;
    const std::string own = temporaryFor(dir / "PJDATA.tx").filename().string();
    EXPECT_TRUE(isTemporaryName(own));
    // 4294967295 is above every process id a system hands out: that run has ended.
    const Lines names = {"PLDATA.tx.quillet-tmp-4294967295", own, "PLDATA.tx", ".quillet-tmp-1",
                         "notes.quillet-tmp-", "PMDATA1.tx.quillet-tmp-12x"};
    for (const std::string &name : names)
        dir.writeBytes(name, "x");
    EXPECT_EQ(removeStaleTemporaries(dir.path()), 1);
    EXPECT_FALSE(dir.exists(names[0]));
    for (std::size_t i = 1; i < names.size(); ++i)
        EXPECT_TRUE(dir.exists(names[i])) << names[i];
}
