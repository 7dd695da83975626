#include "drawing/Shapes.h"

#include <algorithm>
#include <cmath>

namespace quillet::drawing {

void Bounds::add(Vec p)
{
    minX = std::min(minX, p.x);
    minY = std::min(minY, p.y);
    maxX = std::max(maxX, p.x);
    maxY = std::max(maxY, p.y);
}

void Bounds::add(const Bounds &b)
{
    if (b.empty())
        return;
    add(Vec{b.minX, b.minY});
    add(Vec{b.maxX, b.maxY});
}

Vec ellipsePoint(Vec centre, double radius, double flatness, double tilt, double t)
{
    const double u = radius * std::cos(t), v = radius * flatness * std::sin(t);
    return {centre.x + u * std::cos(tilt) - v * std::sin(tilt), centre.y + u * std::sin(tilt) + v * std::cos(tilt)};
}

Sweep sweepOf(const Arc &arc)
{
    if (arc.whole)
        return {};
    const double start = arc.start * kPi / 180;
    double span = std::fmod(arc.end - arc.start, 360.0);
    if (span <= 0)
        span += 360;
    return {start, span * kPi / 180};
}

Sweep sweepOf(const SolidArc &solid)
{
    if (solid.whole)
        return {};
    return {solid.start, solid.span};
}

std::vector<Vec> ellipsePoints(Vec centre, double radius, double flatness, double tilt, Sweep sweep, double step)
{
    const int n = std::max(2, int(std::ceil(sweep.span / step)) + 1);
    std::vector<Vec> points;
    points.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i)
        points.push_back(ellipsePoint(centre, radius, flatness, tilt, sweep.start + sweep.span * i / (n - 1)));
    return points;
}

std::array<Vec, 4> TextBox::corners() const
{
    const Vec a = origin;
    const Vec b{a.x + along.x * length, a.y + along.y * length};
    const Vec c{b.x + across.x * height, b.y + across.y * height};
    const Vec d{a.x + across.x * height, a.y + across.y * height};
    return {a, b, c, d};
}

double textLength(const Text &text)
{
    if (text.measured)
        return std::hypot(text.direction.x, text.direction.y);
    if (text.text.empty())
        return 0;
    const double cell = text.size.width / 2 + text.size.spacing / 2;
    return double(text.text.size()) * cell - text.size.spacing / 2;
}

TextBox textBox(const Text &text)
{
    TextBox box;
    const double norm = std::hypot(text.direction.x, text.direction.y);
    box.along = {text.direction.x / norm, text.direction.y / norm};
    box.across = {-box.along.y, box.along.x};
    box.length = textLength(text);
    box.height = text.size.height;
    const int column = text.basePoint % 3, row = text.basePoint / 3;
    const double alongShift = -box.length * column / 2, acrossShift = -box.height * row / 2;
    box.origin = {text.at.x + box.along.x * alongShift + box.across.x * acrossShift,
                  text.at.y + box.along.y * alongShift + box.across.y * acrossShift};
    return box;
}

namespace {

/// The extreme points of an ellipse arc: its ends and wherever x or y turns.
Bounds ellipseBounds(Vec c, double r, double f, double tilt, Sweep sweep)
{
    Bounds b;
    b.add(ellipsePoint(c, r, f, tilt, sweep.start));
    b.add(ellipsePoint(c, r, f, tilt, sweep.start + sweep.span));
    const double turns[] = {std::atan2(-f * std::sin(tilt), std::cos(tilt)), std::atan2(f * std::cos(tilt), std::sin(tilt))};
    for (double t0 : turns)
        for (int k = -4; k <= 4; ++k) {
            const double t = t0 + k * kPi;
            if (t >= sweep.start && t <= sweep.start + sweep.span)
                b.add(ellipsePoint(c, r, f, tilt, t));
        }
    return b;
}

struct ShapeBounds {
    Bounds operator()(const Line &l) const
    {
        Bounds b;
        b.add(l.a);
        b.add(l.b);
        return b;
    }
    Bounds operator()(const Arc &a) const
    {
        return ellipseBounds(a.centre, a.radius, a.flatness, a.tilt * kPi / 180, sweepOf(a));
    }
    Bounds operator()(const SolidArc &s) const
    {
        return ellipseBounds(s.centre, s.radius, s.flatness, s.tilt, sweepOf(s));
    }
    Bounds operator()(const Solid &s) const
    {
        Bounds b;
        for (const Vec &p : s.corners)
            b.add(p);
        return b;
    }
    Bounds operator()(const Text &t) const
    {
        Bounds b;
        for (const Vec &p : textBox(t).corners())
            b.add(p);
        return b;
    }
};

} // namespace

Bounds boundsOf(const Shape &shape) { return std::visit(ShapeBounds{}, shape); }

Bounds geometryBounds(const std::vector<Item> &items)
{
    Bounds b;
    for (const Item &item : items)
        if (!std::holds_alternative<Text>(item.shape))
            b.add(boundsOf(item.shape));
    return b;
}

Bounds pictureBounds(const std::vector<Item> &items)
{
    Bounds b;
    for (const Item &item : items)
        b.add(boundsOf(item.shape));
    return b;
}

} // namespace quillet::drawing
