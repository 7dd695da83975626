#pragma once
// Helpers shared by the engine, text and exchange tests: a session built from an
// exchange fixture or a golden start directory, and output lines read back as shapes.
#include "base/Number.h"
#include "base/Sjis.h"
#include "base/TextFile.h"
#include "drawing/DrawingReader.h"
#include "exchange/ExchangeData.h"
#include "program/Session.h"
#include "settings/Presets.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillet::test {

/// A session in `mode` whose exchange data come from tests/fixtures/exchange/<name>.
inline Session sessionFromExchange(const std::string &name, Mode mode)
{
    Session s;
    s.mode = mode;
    s.exchangeList = readLines(fixture("exchange/" + name));
    if (mode == Mode::FrameAll || mode == Mode::FrameEach)
        s.exchangeCopy = s.exchangeList;
    s.verdict = readExchange(s.exchangeList, mode, s.exchange);
    s.files.settingsList = Lines(30, "0");
    s.form.basic.arrowAngle = 0;
    s.form.basic.noFrameGap = false;
    return s;
}

/// A golden start directory: settings, preset 1, memo, mode and exchange file.
inline Session sessionFromGolden(const std::string &name)
{
    const auto dir = fixture("golden/" + name);
    Session s;
    const Lines modeLines = readLines(dir / "mode");
    s.mode = modeFromArgument(modeLines.empty() ? "" : modeLines[0]);
    s.files.settingsList = readLines(dir / "PLDATA.tx");
    s.files.quickSelect.setLoaded(1, readLines(dir / "PSDATA1.tx"));
    presets::recall(s.files.quickSelect, s.form, 1);
    s.form.fixedLeaderLength = s.files.settingsList.at(24) != "0";
    s.form.memoLines = readLines(dir / "memo.txt");
    s.exchangeList = readLines(dir / "jwc_temp.txt");
    if (s.mode == Mode::FrameAll || s.mode == Mode::FrameEach)
        s.exchangeCopy = s.exchangeList;
    s.verdict = readExchange(s.exchangeList, s.mode, s.exchange);
    return s;
}

inline Lines goldenExpected(const std::string &name) { return readLines(fixture("golden/" + name + "/expected.jwc_temp.txt")); }

/// The numbers of a command line after its keyword, read back.
inline std::vector<long double> numbersOf(const std::string &line, std::size_t skip = 0)
{
    std::istringstream in(line.substr(skip));
    std::vector<long double> values;
    std::string token;
    while (in >> token)
        values.push_back(parseFloat(token));
    return values;
}

/// A plain line record " x1 y1 x2 y2" read back; throws when the line is something else.
struct Segment {
    long double x1, y1, x2, y2;
};
inline Segment segmentOf(const std::string &line)
{
    if (line.empty() || line[0] != ' ')
        throw std::runtime_error("not a plain line: " + line);
    const auto v = numbersOf(line);
    if (v.size() != 4)
        throw std::runtime_error("not a plain line: " + line);
    return {v[0], v[1], v[2], v[3]};
}

/// A text record "ch x y dx dy "text read back.
struct TextRecord {
    long double x, y, dx, dy;
    std::string text;
};
inline TextRecord textOf(const std::string &line)
{
    const std::size_t quote = line.find('"');
    if (line.compare(0, 3, "ch ") != 0 || quote == std::string::npos)
        throw std::runtime_error("not a text record: " + line);
    const auto v = numbersOf(line.substr(0, quote), 3);
    if (v.size() != 4)
        throw std::runtime_error("not a text record: " + line);
    return {v[0], v[1], v[2], v[3], line.substr(quote + 1)};
}

/// Output lines as UTF-8 text, one per line, for a readable diff when a comparison fails.
inline std::string readable(const Lines &lines)
{
    std::string s;
    for (const auto &l : lines)
        s += sjis::toUtf8(l) + "\n";
    return s;
}

/// An elliptic arc "ci x y r a1 a2 f t" read back.
struct Arc {
    long double x, y, r, a1, a2, f, t;
};
inline bool isArc(const std::string &line) { return line.compare(0, 3, "ci ") == 0 && numbersOf(line, 3).size() == 7; }
inline Arc arcOf(const std::string &line)
{
    const auto v = numbersOf(line, 3);
    if (line.compare(0, 3, "ci ") != 0 || v.size() != 7)
        throw std::runtime_error("not an arc: " + line);
    return {v[0], v[1], v[2], v[3], v[4], v[5], v[6]};
}

struct Pt {
    long double x, y;
};
inline long double dist(Pt a, Pt b) { return std::hypot(a.x - b.x, a.y - b.y); }

/// The point of an arc at angle `a` (degrees) of its own ellipse.
inline Pt arcPoint(const Arc &c, long double a)
{
    const long double k = 3.14159265358979323846L / 180;
    const long double u = c.r * std::cos(a * k), v = c.f * c.r * std::sin(a * k);
    return {c.x + u * std::cos(c.t * k) - v * std::sin(c.t * k), c.y + u * std::sin(c.t * k) + v * std::cos(c.t * k)};
}
/// The middle of the drawn part: arcs run counter-clockwise from a1 to a2.
inline Pt arcMiddle(const Arc &c)
{
    long double span = std::fmod(c.a2 - c.a1 + 720, 360);
    return arcPoint(c, c.a1 + span / 2);
}

/// Arc end points that meet no end point of another arc within `tol`.
inline std::vector<Pt> looseEnds(const std::vector<Arc> &arcs, long double tol)
{
    std::vector<Pt> loose;
    for (std::size_t i = 0; i < arcs.size(); ++i)
        for (long double a : {arcs[i].a1, arcs[i].a2}) {
            const Pt p = arcPoint(arcs[i], a);
            bool met = false;
            for (std::size_t j = 0; j < arcs.size() && !met; ++j)
                if (j != i)
                    met = dist(p, arcPoint(arcs[j], arcs[j].a1)) < tol || dist(p, arcPoint(arcs[j], arcs[j].a2)) < tol;
            if (!met)
                loose.push_back(p);
        }
    return loose;
}

/// A run's output read back as shapes; a line the drawing reader cannot take fails
/// the test, so every run a test looks at is checked to speak the vocabulary.
inline drawing::Drawing drawingOf(const Lines &lines)
{
    drawing::Drawing d = drawing::readDrawing(lines);
    for (const auto &bad : d.diagnostics)
        ADD_FAILURE() << "output line " << bad.line << " (" << bad.message << "): " << sjis::toUtf8(bad.text);
    return d;
}

/// The elliptic arcs of an output, in order (whole circles left out).
inline std::vector<Arc> arcsIn(const Lines &lines)
{
    std::vector<Arc> arcs;
    for (const auto &item : drawingOf(lines).items)
        if (const auto *a = std::get_if<drawing::Arc>(&item.shape); a && !a->whole)
            arcs.push_back({a->centre.x, a->centre.y, a->radius, a->start, a->end, a->flatness, a->tilt});
    return arcs;
}

/// The plain lines of an output, in order.
inline std::vector<Segment> segmentsIn(const Lines &lines)
{
    std::vector<Segment> segs;
    for (const auto &item : drawingOf(lines).items)
        if (const auto *l = std::get_if<drawing::Line>(&item.shape))
            segs.push_back({l->a.x, l->a.y, l->b.x, l->b.y});
    return segs;
}

} // namespace quillet::test
