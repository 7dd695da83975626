#include "ui/Icons.h"

#include "ui/FormBuilder.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

namespace quillet::ui::icons {

namespace {

QPixmap blank(QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPointF rotated(QPointF v, double degrees)
{
    const double r = qDegreesToRadians(degrees);
    return {v.x() * std::cos(r) - v.y() * std::sin(r), v.x() * std::sin(r) + v.y() * std::cos(r)};
}

// The leader runs from the tip at the lower left up to the text side at the upper right.
constexpr QPointF kTip{4, 13};
constexpr QPointF kLeaderEnd{22, 3};

void drawTip(QPainter &p, int index)
{
    const QPointF along = kLeaderEnd - kTip;
    const QPointF unit = along / std::hypot(along.x(), along.y());
    const QPointF wingA = kTip + rotated(unit * 8, 22);
    const QPointF wingB = kTip + rotated(unit * 8, -22);
    const double dotRadius = 2.5;
    QPointF leaderStart = kTip;
    switch (index) {
    case 2:
    case 3:
        leaderStart = kTip + unit * dotRadius;
        p.setBrush(index == 2 ? QBrush(Qt::black) : QBrush(Qt::white));
        p.drawEllipse(kTip, dotRadius, dotRadius);
        break;
    case 4:
        p.drawLine(kTip, wingA);
        break;
    case 5:
        p.drawPolyline(QPolygonF{wingA, kTip, wingB});
        break;
    case 6:
    case 7:
        p.setBrush(index == 7 ? QBrush(Qt::black) : QBrush(Qt::NoBrush));
        p.drawPolygon(QPolygonF{wingA, kTip, wingB});
        break;
    default:
        break;
    }
    if (index == 0) {
        // No leader at all: show where it would be, faintly.
        p.setPen(QPen(Qt::gray, 1, Qt::DotLine));
    }
    p.drawLine(leaderStart, kLeaderEnd);
}

// The text block the frames surround, in frame-picture coordinates.
struct Block {
    double left, top = 3, right = 27, bottom = 13;
};

void drawTextBars(QPainter &p, const Block &b)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 255));
    p.drawRect(QRectF(b.left + 3, b.top + 2, b.right - b.left - 6, 2));
    p.drawRect(QRectF(b.left + 3, b.top + 6, b.right - b.left - 6, 2));
    p.restore();
}

void drawCloud(QPainter &p, const Block &b, bool unequal)
{
    // Scallops along each edge, bulging outwards; the unequal cloud alternates sizes.
    QPainterPath path;
    const double w = b.right - b.left, h = b.bottom - b.top;
    const int across = 4, down = 2;
    auto bump = [&](QPointF from, QPointF to, int i) {
        const double scale = unequal && (i % 2) ? 0.6 : 1.0;
        const QPointF mid = (from + to) / 2;
        const QPointF d = to - from;
        const QPointF out(d.y(), -d.x());
        path.moveTo(from);
        path.quadTo(mid + out * 0.5 * scale, to);
    };
    for (int i = 0; i < across; ++i)
        bump({b.left + w * i / across, b.top}, {b.left + w * (i + 1) / across, b.top}, i);
    for (int i = 0; i < down; ++i)
        bump({b.right, b.top + h * i / down}, {b.right, b.top + h * (i + 1) / down}, i);
    for (int i = 0; i < across; ++i)
        bump({b.right - w * i / across, b.bottom}, {b.right - w * (i + 1) / across, b.bottom}, i + 1);
    for (int i = 0; i < down; ++i)
        bump({b.left, b.bottom - h * i / down}, {b.left, b.bottom - h * (i + 1) / down}, i + 1);
    p.drawPath(path);
}

void drawCurvedLeader(QPainter &p, const Block &b, bool looped)
{
    QPainterPath path({1, 15});
    if (looped) {
        path.cubicTo({5, 6}, {10, 4}, {9, 8});
        path.cubicTo({8, 12}, {4, 8}, {b.left, b.top + 4});
    } else {
        path.cubicTo({8, 14}, {0, 5}, {b.left, b.top + 4});
    }
    p.drawPath(path);
}

void drawFrame(QPainter &p, int index)
{
    const bool extension = index >= 5 && index <= 9;
    const bool curved = index == 13 || index == 14;
    Block b{extension || curved ? 9.0 : 2.0};
    drawTextBars(p, b);
    const int plain = extension ? index - 5 : index;
    const double attachY = plain == 1 ? b.bottom : (b.top + b.bottom) / 2;
    if (extension)
        p.drawLine(QPointF(0, attachY), QPointF(b.left, attachY));
    const QRectF box(QPointF(b.left, b.top), QPointF(b.right, b.bottom));
    switch (plain) {
    case 1:
        p.drawLine(box.bottomLeft(), box.bottomRight());
        break;
    case 2:
        p.drawRect(box);
        break;
    case 3:
        p.drawRoundedRect(box, box.height() / 2, box.height() / 2);
        break;
    case 4:
        p.drawPolyline(QPolygonF{{b.left + 3, b.top}, {b.left, b.top}, {b.left, b.bottom}, {b.left + 3, b.bottom}});
        p.drawPolyline(QPolygonF{{b.right - 3, b.top}, {b.right, b.top}, {b.right, b.bottom}, {b.right - 3, b.bottom}});
        break;
    case 10:
        p.drawPolyline(QPolygonF{{b.left + 6, b.bottom},
                                 box.bottomRight(),
                                 box.topRight(),
                                 box.topLeft(),
                                 box.bottomLeft(),
                                 {b.left + 1, b.bottom + 3},
                                 {b.left + 6, b.bottom}});
        break;
    case 11:
    case 12:
        drawCloud(p, b, plain == 12);
        break;
    case 13:
    case 14:
        drawCurvedLeader(p, b, plain == 13);
        break;
    default:
        break;
    }
}

QPixmap painted(QSize size, const std::function<void(QPainter &)> &draw)
{
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    // Pixel centres, so that one-pixel lines stay sharp.
    p.translate(0.5, 0.5);
    draw(p);
    return pixmap;
}

} // namespace

QIcon tipSymbol(int index)
{
    return QIcon(painted(kTipSize, [index](QPainter &p) { drawTip(p, index); }));
}

QIcon frameKind(int index)
{
    return QIcon(painted(kFrameSize, [index](QPainter &p) { drawFrame(p, index); }));
}

QIcon imeGlyph(ImeMode mode)
{
    struct Look {
        const char16_t *text;
        QColor color;
    };
    Look look{u"あ", QColor(200, 40, 40)};
    switch (mode) {
    case ImeMode::Hiragana:
        break;
    case ImeMode::FullKatakana:
        look = {u"カ", QColor(30, 110, 200)};
        break;
    case ImeMode::HalfKatakana:
        look = {u"ｶ", QColor(30, 150, 120)};
        break;
    case ImeMode::FullAlphanumeric:
        look = {u"Ａ", QColor(120, 80, 160)};
        break;
    }
    return QIcon(painted({16, 16}, [&look](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(look.color);
        p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
        QFont font = build::gothicFont(12);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString::fromUtf16(look.text));
    }));
}

QIcon colorSwatch(const QColor &color)
{
    return QIcon(painted({14, 12}, [&color](QPainter &p) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setBrush(color);
        p.drawRect(0, 0, 13, 11);
    }));
}

} // namespace quillet::ui::icons
