// The phrase book as a user meets it in the main window, against real files: copying
// a block into the input box, registering, deleting, editing in place, switching
// pages and folders, and the key rules of the block grid.
#include "UiTestSupport.h"

#include "widgets/TMLStringGrid.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <QWheelEvent>

using namespace uitest;
using quillet::Lines;
using quillet::widgets::TMLStringGrid;

namespace {

/// A 180-line page with `lines` from block `block` on.
Lines pageWith(int block, const Lines &lines, Lines page = Lines(180))
{
    for (std::size_t k = 0; k < lines.size(); ++k)
        page[std::size_t(block) * 5 + k] = lines[k];
    return page;
}

Lines blockOf(const Lines &page, int block)
{
    return Lines(page.begin() + block * 5, page.begin() + block * 5 + 5);
}

/// A start directory with pages 1 and 2 and the window open on it.
struct Window {
    StartDir dir;
    RecordingHost host;
    std::unique_ptr<TForm1> form;

    explicit Window(const Lines &page1 = pageWith(0, {"one"}), const Lines &page2 = pageWith(0, {"two"}))
    {
        dir.write("PMDATA1.tx", page1);
        dir.write("PMDATA2.tx", page2);
        form = std::make_unique<TForm1>("", dir.path(), &host);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    template <typename T = QWidget> T *get(const char *name) const { return form->findChild<T *>(name); }
    TMLStringGrid *grid() const { return get<TMLStringGrid>("MLStringGrid1"); }
    QPoint cellPos(int column, int row) const
    {
        return grid()->visualRect(grid()->model()->index(row, column)).center();
    }
    void click(int column, int row) const { QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cellPos(column, row)); }
    void pressOn(const char *name, Qt::MouseButton button) const { QTest::mousePress(get(name), button); }
    Lines page(const char *name = "PMDATA1.tx") const { return dir.read(name); }
};

void setMemo(QPlainTextEdit *memo, const QString &text, int caretLine)
{
    memo->setPlainText(text);
    memo->setTextCursor(QTextCursor(memo->document()->findBlockByNumber(caretLine)));
}

void wheel(QWidget *target, QPoint pos, int delta)
{
    QWheelEvent event(pos, target->mapToGlobal(pos), {}, {0, delta}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QCoreApplication::sendEvent(target, &event);
}

} // namespace

class TForm1PhraseBookTest : public QObject {
    Q_OBJECT
private slots:
    void copyModesLandAfterTheCaretLine_data();
    void copyModesLandAfterTheCaretLine();
    void thePopupsFirstItemCopiesTheBlockAndCompletesInput();
    void registeringOverALongerBlockEmptiesItsOtherLines();
    void deleteAsksOnlyOnTheLeftButton();
    void anInPlaceEditReachesTheFileAtClose();
    void aModifiedPageIsWrittenBeforeAnotherIsShown();
    void folderSwitchAndBack();
    void gridKeyRules();
    void wheelEdgeZonesAndBlockView();
};

void TForm1PhraseBookTest::copyModesLandAfterTheCaretLine_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ｶｰｿﾙ行に上書") << 0 << "L0\nL1\nA\nL3\nC";
    QTest::newRow("ｶｰｿﾙ行に挿入") << 1 << "L0\nL1\nA\nL2\nC";
    QTest::newRow("ｶｰｿﾙ行に追加") << 2 << "L0\nL1\nL2A\nL3\nC";
    QTest::newRow("全行入替え") << 3 << "A\n\nC";
}

void TForm1PhraseBookTest::copyModesLandAfterTheCaretLine()
{
    QFETCH(int, mode);
    QFETCH(QString, expected);
    Window w(pageWith(19, {"A", "", "C"}));
    w.get<QComboBox>("ComboBox8")->setCurrentIndex(mode);
    auto *memo = w.get<QPlainTextEdit>("Memo1");
    setMemo(memo, "L0\nL1\nL2\nL3", 1);
    QTest::mouseDClick(w.grid()->viewport(), Qt::LeftButton, {}, w.cellPos(1, 1));
    QCOMPARE(memo->toPlainText(), expected);
    QCOMPARE(memo->textCursor().blockNumber(), 2);
    QCOMPARE(memo->textCursor().positionInBlock(), 0);
    QCOMPARE(w.form->session().form.memoLines.size(), std::size_t(expected.count('\n') + 1));
}

void TForm1PhraseBookTest::thePopupsFirstItemCopiesTheBlockAndCompletesInput()
{
    Window w(pageWith(0, {"MENU TEXT"}));
    w.form->findChild<QAction *>("MENW1")->trigger();
    QVERIFY(w.form->runEnded());
    QCOMPARE(w.get<QPlainTextEdit>("Memo1")->toPlainText(), QString("MENU TEXT"));
    QVERIFY(w.dir.bytes("jwc_temp.txt").find("\"MENU TEXT\r\n") != std::string::npos);
}

void TForm1PhraseBookTest::registeringOverALongerBlockEmptiesItsOtherLines()
{
    Window w(pageWith(3, {"1", "2", "3", "4", "5"}));
    setMemo(w.get<QPlainTextEdit>("Memo1"), QString::fromUtf8("新しい注記"), 0);
    w.click(0, 7);
    w.get<QToolButton>("SpeedButton8")->click();
    QCOMPARE(blockOf(w.page(), 7), (Lines{sj("新しい注記"), "", "", "", ""}));
    QCOMPARE(blockOf(w.page(), 3), (Lines{"1", "2", "3", "4", "5"}));
    w.click(0, 3);
    w.get<QToolButton>("SpeedButton8")->click();
    QCOMPARE(blockOf(w.page(), 3), (Lines{sj("新しい注記"), "", "", "", ""}));
    QCOMPARE(w.grid()->cell(0, 7), QString::fromUtf8("   新しい注記"));
    // An empty box writes nothing.
    w.get<QPlainTextEdit>("Memo1")->clear();
    w.click(1, 0);
    w.get<QToolButton>("SpeedButton8")->click();
    QCOMPARE(blockOf(w.page(), 18), Lines(5));
}

void TForm1PhraseBookTest::deleteAsksOnlyOnTheLeftButton()
{
    Window w(pageWith(0, {"a"}, pageWith(1, {"b"}, pageWith(2, {"c"}))));
    QWidget *panel = w.get("Panel2");
    w.click(0, 1);
    w.pressOn("SpeedButton9", Qt::RightButton);
    QCOMPARE(blockOf(w.page(), 1), Lines(5));
    QVERIFY(!panel->isVisible());

    w.click(0, 2);
    w.pressOn("SpeedButton9", Qt::LeftButton);
    QVERIFY(panel->isVisible());
    QVERIFY(!w.get<QLabel>("Image1")->pixmap().isNull());
    QCOMPARE(w.page()[10], "c");
    QTest::mouseClick(w.get("BitBtn8"), Qt::LeftButton);
    QVERIFY(!panel->isVisible());
    w.pressOn("SpeedButton9", Qt::LeftButton);
    QTest::keyClick(w.grid(), Qt::Key_Escape);
    QVERIFY(!panel->isVisible());
    QCOMPARE(w.page()[10], "c");

    // The block current when "はい" is pressed is the one that goes.
    w.pressOn("SpeedButton9", Qt::LeftButton);
    w.click(0, 0);
    QTest::mouseClick(w.get("BitBtn7"), Qt::LeftButton);
    QVERIFY(!panel->isVisible());
    QCOMPARE(w.page()[0], "");
    QCOMPARE(w.page()[10], "c");
}

void TForm1PhraseBookTest::anInPlaceEditReachesTheFileAtClose()
{
    Window w(pageWith(0, {"one"}));
    w.click(0, 0);
    QTest::keyClick(w.grid(), Qt::Key_F2);
    QPlainTextEdit *editor = w.grid()->inplaceEditor();
    QVERIFY(editor);
    editor->setPlainText("one\ntwo");
    QCOMPARE(w.page()[1], std::string()); // nothing is written while typing
    w.form->close();
    QCOMPARE(blockOf(w.page(), 0), (Lines{"one", "two", "", "", ""}));
}

void TForm1PhraseBookTest::aModifiedPageIsWrittenBeforeAnotherIsShown()
{
    Window w;
    w.click(0, 0);
    QTest::keyClick(w.grid(), Qt::Key_F2);
    QTest::keyClicks(w.grid()->inplaceEditor(), "X");
    auto *index = w.get<QTableWidget>("StringGrid2");
    QTest::mouseClick(index->viewport(), Qt::LeftButton, {}, index->visualItemRect(index->item(1, 0)).center());
    QCOMPARE(w.page()[0], "one");
    QCOMPARE(w.page()[4], std::string("X")); // the caret was at the end of the five lines
    QCOMPARE(w.grid()->cell(0, 0), QString("two\n\n\n\n"));
    QCOMPARE(w.form->session().phraseBook.page(), std::string("2"));

    // The arrow keys and the wheel switch pages too; page 3 has no file.
    index->setFocus();
    QTest::keyClick(index, Qt::Key_Down);
    QCOMPARE(w.form->session().phraseBook.page(), std::string("3"));
    QCOMPARE(w.host.questions.size(), std::size_t(1));
    QVERIFY(w.host.questions[0].find("\\PMDATA3.tx") != std::string::npos);
    wheel(index->viewport(), {10, 10}, 240);
    QCOMPARE(w.form->session().phraseBook.page(), std::string("1"));
    QCOMPARE(w.grid()->cell(0, 0), QString("one\n\n\n\nX"));

    // A renamed page reaches the index file at close.
    index->item(0, 0)->setText(QString::fromUtf8("改名"));
    w.form->close();
    QCOMPARE(w.dir.read("PJDATA.tx")[0], sj("改名"));
    QVERIFY(!std::filesystem::exists(w.dir.file("PMDATA3.tx")));
}

void TForm1PhraseBookTest::folderSwitchAndBack()
{
    const QString noPage = QString::fromUtf8("    (ページなし)");
    std::filesystem::path startSeen;
    QString title;
    std::optional<std::filesystem::path> choice;
    auto chooser = [&](QWidget *, const QString &t, const std::filesystem::path &start) {
        title = t;
        startSeen = start;
        return choice;
    };
    {
        Window w;
        std::filesystem::create_directories(w.dir.path() / "sub");
        quillet::writeLines(w.dir.path() / "sub" / "PMDATA1.tx", pageWith(0, {"sub one"}));
        w.form->setFolderChooser(chooser);
        choice = w.dir.path() / "sub";
        w.get<QToolButton>("SpeedButton7")->click();
        QCOMPARE(title, QString::fromUtf8("文字帳切り替え"));
        QCOMPARE(startSeen, w.dir.path());
        QVERIFY(w.get<QStatusBar>("StatusBar1")->currentMessage().endsWith(QString::fromUtf8("文字帳フォルダ = sub")));
        QCOMPARE(w.grid()->cell(0, 0), QString("sub one\n\n\n\n"));
        auto *index = w.get<QTableWidget>("StringGrid2");
        QCOMPARE(index->item(0, 0)->text(), QString::fromUtf8("　目次データなし"));
        QCOMPARE(index->item(1, 0)->text(), noPage);
        QCOMPARE(index->currentRow(), 0);

        // An edit in the folder being left is kept; a folder outside is refused.
        w.click(1, 0);
        QTest::keyClick(w.grid(), Qt::Key_F2);
        QTest::keyClicks(w.grid()->inplaceEditor(), "e");
        choice = w.dir.path().parent_path();
        w.get<QToolButton>("SpeedButton7")->click();
        QCOMPARE(QString::fromStdString(w.host.warnings.back()),
                 QString::fromUtf8("選択したフォルダは起動フォルダの外にあります\r\n"
                                   "文字帳フォルダは起動フォルダの中から選んでください"));
        QCOMPARE(w.form->session().phraseBook.folder(), std::string("\\sub"));
        QCOMPARE(quillet::readLines(w.dir.path() / "sub" / "PMDATA1.tx")[94], "e");
        w.form->close();
        QCOMPARE(w.dir.read("PLDATA.tx")[11], std::string("\\sub"));
        QCOMPARE(quillet::readLines(w.dir.path() / "sub" / "PJDATA.tx")[19], sj("    (ページなし)"));

        // The next start opens the folder; choosing the start directory goes back.
        w.form.reset();
        TForm1 again("", w.dir.path(), &w.host);
        again.setFolderChooser(chooser);
        auto *grid = again.findChild<TMLStringGrid *>("MLStringGrid1");
        QCOMPARE(grid->cell(0, 0), QString("sub one\n\n\n\n"));
        choice = w.dir.path();
        again.findChild<QToolButton *>("SpeedButton7")->click();
        QCOMPARE(again.session().phraseBook.folder(), std::string());
        QCOMPARE(grid->cell(0, 0), QString("one\n\n\n\n"));
        QCOMPARE(again.findChild<QTableWidget *>("StringGrid2")->item(0, 0)->text(), QString::fromUtf8("一般注記"));
    }
}

void TForm1PhraseBookTest::gridKeyRules()
{
    Window w(pageWith(0, {"one"}));
    TMLStringGrid *grid = w.grid();
    w.click(0, 0);
    QTest::keyClick(grid, Qt::Key_F2);
    QPlainTextEdit *editor = grid->inplaceEditor();
    QVERIFY(editor);
    QVERIFY(!editor->textCursor().hasSelection());
    QCOMPARE(editor->textCursor().position(), editor->toPlainText().size());

    // Up stays in the cell; Enter breaks the line.
    QTest::keyClick(editor, Qt::Key_Up);
    QTest::keyClick(editor, Qt::Key_Up);
    QTest::keyClick(editor, Qt::Key_Up);
    QTest::keyClick(editor, Qt::Key_Up);
    QTest::keyClick(editor, Qt::Key_Up);
    QCOMPARE(grid->inplaceEditor(), editor);
    QCOMPARE(grid->currentRow(), 0);
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, "two");
    QCOMPARE(editor->toPlainText(), QString("one\ntwo\n\n\n\n"));
    QCOMPARE(w.form->session().phraseBook.openPage()[1], "two");

    // Ctrl+Down goes on editing in the cell below, which becomes the open row.
    QTest::keyClick(editor, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(grid->currentRow(), 1);
    QVERIFY(grid->inplaceEditor());
    QCOMPARE(grid->inplaceEditor()->index().row(), 1);
    QVERIFY(!grid->inplaceEditor()->textCursor().hasSelection());
    QCOMPARE(grid->rowHeight(1), 5 * grid->defaultRowHeight());
    QTest::keyClick(grid->inplaceEditor(), Qt::Key_Return, Qt::ControlModifier);
    QVERIFY(!grid->inplaceEditor());

    // Esc takes back what the edit handed on; Enter on the grid opens the editor.
    QTest::keyClick(grid, Qt::Key_Return);
    QVERIFY(grid->inplaceEditor());
    QTest::keyClicks(grid->inplaceEditor(), "Z");
    QCOMPARE(w.form->session().phraseBook.openPage()[9], "Z");
    QTest::keyClick(grid->inplaceEditor(), Qt::Key_Escape);
    QVERIFY(!grid->inplaceEditor());
    QCOMPARE(w.form->session().phraseBook.openPage()[9], "");
    QCOMPARE(grid->cell(0, 1), QString("\n\n\n\n"));
}

void TForm1PhraseBookTest::wheelEdgeZonesAndBlockView()
{
    Window w(pageWith(0, {"one", "", "three"}));
    TMLStringGrid *grid = w.grid();
    QWidget *viewport = grid->viewport();
    auto *memo2 = w.get<QPlainTextEdit>("Memo2");
    const int middle = grid->width() / 2;
    QTest::mouseMove(viewport, {middle, 5});
    QTest::mouseClick(viewport, Qt::MiddleButton, {}, {middle, 5});
    QVERIFY(w.get("Panel1")->isVisible());
    QCOMPARE(memo2->toPlainText(), QString("one:\n\nthree:\n\n"));
    wheel(viewport, {middle, 5}, -120);
    QCOMPARE(grid->currentRow(), 1);
    QCOMPARE(grid->rowHeight(1), 5 * grid->defaultRowHeight());
    QCOMPARE(memo2->toPlainText(), QString(":\n:\n:\n:\n:"));
    // The double click copies nothing while the view is up.
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, w.cellPos(0, 0));
    QVERIFY(w.get<QPlainTextEdit>("Memo1")->toPlainText().isEmpty());
    QTest::mouseClick(viewport, Qt::MiddleButton, {}, {middle, 5});
    QVERIFY(!w.get("Panel1")->isVisible());

    // In the left zone ("標準": an eighth of the width) the open row follows the
    // pointer; the wheel there is refused and stops clicks from selecting.
    const int zone = grid->width() / 8;
    const QPoint row5 = viewport->mapFromParent(QPoint(zone / 2, 0)) + QPoint(0, w.cellPos(0, 5).y());
    QTest::mouseMove(viewport, row5);
    QCOMPARE(grid->currentRow(), 5);
    QCOMPARE(grid->rowHeight(5), 5 * grid->defaultRowHeight());
    wheel(viewport, row5, -120);
    QCOMPARE(grid->currentRow(), 5);
    w.click(1, 9);
    QCOMPARE(grid->currentRow(), 5);
    QCOMPARE(grid->currentColumn(), 0);
}

QTEST_MAIN(TForm1PhraseBookTest)
#include "TForm1PhraseBookTest.moc"
