#include "drawing/RunPicture.h"

#include "base/Errors.h"
#include "base/Number.h"
#include "drawing/DrawingReader.h"

#include <cmath>

namespace quillet::drawing {

std::vector<Mark> pickedPoints(const Lines &exchange)
{
    std::vector<Mark> marks;
    for (const auto &line : exchange) {
        if (line.size() < 4 || line.compare(0, 2, "hp") != 0 || line[2] < '1' || line[2] > '9' || line[3] != ' ')
            continue;
        // "hp1   x y": runs of blanks between the numbers.
        const std::size_t x0 = line.find_first_not_of(' ', 3);
        const std::size_t x1 = line.find(' ', x0);
        const std::size_t y0 = x1 == std::string::npos ? x1 : line.find_first_not_of(' ', x1);
        if (x0 == std::string::npos || y0 == std::string::npos)
            continue;
        const std::size_t y1 = line.find(' ', y0);
        try {
            const long double x = parseFloat(line.substr(x0, x1 - x0));
            const long double y = parseFloat(line.substr(y0, y1 == std::string::npos ? std::string::npos : y1 - y0));
            // A point far beyond any drawing would not even fit a double.
            if (std::fabs(x) > 1e100L || std::fabs(y) > 1e100L)
                continue;
            marks.push_back({{double(x), double(y)}, std::string(1, line[2])});
        } catch (const ConvertError &) {
            // A point the start-up could not read either draws no mark.
        }
    }
    return marks;
}

Picture pictureOfRun(const Lines &output, const Lines &exchange, bool frameMode, std::vector<Diagnostic> *diagnostics)
{
    Picture picture;
    const Context context = contextFromExchange(exchange);
    Drawing drawn = readDrawing(output, context);
    picture.items = std::move(drawn.items);
    if (diagnostics)
        *diagnostics = std::move(drawn.diagnostics);
    if (frameMode)
        picture.underlay = selectedTexts(exchange, context);
    else
        picture.marks = pickedPoints(exchange);
    return picture;
}

} // namespace quillet::drawing
