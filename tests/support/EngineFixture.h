#pragma once
// The one fixture of the engine tests: sessions built for a case, and an engine pass
// over a session whose measures and state a test sets or reads directly.
#include "engine/Engine.h"
#include "engine/EngineRun.h"
#include "program/CompleteInput.h"
#include "support/RunSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace quillet::test {

/// An annotation at 1/100 (group 1) with text kind 3 (half width 1.5, height 3,
/// spacing 0.5), no frame margins, host colour "lc3" and host layer "ly4".
inline Session annotationAt(const std::string &p1, const std::string &p2, const std::string &p3)
{
    Session s = sessionFromExchange("annotation.jwc_temp.txt", Mode::Annotation);
    s.exchange.point1Line = "hp1 " + p1;
    s.exchange.point2Line = "hp2 " + p2;
    s.exchange.point3Line = "hp3 " + p3;
    s.form.memoLines = {"W=300"};
    s.form.basic.noFrameGap = true;
    s.form.basic.dotRadiusMm = 1;
    s.form.basic.dotRadiusTenths = 5;
    s.form.attachPosition = 4;
    return s;
}

/// The lines between the set-up lines ("lt", "ly") and the font record.
inline Lines drawn(const Lines &output)
{
    Lines out;
    for (std::size_t i = 2; i < output.size() && output[i].compare(0, 4, "cn\"$") != 0; ++i)
        out.push_back(output[i]);
    return out;
}

/// The text records of a run.
inline std::vector<TextRecord> texts(const Lines &output)
{
    std::vector<TextRecord> out;
    for (const auto &l : output)
        if (l.compare(0, 3, "ch ") == 0)
            out.push_back(textOf(l));
    return out;
}

/// An annotation session at scale 100 with text kind 1 (half-width 1 mm, height 2 mm,
/// no spacing), no margins and no line gap: a memo of n half-width characters and
/// k lines gives a frame n × 100 wide and k × 200 high.
inline Session annotationWithFrame(PointF p1, PointF p2, PointF p3, int kind, Lines memo = {"ABCD"})
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
    s.form.frameKind = FrameKind(kind);
    s.form.textKind = 1;
    s.form.basic.noFrameGap = true;
    s.form.memoLines = std::move(memo);
    return s;
}

/// A frame-mode session over the fixture's header lines and the given records.
inline Session frameSession(Mode mode, int kind, const Lines &records)
{
    Session s = sessionFromExchange("selected-texts.jwc_temp.txt", mode);
    s.exchangeCopy.resize(15);
    for (const auto &r : records)
        s.exchangeCopy.push_back(r);
    s.form.frameKind = FrameKind(kind);
    s.form.textKind = 1;
    return s;
}

/// An annotation with frame `kind` and the tip 記号なし, so that the leader follows
/// the frame as colour, colour, line.
inline Session frameAt(int kind, const std::string &p1, const std::string &p2, const std::string &p3)
{
    Session s = annotationAt(p1, p2, p3);
    s.form.frameKind = FrameKind(kind);
    s.form.tip = Tip(1);
    return s;
}

/// Checks that `line` is the plain line (x1, y1)-(x2, y2) within `tolerance`.
inline void expectSegment(const std::string &line, long double x1, long double y1, long double x2, long double y2,
                          long double tolerance = 1e-3L)
{
    const Segment s = segmentOf(line);
    EXPECT_NEAR(s.x1, x1, tolerance) << line;
    EXPECT_NEAR(s.y1, y1, tolerance) << line;
    EXPECT_NEAR(s.x2, x2, tolerance) << line;
    EXPECT_NEAR(s.y2, y2, tolerance) << line;
}

/// A session with no exchange file read: the host colour "lc3" and nothing else, for
/// passes whose measures and state the test sets by hand.
inline Session blankSession(Mode mode = Mode::Annotation)
{
    Session s;
    s.mode = mode;
    s.exchange.colorLine = "lc3";
    return s;
}

/// One engine pass over a session. The form is the pass's own copy, as in an output
/// run; `m` and `g` are what the set-up and the steps leave, for the test to read.
struct EngineProbe {
    Session s;
    FormModel form;
    PackedLines output;
    RunMeasures m;
    GeometryState g;
    PairTurner turner;
    RunContext ctx;

    explicit EngineProbe(Session session = blankSession())
        : s(std::move(session)), form(s.form), ctx(contextOf(s, form, output))
    {
    }
    explicit EngineProbe(Mode mode) : EngineProbe(blankSession(mode)) {}
    // The context points into the probe itself, so a copy must point into the copy.
    EngineProbe(const EngineProbe &o)
        : s(o.s), form(o.form), output(o.output), m(o.m), g(o.g), ctx(contextOf(s, form, output))
    {
        ctx.mode = o.ctx.mode;
        ctx.currentExchangeLine = o.ctx.currentExchangeLine;
        ctx.fixedNow = o.ctx.fixedNow;
    }
    EngineProbe &operator=(const EngineProbe &) = delete;

    /// The pass as the engine sees it; build it after the form is set.
    EngineRun run() { return EngineRun(ctx, m, g, turner); }
    void setup() { runSetup(ctx, m); }
    /// Frame write 2 runs the engine on one exchange line at a time.
    void pass(const std::string &line = {})
    {
        ctx.currentExchangeLine = line;
        EngineRun e(ctx, m, g, turner);
        runEngine(e);
    }

private:
    static RunContext contextOf(Session &s, FormModel &form, PackedLines &output)
    {
        return RunContext{s.mode, s.exchange, s.exchangeCopy, s.files.settingsList, form, s.currentExchangeLine, output};
    }
};

} // namespace quillet::test
