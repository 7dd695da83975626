#include "phrasebook/PhraseBookEditing.h"
#include "phrasebook/PhraseGrid.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace quillet;
using namespace quillet::phrasegrid;
using test::sj;
using test::TempDir;

namespace {

Lines pageWith(int block, const Lines &lines)
{
    Lines page(180);
    for (std::size_t k = 0; k < lines.size(); ++k)
        page[std::size_t(block) * 5 + k] = lines[k];
    return page;
}

} // namespace

struct CopyCase {
    const char *name;
    Lines memo;
    int caret;
    Lines block;
    CopyMode mode;
    Lines expected;
    int caretAfter;
};

TEST(PhraseGridCopy, CopiesIntoTheLineAfterTheCaretByEachMode)
{
    const Lines four{"L0", "L1", "L2", "L3"};
    const Lines gap{"A", "", "C", "", ""};
    const std::string sixty(60, 'x');
    const CopyCase cases[] = {
        // The caret on the second line of a four-line box: the block lands from line 2 on.
        {"overwrite", four, 1, gap, CopyMode::Overwrite, {"L0", "L1", "A", "L3", "C"}, 2},
        {"insert", four, 1, gap, CopyMode::Insert, {"L0", "L1", "A", "L2", "C"}, 2},
        {"append", four, 1, gap, CopyMode::Append, {"L0", "L1", "L2A", "L3", "C"}, 2},
        {"replace all", four, 1, gap, CopyMode::ReplaceAll, {"A", "", "C"}, 2},
        // On the box's last line there is no next line: the copy starts on the caret's.
        {"overwrite on the last line", four, 3, gap, CopyMode::Overwrite, {"L0", "L1", "L2", "A"}, 3},
        {"into an empty box", {}, 0, {"A", "B"}, CopyMode::Overwrite, {"A", "B"}, 0},
        {"insert keeps a gap's place in a short box", {}, 0, gap, CopyMode::Insert, {"A", "", "C"}, 0},
        {"insert into a full box drops what is pushed out", {"1", "2", "3", "4", "5"}, 0, {"A", "B"},
         CopyMode::Insert, {"1", "A", "B", "2", "3"}, 1},
        {"append is cut at 70 bytes", {"a", sixty}, 0, {"0123456789ABC"}, CopyMode::Append,
         {"a", sixty + "0123456789"}, 1},
        {"replace all with five lines", four, 0, {"1", "2", "3", "4", "5"}, CopyMode::ReplaceAll,
         {"1", "2", "3", "4", "5"}, 1},
        {"an empty block only moves the caret", four, 1, Lines(5), CopyMode::ReplaceAll, four, 2},
    };
    for (const CopyCase &c : cases) {
        const MemoCopy result = copyBlock(c.memo, c.caret, c.block, c.mode, false);
        EXPECT_EQ(result.lines, c.expected) << c.name;
        EXPECT_EQ(result.caretLine, c.caretAfter) << c.name;
        EXPECT_EQ(result.linesChanged, c.expected != c.memo) << c.name;
    }
}

TEST(PhraseGridCopy, TheBlockViewStopsTheCopyAfterTheCaretStep)
{
    const MemoCopy result = copyBlock({"a", "b"}, 0, {"X"}, CopyMode::ReplaceAll, true);
    EXPECT_EQ(result.lines, (Lines{"a", "b"}));
    EXPECT_TRUE(result.caretMoved);
    EXPECT_EQ(result.caretLine, 1);
    EXPECT_FALSE(result.linesChanged);
}

TEST(PhraseGridBlocks, CondensedLinesCarryTheMarkerAndFortyThreeBytes)
{
    const std::string fortyFour(44, 'a');
    // 21 full-width characters and one more: byte 43 would split the 22nd.
    std::string wide;
    for (int i = 0; i < 22; ++i)
        wide += sj("あ");
    const struct {
        Lines block;
        std::string expected;
    } cases[] = {
        {{"one"}, "   one"},
        {{"one", "", "", "", "five"}, sj("▼ ") + "one"},
        {{"", "two"}, sj("▼ ")},
        {{fortyFour}, "   " + std::string(43, 'a')},
        {{wide}, "   " + wide.substr(0, 42)},
    };
    for (const auto &c : cases)
        EXPECT_EQ(condensedLine(pageWith(7, c.block), 7), c.expected) << c.block[0];
}

TEST(PhraseGridBlocks, RegisteringOverALongerBlockEmptiesItsOtherLines)
{
    Lines page = pageWith(20, {"1", "2", "3", "4", "5"});
    EXPECT_EQ(registerBlock(page, 20, {"new"}), std::optional<std::string>("   new"));
    EXPECT_EQ(blockLines(page, 20), (Lines{"new", "", "", "", ""}));
    EXPECT_EQ(registerBlock(page, 20, {"a", "b"}), std::optional<std::string>(sj("▼ ") + "a"));
    EXPECT_EQ(blockLines(page, 20), (Lines{"a", "b", "", "", ""}));
    EXPECT_EQ(registerBlock(page, 20, {}), std::nullopt);
    EXPECT_EQ(blockLines(page, 20), (Lines{"a", "b", "", "", ""}));
    EXPECT_EQ(page[99], "") << "the block before is untouched";
    EXPECT_EQ(page[110], "") << "the block after is untouched";
}

TEST(PhraseGridBlocks, InPlaceEditsAreSplitAtLineBreaks)
{
    const std::string long400(400, 'z');
    const struct {
        const char *name;
        std::string text;
        Lines expected;
        std::string condensed;
    } cases[] = {
        {"two lines", "a\r\nb", {"a", "b", "", "", ""}, sj("▼ ") + "a"},
        {"one line keeps the edited blank marker", "a", {"a", "", "", "", ""}, sj("　 ") + "a"},
        {"text after a fifth break is ignored", "1\r\n2\r\n3\r\n4\r\n5\r\n6", {"1", "2", "3", "4", "5"},
         sj("▼ ") + "1"},
        {"a last line is kept to 350 bytes", "x\r\n" + long400, {"x", std::string(350, 'z'), "", "", ""},
         sj("▼ ") + "x"},
        {"a line followed by a break is not cut", long400 + "\r\n", {long400, "", "", "", ""},
         sj("　 ") + long400},
    };
    for (const auto &c : cases) {
        Lines page = pageWith(3, {"old"});
        const EditResult result = storeEdit(page, 3, c.text);
        EXPECT_EQ(blockLines(page, 3), c.expected) << c.name;
        EXPECT_EQ(result.condensed, c.condensed) << c.name;
        EXPECT_TRUE(result.modified) << c.name;
    }
    Lines page = pageWith(3, {"same", "two"});
    EXPECT_FALSE(storeEdit(page, 3, "same\r\ntwo\r\n\r\n\r\n").modified);
}

TEST(PhraseGridBlocks, TheBlockViewShowsColonsOnTextOrOnEveryLine)
{
    const Lines block{"a", "", "c", "", ""};
    EXPECT_EQ(blockViewLines(block, false), (Lines{"a:", "", "c:", "", ""}));
    EXPECT_EQ(blockViewLines(block, true), (Lines{"a:", ":", "c:", ":", ":"}));
}

TEST(PhraseGridPointer, EdgeZonesFollowTheDetectionRange)
{
    EXPECT_EQ(edgeZoneWidth(566, 1), 51);
    EXPECT_EQ(edgeZoneWidth(566, 2), 70);
    EXPECT_EQ(edgeZoneWidth(566, 3), 141);
    EXPECT_EQ(edgeZoneWidth(566, 0), 0);
    using Edge = GridState::Edge;
    const struct {
        int x;
        Edge before, after;
        int column;
    } cases[] = {
        {69, Edge::None, Edge::Left, 0},   {70, Edge::Left, Edge::Left, -1}, {70, Edge::None, Edge::None, -1},
        {71, Edge::Left, Edge::None, -1},  {495, Edge::Right, Edge::None, -1}, {496, Edge::Right, Edge::Right, -1},
        {497, Edge::None, Edge::Right, 1}, {497, Edge::Left, Edge::Right, 1},
    };
    for (const auto &c : cases) {
        GridState state;
        state.edge = c.before;
        const PointerStep step = pointerMove(state, c.x, 566, 2, 0);
        EXPECT_EQ(state.edge, c.after) << c.x;
        EXPECT_EQ(step.column, c.column) << c.x;
    }
}

TEST(PhraseGridPointer, InAZoneTheOpenRowFollowsThePointerAndLeavingTheRowsStopsSelection)
{
    GridState state;
    EXPECT_TRUE(pointerMove(state, 10, 566, 2, 4).openRow);
    EXPECT_EQ(state.openRow, 4);
    EXPECT_FALSE(pointerMove(state, 10, 566, 2, 4).openRow) << "same row, same zone";
    EXPECT_TRUE(pointerMove(state, 10, 566, 2, 6).openRow);
    EXPECT_EQ(state.openRow, 6);
    EXPECT_FALSE(pointerMove(state, 300, 566, 2, 9).openRow) << "the middle band moves nothing";
    EXPECT_EQ(state.openRow, 6);
    pointerMove(state, 10, 566, 2, -1);
    EXPECT_EQ(state.edge, GridState::Edge::None);
    EXPECT_FALSE(state.permission);
    // 無し: no zones anywhere.
    GridState none;
    EXPECT_FALSE(pointerMove(none, 1, 566, 0, 3).openRow);
    EXPECT_EQ(none.openRow, 0);
}

TEST(PhraseGridPointer, TheWheelStopsAtTheEndsAndIsRefusedInAZone)
{
    GridState state;
    EXPECT_TRUE(wheelStep(state, -1));
    EXPECT_EQ(state.openRow, 0);
    for (int i = 0; i < 20; ++i)
        wheelStep(state, +1);
    EXPECT_EQ(state.openRow, 17);
    pointerMove(state, 5, 566, 2, 17);
    EXPECT_FALSE(wheelStep(state, -1));
    EXPECT_EQ(state.openRow, 17);
    EXPECT_FALSE(state.permission);
}

TEST(PhraseBookFolder, AChosenFolderIsStoredRelativeToTheStartDirectory)
{
    TempDir outer;
    std::filesystem::create_directories(outer / "start" / "a" / "b");
    std::filesystem::create_directories(outer / "start-other");
    const auto start = outer / "start";
    EXPECT_EQ(PhraseBook::folderStringFor(start, start), std::optional<std::string>(""));
    EXPECT_EQ(PhraseBook::folderStringFor(start, start / "a" / "b"), std::optional<std::string>("\\a\\b"));
    EXPECT_EQ(PhraseBook::folderStringFor(start, outer / "start-other"), std::nullopt);
    EXPECT_EQ(PhraseBook::folderStringFor(start, outer.path()), std::nullopt);
}

TEST(PhraseBookEditing, RegisteringOnAPageWithoutAFileCreatesIt)
{
    TempDir dir;
    PhraseBook book;
    book.setStartDir(dir.path());
    book.setPage("3");
    test::RecordingHost host;
    book.openFolder(host); // declined
    book.pageIndex()[2] = PhraseBook::noPageText();
    GridState grid;
    EXPECT_FALSE(registerInput(book, grid, host, 0, {}));
    EXPECT_FALSE(dir.exists("PMDATA3.tx"));
    EXPECT_TRUE(registerInput(book, grid, host, 19, {"x", "y"}));
    EXPECT_EQ(readLines(dir / "PMDATA3.tx"), pageWith(19, {"x", "y"}));
    EXPECT_EQ(book.pageIndex()[2], "");
    EXPECT_EQ(grid.condensed[19], sj("▼ ") + "x");
}

TEST(PhraseBookEditing, APageOfTheWrongLengthIsRewrittenOnlyByADelete)
{
    TempDir dir;
    dir.write("PMDATA1.tx", Lines(12, "x"));
    const std::string before = dir.read("PMDATA1.tx");
    PhraseBook book;
    book.setStartDir(dir.path());
    test::RecordingHost host;
    book.openFolder(host);
    GridState grid;
    storeCellEdit(book, grid, 0, "typed");
    book.exitWriteBack(host);
    EXPECT_EQ(dir.read("PMDATA1.tx"), before) << "an in-place edit cannot reach such a page";
    deleteFromBook(book, grid, host, 5);
    EXPECT_EQ(readLines(dir / "PMDATA1.tx"), Lines(180));
}

TEST(PhraseBookEditing, EditedLinesReachTheirOwnPageOnlyWhenThePageIsLeft)
{
    TempDir dir;
    dir.write("PMDATA1.tx", pageWith(0, {"one"}));
    dir.write("PMDATA2.tx", pageWith(0, {"two"}));
    PhraseBook book;
    book.setStartDir(dir.path());
    test::RecordingHost host;
    book.openFolder(host);
    GridState grid;
    grid.rebuild(book.openPage());
    storeCellEdit(book, grid, 0, "one\r\nmore");
    EXPECT_EQ(grid.condensed[0], sj("▼ ") + "one");
    EXPECT_TRUE(switchPage(book, grid, host, 2));
    EXPECT_EQ(readLines(dir / "PMDATA1.tx"), pageWith(0, {"one", "more"}));
    EXPECT_EQ(grid.condensed[0], "   two");
    book.exitWriteBack(host);
    EXPECT_EQ(readLines(dir / "PMDATA2.tx"), pageWith(0, {"two"}));
    EXPECT_TRUE(host.messages.empty());
}

TEST(PhraseBookEditing, APageThatCannotBeWrittenStaysOpenWhenAnotherIsChosen)
{
    TempDir dir;
    dir.write("PMDATA1.tx", pageWith(0, {"one"}));
    dir.write("PMDATA2.tx", pageWith(0, {"two"}));
    PhraseBook book;
    book.setStartDir(dir.path());
    test::RecordingHost host;
    book.openFolder(host);
    GridState grid;
    storeCellEdit(book, grid, 0, "edited");
    // A folder where the page file was makes the write fail.
    std::filesystem::remove(dir / "PMDATA1.tx");
    std::filesystem::create_directory(dir / "PMDATA1.tx");
    EXPECT_FALSE(switchPage(book, grid, host, 2));
    EXPECT_EQ(book.page(), "1");
    EXPECT_EQ(book.openPage()[0], "edited");
    EXPECT_TRUE(book.modified());
    EXPECT_EQ(host.messages.at(0).rfind("warning: [入出力エラー]", 0), 0u);
    EXPECT_EQ(readLines(dir / "PMDATA2.tx"), pageWith(0, {"two"}));
}

TEST(PhraseBookEditing, AFolderSwitchWritesEditsAndRefusesAFolderOutside)
{
    TempDir outer;
    std::filesystem::create_directories(outer / "start" / "sub");
    std::filesystem::create_directories(outer / "elsewhere");
    outer.write("start/PMDATA1.tx", pageWith(0, {"top"}));
    outer.write("start/sub/PMDATA1.tx", pageWith(0, {"sub"}));
    PhraseBook book;
    book.setStartDir(outer / "start");
    test::RecordingHost host;
    book.openFolder(host);
    GridState grid;
    storeCellEdit(book, grid, 1, "kept");
    switchFolder(book, grid, host, outer / "start" / "sub");
    EXPECT_EQ(readLines(outer / "start" / "PMDATA1.tx")[5], "kept");
    EXPECT_EQ(book.folder(), "\\sub");
    EXPECT_EQ(grid.condensed[0], "   sub");
    switchFolder(book, grid, host, outer / "elsewhere");
    EXPECT_EQ(book.folder(), "\\sub");
    EXPECT_EQ(host.messages.back(),
              "warning: 選択したフォルダは起動フォルダの外にあります\r\n文字帳フォルダは起動フォルダの中から選んでください");
    EXPECT_FALSE(outer.exists("elsewhere/PJDATA.tx"));
}
