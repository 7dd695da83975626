// The input box's capacity as a user meets it (typing, pasting, dropping, Enter, the
// Down arrow, undo), the font dialog's name rule, and the brief help in the status bar.
#include "UiTestSupport.h"

#include "base/Messages.h"
#include "ui/FontDialog.h"
#include "ui/MemoCapacity.h"
#include "ui/Texts.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <QUrl>

using namespace uitest;
using quillet::MemoCaret;

Q_DECLARE_METATYPE(MemoCaret)

namespace {

const QChar kA(0x3042), kI(0x3044); // あ, い

QString lines(std::initializer_list<QString> parts)
{
    return QStringList(parts).join(QLatin1Char('\n'));
}

// Eight lines of mixed Japanese and ASCII; the second and fourth are too long, the
// fourth would be split inside a full-width character at byte 70.
QString eightMixedLines()
{
    return lines({QStringLiteral("外壁：吹付タイル"), QStringLiteral("ALC板 t=100 ") + QString(30, QChar(0x5857)),
                  QStringLiteral("下地：モルタル"), QLatin1Char('x') + QString(40, QChar(0x30BF)),
                  QStringLiteral("５行目 end"), QStringLiteral("六"), QStringLiteral("七"), QStringLiteral("八")});
}

// Every line of the box in the Shift-JIS bytes the output writes.
bool withinCapacity(const QPlainTextEdit *memo)
{
    const quillet::Lines stored = quillet::ui::memo::toLines(memo->toPlainText());
    if (stored.size() > 5 || memo->document()->blockCount() > 5)
        return false;
    for (const std::string &line : stored) {
        if (line.size() > 70)
            return false;
    }
    return true;
}

// Typed text: Latin keys as key presses, Japanese as the input method commits it.
void type(QWidget *box, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(box, c.toLatin1());
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(c);
            QApplication::sendEvent(box, &commit);
        }
    }
}

} // namespace

class TForm1InputHelpTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void inputBoxCapacity_data();
    void inputBoxCapacity();
    void undoTakesBackThePasteAndItsCut();
    void droppedTextMeetsTheCapacity();
    void programmaticTextMeetsTheCapacity();
    void pointerOverTheBoxTakesTheFocus();
    void fontDialogNameRule_data();
    void fontDialogNameRule();
    void fontDialogListsJapaneseFonts();
    void briefHelpFollowsThePointer_data();
    void briefHelpFollowsThePointer();
    void briefHelpOffShowsTheFolder();
    void hintsWithoutThePhraseBook();
    void noTooltipsButThePresets();
    void helpOpensTheDocumentOrSaysItIsMissing();

private:
    std::unique_ptr<StartDir> m_dir;
    std::unique_ptr<RecordingHost> m_host;
    std::unique_ptr<TForm1> m_form;
    QPlainTextEdit *m_memo = nullptr;
};

void TForm1InputHelpTest::init()
{
    m_dir = std::make_unique<StartDir>();
    m_host = std::make_unique<RecordingHost>();
    m_form = std::make_unique<TForm1>("", m_dir->path(), m_host.get());
    m_memo = m_form->findChild<QPlainTextEdit *>("Memo1");
}

void TForm1InputHelpTest::cleanup()
{
    m_form.reset();
    m_host.reset();
    m_dir.reset();
}

void TForm1InputHelpTest::inputBoxCapacity_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<MemoCaret>("caret");
    QTest::addColumn<QString>("gesture"); // "type:", "paste:" or a key
    QTest::addColumn<QString>("after");
    QTest::addColumn<MemoCaret>("caretAfter");

    const QString a70(70, QLatin1Char('a'));
    const QString five = lines({"1", "2", "3", "4", "5"});
    QTest::newRow("71st byte typed at the end") << a70 << MemoCaret{0, 70} << "type:b" << a70 << MemoCaret{0, 70};
    QTest::newRow("71st byte typed inside")
        << a70 << MemoCaret{0, 10} << "type:b" << QString(10, 'a') + 'b' + QString(59, 'a') << MemoCaret{0, 11};
    QTest::newRow("36th full-width character")
        << QString(35, kA) << MemoCaret{0, 35} << QStringLiteral("type:") + kI << QString(35, kA) << MemoCaret{0, 35};
    QTest::newRow("half-width after 35 full-width")
        << QString(35, kA) << MemoCaret{0, 35} << "type:x" << QString(35, kA) << MemoCaret{0, 35};
    QTest::newRow("full-width at byte 70 is dropped whole")
        << QString(69, 'a') << MemoCaret{0, 69} << QStringLiteral("type:") + kI << QString(69, 'a') << MemoCaret{0, 69};
    QTest::newRow("Enter in a full box") << five << MemoCaret{2, 1} << "Return" << five << MemoCaret{2, 1};
    QTest::newRow("Enter at the end of a full box") << five << MemoCaret{4, 1} << "Return" << five << MemoCaret{4, 1};
    QTest::newRow("Shift+Enter in a full box") << five << MemoCaret{1, 0} << "Shift+Return" << five << MemoCaret{1, 0};
    QTest::newRow("Enter on the fourth of four lines") << lines({"1", "2", "3", "4"}) << MemoCaret{3, 1} << "Return"
                                                       << lines({"1", "2", "3", "4", ""}) << MemoCaret{4, 0};
    QTest::newRow("Shift+Enter makes a real line") << lines({"1", "2", "3", "45"}) << MemoCaret{3, 1} << "Shift+Return"
                                                   << lines({"1", "2", "3", "4", "5"}) << MemoCaret{4, 0};
    QTest::newRow("Down on the fifth line") << five << MemoCaret{4, 1} << "Down" << five << MemoCaret{4, 1};
    QTest::newRow("Down on the fourth line") << five << MemoCaret{3, 0} << "Down" << five << MemoCaret{4, 0};
    QTest::newRow("paste of eight lines")
        << QString() << MemoCaret{0, 0} << "paste:" + eightMixedLines()
        << lines({QStringLiteral("外壁：吹付タイル"), QStringLiteral("ALC板 t=100 ") + QString(29, QChar(0x5857)),
                  QStringLiteral("下地：モルタル"), QLatin1Char('x') + QString(34, QChar(0x30BF)),
                  QStringLiteral("５行目 end")})
        << MemoCaret{4, 1}; // the caret's line after the paste is gone: the fifth line, at its column
    QTest::newRow("paste that splits a full line")
        << lines({"1", "2", "3", "4", "5"}) << MemoCaret{0, 1} << "paste:a\nb" << lines({"1a", "b", "2", "3", "4"})
        << MemoCaret{1, 1};
}

void TForm1InputHelpTest::inputBoxCapacity()
{
    QFETCH(QString, before);
    QFETCH(MemoCaret, caret);
    QFETCH(QString, gesture);
    QFETCH(QString, after);
    QFETCH(MemoCaret, caretAfter);
    m_memo->setPlainText(before);
    quillet::ui::memo::placeCaret(m_memo, caret);
    if (gesture.startsWith("type:")) {
        type(m_memo, gesture.mid(5));
    } else if (gesture.startsWith("paste:")) {
        QApplication::clipboard()->setText(gesture.mid(6));
        QTest::keySequence(m_memo, QKeySequence::Paste);
    } else {
        QTest::keySequence(m_memo, QKeySequence(gesture));
    }
    QCOMPARE(m_memo->toPlainText(), after);
    const MemoCaret now = quillet::ui::memo::caretOf(m_memo);
    QCOMPARE(now.line, caretAfter.line);
    QCOMPARE(now.column, caretAfter.column);
    QVERIFY(withinCapacity(m_memo));
    QCOMPARE(m_form->session().form.memoLines, quillet::ui::memo::toLines(after));
}

void TForm1InputHelpTest::undoTakesBackThePasteAndItsCut()
{
    type(m_memo, QStringLiteral("元"));
    QApplication::clipboard()->setText(eightMixedLines());
    QTest::keySequence(m_memo, QKeySequence::Paste);
    const QString pasted = m_memo->toPlainText();
    QTest::keySequence(m_memo, QKeySequence::Undo);
    QCOMPARE(m_memo->toPlainText(), QStringLiteral("元"));
    QTest::keySequence(m_memo, QKeySequence::Redo);
    QCOMPARE(m_memo->toPlainText(), pasted);
    QVERIFY(withinCapacity(m_memo));
}

void TForm1InputHelpTest::droppedTextMeetsTheCapacity()
{
    m_memo->setPlainText(lines({"1", "2", "3"}));
    QMimeData data;
    data.setText(lines({"a", "b", "c", QString(80, 'd')}));
    QWidget *viewport = m_memo->viewport();
    const QPoint at(2, 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    QCOMPARE(m_memo->document()->blockCount(), 5);
    QVERIFY(m_memo->toPlainText().contains(QLatin1Char('a')));
    QVERIFY(withinCapacity(m_memo));
}

void TForm1InputHelpTest::programmaticTextMeetsTheCapacity()
{
    m_memo->setPlainText(eightMixedLines());
    QVERIFY(withinCapacity(m_memo));
    QCOMPARE(m_form->session().form.memoLines.size(), std::size_t(5));
    // What the model brings (a recalled block, a start-up import) is held to it too.
    m_form->session().form.memoLines.assign(7, std::string(80, 'z'));
    m_form->findChild<QListWidget *>("ListBox1")->setCurrentRow(1); // shows the model again
    QVERIFY(withinCapacity(m_memo));
    QCOMPARE(m_form->session().form.memoLines, quillet::Lines(5, std::string(70, 'z')));
}

void TForm1InputHelpTest::pointerOverTheBoxTakesTheFocus()
{
    m_form->show();
    QApplication::setActiveWindow(m_form.get());
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    auto *edit7 = m_form->findChild<QWidget *>("ComboBox2");
    edit7->setFocus();
    QVERIFY(!m_memo->hasFocus());
    QTest::mouseMove(m_memo->viewport(), QPoint(20, 20));
    QTRY_VERIFY(m_memo->hasFocus());
}

void TForm1InputHelpTest::fontDialogNameRule_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<bool>("switchOn");
    QTest::newRow("confirmed") << true << false;
    QTest::newRow("cancelled") << false << false;
    QTest::newRow("confirmed with the switch on") << true << true;
    QTest::newRow("cancelled with the switch on") << false << true;
}

void TForm1InputHelpTest::fontDialogNameRule()
{
    QFETCH(bool, confirm);
    QFETCH(bool, switchOn);
    auto &form = m_form->session().form;
    auto *edit2 = m_form->findChild<QLineEdit *>("Edit2");
    if (switchOn)
        m_form->findChild<QPushButton *>("BitBtn5")->click();
    const QString before = edit2->text();
    const std::string heldBefore = form.heldFontNameOrDefault();
    QString offered;
    m_form->setFontDialogRunner([&](quillet::ui::FontDialog &dialog) {
        offered = dialog.fontName();
        const QStringList families = dialog.families();
        // A family other than the one held, so that a change shows.
        const QString other =
            families.first() == quillet::ui::fromSjis(heldBefore) ? families.last() : families.first();
        dialog.selectName(other);
        dialog.done(confirm ? QDialog::Accepted : QDialog::Rejected);
        return dialog.result();
    });
    QTest::mouseClick(edit2, Qt::LeftButton);
    QCOMPARE(offered, quillet::ui::fromSjis(heldBefore));
    const QString held = quillet::ui::fromSjis(form.heldFontNameOrDefault());
    if (confirm) {
        QVERIFY(held != offered);
        QCOMPARE(edit2->text(), held);
    } else {
        QCOMPARE(held, offered);
        QCOMPARE(edit2->text(), before);
    }
    // The box shows the held font while the switch is on, else the host's.
    const QString shown = switchOn ? held : quillet::ui::fromSjis(m_form->session().exchange.hostFontName);
    QCOMPARE(m_memo->font().families().first(), shown);
}

void TForm1InputHelpTest::fontDialogListsJapaneseFonts()
{
    quillet::ui::FontDialog dialog;
    const QStringList families = dialog.families();
    QVERIFY(!families.isEmpty());
    for (const QString &family : families)
        QVERIFY2(QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese), qPrintable(family));
    QVERIFY(dialog.selectName('@' + families.first()));
    QCOMPARE(dialog.selectedName(), '@' + families.first());
}

void TForm1InputHelpTest::briefHelpFollowsThePointer_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("hint");
    QTest::newRow("入力完了") << "BitBtn2" << QStringLiteral("Jwwに注釈を書込む。文字取り込みの時は取り込み終了");
    QTest::newRow("長さ記憶") << "Button2"
                              << QStringLiteral(
                                     "起動時の指示点１－２の長さを記憶する。記憶した長さは「引出線長固定」で反映する");
    QTest::newRow("the preview shows its panel's")
        << "PaintBox1" << QStringLiteral("JWWに書き出す引き出し線と枠の設定をイメージで表示する");
    QTest::newRow("inside the input box") << "qt_scrollarea_viewport"
                                          << QStringLiteral("Jwwに書き込む注釈文字を入力、文字帳に登録できる、"
                                                            "クリップボードが使用可能、半角７０文字×５行");
    QTest::newRow("a caption without one") << "Label9" << QString();
}

void TForm1InputHelpTest::briefHelpFollowsThePointer()
{
    QFETCH(QString, control);
    QFETCH(QString, hint);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    auto *bar = m_form->findChild<QStatusBar *>("StatusBar1");
    auto *button = m_form->findChild<QToolButton *>("SpeedButton5");
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(button->isChecked());
    QVERIFY(bar->currentMessage().isEmpty());
    QWidget *target = control == "qt_scrollarea_viewport" ? m_memo->viewport() : m_form->findChild<QWidget *>(control);
    QTest::mouseMove(m_form->findChild<QWidget *>("BitBtn4"));
    QTest::mouseMove(target);
    QTRY_COMPARE(bar->currentMessage(), hint);
}

void TForm1InputHelpTest::briefHelpOffShowsTheFolder()
{
    std::filesystem::create_directory(m_dir->path() / "図面集");
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    auto *bar = m_form->findChild<QStatusBar *>("StatusBar1");
    auto *button = m_form->findChild<QToolButton *>("SpeedButton5");
    QTest::mouseClick(button, Qt::LeftButton);
    m_form->findChild<QListWidget *>("ListBox1")->setCurrentRow(2);
    m_form->session().phraseBook.setFolder(sj("\\図面集"));
    QTest::mouseMove(m_form->findChild<QWidget *>("BitBtn2"));
    QTRY_VERIFY(bar->currentMessage().startsWith(QStringLiteral("Jww")));
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!button->isChecked());
    const QString pattern = m_form->findChild<QListWidget *>("ListBox1")->item(2)->text();
    QCOMPARE(bar->currentMessage(), QStringLiteral("[ ") + pattern + QStringLiteral(" ]　文字帳フォルダ = 図面集"));
    QTest::mouseMove(m_form->findChild<QWidget *>("Button2"));
    QCOMPARE(bar->currentMessage(), QStringLiteral("[ ") + pattern + QStringLiteral(" ]　文字帳フォルダ = 図面集"));
}

void TForm1InputHelpTest::hintsWithoutThePhraseBook()
{
    quillet::Lines settings = m_dir->read("PLDATA.tx");
    settings[0] = "x"; // a conversion error ends start-up before the phrase book
    m_dir->write("PLDATA.tx", settings);
    RecordingHost host;
    TForm1 form("", m_dir->path(), &host);
    QVERIFY(!form.session().phraseBookOpened);
    QCOMPARE(form.findChild<QWidget *>("Button2")->statusTip(),
             QStringLiteral("起動時の指示点１－２の長さを記憶する。記憶した長さは「引出線長固定」で反映する"));
}

void TForm1InputHelpTest::noTooltipsButThePresets()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QTRY_VERIFY(m_form->findChild<QWidget *>("SpeedButton13")->statusTip().size() > 0);
    for (const QWidget *control : m_form->findChildren<QWidget *>()) {
        static const QRegularExpression preset(QStringLiteral("^SpeedButton(1[3-7]|19|2[0-3])$"));
        if (!preset.match(control->objectName()).hasMatch())
            QVERIFY2(control->toolTip().isEmpty(), qPrintable(control->objectName()));
    }
}

void TForm1InputHelpTest::helpOpensTheDocumentOrSaysItIsMissing()
{
    QList<QUrl> opened;
    m_form->setHelpOpener([&opened](const QUrl &url) {
        opened << url;
        return true;
    });
    auto *button = m_form->findChild<QToolButton *>("SpeedButton6");
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(opened.isEmpty());
    QCOMPARE(m_host->warnings, std::vector<std::string>{quillet::sjis::toUtf8(quillet::msg::helpMissing())});
    m_dir->write("quillet.html", {"<html></html>"});
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.first().toLocalFile(), QString::fromStdU16String(m_dir->file("quillet.html").u16string()));
    QCOMPARE(m_host->warnings.size(), std::size_t(1));
}

QTEST_MAIN(TForm1InputHelpTest)
#include "TForm1InputHelpTest.moc"
