// How the multi-line grid draws its cells: from 2 pixels in, ampersands as mnemonics,
// several lines where the row is tall enough, long lines wrapped only with WordWrap.
#include "widgets/TMLStringGrid.h"

#include <QHeaderView>
#include <QImage>
#include <QTest>

using quillet::widgets::TMLStringGrid;

namespace {

// The rectangle of dark pixels in `area` of `image`; empty when there are none.
QRect ink(const QImage &image, const QRect &area)
{
    QRect found;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                found |= QRect(x, y, 1, 1);
        }
    }
    return found;
}

struct Grid {
    TMLStringGrid grid{1, 2};

    Grid()
    {
        grid.resize(220, 200);
        grid.horizontalHeader()->setDefaultSectionSize(200);
        grid.verticalHeader()->setDefaultSectionSize(15);
        grid.setRowHeight(0, 75);
        grid.setShowGrid(false);
        QFont font = grid.font();
        font.setPixelSize(12);
        grid.setFont(font);
        grid.setCurrentCell(1, 0);
        grid.clearSelection();
    }
    QImage draw(const QString &text, int row = 0)
    {
        grid.setCell(0, row, text);
        return grid.viewport()->grab().toImage();
    }
    QRect cellRect(int row) const { return grid.visualRect(grid.model()->index(row, 0)); }
};

} // namespace

class TMLStringGridTest : public QObject {
    Q_OBJECT
private slots:
    void textStartsTwoPixelsIn();
    void anAmpersandUnderlinesTheNextLetter();
    void linesShowAsTheRowAllows();
    void wordWrapBreaksLongLines();
};

void TMLStringGridTest::textStartsTwoPixelsIn()
{
    Grid g;
    const QRect cell = g.cellRect(0);
    const QRect text = ink(g.draw("H"), cell);
    QVERIFY(!text.isEmpty());
    QVERIFY(text.left() >= cell.left() + 2);
    QVERIFY(text.left() <= cell.left() + 4);
    QVERIFY(text.top() >= cell.top() + 2);
}

void TMLStringGridTest::anAmpersandUnderlinesTheNextLetter()
{
    Grid g;
    const QRect cell = g.cellRect(0);
    const QRect plain = ink(g.draw("H"), cell);
    const QRect mnemonic = ink(g.draw("&H"), cell);
    // No ampersand before the letter: the ink is the letter's, give or take the underline's ends.
    QVERIFY(mnemonic.width() <= plain.width() + 2);
    QVERIFY(mnemonic.bottom() > plain.bottom()); // the underline
}

void TMLStringGridTest::linesShowAsTheRowAllows()
{
    Grid g;
    const QRect tall = g.cellRect(0);
    QVERIFY(ink(g.draw("A\nB"), tall).height() > 15);
    const QRect low = g.cellRect(1);
    const QImage image = g.draw("A\r\nB", 1);
    QVERIFY(ink(image, low).height() <= 13);
    QVERIFY(ink(image, low.translated(0, low.height())).isEmpty()); // nothing spills below
}

void TMLStringGridTest::wordWrapBreaksLongLines()
{
    Grid g;
    const QRect cell = g.cellRect(0);
    const QString words = QStringLiteral("word word word word word word word word word word word");
    QVERIFY(ink(g.draw(words), cell).height() <= 13);
    g.grid.setWordWrap(true);
    QVERIFY(ink(g.draw(words), cell).height() > 15);
    QVERIFY(ink(g.draw(words), cell).right() < cell.right());
}

QTEST_MAIN(TMLStringGridTest)
#include "TMLStringGridTest.moc"
