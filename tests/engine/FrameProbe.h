#pragma once
// Runs of the engine for the balloon, cloud, curved-leader and existing-text tests,
// and arcs read back from their command lines.
#include "engine/Engine.h"
#include "program/CompleteInput.h"
#include "support/RunSupport.h"

#include <cmath>
#include <sstream>

namespace quillet::test {

/// An annotation session at scale 100 with text kind 1 (half-width 1 mm, height 2 mm,
/// no spacing), no margins and no line gap: a memo of n half-width characters and
/// k lines gives a frame n × 100 wide and k × 200 high.
inline Session annotationAt(PointF p1, PointF p2, PointF p3, int kind, Lines memo = {"ABCD"})
{
    Session s = sessionFromExchange("annotation.jwc_temp.txt", Mode::Annotation);
    auto point = [](const char *key, PointF p) {
        std::ostringstream o;
        o << key << "   " << p.x << " " << p.y;
        return o.str();
    };
    s.exchange.point1Line = point("hp1", p1);
    s.exchange.point2Line = point("hp2", p2);
    s.exchange.point3Line = point("hp3", p3);
    s.form.ComboBoxEx2 = kind;
    s.form.ComboBox6 = 1;
    s.form.basic.CheckBox5 = true;
    s.form.Memo1 = std::move(memo);
    return s;
}

/// A frame-mode session over the fixture's header lines and the given records.
inline Session frameSession(Mode mode, int kind, const Lines &records)
{
    Session s = sessionFromExchange("selected-texts.jwc_temp.txt", mode);
    s.exchangeCopy.resize(15);
    for (const auto &r : records)
        s.exchangeCopy.push_back(r);
    s.form.ComboBoxEx2 = kind;
    s.form.ComboBox6 = 1;
    return s;
}

/// One engine pass over a session whose state the test reads afterwards.
struct EngineProbe {
    Session s;
    FormModel form;
    Lines output;
    RunMeasures m;
    GeometryState g;
    RunContext ctx;

    explicit EngineProbe(Session session)
        : s(std::move(session)), form(s.form),
          ctx{s.mode, s.exchange, s.exchangeCopy, s.files.settingsList, form, s.currentExchangeLine, output}
    {
    }
    void setup() { runSetup(ctx, m); }
    /// Frame write 2 runs the engine on one exchange line at a time.
    void pass(const std::string &line = {})
    {
        ctx.currentExchangeLine = line;
        EngineRun e(ctx, m, g);
        runEngine(e);
    }
};

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

inline std::vector<Arc> arcsIn(const Lines &lines)
{
    std::vector<Arc> arcs;
    for (const auto &l : lines)
        if (isArc(l))
            arcs.push_back(arcOf(l));
    return arcs;
}

inline std::vector<Segment> segmentsIn(const Lines &lines)
{
    std::vector<Segment> segs;
    for (const auto &l : lines)
        if (!l.empty() && l[0] == ' ')
            segs.push_back(segmentOf(l));
    return segs;
}

} // namespace quillet::test
