// The setting preview drawn into an image, checked pixel by pixel against the design
// coordinates (worked out by hand for each panel width) and against the reference
// images in tests/fixtures/preview.
#include "preview/PreviewPainter.h"
#include "preview/ReferenceCases.h"

#include <QTest>

using quillet::Mode;
using quillet::preview::PreviewInputs;
using quillet::preview::renderPreview;

Q_DECLARE_METATYPE(PreviewInputs)
Q_DECLARE_METATYPE(Mode)

namespace {

const QColor kCream(255, 251, 240);
const QColor kBlack(0, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kMaroon(128, 0, 0);
const QColor kFuchsia(255, 0, 255);
const QColor kRed(255, 0, 0);

// Panel heights that go with the widths: the panel is scaled as a whole.
int heightFor(int width) { return width == 105 ? 62 : width == 126 ? 74 : 86; }

QImage render(const PreviewInputs &in, int width = 105) { return renderPreview(in, width, heightFor(width)); }

QColor at(const QImage &image, int x, int y) { return image.pixelColor(x, y); }

// The smallest rectangle holding every pixel of the colour.
QRect extent(const QImage &image, const QColor &colour)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}

PreviewInputs inputs(int frame, int tip = 0)
{
    PreviewInputs in;
    in.frameKind = quillet::FrameKind(frame);
    in.tip = quillet::Tip(tip);
    return in;
}

} // namespace

class PreviewPainterTest : public QObject {
    Q_OBJECT
private slots:
    void areasScaleByTruncation_data();
    void areasScaleByTruncation();
    void ovalReachesItsBox_data();
    void ovalReachesItsBox();
    void leaderTakesItsColourAndBend_data();
    void leaderTakesItsColourAndBend();
    void slidBarsAndTheColourLeftForTheTip_data();
    void slidBarsAndTheColourLeftForTheTip();
    void extensionLineAtTheAttachHeight_data();
    void extensionLineAtTheAttachHeight();
    void modesWithoutLeaderShowTextAndFrameOnly_data();
    void modesWithoutLeaderShowTextAndFrameOnly();
    void picturesMatchTheReferenceImages_data();
    void picturesMatchTheReferenceImages();
};

void PreviewPainterTest::areasScaleByTruncation_data()
{
    QTest::addColumn<bool>("fill");
    QTest::addColumn<int>("width");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QRect>("area");
    QTest::newRow("bar, designed size") << false << 105 << kBlue << QRect(QPoint(51, 6), QPoint(88, 11));
    QTest::newRow("bar, width 126") << false << 126 << kBlue << QRect(QPoint(61, 7), QPoint(105, 13));
    QTest::newRow("bar, width 146") << false << 146 << kBlue << QRect(QPoint(70, 8), QPoint(122, 15));
    // The 2-pixel margin is scaled apart from the bar: at 146 the right edge is
    // 122 + 2, not Trunc(s x 90) = 125.
    QTest::newRow("fill, width 126") << true << 126 << kFuchsia << QRect(QPoint(59, 5), QPoint(107, 15));
    QTest::newRow("fill, width 146") << true << 146 << kFuchsia << QRect(QPoint(68, 6), QPoint(124, 17));
}

void PreviewPainterTest::areasScaleByTruncation()
{
    QFETCH(bool, fill);
    QFETCH(int, width);
    QFETCH(QColor, colour);
    QFETCH(QRect, area);
    PreviewInputs in = inputs(0);
    in.fill = fill;
    const QImage image = render(in, width);
    const QPoint c = area.center();
    // Both ends are included; the pixel beyond each edge is the panel's.
    for (QPoint inside : {area.topLeft(), area.bottomRight(), QPoint(area.left(), c.y()), QPoint(area.right(), c.y()),
                          QPoint(c.x(), area.top()), QPoint(c.x(), area.bottom())})
        QCOMPARE(at(image, inside.x(), inside.y()), colour);
    for (QPoint outside : {QPoint(area.left() - 1, c.y()), QPoint(area.right() + 1, c.y()),
                           QPoint(c.x(), area.top() - 1), QPoint(c.x(), area.bottom() + 1)})
        QCOMPARE(at(image, outside.x(), outside.y()), kCream);
}

void PreviewPainterTest::ovalReachesItsBox_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QRect>("outline");
    QTest::newRow("designed size") << 105 << QRect(QPoint(37, 1), QPoint(101, 26));
    QTest::newRow("width 126") << 126 << QRect(QPoint(44, 1), QPoint(121, 31));
    QTest::newRow("width 146") << 146 << QRect(QPoint(51, 1), QPoint(140, 36));
}

void PreviewPainterTest::ovalReachesItsBox()
{
    QFETCH(int, width);
    QFETCH(QRect, outline);
    QCOMPARE(extent(render(inputs(3), width), kBlack), outline);
}

void PreviewPainterTest::leaderTakesItsColourAndBend_data()
{
    QTest::addColumn<bool>("fixedLength");
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QColor>("atBend");
    // Attach point (46, 13), tip point (28, 37); the bend lies at (34, 19).
    QTest::newRow("free length") << false << Mode::Annotation << kBlack << kCream;
    QTest::newRow("fixed length") << true << Mode::Annotation << kRed << kCream;
    QTest::newRow("bend, fixed length") << true << Mode::Bend << kRed << kRed;
    QTest::newRow("bend, free length") << false << Mode::Bend << kBlack << kBlack;
}

void PreviewPainterTest::leaderTakesItsColourAndBend()
{
    QFETCH(bool, fixedLength);
    QFETCH(Mode, mode);
    QFETCH(QColor, colour);
    QFETCH(QColor, atBend);
    PreviewInputs in = inputs(0, 1);
    in.attachPosition = 2;
    in.fixedLeaderLength = fixedLength;
    in.mode = mode;
    const QImage image = render(in);
    QCOMPARE(at(image, 46, 13), colour);
    QCOMPARE(at(image, 28, 37), colour);
    QCOMPARE(at(image, 34, 19), atBend);
    QCOMPARE(extent(image, fixedLength ? kBlack : kRed), QRect());
}

void PreviewPainterTest::slidBarsAndTheColourLeftForTheTip_data()
{
    QTest::addColumn<int>("slide");
    QTest::addColumn<QColor>("first");
    QTest::addColumn<QColor>("second");
    QTest::addColumn<QColor>("third");
    QTest::newRow("なし") << 0 << kCream << kCream << kCream;
    QTest::newRow("２行") << 2 << kBlue << kBlue << kCream;
    QTest::newRow("３行") << 3 << kBlue << kBlue << kBlue;
    QTest::newRow("最大１行") << 4 << kMaroon << kCream << kCream;
    QTest::newRow("最大２行") << 5 << kMaroon << kMaroon << kCream;
    QTest::newRow("最大３行") << 6 << kMaroon << kMaroon << kMaroon;
}

void PreviewPainterTest::slidBarsAndTheColourLeftForTheTip()
{
    QFETCH(int, slide);
    QFETCH(QColor, first);
    QFETCH(QColor, second);
    QFETCH(QColor, third);
    for (int tip : {2, 7}) { // 実点, 矢印４
        PreviewInputs in = inputs(1, tip);
        in.slide = slide;
        const QImage image = render(in);
        QCOMPARE(at(image, 70, 30), first);
        QCOMPARE(at(image, 70, 42), second);
        QCOMPARE(at(image, 70, 50), third);
        QCOMPARE(at(image, 92, 25), kBlack); // the underline
        // The tip point of an underline is (28, 49); the dot and the filled arrow
        // take the colour of the last bar drawn.
        const QColor last = third != kCream ? third : second != kCream ? second : first != kCream ? first : kBlue;
        const QPoint inside = tip == 2 ? QPoint(28, 49) : QPoint(33, 43);
        QCOMPARE(at(image, inside.x(), inside.y()), last);
    }
}

void PreviewPainterTest::extensionLineAtTheAttachHeight_data()
{
    QTest::addColumn<int>("frame");
    QTest::addColumn<int>("attach");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("end");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("四角延長, 最上行上, 指定") << 7 << 0 << 1 << 1 << 46 << kRed;
    QTest::newRow("括弧延長, 最上行中央, 任意") << 9 << 1 << 0 << 8 << 46 << kBlack;
    QTest::newRow("枠無延長, 最下行中央, 指定") << 5 << 3 << 1 << 18 << 46 << kRed;
    QTest::newRow("下線延長 stays at the underline") << 6 << 0 << 1 << 25 << 46 << kRed;
    QTest::newRow("長丸延長 stops at the oval") << 8 << 4 << 1 << 13 << 38 << kRed;
}

void PreviewPainterTest::extensionLineAtTheAttachHeight()
{
    QFETCH(int, frame);
    QFETCH(int, attach);
    QFETCH(int, mode);
    QFETCH(int, y);
    QFETCH(int, end);
    QFETCH(QColor, colour);
    PreviewInputs in = inputs(frame, 1);
    in.attachPosition = attach;
    in.extensionMode = mode;
    const QImage image = render(in);
    QCOMPARE(at(image, 23, y), colour);
    QCOMPARE(at(image, end, y), colour);
    QCOMPARE(at(image, 23, y - 1), kCream);
    // The leader starts at the line's left end and runs to (4, y + 24).
    QCOMPARE(at(image, 4, y + 24), kBlack);
}

void PreviewPainterTest::modesWithoutLeaderShowTextAndFrameOnly_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<bool>("leader");
    QTest::newRow("annotation") << Mode::Annotation << true;
    QTest::newRow("T1") << Mode::TextImport << false;
    QTest::newRow("T2") << Mode::FrameAll << false;
    QTest::newRow("T3") << Mode::FrameEach << false;
    QTest::newRow("T4") << Mode::TextMode << false;
    QTest::newRow("T5") << Mode::Bend << true;
}

void PreviewPainterTest::modesWithoutLeaderShowTextAndFrameOnly()
{
    QFETCH(Mode, mode);
    QFETCH(bool, leader);
    for (int frame : {0, 2, 7, 10, 13}) {
        PreviewInputs in = inputs(frame, 6);
        in.mode = mode;
        in.extensionMode = 1;
        const QImage image = render(in);
        // Everything a leader, extension line, wedge or tip adds lies left of x 44.
        const QImage left = image.copy(0, 0, 44, image.height());
        QCOMPARE(extent(left, kBlack).isEmpty() && extent(left, kRed).isEmpty(), !leader);
        QCOMPARE(at(image, 70, 8), kBlue);
        if (frame == 2)
            QCOMPARE(at(image, 92, 1), kBlack);
    }
}

void PreviewPainterTest::picturesMatchTheReferenceImages_data()
{
    QTest::addColumn<PreviewInputs>("in");
    QTest::addColumn<QString>("file");
    for (const previewtest::ReferenceCase &c : previewtest::referenceCases())
        QTest::newRow(qPrintable(c.file)) << c.inputs << c.file;
}

void PreviewPainterTest::picturesMatchTheReferenceImages()
{
    QFETCH(PreviewInputs, in);
    QFETCH(QString, file);
    const QImage expected =
        QImage(QStringLiteral(QUILLET_FIXTURES_DIR "/preview/") + file).convertToFormat(QImage::Format_RGB32);
    QVERIFY2(!expected.isNull(), qPrintable(file + " is missing"));
    const QImage actual = renderPreview(in, previewtest::kWidth, previewtest::kHeight);
    QCOMPARE(actual.size(), expected.size());
    int differing = 0;
    QPoint first;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y) && differing++ == 0)
                first = QPoint(x, y);
    QVERIFY2(differing == 0, qPrintable(QStringLiteral("%1 pixels differ, the first at (%2, %3): %4 instead of %5")
                                            .arg(differing)
                                            .arg(first.x())
                                            .arg(first.y())
                                            .arg(actual.pixelColor(first).name(), expected.pixelColor(first).name())));
}

QTEST_MAIN(PreviewPainterTest)
#include "PreviewPainterTest.moc"
