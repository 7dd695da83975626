#include "phrasebook/PhraseBook.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace quillet;
using test::sj;
using test::TempDir;

namespace {

PhraseBook bookIn(const TempDir &dir)
{
    PhraseBook book;
    book.setStartDir(dir.path());
    return book;
}

Lines page(const std::string &firstLine)
{
    Lines lines(180);
    lines[0] = firstLine;
    return lines;
}

} // namespace

TEST(PhraseBook, OpensThePageOfASubFolderGivenWithABackslash)
{
    TempDir dir;
    std::filesystem::create_directories(dir / "sub dir");
    dir.write("sub dir/PMDATA3.tx", page("A"));
    PhraseBook book = bookIn(dir);
    book.setFolder("\\sub dir");
    book.setPage("3");
    test::RecordingHost host;
    EXPECT_EQ(book.openFolder(host), PhraseBook::OpenResult::Loaded);
    EXPECT_EQ(book.openPage()[0], "A");
    EXPECT_TRUE(host.messages.empty());
    book.openPage()[1] = "B";
    book.exitWriteBack(host);
    EXPECT_EQ(readLines(dir / "sub dir" / "PMDATA3.tx")[1], "B");
    EXPECT_TRUE(std::filesystem::exists(dir / "sub dir" / "PJDATA.tx"));
}

TEST(PhraseBook, DecliningTheCreationLeavesNoFileAndWritesNoneAtExit)
{
    TempDir dir;
    PhraseBook book = bookIn(dir);
    book.setPage("5");
    test::RecordingHost host;
    host.answer = false;
    EXPECT_EQ(book.openFolder(host), PhraseBook::OpenResult::Declined);
    EXPECT_EQ(host.messages,
              std::vector<std::string>{"question: 登録文字帳　PMDATA5.tx\r\nが見つかりません\r\nデータファイルを作成しますか？"});
    book.exitWriteBack(host);
    EXPECT_FALSE(dir.exists("PMDATA5.tx"));
}

TEST(PhraseBook, AcceptingTheCreationWritesAnEmptyPageAndClearsItsIndexRow)
{
    TempDir dir;
    PhraseBook book = bookIn(dir);
    book.setPage("2");
    book.pageIndex()[1] = PhraseBook::noPageText();
    test::RecordingHost host;
    host.answer = true;
    EXPECT_EQ(book.openFolder(host), PhraseBook::OpenResult::Created);
    EXPECT_EQ(readLines(dir / "PMDATA2.tx"), Lines(180));
    EXPECT_EQ(book.pageIndex()[1], "");
}

TEST(PhraseBook, APageOfTheWrongLengthIsReportedAndNeverOverwrittenAtExit)
{
    for (int count : {179, 181}) {
        TempDir dir;
        dir.write("PMDATA1.tx", Lines(std::size_t(count), "x"));
        const std::string before = dir.read("PMDATA1.tx");
        PhraseBook book = bookIn(dir);
        test::RecordingHost host;
        EXPECT_EQ(book.openFolder(host), PhraseBook::OpenResult::BadLineCount);
        EXPECT_EQ(host.messages, std::vector<std::string>{"warning: PMDATA1.tx が不正です\r\n再度登録してください"});
        book.exitWriteBack(host);
        EXPECT_EQ(dir.read("PMDATA1.tx"), before) << count;
    }
}

TEST(PhraseBook, SwitchingPagesWritesAnEditedPageAndAsksWithTheFullPath)
{
    TempDir dir;
    dir.write("PMDATA1.tx", page("one"));
    PhraseBook book = bookIn(dir);
    test::RecordingHost host;
    book.openFolder(host);
    // The current page: no reload, no write.
    book.openPage()[0] = "edited";
    EXPECT_EQ(book.switchPage(host, 1), PhraseBook::OpenResult::Loaded);
    EXPECT_EQ(readLines(dir / "PMDATA1.tx")[0], "one");
    book.setModified(true);
    EXPECT_EQ(book.switchPage(host, 4), PhraseBook::OpenResult::Declined);
    EXPECT_EQ(readLines(dir / "PMDATA1.tx")[0], "edited");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find(dir.path().filename().string()), std::string::npos);
    EXPECT_NE(host.messages[0].find("\\PMDATA4.tx\r\nが見つかりません"), std::string::npos);
}

TEST(PhraseBook, AMissingIndexShowsNoIndexDataAndWritesItBack)
{
    TempDir dir;
    PhraseBook book = bookIn(dir);
    test::RecordingHost host;
    book.loadPageIndex(host);
    EXPECT_EQ(book.pageIndex()[0], sj("　目次データなし"));
    EXPECT_EQ(book.pageIndex().size(), 20u);
    book.savePageIndex(host);
    EXPECT_EQ(readLines(dir / "PJDATA.tx")[0], sj("　目次データなし"));
    EXPECT_TRUE(host.messages.empty());
}

TEST(PhraseBook, AShortIndexIsShownWithEmptyRows)
{
    TempDir dir;
    dir.write("PJDATA.tx", {"a", "b"});
    PhraseBook book = bookIn(dir);
    test::RecordingHost host;
    book.loadPageIndex(host);
    EXPECT_EQ(book.pageIndex().size(), 20u);
    EXPECT_EQ(book.pageIndex()[1], "b");
    EXPECT_EQ(book.pageIndex()[2], "");
}

TEST(PhraseBook, AFolderSwitchMarksPagesWithoutFiles)
{
    TempDir dir;
    std::filesystem::create_directories(dir / "other");
    dir.write("other/PMDATA1.tx", page("x"));
    dir.write("other/PMDATA2.tx", page("y"));
    PhraseBook book = bookIn(dir);
    test::RecordingHost host;
    book.switchFolder(host, dir / "other");
    EXPECT_EQ(book.folder(), "\\other");
    EXPECT_EQ(book.page(), "1");
    EXPECT_EQ(book.openPage()[0], "x");
    EXPECT_EQ(book.pageIndex()[0], sj("　目次データなし"));
    EXPECT_EQ(book.pageIndex()[1], "");
    for (int row = 2; row < 20; ++row)
        EXPECT_EQ(book.pageIndex()[std::size_t(row)], PhraseBook::noPageText()) << row;
    // Choosing the start directory itself gives the empty folder string.
    book.switchFolder(host, dir.path());
    EXPECT_EQ(book.folder(), "");
}

TEST(PhraseBook, StatusTextNamesThePatternAndAtMostSixtyBytesOfTheFolder)
{
    TempDir dir;
    PhraseBook book = bookIn(dir);
    EXPECT_EQ(book.statusText(sj("標準")),
              sj("[ 標準 ]　文字帳フォルダ = ") + dir.path().filename().string());
    book.setFolder("\\" + std::string(69, 'f'));
    EXPECT_EQ(book.statusText("p"), "[ p" + sj(" ]　文字帳フォルダ = ") + std::string(60, 'f'));
}

TEST(PhraseBook, AFolderThatClimbsOutOfTheStartDirectoryIsTreatedAsGone)
{
    TempDir outer;
    std::filesystem::create_directories(outer / "start");
    std::filesystem::create_directories(outer / "elsewhere");
    writeLines(outer / "elsewhere" / "PJDATA.tx", {"outside"});
    const std::string outside = outer.read("elsewhere/PJDATA.tx");
    PhraseBook book;
    book.setStartDir(outer / "start");
    book.setFolder("\\..\\elsewhere");
    test::RecordingHost host;
    host.answer = true;
    book.loadPageIndex(host);
    book.openFolder(host);
    EXPECT_EQ(book.folder(), "");
    EXPECT_EQ(host.messages.at(1), "warning: 前回の文字帳フォルダが見つかりません");
    book.exitWriteBack(host);
    EXPECT_EQ(outer.read("elsewhere/PJDATA.tx"), outside);
    EXPECT_FALSE(outer.exists("elsewhere/PMDATA1.tx"));
}
