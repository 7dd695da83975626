// The main window through start-up and closing: captions by mode, the availability
// of the controls, the start-up failures that disable "入力完了", and a close that
// leaves the exchange file as Jw_cad wrote it.
#include "UiTestSupport.h"

#include "program/ControlAvailability.h"
#include "ui/FormBinding.h"
#include "ui/Hints.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

using namespace uitest;

class TForm1StartupTest : public QObject {
    Q_OBJECT
private slots:
    void everyDesignerNameExists();
    void captionsFollowTheMode_data();
    void captionsFollowTheMode();
    void availabilityFollowsModeAndFrameKind_data();
    void availabilityFollowsModeAndFrameKind();
    void availabilityInTheAnnotationModes();
    void startupFailureDisablesOutput_data();
    void startupFailureDisablesOutput();
    void missingSettingsEndsTheProgram();
    void smallScreenScalesTheWholeWindow();
    void controlsTakeTheWindowScaleOnce_data();
    void controlsTakeTheWindowScaleOnce();
    void windowMadeOnTheScreenMatchesOneMadeAtOnce_data();
    void windowMadeOnTheScreenMatchesOneMadeAtOnce();
    void closingLeavesTheExchangeFileUntouched();
    void completingInputWritesTheExchangeFile_data();
    void completingInputWritesTheExchangeFile();
    void storedLeaderLengthReachesTheSettings();
};

void TForm1StartupTest::everyDesignerNameExists()
{
    StartDir dir;
    RecordingHost host;
    TForm1 form("", dir.path(), &host);
    // What the window builds after its first paint exists as well, once built.
    form.buildDeferredParts();
    QStringList names = {"Memo1",       "Memo2",       "Edit2",         "Edit7",       "ListBox1",    "RadioGroup1",
                         "ColorBox1",   "ColorBox2",   "MLStringGrid1", "StringGrid1", "StringGrid2", "StringGrid3",
                         "StatusBar1",  "Timer1",      "PopupMenu1",    "FontDialog1", "PaintBox1",   "PaintBox2",
                         "MENW1",       "MENW2",       "MENW3",         "DOTA",        "DOTB",        "N1",
                         "N2",          "N3",          "Label1",        "Label3",      "Label4",      "Label5",
                         "Label8",      "Label16",     "Label17",       "Button1",     "Button2",     "ComboBoxEx1",
                         "ComboBoxEx2", "ComboBoxEx3", "ComboBoxEx4"};
    auto numbered = [&names](const char *prefix, std::initializer_list<int> numbers) {
        for (int n : numbers)
            names << QString::fromLatin1(prefix) + QString::number(n);
    };
    numbered("BitBtn", {1, 2, 4, 5, 6, 7, 8});
    numbered("CheckBox", {1, 2, 3, 4, 5, 6});
    numbered("ComboBox", {1, 2, 3, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17});
    numbered("Panel", {1, 2, 3, 4, 5, 6});
    numbered("SpeedButton", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23});
    numbered("SpinEdit", {1, 2, 3, 4, 5, 6});
    numbered("SUBMEN", {0, 8});
    numbered("DOTA", {0, 9});
    numbered("DOTB", {0, 9});
    for (const QString &name : names)
        QVERIFY2(form.findChild<QObject *>(name), qPrintable(name));
    QCOMPARE(form.findChild<QWidget *>("BitBtn2")->statusTip(),
             QStringLiteral("Jwwに注釈を書込む。文字取り込みの時は取り込み終了"));
    QVERIFY(form.findChild<QWidget *>("BitBtn2")->toolTip().isEmpty());
}

void TForm1StartupTest::captionsFollowTheMode_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<bool>("textModePanel");
    QTest::newRow("none") << ""
                          << "入力完了"
                          << "入力完了  " << false;
    QTest::newRow("T1") << "T1"
                        << "取込完了"
                        << "取込完了" << false;
    QTest::newRow("t2") << "t2"
                        << "枠書込１"
                        << "入力完了  " << false;
    QTest::newRow("T3") << "T3"
                        << "枠書込２"
                        << "入力完了  " << false;
    QTest::newRow("T4") << "T4"
                        << "入力完了"
                        << "入力完了  " << true;
    QTest::newRow("T5") << "T5"
                        << "入力完了"
                        << "入力完了  " << false;
    QTest::newRow("T6 is the annotation mode") << "T6"
                                               << "入力完了"
                                               << "入力完了  " << false;
    QTest::newRow("T1x is the annotation mode") << "T1x"
                                                << "入力完了"
                                                << "入力完了  " << false;
}

void TForm1StartupTest::captionsFollowTheMode()
{
    QFETCH(QString, argument);
    QFETCH(QString, button);
    QFETCH(QString, menu);
    QFETCH(bool, textModePanel);
    StartDir dir;
    RecordingHost host;
    TForm1 form(argument.toStdString(), dir.path(), &host);
    QCOMPARE(form.findChild<QPushButton *>("BitBtn2")->text(), button);
    QCOMPARE(form.findChild<QAction *>("MENW1")->text(), menu);
    QCOMPARE(!form.findChild<QWidget *>("Panel6")->isHidden(), textModePanel);
    QCOMPARE(form.findChild<QToolButton *>("SpeedButton11")->text(), QStringLiteral("注釈\n傾斜"));
}

void TForm1StartupTest::availabilityFollowsModeAndFrameKind_data()
{
    QTest::addColumn<QString>("argument");
    for (const char *mode : {"", "T1", "T2", "T3", "T4", "T5"})
        QTest::newRow(*mode ? mode : "none") << QString::fromLatin1(mode);
}

// Wiring: after every frame kind and extension mode chosen as a user would, each
// widget shows the core's rule (whose own cases are worked by hand in the core tests).
void TForm1StartupTest::availabilityFollowsModeAndFrameKind()
{
    QFETCH(QString, argument);
    StartDir dir;
    RecordingHost host;
    TForm1 form(argument.toStdString(), dir.path(), &host);
    auto *frame = form.findChild<QComboBox *>("ComboBoxEx2");
    auto *extension = form.findChild<QComboBox *>("ComboBox5");
    for (int kind = 0; kind < frame->count(); ++kind) {
        for (int mode = 0; mode < 2; ++mode) {
            frame->setCurrentIndex(kind);
            extension->setCurrentIndex(mode);
            const quillet::ControlAvailability a =
                quillet::controlAvailability(form.session().mode, form.session().form);
            const std::pair<const char *, bool> expected[] = {
                {"ComboBoxEx1", a.tip},
                {"ComboBoxEx3", a.attachPosition},
                {"ComboBoxEx4", a.slide},
                {"ComboBox5", a.extensionMode},
                {"SpinEdit1", a.extensionLength},
                {"SpeedButton2", a.embeddedText},
                {"SpeedButton3", a.registerSettings},
                {"SpeedButton4", a.basicSettings},
                {"SpeedButton11", a.tilt},
                {"SpeedButton18", a.presetSaveMode},
                {"BitBtn4", a.clearMemo},
                {"BitBtn5", a.fontSwitch},
                {"CheckBox4", a.fixedLeaderLength},
                {"Button2", a.storeLeaderLength},
            };
            for (const auto &[name, enabled] : expected)
                QVERIFY2(form.findChild<QWidget *>(name)->isEnabled() == enabled,
                         qPrintable(QStringLiteral("%1 frame %2 extension %3").arg(name).arg(kind).arg(mode)));
            QCOMPARE(form.findChild<QAction *>("MENW3")->isEnabled(), a.leaderColourMenu);
            QCOMPARE(form.findChild<QAction *>("DOTA")->isEnabled(), a.dotRadiusMenus);
            QCOMPARE(form.findChild<QAction *>("DOTB")->isEnabled(), a.dotRadiusMenus);
        }
    }
}

// A few cases spelled out, so the wiring above is not only compared with itself.
void TForm1StartupTest::availabilityInTheAnnotationModes()
{
    StartDir dir;
    RecordingHost host;
    TForm1 form("", dir.path(), &host);
    auto enabled = [&form](const char *name) { return form.findChild<QWidget *>(name)->isEnabled(); };
    auto *frame = form.findChild<QComboBox *>("ComboBoxEx2");
    frame->setCurrentIndex(1); // 下線
    QVERIFY(enabled("ComboBoxEx4"));
    QVERIFY(!enabled("ComboBoxEx3"));
    QVERIFY(!enabled("ComboBox5"));
    frame->setCurrentIndex(7); // 四角延長
    QVERIFY(!enabled("ComboBoxEx4"));
    QVERIFY(enabled("ComboBox5"));
    form.findChild<QComboBox *>("ComboBox5")->setCurrentIndex(1); // 指定
    QVERIFY(enabled("SpinEdit1"));
    form.findChild<QComboBox *>("ComboBox5")->setCurrentIndex(0); // 任意
    QVERIFY(!enabled("SpinEdit1"));
    frame->setCurrentIndex(11); // 雲　等片
    QVERIFY(!enabled("ComboBoxEx1"));
    QVERIFY(!enabled("ComboBoxEx3"));
}

void TForm1StartupTest::startupFailureDisablesOutput_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("exchange");
    QTest::addColumn<int>("settingsLines");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("sound start") << ""
                                 << "annotation.jwc_temp.txt" << 30 << true;
    QTest::newRow("exchange missing") << ""
                                      << "" << 30 << false;
    QTest::newRow("exchange missing in T1") << "T1"
                                            << "" << 30 << false;
    QTest::newRow("already transformed") << ""
                                         << "transformed.jwc_temp.txt" << 30 << false;
    QTest::newRow("settings of 24 lines") << ""
                                          << "annotation.jwc_temp.txt" << 24 << false;
    QTest::newRow("settings of 25 lines") << ""
                                          << "annotation.jwc_temp.txt" << 25 << true;
}

void TForm1StartupTest::startupFailureDisablesOutput()
{
    QFETCH(QString, argument);
    QFETCH(QString, exchange);
    QFETCH(int, settingsLines);
    QFETCH(bool, enabled);
    StartDir dir(exchange);
    quillet::Lines settings = dir.read("PLDATA.tx");
    settings.resize(std::size_t(settingsLines));
    dir.write("PLDATA.tx", settings);
    RecordingHost host;
    TForm1 form(argument.toStdString(), dir.path(), &host);
    QVERIFY(!form.startupEnded());
    QCOMPARE(form.findChild<QPushButton *>("BitBtn2")->isEnabled(), enabled);
    QCOMPARE(host.warnings.size() + host.notices.size() == 0, enabled);
}

void TForm1StartupTest::missingSettingsEndsTheProgram()
{
    StartDir dir;
    dir.remove("PLDATA.tx");
    RecordingHost host;
    TForm1 form("", dir.path(), &host);
    QVERIFY(form.startupEnded());
    QCOMPARE(host.notices.size(), std::size_t(1));
}

void TForm1StartupTest::smallScreenScalesTheWholeWindow()
{
    StartDir dir;
    RecordingHost host(600);
    TForm1 form("", dir.path(), &host);
    QCOMPARE(form.size(), QSize(588, 464)); // 731 and 576 times 824/1024, rounded
    auto *grid = form.findChild<QTableWidget *>("MLStringGrid1");
    QCOMPARE(grid->height(), 265);
    QCOMPARE(grid->columnWidth(1), 225);
    QCOMPARE(grid->rowHeight(0), 5 * 11);
    QCOMPARE(grid->rowHeight(1), 11);
    QCOMPARE(form.findChild<QTableWidget *>("StringGrid2")->rowHeight(3), 11);
}

void TForm1StartupTest::controlsTakeTheWindowScaleOnce_data()
{
    // Worked out by hand: designed length times n/1024, to the nearest pixel. Own
    // fonts (Memo1's 12, BitBtn2's bold 14) must be scaled exactly once, inherited
    // ones and those of style sheets follow the window, and controls inside panels
    // (SpinEdit3 in Panel5) move with their panel.
    QTest::addColumn<int>("screenHeight");
    QTest::addColumn<int>("windowFont");
    QTest::addColumn<int>("boldFont");
    QTest::addColumn<QRect>("bitBtn2");
    QTest::addColumn<QRect>("spinEdit3");
    QTest::addColumn<QRect>("panel5");
    QTest::newRow("600: 824/1024") << 600 << 10 << 11 << QRect(460, 3, 125, 26) << QRect(31, 55, 40, 18)
                                   << QRect(0, 31, 459, 237);
    QTest::newRow("768: designed") << 768 << 12 << 14 << QRect(572, 4, 155, 32) << QRect(38, 68, 50, 22)
                                   << QRect(0, 38, 570, 295);
    QTest::newRow("1024: 1280/1024") << 1024 << 15 << 18 << QRect(715, 5, 194, 40) << QRect(48, 85, 63, 28)
                                     << QRect(0, 48, 713, 369);
}

void TForm1StartupTest::controlsTakeTheWindowScaleOnce()
{
    QFETCH(int, screenHeight);
    QFETCH(int, windowFont);
    QFETCH(int, boldFont);
    StartDir dir;
    RecordingHost host(screenHeight);
    TForm1 form("", dir.path(), &host);
    QCOMPARE(form.font().pixelSize(), windowFont);
    // Label1 takes the window's font, Label16 and the bold Label20 through a style sheet.
    for (const char *name : {"Label1", "Label16", "Label20"})
        QVERIFY2(form.findChild<QWidget *>(name)->font().pixelSize() == windowFont, name);
    QCOMPARE(form.findChild<QWidget *>("Memo1")->font().pixelSize(), windowFont);
    auto *button = form.findChild<QWidget *>("BitBtn2");
    QCOMPARE(button->font().pixelSize(), boldFont);
    QVERIFY(button->font().bold());
    QTEST(button->geometry(), "bitBtn2");
    QTEST(form.findChild<QWidget *>("SpinEdit3")->geometry(), "spinEdit3");
    QTEST(form.findChild<QWidget *>("Panel5")->geometry(), "panel5");
}

void TForm1StartupTest::windowMadeOnTheScreenMatchesOneMadeAtOnce_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<int>("screenHeight");
    QTest::newRow("annotation, designed size") << "" << 768;
    QTest::newRow("annotation, scaled down") << "" << 600;
    QTest::newRow("text import, scaled up") << "T1" << 1024;
    QTest::newRow("frames, designed size") << "T3" << 768;
}

// The window shows sooner by going on the screen before its controls are made, and
// by making its panels and pop-up menu after the first paint. Made so, it must look,
// hold and answer exactly as when made all at once: at the same place and size, every
// control shown or hidden alike, scaled once, wired once, showing the model and the
// mode's captions.
void TForm1StartupTest::windowMadeOnTheScreenMatchesOneMadeAtOnce()
{
    QFETCH(QString, argument);
    QFETCH(int, screenHeight);
    StartDir eagerDir, laterDir;
    for (const StartDir *dir : {&eagerDir, &laterDir}) {
        quillet::Lines settings = dir->read("PLDATA.tx");
        settings[16] = "37"; // where the window was left
        settings[17] = "41";
        dir->write("PLDATA.tx", settings);
    }
    RecordingHost eagerHost(screenHeight), laterHost(screenHeight);
    TForm1 eager(argument.toStdString(), eagerDir.path(), &eagerHost);
    TForm1 later(argument.toStdString(), laterDir.path(), &laterHost, nullptr, TForm1::Pace::ScreenFirst);
    QVERIFY(later.isVisible() && !eager.isVisible());
    QCOMPARE(later.pos(), QPoint(37, 41));
    QVERIFY(!later.Panel5 && !later.PopupMenu1);
    for (TForm1 *form : {&eager, &later}) {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }
    QTRY_VERIFY(later.Panel5 && later.PopupMenu1);
    QTRY_VERIFY(eager.FontDialog1 && later.FontDialog1); // both past their first paint

    auto describe = [](QWidget *root) {
        QStringList lines;
        for (QWidget *w : root->findChildren<QWidget *>()) {
            if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
                continue;
            QRect r = w->geometry();
            lines << QStringLiteral("%1 %2,%3 %4x%5 font %6 %7 %8 %9 [%10]")
                         .arg(w->objectName())
                         .arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())
                         .arg(w->font().pixelSize())
                         .arg(w->isVisible() ? "visible" : "not visible")
                         .arg(w->isEnabled() ? "enabled" : "disabled")
                         .arg(w->statusTip())
                         .arg(quillet::ui::widgetValue(w));
        }
        lines.sort();
        return lines;
    };
    QCOMPARE(later.pos(), eager.pos());
    QCOMPARE(later.size(), eager.size());
    QCOMPARE(later.font().pixelSize(), eager.font().pixelSize());
    QCOMPARE(describe(&later), describe(&eager));
    for (QWidget *TForm1::*panel : {&TForm1::Panel1, &TForm1::Panel2, &TForm1::Panel4, &TForm1::Panel5}) {
        (eager.*panel)->show();
        (later.*panel)->show();
        QCOMPARE(describe(later.*panel), describe(eager.*panel));
    }
    auto actions = [](QMenu *menu) {
        QStringList lines;
        for (QAction *a : menu->findChildren<QAction *>())
            lines << QStringLiteral("%1 %2 %3 %4").arg(a->objectName(), a->text()).arg(a->isChecked()).arg(a->isEnabled());
        lines.sort();
        return lines;
    };
    QCOMPARE(actions(later.PopupMenu1), actions(eager.PopupMenu1));
    // Every hint reaches its control, made early or late.
    for (const auto &[name, hint] : quillet::ui::hintTable()) {
        const QWidget *control = later.findChild<QWidget *>(name);
        QVERIFY2(control && control->statusTip() == hint, qPrintable(name));
    }

    // Wired once: a change in the basic settings reaches the model and the preview's
    // colour rule, and a menu choice comes back into the panel.
    later.ComboBox10->setCurrentIndex(3);
    QCOMPARE(later.session().form.basic.leaderColour, 3);
    later.DOTAn[4]->trigger();
    QCOMPARE(later.ComboBox1->currentIndex(), 4);
}

void TForm1StartupTest::closingLeavesTheExchangeFileUntouched()
{
    StartDir dir;
    const std::string before = dir.bytes("jwc_temp.txt");
    RecordingHost host;
    {
        TForm1 form("", dir.path(), &host);
        form.show();
        QTest::qWait(20);
        form.findChild<QWidget *>("CheckBox4")->setProperty("checked", true);
        form.close();
        QVERIFY(form.runEnded());
    }
    QCOMPARE(dir.bytes("jwc_temp.txt"), before);
    QCOMPARE(dir.read("PLDATA.tx")[24], std::string("1"));
}

void TForm1StartupTest::completingInputWritesTheExchangeFile_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("exchange");
    QTest::addColumn<QString>("expected"); // "drawn", "empty" or "untouched"
    QTest::addColumn<QString>("gesture");  // the button, the popup item, or Alt+Enter in the input box
    for (const char *gesture : {"button", "popup", "alt+enter"}) {
        QTest::addRow("annotation, %s", gesture) << "" << "annotation.jwc_temp.txt" << "drawn" << gesture;
        QTest::addRow("text import, %s", gesture) << "T1" << "selected-texts.jwc_temp.txt" << "empty" << gesture;
        QTest::addRow("disabled after a start-up failure, %s", gesture)
            << "" << "transformed.jwc_temp.txt" << "untouched" << gesture;
    }
}

void TForm1StartupTest::completingInputWritesTheExchangeFile()
{
    QFETCH(QString, argument);
    QFETCH(QString, exchange);
    QFETCH(QString, expected);
    QFETCH(QString, gesture);
    StartDir dir(exchange);
    const std::string before = dir.bytes("jwc_temp.txt");
    RecordingHost host;
    TForm1 form(argument.toStdString(), dir.path(), &host);
    if (gesture == "popup")
        form.findChild<QAction *>("MENW1")->trigger(); // acts even while the button is disabled
    else if (gesture == "alt+enter")
        QTest::keyClick(form.findChild<QPlainTextEdit *>("Memo1"), Qt::Key_Return, Qt::AltModifier);
    else
        form.BitBtn2Click();
    const std::string after = dir.bytes("jwc_temp.txt");
    if (expected == "untouched") {
        QVERIFY(!form.runEnded());
        QCOMPARE(after, before);
    } else if (expected == "empty") {
        QVERIFY(form.runEnded());
        QVERIFY(after.empty());
    } else {
        QVERIFY(form.runEnded());
        QVERIFY(!after.empty());
        QVERIFY(after.rfind("hq", 0) != 0); // written back: Jw_cad's header is gone
    }
}

void TForm1StartupTest::storedLeaderLengthReachesTheSettings()
{
    StartDir dir;
    RecordingHost host;
    {
        TForm1 form("", dir.path(), &host);
        form.findChild<QPushButton *>("Button2")->click();
        form.close();
    }
    QVERIFY(host.warnings.empty());
    QVERIFY(dir.read("PLDATA.tx")[25] != "0");
}

QTEST_MAIN(TForm1StartupTest)
#include "TForm1StartupTest.moc"
