#include "drawing/SvgWriter.h"

#include "base/Number.h"
#include "base/Sjis.h"
#include "drawing/Palette.h"
#include "drawing/Shapes.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace quillet::drawing {

namespace {

const char *const kUnderlayGrey = "#a0a0a0";

std::string num(double v) { return formatGeneral(static_cast<long double>(v)); }

/// A point with the y axis turned to point up.
std::string pt(Vec p) { return num(p.x) + " " + num(-p.y); }

std::string escaped(const std::string &utf8)
{
    std::string out;
    for (char c : utf8) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default:
            // Control characters have no place in XML 1.0.
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t')
                out += c;
        }
    }
    return out;
}

/// `pixel` is a thousandth of the picture's larger side: the picture's line width,
/// in which the dash patterns are given.
std::string strokeOf(const Style &style, double pixel)
{
    std::string s = " stroke=\"" + hexOf(rgbOf(style.colour)) + "\"";
    const auto &dashes = dashPattern(style.lineType);
    if (!dashes.empty()) {
        s += " stroke-dasharray=\"";
        for (std::size_t i = 0; i < dashes.size(); ++i)
            s += (i ? " " : "") + num(dashes[i] * pixel);
        s += "\"";
    }
    return s;
}

/// An elliptic arc as an SVG path from its start to its end point.
std::string arcPath(Vec c, double r, double f, double tilt, Sweep sweep, bool closed)
{
    const Vec a = ellipsePoint(c, r, f, tilt, sweep.start);
    const Vec m = ellipsePoint(c, r, f, tilt, sweep.start + sweep.span / 2);
    const Vec b = ellipsePoint(c, r, f, tilt, sweep.start + sweep.span);
    // Counter-clockwise with y up is sweep flag 0 once y points down. Two halves, so
    // that neither is ever a whole turn or more than half of one.
    const std::string half = " A " + num(r) + " " + num(r * f) + " " + num(-tilt * 180 / kPi) + " 0 0 ";
    return "M " + pt(a) + half + pt(m) + half + pt(b) + (closed ? " Z" : "");
}

std::string ellipse(Vec c, double r, double f, double tilt)
{
    return "cx=\"" + num(c.x) + "\" cy=\"" + num(-c.y) + "\" rx=\"" + num(r) + "\" ry=\"" + num(r * f) +
           "\" transform=\"rotate(" + num(-tilt * 180 / kPi) + " " + pt(c) + ")\"";
}

class Writer {
public:
    Writer(std::ostringstream &out, double pixel) : m_out(out), m_pixel(pixel) {}

    void item(const Item &item) { std::visit([&](const auto &shape) { write(shape, item.style); }, item.shape); }
    void underlay(const Item &item)
    {
        if (const Text *t = std::get_if<Text>(&item.shape))
            text(*t, "underlay", kUnderlayGrey);
    }

private:
    void write(const Line &l, const Style &style)
    {
        m_out << "<line class=\"line\" x1=\"" << num(l.a.x) << "\" y1=\"" << num(-l.a.y) << "\" x2=\"" << num(l.b.x)
              << "\" y2=\"" << num(-l.b.y) << "\"" << strokeOf(style, m_pixel) << "/>\n";
    }
    void write(const Arc &a, const Style &style)
    {
        const double tilt = a.tilt * kPi / 180;
        if (a.whole)
            m_out << "<ellipse class=\"arc\" " << ellipse(a.centre, a.radius, a.flatness, tilt);
        else
            m_out << "<path class=\"arc\" d=\"" << arcPath(a.centre, a.radius, a.flatness, tilt, sweepOf(a), false)
                  << "\"";
        m_out << strokeOf(style, m_pixel) << "/>\n";
    }
    void write(const SolidArc &s, const Style &style)
    {
        const std::string fill = " fill=\"" + hexOf(rgbOf(style.colour)) + "\" stroke=\"none\"";
        if (s.whole)
            m_out << "<ellipse class=\"solid\" " << ellipse(s.centre, s.radius, s.flatness, s.tilt) << fill << "/>\n";
        else
            m_out << "<path class=\"solid\" d=\"" << arcPath(s.centre, s.radius, s.flatness, s.tilt, sweepOf(s), true)
                  << "\"" << fill << "/>\n";
    }
    void write(const Solid &s, const Style &style)
    {
        m_out << "<polygon class=\"solid\" points=\"";
        for (std::size_t i = 0; i < s.corners.size(); ++i)
            m_out << (i ? " " : "") << num(s.corners[i].x) << "," << num(-s.corners[i].y);
        m_out << "\" fill=\"" << hexOf(rgbOf(style.colour)) << "\" stroke=\"none\"/>\n";
    }
    void write(const Text &t, const Style &) { text(t, "text", hexOf(penRgb(t.pen)).c_str()); }

    void text(const Text &t, const char *cls, const char *colour)
    {
        const TextBox box = textBox(t);
        const double angle = std::atan2(box.along.y, box.along.x) * 180 / kPi;
        const bool vertical = !t.font.empty() && t.font[0] == '@';
        const std::string family = sjis::toUtf8(vertical ? t.font.substr(1) : t.font);
        m_out << "<text class=\"" << cls << "\" transform=\"translate(" << pt(box.origin) << ") rotate("
              << num(-angle) << ")" << (vertical ? " rotate(-90)" : "") << "\"";
        // A vertical-writing font stands full-width characters upright down a column
        // whose middle lies half a height across the line.
        if (vertical)
            m_out << " x=\"" << num(box.height / 2) << "\" y=\"0\" writing-mode=\"vertical-rl\" text-orientation=\"upright\"";
        else
            m_out << " x=\"0\" y=\"0\"";
        m_out << " font-family=\"" << escaped(family) << "\" font-size=\"" << num(box.height) << "\"";
        if (box.length > 0)
            m_out << " textLength=\"" << num(box.length) << "\" lengthAdjust=\"spacingAndGlyphs\"";
        m_out << " fill=\"" << colour << "\">" << escaped(sjis::toUtf8(t.text)) << "</text>\n";
    }

    std::ostringstream &m_out;
    double m_pixel;
};

} // namespace

std::string svgOf(const Picture &picture, const SvgOptions &options)
{
    Bounds b = pictureBounds(picture.items);
    b.add(pictureBounds(picture.underlay));
    for (const Mark &m : picture.marks)
        b.add(m.at);
    if (b.empty())
        b.add(Vec{0, 0});
    const double size = std::max({b.width(), b.height(), 1.0});
    const double margin = size * 0.02;
    const double x = b.minX - margin, y = -(b.maxY + margin), w = b.width() + 2 * margin, h = b.height() + 2 * margin;

    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" viewBox=\"" << num(x) << " " << num(y) << " "
        << num(w) << " " << num(h) << "\"";
    if (options.width > 0)
        out << " width=\"" << options.width << "\" height=\"" << std::lround(options.width * h / w) << "\"";
    out << ">\n";
    out << "<rect x=\"" << num(x) << "\" y=\"" << num(y) << "\" width=\"" << num(w) << "\" height=\"" << num(h)
        << "\" fill=\"#ffffff\"/>\n";
    const double pixel = size / 1000;
    out << "<g fill=\"none\" stroke-width=\"" << num(pixel) << "\" stroke-linecap=\"round\">\n";
    Writer writer(out, pixel);
    for (const Item &item : picture.underlay)
        writer.underlay(item);
    for (const Item &item : picture.items)
        writer.item(item);
    const double arm = size * 0.008;
    for (const Mark &m : picture.marks) {
        const Vec p = m.at;
        out << "<path class=\"mark\" d=\"M " << pt({p.x - arm, p.y}) << " L " << pt({p.x + arm, p.y}) << " M "
            << pt({p.x, p.y - arm}) << " L " << pt({p.x, p.y + arm}) << "\" stroke=\"#e07000\"/>\n";
    }
    out << "</g>\n</svg>\n";
    return out.str();
}

} // namespace quillet::drawing
