#include "program/OutputPicture.h"

#include "base/Sjis.h"
#include "drawing/RunPicture.h"
#include "program/CompleteInput.h"

#include <exception>

namespace quillet {

OutputPicture dryRunPicture(const Session &session)
{
    OutputPicture result;
    // Text import writes no drawing; a start-up failure has disabled "入力完了".
    if (session.mode == Mode::TextImport || !session.outputEnabled) {
        result.written = false;
        return result;
    }
    RunResult run;
    try {
        run = computeOutput(session);
    } catch (const std::exception &error) {
        // The application handler would show this and end without writing.
        result.written = false;
        result.message = sjis::fromUtf8(error.what());
        return result;
    }
    result.output = run.output.lines();
    result.message = run.message;
    if (run.fault != RunFault::None)
        return result;

    result.picture = pictureOfOutput(session, result.output, &result.diagnostics);
    return result;
}

drawing::Picture pictureOfOutput(const Session &session, const Lines &output,
                                 std::vector<drawing::Diagnostic> *diagnostics)
{
    const bool frameMode = session.mode == Mode::FrameAll || session.mode == Mode::FrameEach;
    return drawing::pictureOfRun(output, session.exchangeList, frameMode, diagnostics);
}

} // namespace quillet
