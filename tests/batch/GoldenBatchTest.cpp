// Every start directory under tests/fixtures/golden/ through the built program's batch
// mode: the exchange file it writes back must be the expected one, byte for byte.
// The expected files were worked out independently of this program.
#include "support/RunSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quillet;
using namespace quillet::test;

namespace {

namespace fs = std::filesystem;

std::vector<std::string> goldenCases()
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(fixture("golden")))
        if (entry.is_directory())
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class GoldenBatch : public ::testing::TestWithParam<std::string> {};

} // namespace

TEST_P(GoldenBatch, WritesTheExpectedExchangeFileByteForByte)
{
    const fs::path source = fixture("golden/" + GetParam());
    TempDir dir;
    for (const auto &entry : fs::directory_iterator(source))
        fs::copy_file(entry.path(), dir / entry.path().filename().string());
    const Lines mode = readLines(dir / "mode");
    std::vector<std::string> args{"--batch", "--preset", "1", "--memo", "memo.txt", "--now", "2024-05-07T09:05:03"};
    if (!mode.empty() && !mode[0].empty())
        args.push_back(mode[0]);
    const int status = runProgram(QUILLET_EXE, args, dir.path(), dir / "stderr.txt");
    EXPECT_EQ(status, 0) << dir.read("stderr.txt");
    const std::string expected = readBytes(source / "expected.jwc_temp.txt");
    const std::string written = dir.read("jwc_temp.txt");
    EXPECT_EQ(written, expected) << "diff of the lines:\n"
                                 << readable(readLines(dir / "jwc_temp.txt")) << "\nexpected:\n"
                                 << readable(readLines(source / "expected.jwc_temp.txt"));
}

INSTANTIATE_TEST_SUITE_P(EveryGoldenCase, GoldenBatch, ::testing::ValuesIn(goldenCases()),
                         [](const ::testing::TestParamInfo<std::string> &info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });
