// The slide and extension choices of a preset, through the built program, taking
// effect in what the frame kinds write back.
#include "support/RunSupport.h"

#include <gtest/gtest.h>

using namespace quillet;
using namespace quillet::test;

namespace {

namespace fs = std::filesystem;

// Copies golden/<name> into `dir`, lets `change` edit its preset, runs the batch mode
// with preset 1 and returns the exchange file it wrote.
Lines runGolden(const TempDir &dir, const std::string &name, void (*change)(Lines &) = nullptr)
{
    for (const auto &entry : fs::directory_iterator(fixture("golden/" + name)))
        fs::copy_file(entry.path(), dir / entry.path().filename().string());
    if (change) {
        Lines preset = readLines(dir / "PSDATA1.tx");
        change(preset);
        dir.write("PSDATA1.tx", preset);
    }
    const Lines mode = readLines(dir / "mode");
    std::vector<std::string> args{"--batch", "--preset", "1", "--memo", "memo.txt", "--now", "2024-05-07T09:05:03"};
    if (!mode.empty() && !mode[0].empty())
        args.push_back(mode[0]);
    EXPECT_EQ(runProgram(QUILLET_EXE, args, dir.path()), 0);
    return readLines(dir / "jwc_temp.txt");
}

} // namespace

TEST(FrameBatch, GivenExtensionLengthComesFromThePreset)
{
    // 四角延長 with an extension of 10 mm at 1/100 from point 2 (3020.5, 3810.25).
    TempDir dir;
    const Lines out = runGolden(dir, "rectangle-arrow", [](Lines &p) {
        p[2] = "7";
        p[7] = "10";
        p[8] = "1";
    });
    ASSERT_GE(out.size(), 6u);
    EXPECT_EQ(Lines(out.begin() + 2, out.begin() + 6),
              (Lines{"lc3", " 3020.5 3810.25 4020.5 3810.25", "lc3", " 4020.5 3428.82153320312 7338 3428.82153320312"}));
}

TEST(FrameBatch, SlideFromThePresetPutsTheLastLineBelowTheUnderline)
{
    TempDir dir;
    const Lines out = runGolden(dir, "rectangle-arrow", [](Lines &p) {
        p[2] = "1";
        p[9] = "1";
    });
    ASSERT_GE(out.size(), 4u);
    const Segment underline = segmentOf(out[3]);
    EXPECT_EQ(underline.y1, 3810.25L);
    EXPECT_EQ(underline.y2, 3810.25L);
    std::vector<TextRecord> texts;
    for (const auto &l : out)
        if (l.compare(0, 3, "ch ") == 0)
            texts.push_back(textOf(l));
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_LT(texts[0].y, underline.y1);
    EXPECT_GT(texts[1].y, underline.y1);
}
