#pragma once
#include "base/TextFile.h"
#include "drawing/Drawing.h"
#include "program/Session.h"

#include <string>
#include <vector>

namespace quillet {

/// The dry run of "入力完了" for the session's current choices, and what it draws.
struct OutputPicture {
    Lines output;             ///< the lines "入力完了" would write
    bool written = true;      ///< false when "入力完了" would write no drawing at all
    std::string message;      ///< Shift-JIS: what the run would end with instead of a drawing
    drawing::Picture picture; ///< the output's shapes, the selected texts beneath, the picked points
    std::vector<drawing::Diagnostic> diagnostics; ///< output lines the picture could not read
};

/// Runs the output of "入力完了" without its files: no file is written, no choice of
/// the session changes and no message is shown; a run that would end in one of its
/// error classes, or in an error the application handler would report, gives that
/// message instead of a picture.
OutputPicture dryRunPicture(const Session &session);

/// The picture of output lines of the session's run: their shapes, and beneath them
/// the selected texts (frame modes) or the picked points (the other modes).
drawing::Picture pictureOfOutput(const Session &session, const Lines &output,
                                 std::vector<drawing::Diagnostic> *diagnostics = nullptr);

} // namespace quillet
