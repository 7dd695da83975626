// The controls and the form model stay one: loading settings, patterns and presets
// shows on the controls, and what the user changes reaches the files.
#include "UiTestSupport.h"

#include "ui/ColorBox.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace uitest;
using quillet::ui::ColorBox;

namespace {

// A control's number as the settings file stores it.
int valueOf(QWidget *control)
{
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return combo->currentIndex();
    if (auto *spin = qobject_cast<QSpinBox *>(control))
        return spin->value();
    return qobject_cast<QAbstractButton *>(control)->isChecked() ? 1 : 0;
}

void setValue(QWidget *control, int value)
{
    if (auto *combo = qobject_cast<QComboBox *>(control))
        combo->setCurrentIndex(value);
    else if (auto *spin = qobject_cast<QSpinBox *>(control))
        spin->setValue(value);
    else if (qobject_cast<QAbstractButton *>(control)->isChecked() != (value != 0))
        qobject_cast<QAbstractButton *>(control)->click();
}

bool captionIsGreen(QWidget *button)
{
    return button->palette().color(QPalette::ButtonText) == QColor(0, 128, 0);
}

} // namespace

class TForm1BindingTest : public QObject {
    Q_OBJECT
private slots:
    void settingsRoundTripThroughTheControls_data();
    void settingsRoundTripThroughTheControls();
    void presetSavedAndRecalled();
    void emptyPresetChangesNothing();
    void patternSwitchColoursTheWindow();
    void popupRadioMarksFollowTheBoxes();
    void inputBoxKeepsItsCapacity();
    void registeringAPatternRenamesIt();
    void basicSettingsPanelOpensAndCloses();
    void uncaughtErrorIsShownAndEndsTheRun();
};

void TForm1BindingTest::settingsRoundTripThroughTheControls_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("changed");
    QTest::newRow("tip symbol") << "ComboBoxEx1" << 0 << 7 << 2;
    QTest::newRow("line type") << "ComboBox2" << 1 << 3 << 6;
    QTest::newRow("frame kind") << "ComboBoxEx2" << 2 << 8 << 6;
    QTest::newRow("attach position") << "ComboBoxEx3" << 3 << 4 << 0;
    QTest::newRow("copy method") << "ComboBox8" << 5 << 2 << 3;
    QTest::newRow("text kind") << "ComboBox6" << 6 << 5 << 10;
    QTest::newRow("extension length") << "SpinEdit1" << 7 << 42 << 17;
    QTest::newRow("extension mode") << "ComboBox5" << 8 << 1 << 0;
    QTest::newRow("slide") << "ComboBoxEx4" << 9 << 6 << 3;
    QTest::newRow("embedded text") << "SpeedButton2" << 13 << 1 << 0;
    QTest::newRow("tilt") << "SpeedButton11" << 21 << 1 << 0;
    QTest::newRow("text-centre base point") << "CheckBox2" << 22 << 0 << 1;
}

void TForm1BindingTest::settingsRoundTripThroughTheControls()
{
    QFETCH(QString, control);
    QFETCH(int, line);
    QFETCH(int, stored);
    QFETCH(int, changed);
    StartDir dir;
    quillet::Lines settings = dir.read("PLDATA.tx");
    settings[std::size_t(line)] = std::to_string(stored);
    dir.write("PLDATA.tx", settings);
    RecordingHost host;
    TForm1 form("", dir.path(), &host);
    QWidget *widget = form.findChild<QWidget *>(control);
    QVERIFY(widget);
    QCOMPARE(valueOf(widget), stored);

    widget->setEnabled(true); // the availability rule must not stand between test and binding
    setValue(widget, changed);
    form.findChild<QToolButton *>("SpeedButton3")->click();
    QCOMPARE(dir.read("PLDATA.tx")[std::size_t(line)], std::to_string(changed));
}

void TForm1BindingTest::presetSavedAndRecalled()
{
    StartDir dir;
    RecordingHost host;
    TForm1 form("", dir.path(), &host);
    auto *frame = form.findChild<QComboBox *>("ComboBoxEx2");
    auto *save = form.findChild<QToolButton *>("SpeedButton18");
    auto *preset3 = form.findChild<QToolButton *>("SpeedButton15");
    const int settingsFrame = frame->currentIndex();

    save->click();
    QCOMPARE(preset3->palette().color(QPalette::ButtonText), QColor(128, 0, 0));
    frame->setCurrentIndex(3); // 長丸
    preset3->click();
    QVERIFY(form.findChild<QLabel *>("Label16")->isVisibleTo(&form));
    const quillet::Lines saved = dir.read("PSDATA3.tx");
    QCOMPARE(saved.size(), std::size_t(50));
    QCOMPARE(saved[2], std::string("3"));
    preset3->click(); // released in save mode: nothing happens
    save->click();

    frame->setCurrentIndex(0);
    preset3->click();
    QVERIFY(preset3->isChecked());
    QCOMPARE(frame->currentIndex(), 3);
    QVERIFY(!form.findChild<QWidget *>("ComboBoxEx3")->isEnabled()); // the rule ran for the recalled frame

    form.findChild<QToolButton *>("SpeedButton13")->click(); // another preset: only one stays down
    QVERIFY(!preset3->isChecked());
    form.findChild<QToolButton *>("SpeedButton13")->click(); // released: back to the settings file
    QCOMPARE(frame->currentIndex(), settingsFrame);
}

void TForm1BindingTest::emptyPresetChangesNothing()
{
    StartDir dir;
    RecordingHost host;
    TForm1 form("", dir.path(), &host);
    auto *frame = form.findChild<QComboBox *>("ComboBoxEx2");
    frame->setCurrentIndex(4);
    form.findChild<QToolButton *>("SpeedButton23")->click();
    QCOMPARE(frame->currentIndex(), 4);
    auto *notSaved = form.findChild<QLabel *>("Label17");
    QVERIFY(notSaved->isVisibleTo(&form));
    QTRY_VERIFY_WITH_TIMEOUT(!notSaved->isVisibleTo(&form), 2000);
}

void TForm1BindingTest::patternSwitchColoursTheWindow()
{
    StartDir dir;
    quillet::Lines patterns = dir.read("PKDATA.tx");
    patterns[20 + 14] = "255"; // pattern 2: red, a listed colour
    patterns[20 + 15] = "10";
    dir.write("PKDATA.tx", patterns);
    RecordingHost host;
    TForm1 form("", dir.path(), &host);
    form.findChild<QListWidget *>("ListBox1")->setCurrentRow(1);
    QCOMPARE(form.palette().color(QPalette::Window), QColor(255, 0, 0));
    QCOMPARE(form.findChild<ColorBox *>("ColorBox1")->currentIndex(), 10);
    QVERIFY(form.findChild<QStatusBar *>("StatusBar1")->currentMessage().contains(QStringLiteral("[ 矢印小さめ ]")));

    auto *colours = form.findChild<ColorBox *>("ColorBox1");
    colours->setCurrentIndex(13); // blue, chosen by the user
    emit colours->activated(13);
    QCOMPARE(form.palette().color(QPalette::Window), QColor(0, 0, 255));
}

void TForm1BindingTest::popupRadioMarksFollowTheBoxes()
{
    StartDir dir;
    RecordingHost host;
    TForm1 form("", dir.path(), &host);
    auto *arrowColour = form.findChild<QComboBox *>("ComboBox11");
    arrowColour->setCurrentIndex(5);
    form.findChild<QAction *>("SUBMEN3")->trigger();
    QCOMPARE(form.findChild<QComboBox *>("ComboBox10")->currentIndex(), 3);
    QCOMPARE(arrowColour->currentIndex(), 0);
    QVERIFY(form.findChild<QAction *>("SUBMEN3")->isChecked());

    form.findChild<QComboBox *>("ComboBox10")->setCurrentIndex(6);
    QVERIFY(form.findChild<QAction *>("SUBMEN6")->isChecked());
    form.findChild<QComboBox *>("ComboBox1")->setCurrentIndex(4);
    QVERIFY(form.findChild<QAction *>("DOTA4")->isChecked());
    form.findChild<QAction *>("DOTB7")->trigger();
    QCOMPARE(form.findChild<QComboBox *>("ComboBox3")->currentIndex(), 7);
    QCOMPARE(form.session().form.basic.dotRadiusTenths, 7);
}

void TForm1BindingTest::inputBoxKeepsItsCapacity()
{
    StartDir dir;
    RecordingHost host;
    TForm1 form("", dir.path(), &host);
    auto *memo = form.findChild<QPlainTextEdit *>("Memo1");
    memo->insertPlainText(QStringLiteral("1\n2\n3\n4\n5\n6\n7\n88")); // pasted
    QCOMPARE(memo->toPlainText(), QStringLiteral("1\n2\n3\n4\n5"));
    QCOMPARE(form.session().form.memoLines.size(), std::size_t(5));
    QCOMPARE(memo->textCursor().blockNumber(), 4); // the pasted caret's line is gone: the last line
    QCOMPARE(memo->textCursor().positionInBlock(), 1);

    const QString wide = QString(36, QChar(0x3042)); // あ × 36 = 72 bytes
    memo->setPlainText(QString(71, QLatin1Char('a')) + QLatin1Char('\n') + wide);
    QCOMPARE(form.session().form.memoLines[0], std::string(70, 'a'));
    QCOMPARE(form.session().form.memoLines[1], sj(QString(35, QChar(0x3042)).toUtf8().constData()));

    form.findChild<QAction *>("MENW2")->trigger();
    QVERIFY(memo->toPlainText().isEmpty());
    QVERIFY(form.session().form.memoLines.empty());
}

void TForm1BindingTest::registeringAPatternRenamesIt()
{
    StartDir dir;
    RecordingHost host;
    TForm1 form("", dir.path(), &host);
    form.findChild<QToolButton *>("SpeedButton4")->click();
    form.findChild<QListWidget *>("ListBox1")->setCurrentRow(2);
    form.findChild<QSpinBox *>("SpinEdit5")->setValue(33);
    auto *name = form.findChild<QLineEdit *>("Edit7");
    name->insert(QStringLiteral("新しい名前")); // typed, as far as the field can tell
    auto *registerButton = form.findChild<QPushButton *>("BitBtn1");
    registerButton->click();

    QVERIFY(captionIsGreen(registerButton));
    QVERIFY(name->text().isEmpty());
    QCOMPARE(form.findChild<QListWidget *>("ListBox1")->item(2)->text(), QStringLiteral("新しい名前"));
    const quillet::Lines patterns = dir.read("PKDATA.tx");
    QCOMPARE(patterns[122], sj("新しい名前"));
    QCOMPARE(patterns[40], std::string("33"));
    QTRY_VERIFY_WITH_TIMEOUT(!captionIsGreen(registerButton), 2000);
}

void TForm1BindingTest::basicSettingsPanelOpensAndCloses()
{
    StartDir dir;
    RecordingHost host;
    TForm1 form("", dir.path(), &host);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto *panel = form.findChild<QWidget *>("Panel5");
    auto *toggle = form.findChild<QToolButton *>("SpeedButton4");
    toggle->click();
    QVERIFY(panel->isVisible());
    toggle->click();
    QVERIFY(!panel->isVisible());
    toggle->click();
    form.findChild<QSpinBox *>("SpinEdit3")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!panel->isVisible());
}

// A pattern line that is not a number only shows when the pattern is chosen; nothing
// catches it there, so the application handler reports it and the run ends without
// writing anything back.
void TForm1BindingTest::uncaughtErrorIsShownAndEndsTheRun()
{
    StartDir dir;
    quillet::Lines patterns = dir.read("PKDATA.tx");
    patterns[20 + 2] = "abc";
    dir.write("PKDATA.tx", patterns);
    const std::string exchange = dir.bytes("jwc_temp.txt");
    RecordingHost host;
    TForm1 form("", dir.path(), &host);
    QVERIFY(host.warnings.empty());
    form.findChild<QListWidget *>("ListBox1")->setCurrentRow(1);
    QCOMPARE(host.warnings.size(), std::size_t(1));
    QVERIFY(form.runEnded());
    QCOMPARE(dir.bytes("jwc_temp.txt"), exchange);
}

QTEST_MAIN(TForm1BindingTest)
#include "TForm1BindingTest.moc"
