#pragma once
// One engine pass built by hand: the measures and state a test sets directly, and
// the Output list the pass appends to.
#include "engine/EngineRun.h"

namespace quillet::test {

struct Pass {
    ExchangeData exchange;
    Lines copy, settings, output;
    FormModel form;
    RunMeasures m;
    GeometryState g;
    RunContext ctx;

    explicit Pass(Mode mode = Mode::Annotation) : ctx{mode, exchange, copy, settings, form, "", output}
    {
        exchange.colorLine = "lc3";
    }

    /// The pass as the engine sees it; build it after the form is set.
    EngineRun run() { return EngineRun(ctx, m, g); }
};

} // namespace quillet::test
