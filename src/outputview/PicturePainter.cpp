#include "outputview/PicturePainter.h"

#include "base/Sjis.h"
#include "drawing/Palette.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace quillet::outputview {

using namespace quillet::drawing;

namespace {

const QColor kUnderlayGrey(160, 160, 160);
const QColor kMarkColour(224, 112, 0);

QColor qColour(Rgb rgb) { return QColor(rgb.r, rgb.g, rgb.b); }
QPointF qPoint(Vec v) { return QPointF(v.x, v.y); }

QPen penFor(const Style &style)
{
    QPen pen(qColour(rgbOf(style.colour)));
    pen.setCosmetic(true);
    pen.setWidthF(1);
    const auto &dashes = dashPattern(style.lineType);
    if (!dashes.empty())
        pen.setDashPattern(QVector<qreal>(dashes.begin(), dashes.end()));
    return pen;
}

/// An ellipse's drawn part as device points, fine enough that no corner shows.
QPolygonF curve(Vec centre, double radius, double flatness, double tilt, Sweep sweep, const QTransform &toDevice)
{
    const double pixels = radius * std::max(1.0, flatness) * std::sqrt(std::fabs(toDevice.determinant()));
    const double step = std::clamp(2 * std::sqrt(0.5 / std::max(pixels, 0.5)), kPi / 2048, kPi / 16);
    QPolygonF poly;
    for (const Vec &p : ellipsePoints(centre, radius, flatness, tilt, sweep, step))
        poly << toDevice.map(qPoint(p));
    return poly;
}

struct Characters {
    QString text;
    int bytes;
};

/// The text split into characters with their Shift-JIS byte counts: every byte is
/// one half-width cell of the line.
std::vector<Characters> charactersOf(const std::string &sjis)
{
    std::vector<Characters> out;
    for (std::size_t i = 0; i < sjis.size();) {
        const int n = sjis::isLeadByte(static_cast<unsigned char>(sjis[i])) && i + 1 < sjis.size() ? 2 : 1;
        out.push_back({QString::fromStdString(sjis::toUtf8(sjis.substr(i, std::size_t(n)))), n});
        i += std::size_t(n);
    }
    return out;
}

void paintText(QPainter &painter, const Text &text, const QTransform &toDevice, const QColor &colour)
{
    const TextBox box = textBox(text);
    if (box.height <= 0 || text.size.width <= 0)
        return;
    const bool vertical = !text.font.empty() && text.font[0] == '@';
    QFont font(QString::fromStdString(sjis::toUtf8(vertical ? text.font.substr(1) : text.font)));
    font.setPixelSize(100);
    const QFontMetricsF metrics(font);
    const double ascent = metrics.ascent(), descent = metrics.descent();
    const auto characters = charactersOf(text.text);
    // A measured text spreads its cells over its own length.
    const double natural = double(text.text.size()) * (text.size.width / 2 + text.size.spacing / 2) -
                           text.size.spacing / 2;
    const double stretch = natural > 0 && box.length > 0 ? box.length / natural : 1;
    const double cell = (text.size.width / 2 + text.size.spacing / 2) * stretch;
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    // One horizontal scale for every character of a width, as the host's fonts are
    // scaled: a narrow character stays narrow and stands in the middle of its cell.
    const double halfReference = std::max(metrics.horizontalAdvance(QLatin1Char('0')), 1.0);
    const double fullReference = std::max(metrics.horizontalAdvance(QChar(0x3042)), 1.0);
    double offset = 0;
    for (const Characters &c : characters) {
        const double advance = std::max(metrics.horizontalAdvance(c.text), 1.0);
        const double glyph = c.bytes * text.size.width / 2 * stretch; // the character without its spacing
        QTransform local;
        if (vertical && c.bytes == 2) {
            // Upright in a column: the glyph's width spans the line's height, its
            // height one character width down the line.
            const Vec at{box.origin.x + box.along.x * offset, box.origin.y + box.along.y * offset};
            const double sx = box.height / advance, sy = glyph / (ascent + descent);
            local = QTransform(box.across.x * sx, box.across.y * sx, box.along.x * sy, box.along.y * sy,
                               at.x + box.along.x * ascent * sy, at.y + box.along.y * ascent * sy);
        } else {
            const double sx = glyph / (c.bytes == 2 ? fullReference : halfReference);
            const double sy = box.height / (ascent + descent);
            const double start = offset + (glyph - advance * sx) / 2;
            const Vec at{box.origin.x + box.along.x * start, box.origin.y + box.along.y * start};
            local = QTransform(box.along.x * sx, box.along.y * sx, -box.across.x * sy, -box.across.y * sy,
                               at.x + box.across.x * descent * sy, at.y + box.across.y * descent * sy);
        }
        painter.setTransform(local * toDevice);
        painter.drawText(QPointF(0, 0), c.text);
        offset += c.bytes * cell;
    }
    painter.restore();
}

class ItemPainter {
public:
    ItemPainter(QPainter &painter, const QTransform &toDevice) : m_painter(painter), m_toDevice(toDevice) {}

    void operator()(const Line &l, const Style &s)
    {
        m_painter.setPen(penFor(s));
        m_painter.drawLine(m_toDevice.map(qPoint(l.a)), m_toDevice.map(qPoint(l.b)));
    }
    void operator()(const Arc &a, const Style &s)
    {
        m_painter.setPen(penFor(s));
        m_painter.setBrush(Qt::NoBrush);
        const QPolygonF poly = curve(a.centre, a.radius, a.flatness, a.tilt * kPi / 180, sweepOf(a), m_toDevice);
        m_painter.drawPolyline(poly);
    }
    void operator()(const SolidArc &sa, const Style &s)
    {
        fill(curve(sa.centre, sa.radius, sa.flatness, sa.tilt, sweepOf(sa), m_toDevice), s);
    }
    void operator()(const Solid &solid, const Style &s)
    {
        QPolygonF poly;
        for (const Vec &p : solid.corners)
            poly << m_toDevice.map(qPoint(p));
        fill(poly, s);
    }
    void operator()(const Text &t, const Style &) { paintText(m_painter, t, m_toDevice, qColour(penRgb(t.pen))); }

private:
    void fill(const QPolygonF &poly, const Style &s)
    {
        const QColor colour = qColour(rgbOf(s.colour));
        // A hairline of the same colour closes the seams between neighbouring solids.
        QPen edge(colour);
        edge.setCosmetic(true);
        m_painter.setPen(edge);
        m_painter.setBrush(colour);
        m_painter.drawPolygon(poly);
        m_painter.setBrush(Qt::NoBrush);
    }

    QPainter &m_painter;
    const QTransform &m_toDevice;
};

} // namespace

Bounds pictureExtent(const Picture &picture)
{
    Bounds b = pictureBounds(picture.items);
    b.add(pictureBounds(picture.underlay));
    for (const Mark &m : picture.marks)
        b.add(m.at);
    return b;
}

QTransform fitTransform(const Bounds &extent, const QRectF &target, double margin)
{
    if (extent.empty())
        return QTransform(1, 0, 0, -1, target.center().x(), target.center().y());
    const double w = std::max(target.width() - 2 * margin, 1.0), h = std::max(target.height() - 2 * margin, 1.0);
    double scale = 1;
    if (extent.width() > 0 && extent.height() > 0)
        scale = std::min(w / extent.width(), h / extent.height());
    else if (extent.width() > 0)
        scale = w / extent.width();
    else if (extent.height() > 0)
        scale = h / extent.height();
    const double cx = (extent.minX + extent.maxX) / 2, cy = (extent.minY + extent.maxY) / 2;
    return QTransform(scale, 0, 0, -scale, target.center().x() - cx * scale, target.center().y() + cy * scale);
}

void paintPicture(QPainter &painter, const Picture &picture, const QTransform &toDevice)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const Item &item : picture.underlay)
        if (const Text *t = std::get_if<Text>(&item.shape))
            paintText(painter, *t, toDevice, kUnderlayGrey);
    ItemPainter itemPainter(painter, toDevice);
    for (const Item &item : picture.items)
        std::visit([&](const auto &shape) { itemPainter(shape, item.style); }, item.shape);
    QPen markPen(kMarkColour);
    markPen.setCosmetic(true);
    painter.setPen(markPen);
    QFont small = painter.font();
    small.setPixelSize(11);
    painter.setFont(small);
    for (const Mark &m : picture.marks) {
        const QPointF p = toDevice.map(qPoint(m.at));
        painter.drawLine(p + QPointF(-6, 0), p + QPointF(6, 0));
        painter.drawLine(p + QPointF(0, -6), p + QPointF(0, 6));
        painter.drawText(p + QPointF(4, -4), QString::fromStdString(m.label));
    }
    painter.restore();
}

QImage renderPicture(const Picture &picture, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPicture(painter, picture, fitTransform(pictureExtent(picture), QRectF(QPointF(0, 0), QSizeF(size))));
    painter.end();
    return image;
}

QByteArray pngOf(const Picture &picture, QSize size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    renderPicture(picture, size).save(&buffer, "PNG");
    return bytes;
}

} // namespace quillet::outputview
