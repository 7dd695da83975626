// The schematic picture of tip, leader and frame. It is drawn from fixed design
// coordinates on a 105-pixel-wide panel; on a scaled window every design number is
// scaled and truncated on its own, so the picture keeps its pixel steps.
#include "preview/PreviewPainter.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace quillet::preview {

namespace {

const QColor kBlack(0, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kMaroon(128, 0, 0);
const QColor kFuchsia(255, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kCream(255, 251, 240);

using F = FrameKind;

constexpr int kAttachHeights[] = {1, 8, 13, 18, 25};
constexpr int kSlideCount = 7;
constexpr double kPi = 3.14159265358979323846;

// A point as a design number plus a fill margin and a tilt offset, each scaled on its own.
struct Vertex {
    int x, y;
    int marginX = 0, marginY = 0;
    int tiltX = 0, tiltY = 0;
};

// An elliptic arc as the host's arc call takes it: the ellipse's bounding box, and a
// start and an end point whose rays from the centre bound the arc, counter-clockwise.
struct Arc {
    int left, top, right, bottom;
    int startX, startY, endX, endY;
};

using Cloud = std::array<Arc, 8>;

const Cloud kCloudEven = {{{64, 0, 95, 18, 90, 4, 69, 4},
                           {41, 0, 74, 18, 69, 4, 46, 4},
                           {67, 7, 95, 29, 73, 25, 90, 25},
                           {50, 7, 77, 29, 56, 25, 72, 25},
                           {42, 0, 60, 18, 46, 4, 46, 14},
                           {42, 11, 60, 28, 46, 15, 46, 26},
                           {75, 10, 94, 28, 90, 25, 90, 14},
                           {75, 0, 94, 18, 90, 14, 90, 4}}};
const Cloud kCloudEvenTilted = {{{62, 3, 95, 22, 92, 9, 73, 8},
                                 {41, 0, 73, 19, 70, 4, 46, 4},
                                 {67, 12, 95, 34, 73, 28, 89, 31},
                                 {51, 8, 79, 31, 57, 26, 73, 31},
                                 {42, 0, 60, 18, 46, 4, 46, 14},
                                 {42, 11, 60, 28, 46, 15, 46, 26},
                                 {75, 16, 94, 34, 88, 31, 90, 19},
                                 {76, 5, 95, 23, 90, 19, 90, 9}}};
const Cloud kCloudUneven = {{{53, 0, 96, 20, 90, 4, 61, 4},
                             {40, 0, 65, 20, 61, 4, 44, 4},
                             {64, 6, 95, 28, 69, 25, 90, 25},
                             {51, 6, 74, 28, 56, 25, 69, 25},
                             {42, 0, 60, 19, 46, 4, 46, 16},
                             {42, 13, 60, 28, 46, 16, 46, 26},
                             {66, 13, 94, 28, 90, 25, 90, 16},
                             {66, 0, 94, 20, 90, 16, 90, 4}}};
const Cloud kCloudUnevenTilted = {{{53, 2, 94, 23, 89, 9, 63, 5},
                                   {40, 0, 65, 20, 61, 6, 44, 4},
                                   {64, 11, 95, 33, 69, 27, 90, 30},
                                   {51, 8, 74, 30, 56, 26, 69, 29},
                                   {42, 0, 60, 19, 46, 4, 46, 16},
                                   {42, 13, 60, 28, 46, 16, 46, 26},
                                   {67, 18, 95, 33, 87, 30, 94, 18},
                                   {68, 6, 97, 24, 90, 20, 94, 6}}};

bool touching(QPoint a, QPoint b) { return std::abs(a.x() - b.x()) <= 1 && std::abs(a.y() - b.y()) <= 1; }

// The pixels of an elliptic arc whose box runs from `p1` to `p2`, both edges on the
// curve, counter-clockwise from the ray through `from` to the ray through `to` (the
// whole ellipse when the rays coincide). Done by hand so that the box's right and
// bottom edges are reached exactly, as they are at the left and top.
QPolygon ellipsePoints(QPoint p1, QPoint p2, QPoint from, QPoint to)
{
    const double cx = (p1.x() + p2.x()) / 2.0, cy = (p1.y() + p2.y()) / 2.0;
    const double rx = (p2.x() - p1.x()) / 2.0, ry = (p2.y() - p1.y()) / 2.0;
    if (rx <= 0 || ry <= 0)
        return QPolygon{p1, p2};
    // The ray's direction, taken as the ellipse's own parameter angle.
    auto angle = [&](QPoint p) { return std::atan2((cy - p.y()) / ry, (p.x() - cx) / rx); };
    const double start = angle(from);
    double sweep = angle(to) - start;
    if (sweep <= 0)
        sweep += 2 * kPi;
    const int steps = std::max(8, int(std::ceil(sweep * std::max(rx, ry) * 4)));
    QPolygon points;
    for (int i = 0; i <= steps; ++i) {
        const double t = start + sweep * i / steps;
        const QPoint p(int(std::floor(cx + rx * std::cos(t) + 0.5)), int(std::floor(cy - ry * std::sin(t) + 0.5)));
        if (!points.isEmpty() && points.last() == p)
            continue;
        // A pixel that only turns a corner would thicken the curve; the diagonal step keeps it thin.
        if (points.size() >= 2 && touching(points[points.size() - 2], p))
            points.last() = p;
        else
            points << p;
    }
    return points;
}

class Picture {
public:
    Picture(QPainter &painter, const PreviewInputs &in, int panelWidth)
        : m_p(painter), m_in(in), m_scale(float(static_cast<long double>(panelWidth) / 105))
    {
    }

    void draw()
    {
        textBars();
        frame();
        // Modes without a leader show the text and its frame only.
        if (m_in.mode == Mode::TextImport || m_in.mode == Mode::FrameAll || m_in.mode == Mode::FrameEach ||
            m_in.mode == Mode::TextMode)
            return;
        const std::optional<int> a = attachHeight();
        if (!a || int(m_in.frameKind) < 0 || int(m_in.frameKind) > int(F::CurvedLeader2))
            return;
        extensionLine(*a);
        leaderAndTip(*a);
    }

private:
    int px(int k) const { return int(std::trunc(static_cast<long double>(m_scale) * k)); }
    QPoint at(int x, int y) const { return {px(x), px(y)}; }
    QPoint at(const Vertex &v) const
    {
        return {px(v.x) + px(v.marginX) + px(v.tiltX), px(v.y) + px(v.marginY) + px(v.tiltY)};
    }

    void pen(const QColor &colour) { m_p.setPen(QPen(colour, 0)); }
    void brush(const QColor &colour)
    {
        m_p.setBrush(colour);
        m_brush = colour;
    }
    void line(int x1, int y1, int x2, int y2) { m_p.drawLine(at(x1, y1), at(x2, y2)); }
    void polyline(std::initializer_list<QPoint> points) { m_p.drawPolyline(points.begin(), int(points.size())); }
    void outline(std::initializer_list<QPoint> points)
    {
        m_p.setBrush(Qt::NoBrush);
        m_p.drawPolygon(points.begin(), int(points.size()));
        m_p.setBrush(m_brush);
    }

    bool withExtension() const { return hasExtensionLine(m_in.frameKind); }

    // A bar for one line of text, with its fill area around it when fill is on.
    void bar(int top, int bottom, const QColor &colour)
    {
        const bool t = m_in.tilt;
        if (m_in.fill) {
            pen(kFuchsia);
            brush(kFuchsia);
            m_p.drawPolygon(QPolygon{at(Vertex{51, top, -2, -2}), at(Vertex{51, bottom, -2, 2, t ? -2 : 0, 0}),
                                     at(Vertex{88, bottom, 2, 2, t ? -1 : 0, t ? 5 : 0}),
                                     at(Vertex{88, top, 2, -2, t ? 1 : 0, t ? 5 : 0})});
        }
        pen(colour);
        brush(colour);
        m_p.drawPolygon(QPolygon{at(Vertex{51, top}), at(Vertex{51, bottom, 0, 0, t ? -1 : 0, 0}),
                                 at(Vertex{88, bottom, 0, 0, t ? -1 : 0, t ? 5 : 0}),
                                 at(Vertex{88, top, 0, 0, 0, t ? 5 : 0})});
    }

    void textBars()
    {
        bar(6, 11, kBlue);
        bar(16, 21, kBlue);
    }

    void frame()
    {
        pen(kBlack);
        switch (m_in.frameKind) {
        case F::Underline:
        case F::UnderlineExtended: underline(); break;
        case F::Rectangle:
        case F::RectangleExtended: rectangle(); break;
        case F::Oval:
        case F::OvalExtended: oval(); break;
        case F::Bracket:
        case F::BracketExtended: bracket(); break;
        case F::Balloon: balloon(); break;
        case F::CloudEven: cloud(m_in.tilt ? kCloudEvenTilted : kCloudEven); break;
        case F::CloudUneven: cloud(m_in.tilt ? kCloudUnevenTilted : kCloudUneven); break;
        default: break;
        }
    }

    void underline()
    {
        line(46, 25, 92, m_in.tilt ? 31 : 25);
        if (m_in.slide <= 0 || m_in.slide >= kSlideCount)
            return;
        // Slides 1..3 move one to three lines below the underline; 4..6 are the
        // "最大" forms of the same counts.
        const int lines = m_in.slide > 3 ? m_in.slide - 3 : m_in.slide;
        const QColor colour = m_in.slide > 3 ? kMaroon : kBlue;
        const int tops[] = {30, 38, 46};
        for (int i = 0; i < lines; ++i)
            bar(tops[i], tops[i] + 4, colour);
    }

    void rectangle()
    {
        if (m_in.tilt)
            outline({at(46, 1), at(92, 7), at(90, 31), at(44, 25)});
        else
            outline({at(46, 1), at(92, 1), at(92, 25), at(46, 25)});
    }

    void oval()
    {
        if (m_in.tilt) {
            line(46, 1, 92, 7);
            line(44, 25, 90, 31);
            arc({37, 1, 60, 27, 46, 1, 44, 25});
            arc({78, 7, 101, 32, 90, 31, 92, 7});
        } else {
            line(46, 1, 92, 1);
            line(46, 25, 92, 25);
            arc({37, 1, 60, 26, 46, 1, 46, 25});
            arc({78, 1, 101, 26, 92, 25, 92, 1});
        }
    }

    void bracket()
    {
        if (m_in.tilt)
            polyline({at(50, 2), at(46, 1), at(43, 25), at(47, 26)});
        else
            polyline({at(50, 1), at(46, 1), at(46, 25), at(50, 25)});
    }

    void balloon()
    {
        if (m_in.tilt) {
            line(46, 1, 44, 26);
            line(46, 1, 95, 7);
            line(95, 7, 93, 32);
            line(55, 27, 93, 32);
        } else {
            line(46, 1, 46, 26);
            line(46, 1, 93, 1);
            line(93, 1, 93, 26);
            line(55, 26, 93, 26);
        }
    }

    void cloud(const Cloud &arcs)
    {
        for (const Arc &a : arcs)
            arc(a);
    }

    void arc(const Arc &a)
    {
        m_p.drawPolyline(ellipsePoints(at(a.left, a.top), at(a.right, a.bottom), at(a.startX, a.startY),
                                       at(a.endX, a.endY)));
    }

    std::optional<int> attachHeight() const
    {
        if (isUnderline(m_in.frameKind) || m_in.frameKind == F::Oval)
            return 25;
        if (m_in.frameKind == F::OvalExtended)
            return 13;
        if (m_in.attachPosition < 0 || m_in.attachPosition >= 5)
            return std::nullopt;
        return kAttachHeights[m_in.attachPosition];
    }

    void extensionLine(int a)
    {
        if (!withExtension())
            return;
        pen(m_in.extensionMode == 1 ? kRed : kBlack);
        line(22, a, m_in.frameKind == F::OvalExtended ? 38 : 46, a);
    }

    void leaderAndTip(int a)
    {
        if (isBalloonOrCloud(m_in.frameKind)) {
            // The balloon and the clouds are reached by a wedge instead of a leader.
            pen(kBlack);
            line(32, 48, 46, 25);
            line(32, 48, 55, 25);
            return;
        }
        if (int(m_in.tip) <= int(Tip::NoLeader) || int(m_in.tip) > int(Tip::Arrow4))
            return;
        pen(m_in.fixedLeaderLength ? kRed : kBlack);
        const int ax = withExtension() ? 22 : 46;
        const int tx = ax - 18, ty = a + 24;
        if (m_in.frameKind == F::CurvedLeader1) {
            polyline({at(28, a + 24), at(36, a + 11), at(42, a + 7), at(44, a + 8), at(43, a + 12), at(40, a + 13),
                      at(38, a + 12), at(41, a + 5), at(47, a)});
        } else if (m_in.frameKind == F::CurvedLeader2) {
            polyline({at(28, a + 24), at(39, a + 10), at(39, a + 8), at(38, a + 8), at(34, a + 10), at(33, a + 9),
                      at(34, a + 7), at(47, a)});
        } else if (m_in.mode == Mode::Bend) {
            polyline({at(ax, a), at(tx + 6, ty - 18), at(tx, ty)});
        } else {
            line(ax, a, tx, ty);
        }
        tipSymbol(tx, ty);
    }

    void tipSymbol(int tx, int ty)
    {
        // With a bend the arrow lies along the steep first part of the leader.
        const bool bend = m_in.mode == Mode::Bend;
        const QPoint tip = at(tx, ty);
        const QPoint back = bend ? at(tx, ty - 11) : at(tx + 4, ty - 12);
        switch (m_in.tip) {
        case Tip::SolidDot:
        case Tip::HollowDot: {
            m_p.setBrush(m_in.tip == Tip::HollowDot ? kCream : m_brush);
            const QPoint right = at(tx + 3, ty);
            m_p.drawPolygon(ellipsePoints(at(tx - 3, ty - 3), at(tx + 3, ty + 3), right, right));
            m_p.setBrush(m_brush);
            break;
        }
        case Tip::Arrow1: m_p.drawLine(tip, back); break;
        case Tip::Arrow2: polyline({back, tip, bend ? at(tx + 8, ty - 10) : at(tx + 11, ty - 8)}); break;
        case Tip::Arrow3: outline({back, tip, bend ? at(tx + 8, ty - 9) : at(tx + 10, ty - 7)}); break;
        case Tip::Arrow4: {
            const QPoint triangle[] = {back, tip, bend ? at(tx + 8, ty - 9) : at(tx + 10, ty - 7)};
            m_p.drawPolygon(triangle, 3);
            break;
        }
        default: break;
        }
    }

    QPainter &m_p;
    const PreviewInputs &m_in;
    const float m_scale;
    QColor m_brush = kBlue;
};

} // namespace

void paintPreview(QPainter &painter, const PreviewInputs &inputs, int panelWidth)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    Picture(painter, inputs, panelWidth).draw();
    painter.restore();
}

QImage renderPreview(const PreviewInputs &inputs, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kCream);
    QPainter painter(&image);
    paintPreview(painter, inputs, width);
    return image;
}

} // namespace quillet::preview
