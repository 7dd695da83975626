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

    EngineRun(RunContext &context, RunMeasures &measures, GeometryState &state)
        : ctx(context), m(measures), g(state),
          out(context.output, context.exchange.colorLine, context.form.basic.ComboBox10)
    {
    }

    const FormModel &form() const { return ctx.form; }
    int frameKind() const { return ctx.form.ComboBoxEx2; }
    bool tilt() const { return ctx.form.SpeedButton11; }
    Mode mode() const { return ctx.mode; }
    bool frameMode() const { return ctx.mode == Mode::FrameAll || ctx.mode == Mode::FrameEach; }
};

} // namespace quillet
