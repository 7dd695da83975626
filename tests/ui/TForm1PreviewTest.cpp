// The preview on the main window: every choice it depends on repaints it, and resting
// the pointer on a preset button shows that preset's picture instead.
#include "UiTestSupport.h"

#include "preview/PreviewBox.h"
#include "settings/Presets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEnterEvent>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace uitest;

namespace {

const QColor kCream(255, 251, 240);
const QColor kSilver(192, 192, 192);

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

QColor pixel(QWidget *box, int x, int y) { return box->grab().toImage().pixelColor(x, y); }

void enter(QWidget *button)
{
    QEnterEvent event(QPointF(5, 5), QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)));
    QCoreApplication::sendEvent(button, &event);
}

void leave(QWidget *button)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(button, &event);
}

// Stores a preset whose picture is a rectangle frame with a plain leader.
void storeRectanglePreset(TForm1 &form, int preset)
{
    quillet::Session &session = form.session();
    const quillet::FormModel kept = session.form;
    session.form.frameKind = quillet::FrameKind::Rectangle;
    session.form.tip = quillet::Tip::NoSymbol;
    session.form.attachPosition = 2;
    session.files.quickSelect.setSaved(preset, quillet::presets::buildLines(session.form, quillet::PhraseBookPlace{}));
    session.form = kept;
}

} // namespace

class TForm1PreviewTest : public QObject {
    Q_OBJECT
private slots:
    void everyChoiceRepaintsThePreview_data();
    void everyChoiceRepaintsThePreview();
    void fixedLengthShowsARedLeader();
    void hoverShowsThePresetUntilThePointerLeaves();
    void hoverOverAnEmptyPresetShowsNotSaved();
    void hoverIsOffWithoutTheImageSwitch();
};

void TForm1PreviewTest::everyChoiceRepaintsThePreview_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("tip") << "ComboBoxEx1";
    QTest::newRow("frame") << "ComboBoxEx2";
    QTest::newRow("attach position") << "ComboBoxEx3";
    QTest::newRow("extension mode") << "ComboBox5";
    QTest::newRow("slide") << "ComboBoxEx4";
    QTest::newRow("fill") << "SpeedButton10";
    QTest::newRow("tilt") << "SpeedButton11";
    QTest::newRow("fixed length") << "CheckBox4";
    QTest::newRow("pattern") << "ListBox1";
    QTest::newRow("preset recall") << "SpeedButton16";
}

void TForm1PreviewTest::everyChoiceRepaintsThePreview()
{
    QFETCH(QString, control);
    StartDir dir;
    RecordingHost host(700);
    TForm1 form("", dir.path(), &host);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    storeRectanglePreset(form, 4);
    QTest::qWait(50);
    PaintCounter paints(form.PaintBox1);

    QWidget *widget = form.findChild<QWidget *>(control);
    QVERIFY(widget);
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
    else if (auto *list = qobject_cast<QListWidget *>(widget))
        list->setCurrentRow((list->currentRow() + 1) % list->count());
    else if (control == "SpeedButton16")
        qobject_cast<QAbstractButton *>(widget)->click();
    else
        qobject_cast<QAbstractButton *>(widget)->toggle();
    QTRY_VERIFY(paints.count > 0);
}

void TForm1PreviewTest::fixedLengthShowsARedLeader()
{
    StartDir dir;
    RecordingHost host(700); // no row of the size table: the designed size
    TForm1 form("", dir.path(), &host);
    QCOMPARE(form.Panel3->width(), 105);
    form.ComboBoxEx2->setCurrentIndex(0);
    form.ComboBoxEx1->setCurrentIndex(1);
    form.ComboBoxEx3->setCurrentIndex(2);
    form.CheckBox4->setChecked(false);
    QCOMPARE(pixel(form.PaintBox1, 46, 13), QColor(0, 0, 0));
    form.CheckBox4->setChecked(true);
    QCOMPARE(pixel(form.PaintBox1, 46, 13), QColor(255, 0, 0));
}

void TForm1PreviewTest::hoverShowsThePresetUntilThePointerLeaves()
{
    StartDir dir;
    RecordingHost host(700);
    TForm1 form("", dir.path(), &host);
    form.ComboBoxEx2->setCurrentIndex(0);
    form.CheckBox6->setChecked(true);
    storeRectanglePreset(form, 2);

    enter(form.SpeedButton14);
    QVERIFY(form.PaintBox2->isVisibleTo(&form));
    QVERIFY(!form.PaintBox1->isVisibleTo(&form));
    QCOMPARE(form.Panel3->palette().color(QPalette::Window), kSilver);
    QCOMPARE(pixel(form.PaintBox2, 92, 1), QColor(0, 0, 0)); // the preset's rectangle
    QVERIFY(!form.Label17->isVisibleTo(&form));

    leave(form.SpeedButton14);
    QVERIFY(!form.PaintBox2->isVisibleTo(&form));
    QVERIFY(form.PaintBox1->isVisibleTo(&form));
    QCOMPARE(form.Panel3->palette().color(QPalette::Window), kCream);
    QCOMPARE(pixel(form.PaintBox1, 92, 1), kCream); // the window's own choice: no frame

    // Recalling it brings the same picture to the window's own paint box.
    form.SpeedButton14->click();
    QCOMPARE(pixel(form.PaintBox1, 92, 1), QColor(0, 0, 0));
}

void TForm1PreviewTest::hoverOverAnEmptyPresetShowsNotSaved()
{
    StartDir dir;
    RecordingHost host(700);
    TForm1 form("", dir.path(), &host);
    form.CheckBox6->setChecked(true);
    enter(form.SpeedButton23);
    QVERIFY(form.PaintBox2->isVisibleTo(&form));
    QVERIFY(form.Label17->isVisibleTo(&form));
    QVERIFY(form.Timer1->isActive());
    const QImage picture = form.PaintBox2->grab().toImage();
    QCOMPARE(picture.pixelColor(70, 8), kSilver); // nothing drawn on the silver panel
    QTRY_VERIFY_WITH_TIMEOUT(!form.Label17->isVisibleTo(&form), 2000);
}

void TForm1PreviewTest::hoverIsOffWithoutTheImageSwitch()
{
    StartDir dir;
    RecordingHost host(700);
    TForm1 form("", dir.path(), &host);
    form.CheckBox6->setChecked(false);
    enter(form.SpeedButton13);
    QVERIFY(form.PaintBox1->isVisibleTo(&form));
    QVERIFY(!form.PaintBox2->isVisibleTo(&form));
    QVERIFY(!form.Label17->isVisibleTo(&form));
}

QTEST_MAIN(TForm1PreviewTest)
#include "TForm1PreviewTest.moc"
