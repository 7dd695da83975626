#pragma once
#include "engine/CommandWriter.h"
#include "engine/GeometryState.h"
#include "engine/RunContext.h"
#include "engine/RunSetup.h"

namespace quillet {

/// One pass of the engine: what it reads, the values it moves and where it writes.
struct EngineRun {
    RunContext &ctx;
    RunMeasures &m;
    GeometryState &g;
    CommandWriter out;
    /// Kept by the output run across its engine passes: framing each text makes a pass
    /// for every line of the exchange file, and one after another they mostly turn by
    /// the same turn, which is then worked out once.
    PairTurner &turner;

    EngineRun(RunContext &context, RunMeasures &measures, GeometryState &state, PairTurner &turns)
        : ctx(context), m(measures), g(state),
          out(context.output, context.exchange.colorLine, context.form.basic.leaderColour), turner(turns)
    {
    }

    const FormModel &form() const { return ctx.form; }
    FrameKind frameKind() const { return ctx.form.frameKind; }
    Tip tip() const { return ctx.form.tip; }
    bool tilt() const { return ctx.form.tiltOn; }
    Mode mode() const { return ctx.mode; }
    bool frameMode() const { return ctx.mode == Mode::FrameAll || ctx.mode == Mode::FrameEach; }

    /// rotatePair about `centre` by the annotation's tilt: the slope from indicated
    /// point 2 to point 3. A point marked as not needed may be left unturned.
    float turn(PointF &a, PointF &b, PointF centre, bool needA = true, bool needB = true)
    {
        return turner.rotate(a, b, centre, m.indicated2, m.p3, g.turnFlags(), needA, needB);
    }
    /// turn(a1, x, centre, true, false) and then turn(a2, y, centre, true, false), with
    /// x and y copies of a1 and a2 that turning cannot fail for.
    float turnFirsts(PointF &a1, PointF &a2, PointF centre)
    {
        return turner.rotateFirsts(a1, a2, centre, m.indicated2, m.p3, g.turnFlags());
    }
    /// The turn turn() turns by, and in `textAngle` what it returns.
    TurnBy tiltTurn(float &textAngle) { return turner.turnOf(m.indicated2, m.p3, g.turnFlags(), textAngle); }
};

} // namespace quillet
