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

namespace {

/// Width and height from a PNG's header chunk; (0, 0) when it is no PNG.
std::pair<int, int> pngSize(const std::string &bytes)
{
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 || bytes.compare(12, 4, "IHDR") != 0)
        return {0, 0};
    auto be = [&bytes](std::size_t at) {
        int v = 0;
        for (std::size_t i = 0; i < 4; ++i)
            v = v * 256 + static_cast<unsigned char>(bytes[at + i]);
        return v;
    };
    return {be(16), be(20)};
}

} // namespace

// The same through the program's own entry with --dry-run and both pictures: the
// lines on standard output, the pictures beside the start directory, nothing in it
// changed. The PNG comes from the window module, or is refused without it.
TEST_P(GoldenBatch, DryRunPrintsTheSameLinesAndDrawsBothPictures)
{
    const fs::path source = fixture("golden/" + GetParam());
    TempDir dir;
    const fs::path start = dir / "start";
    fs::create_directory(start);
    for (const auto &entry : fs::directory_iterator(source))
        fs::copy_file(entry.path(), start / entry.path().filename());
    const Lines mode = readLines(start / "mode");
    std::vector<std::string> args{"--batch", "--preset", "1",     "--memo", "memo.txt", "--now",
                                  "2024-05-07T09:05:03", "--dry-run", "--svg", "../p.svg", "--png", "../p.png",
                                  "--size", "320x240"};
    if (!mode.empty() && !mode[0].empty())
        args.push_back(mode[0]);
    const int status = runProgram(QUILLET_EXE, args, start, dir / "err.txt", dir / "out.txt");
    for (const auto &entry : fs::directory_iterator(source))
        EXPECT_EQ(readBytes(start / entry.path().filename()), readBytes(entry.path())) << entry.path().filename();
    EXPECT_EQ(std::distance(fs::directory_iterator(start), fs::directory_iterator{}),
              std::distance(fs::directory_iterator(source), fs::directory_iterator{}));
    if (!QUILLET_HAS_WINDOW) {
        EXPECT_EQ(status, 2);
        return;
    }
    EXPECT_EQ(status, 0) << dir.read("err.txt");
    EXPECT_EQ(dir.read("out.txt"), readBytes(source / "expected.jwc_temp.txt"));
    EXPECT_NE(dir.read("p.svg").find("</svg>"), std::string::npos);
    EXPECT_EQ(pngSize(dir.read("p.png")), std::make_pair(320, 240));
    EXPECT_EQ(dir.read("err.txt").find("error"), std::string::npos) << dir.read("err.txt");
}

INSTANTIATE_TEST_SUITE_P(EveryGoldenCase, GoldenBatch, ::testing::ValuesIn(goldenCases()),
                         [](const ::testing::TestParamInfo<std::string> &info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });
