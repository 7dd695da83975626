// The output view "出力図" and the pictures its painter makes: pixels of the PNG at a
// fixed size, and the window beside TForm1, which must leave the start directory's
// files, the main window's controls and the choices as they were.
#include "UiTestSupport.h"

#include "drawing/DrawingReader.h"
#include "drawing/RunPicture.h"
#include "outputview/OutputView.h"
#include "outputview/PicturePainter.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <map>

using namespace uitest;
using namespace quillet;

namespace {

namespace fs = std::filesystem;

const QSize kSize(1024, 768);

/// The golden case's output and exchange file, painted into a PNG and decoded again.
struct GoldenPng {
    drawing::Picture picture;
    QImage image;
    QTransform toImage;

    explicit GoldenPng(const std::string &name)
    {
        const fs::path dir = fs::path(QUILLET_FIXTURES_DIR) / "golden" / name;
        picture = drawing::pictureOfRun(readLines(dir / "expected.jwc_temp.txt"), readLines(dir / "jwc_temp.txt"),
                                        false);
        image = QImage::fromData(outputview::pngOf(picture, kSize), "PNG");
        toImage = outputview::fitTransform(outputview::pictureExtent(picture), QRectF(QPointF(0, 0), QSizeF(kSize)));
    }
    QPoint at(double x, double y) const { return toImage.map(QPointF(x, y)).toPoint(); }
    QColor pixel(QPoint p) const { return image.pixelColor(p); }
};

/// Output lines that begin with `prefix`.
int count(const Lines &output, const char *prefix)
{
    return int(std::count_if(output.begin(), output.end(),
                             [prefix](const std::string &l) { return l.rfind(prefix, 0) == 0; }));
}

bool isWhite(const QColor &c) { return c.red() > 245 && c.green() > 245 && c.blue() > 245; }

/// A pixel of pen colour 3 (green), or within a pixel of one: lines are antialiased.
bool nearGreen(const QImage &image, QPoint p)
{
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            const QColor c = image.pixelColor(p + QPoint(dx, dy));
            if (c.green() > c.red() + 60 && c.green() > c.blue() + 60)
                return true;
        }
    return false;
}

std::map<std::string, std::string> files(const fs::path &dir)
{
    std::map<std::string, std::string> out;
    for (const auto &entry : fs::recursive_directory_iterator(dir))
        if (entry.is_regular_file())
            out[entry.path().lexically_relative(dir).string()] = readBytes(entry.path());
    return out;
}

/// Where every control of the window stands and whether it shows.
std::map<QString, QString> layoutOf(const QWidget &window)
{
    std::map<QString, QString> out;
    for (const QWidget *w : window.findChildren<QWidget *>())
        if (!w->objectName().isEmpty() && !w->isWindow())
            out[w->objectName()] = QStringLiteral("%1,%2 %3x%4 %5")
                                       .arg(w->x())
                                       .arg(w->y())
                                       .arg(w->width())
                                       .arg(w->height())
                                       .arg(w->isVisible());
    return out;
}

} // namespace

class OutputViewTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void rectangleCornersLieWhereTheOutputPutsThem();
    void cloudFillHasItsOwnColour();
    void openingChangingAndClosingLeavesEveryFileAlone();
    void aRunThatWouldFailShowsItsMessageInstead();
    void frameWrite2LeavesTheFrameKindAsChosen();
    void theViewOpensAgainWhereItWasLeftOpen();
};

void OutputViewTest::initTestCase()
{
    // Where the view keeps its place: a scratch location, not the user's.
    QStandardPaths::setTestModeEnabled(true);
    QSettings(QSettings::IniFormat, QSettings::UserScope, "Quillet", "quillet").clear();
}

void OutputViewTest::rectangleCornersLieWhereTheOutputPutsThem()
{
    const GoldenPng png("rectangle-arrow");
    QCOMPARE(png.image.size(), kSize);
    // The frame " 3020.5 3428.8 6338 3428.8" ... in pen colour 3, nothing outside it.
    const double left = 3020.5, right = 6338, bottom = 3428.82153320312, top = 4191.67822265625;
    const struct {
        double x, y;
        int sx, sy; // outward direction in image pixels
    } corners[] = {{left, bottom, -1, 1}, {right, bottom, 1, 1}, {right, top, 1, -1}, {left, top, -1, -1}};
    for (const auto &c : corners) {
        const QPoint p = png.at(c.x, c.y);
        QVERIFY2(nearGreen(png.image, p), qPrintable(QStringLiteral("corner %1,%2").arg(p.x()).arg(p.y())));
        // The two edges leave the corner; outside it the paper is bare.
        QVERIFY(nearGreen(png.image, p - QPoint(6 * c.sx, 0)));
        QVERIFY(nearGreen(png.image, p - QPoint(0, 6 * c.sy)));
        QVERIFY(isWhite(png.pixel(p + QPoint(4 * c.sx, 4 * c.sy))));
        QVERIFY(isWhite(png.pixel(p + QPoint(4 * c.sx, -4 * c.sy))));
    }
    // Fitted: the whole picture inside the image, touching its margin on one axis.
    const QRectF drawn = png.toImage.mapRect(QRectF(1520.5, 2310.25, 6338 - 1520.5, 4191.67822265625 - 2310.25));
    QVERIFY(QRectF(QPointF(0, 0), QSizeF(kSize)).contains(drawn));
    QVERIFY(qAbs(drawn.width() - (kSize.width() - 32)) < 1 || qAbs(drawn.height() - (kSize.height() - 32)) < 40);
}

void OutputViewTest::cloudFillHasItsOwnColour()
{
    const GoldenPng png("cloud-fill");
    // Inside the fill, clear of the text and the bumps: "lc10 15793151" is cream.
    QCOMPARE(png.pixel(png.at(3100, 3820)), QColor(255, 251, 240));
    QCOMPARE(png.pixel(png.at(4150, 4250)), QColor(255, 251, 240));
    // The wedge's triangle towards point 1 is filled too, the paper beside it is not.
    QCOMPARE(png.pixel(png.at(2900, 3520)), QColor(255, 251, 240));
    QVERIFY(isWhite(png.pixel(png.at(2500, 3800))));
    QVERIFY(isWhite(png.pixel(png.at(5000, 3000))));
}

void OutputViewTest::openingChangingAndClosingLeavesEveryFileAlone()
{
    StartDir dir;
    RecordingHost host;
    TForm1 form("", dir.path(), &host);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::qWait(50); // the first-show steps
    auto *memo = form.findChild<QPlainTextEdit *>("Memo1");
    memo->setPlainText(QStringLiteral("W=300"));
    const auto before = files(dir.path());
    const auto layout = layoutOf(form);
    const auto messages = host.messages.size();
    const QPoint mainAt = form.pos();

    QTest::keyClick(memo, Qt::Key_F5);
    outputview::OutputView *view = form.outputView();
    QVERIFY(view);
    QVERIFY(QTest::qWaitForWindowExposed(view));
    QCOMPARE(view->windowTitle(), QStringLiteral("出力図"));
    QVERIFY(view->shownMessage().isEmpty());
    const int lines = count(view->result().output, " ");
    QCOMPARE(count(view->result().output, "ch "), 1);

    auto *frame = form.findChild<QComboBox *>("ComboBoxEx2");
    frame->setCurrentIndex(2); // 四角: four more lines
    QTRY_COMPARE(count(view->result().output, " "), lines + 4);
    memo->setPlainText(QStringLiteral("W=300\nGL+500"));
    QTRY_COMPARE(count(view->result().output, "ch "), 2);
    QCOMPARE(view->result().picture.marks.size(), std::size_t(3));

    // Saved from the context menu's actions: elsewhere, never in the start directory.
    QTemporaryDir elsewhere;
    view->saveSvg(elsewhere.filePath("a.svg"));
    view->savePng(elsewhere.filePath("a.png"));
    QVERIFY(readBytes(elsewhere.filePath("a.svg").toStdString()).find("class=\"text\"") != std::string::npos);
    QCOMPARE(QImage(elsewhere.filePath("a.png")).size(), view->size());

    view->close();
    QVERIFY(!view->isVisible());
    QCOMPARE(host.messages.size(), messages);
    QCOMPARE(form.pos(), mainAt);
    QVERIFY(layoutOf(form) == layout);
    QCOMPARE(frame->currentIndex(), 2);
    QVERIFY(files(dir.path()) == before);
    QVERIFY(!outputview::OutputView::wasOpen());

    // A double click on the setting preview opens it again.
    QTest::mouseDClick(form.findChild<QWidget *>("PaintBox1"), Qt::LeftButton);
    QTRY_VERIFY(view->isVisible());
    view->close();
    QVERIFY(files(dir.path()) == before);
}

void OutputViewTest::aRunThatWouldFailShowsItsMessageInstead()
{
    StartDir dir;
    // Point 1 on point 2 with a fixed leader length: the length ratio divides by 0.
    Lines exchange = dir.read("jwc_temp.txt");
    for (auto &line : exchange)
        if (line.rfind("hp2", 0) == 0)
            line = "hp2   1520.5 2310.25";
    dir.write("jwc_temp.txt", exchange);
    RecordingHost host;
    TForm1 form("", dir.path(), &host);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::qWait(50);
    form.findChild<QWidget *>("CheckBox4")->setProperty("checked", true);
    const auto before = files(dir.path());
    const auto messages = host.messages.size();
    form.openOutputView();
    outputview::OutputView *view = form.outputView();
    QTRY_VERIFY(!view->shownMessage().isEmpty());
    QVERIFY2(view->shownMessage().contains(QStringLiteral("不正なデータがあります")), qPrintable(view->shownMessage()));
    QVERIFY(view->result().picture.items.empty());
    QCOMPARE(host.messages.size(), messages);
    view->close();
    QVERIFY(files(dir.path()) == before);
}

// Frame write 2 draws 四角延長 as 四角 and shows that in the window when it runs; the
// view's dry run draws the same and leaves the choice alone.
void OutputViewTest::frameWrite2LeavesTheFrameKindAsChosen()
{
    StartDir dir(QStringLiteral("selected-texts.jwc_temp.txt"));
    RecordingHost host;
    TForm1 form("T3", dir.path(), &host);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::qWait(50);
    auto *frame = form.findChild<QComboBox *>("ComboBoxEx2");
    frame->setCurrentIndex(7);
    form.openOutputView();
    const OutputPicture &result = form.outputView()->result();
    QCOMPARE(count(result.output, " "), 4 * 4); // a rectangle around each of the four texts
    QCOMPARE(result.picture.underlay.size(), std::size_t(4));
    QVERIFY(result.picture.marks.empty());
    QCOMPARE(frame->currentIndex(), 7);
    QCOMPARE(form.session().form.frameKind, FrameKind(7));
    form.outputView()->close();
}

void OutputViewTest::theViewOpensAgainWhereItWasLeftOpen()
{
    StartDir dir;
    RecordingHost host;
    QRect where;
    {
        TForm1 form("", dir.path(), &host);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::qWait(50);
        form.openOutputView();
        form.outputView()->move(form.outputView()->pos() + QPoint(10, 20));
        where = form.outputView()->geometry();
    } // the program ends with the view open
    QVERIFY(outputview::OutputView::wasOpen());
    TForm1 form("", dir.path(), &host);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTRY_VERIFY(form.outputView() && form.outputView()->isVisible());
    QCOMPARE(form.outputView()->geometry(), where);
    form.outputView()->close();
}

QTEST_MAIN(OutputViewTest)
#include "OutputViewTest.moc"
