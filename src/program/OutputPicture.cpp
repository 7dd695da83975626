#include "program/OutputPicture.h"

#include "base/Sjis.h"
#include "drawing/DrawingReader.h"
#include "program/CompleteInput.h"

#include <exception>
#include <sstream>

namespace quillet {

namespace {

/// The points Jw_cad handed over ("hp1" ...), labelled with their number.
std::vector<drawing::Mark> pickedPoints(const Lines &exchange)
{
    std::vector<drawing::Mark> marks;
    for (const auto &line : exchange) {
        if (line.size() < 4 || line.compare(0, 2, "hp") != 0 || line[2] < '1' || line[2] > '9' || line[3] != ' ')
            continue;
        std::istringstream in(line.substr(4));
        double x = 0, y = 0;
        if (in >> x >> y)
            marks.push_back({{x, y}, std::string(1, line[2])});
    }
    return marks;
}

} // namespace

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
    result.output = run.output;
    result.message = run.message;
    if (run.fault != RunFault::None)
        return result;

    result.picture = pictureOfOutput(session, run.output, &result.diagnostics);
    return result;
}

drawing::Picture pictureOfOutput(const Session &session, const Lines &output,
                                 std::vector<drawing::Diagnostic> *diagnostics)
{
    drawing::Picture picture;
    const drawing::Context context = drawing::contextFromExchange(session.exchangeList);
    drawing::Drawing drawn = drawing::readDrawing(output, context);
    picture.items = std::move(drawn.items);
    if (diagnostics)
        *diagnostics = std::move(drawn.diagnostics);
    if (session.mode == Mode::FrameAll || session.mode == Mode::FrameEach)
        picture.underlay = drawing::selectedTexts(session.exchangeList, context);
    else
        picture.marks = pickedPoints(session.exchangeList);
    return picture;
}

} // namespace quillet
