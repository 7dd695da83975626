#include "base/Number.h"
#include "base/RealMath.h"
#include "geometry/FloatTrig.h"
#include "engine/Frames.h"
#include "exchange/Records.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

namespace quillet {

namespace {

using ld = long double;

// What splits the words of a record: the blanks of the classic locale.
bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Records are read once per frame: their first `max` words between `from` and `to`
// are found in the line itself, as views into it, rather than through a stream and a
// vector of words. Returns how many there are, up to `max`.
std::size_t firstWords(const std::string &line, std::size_t from, std::size_t to, std::string_view *words,
                       std::size_t max)
{
    std::size_t found = 0;
    for (std::size_t i = from; i < to && found < max;) {
        while (i < to && isBlank(line[i]))
            ++i;
        const std::size_t start = i;
        while (i < to && !isBlank(line[i]))
            ++i;
        if (i > start)
            words[found++] = std::string_view(line).substr(start, i - start);
    }
    return found;
}

// "cn": the character size of the texts that follow, free or by text kind.
void readSize(EngineRun &e, const std::string &line)
{
    if (line.size() > 2 && line[2] == '"')
        return; // a font record
    GeometryState &g = e.g;
    if (line.size() > 2 && line[2] == '0') {
        std::string_view values[3];
        if (firstWords(line, 4, line.size(), values, 3) < 3)
            throw ConvertError("'" + line + "' holds no text size");
        g.existingHalfWidth = double(parseFloat(values[0]) / 2);
        g.existingHeight = double(parseFloat(values[1]));
        g.existingHalfSpacing = double(parseFloat(values[2]) / 2);
    } else {
        const int k = records::numberAfterKeyword(line);
        if (k < 1 || k > 10)
            throw RangeError("List index out of bounds (" + std::to_string(k) + ")");
        const ExchangeData &ex = e.ctx.exchange;
        g.existingHalfWidth = double(records::tableValue(ex.widthTokens[std::size_t(k)]) / 2);
        g.existingHeight = double(records::tableValue(ex.heightTokens[std::size_t(k)]));
        const ld spacing = parseFloat(records::blankValue(ex.spacingLine, k - 1));
        // Kind 10 has always been measured with its whole spacing.
        g.existingHalfSpacing = double(k == 10 ? spacing : spacing / 2);
    }
    g.existingSize = true;
}

// "cc": the base point of the texts that follow.
void readBasePoint(EngineRun &e, const std::string &line)
{
    const int b = records::numberAfterKeyword(line);
    if (b < 0 || b > 8)
        throw RangeError("List index out of bounds (" + std::to_string(b) + ")");
    e.g.basePoint = b;
}

// Until a "cn" line says otherwise, the texts have the size of the chosen text kind.
void defaultSize(EngineRun &e)
{
    GeometryState &g = e.g;
    if (g.existingSize)
        return;
    g.existingHalfWidth = e.m.halfWidth;
    g.existingHeight = e.m.charHeight;
    g.existingHalfSpacing = e.m.charSpacing / 2;
    g.existingSize = true;
}

struct TextRecordValues {
    float x, y, dx, dy;
};

TextRecordValues readRecord(const std::string &line)
{
    // The numbers stand between the keyword and the quote (or the end).
    const std::size_t quote = line.find('"');
    const std::size_t from = 3, to = quote == std::string::npos || quote < from ? line.size() : quote;
    std::string_view values[4];
    if (firstWords(line, from, to, values, 4) < 4)
        throw ConvertError("'" + line + "' holds no text position");
    return {f32(parseFloat(values[0])), f32(parseFloat(values[1])), f32(parseFloat(values[2])),
            f32(parseFloat(values[3]))};
}

// Low and high ends of a record along one axis, given by its base point: the record
// covers `length` from its start, centred on it, or ending at it.
struct Span {
    float low, high;
};
Span spanByColumn(float at, float length, int column)
{
    switch (column) {
    case 0: return {at, f32(ext(at) + length)};
    case 1: return {f32(at - ext(length) / 2), f32(at + ext(length) / 2)};
    default: return {f32(at - ext(length)), at};
    }
}
Span ordered(Span s) { return s.low <= s.high ? s : Span{s.high, s.low}; }

void applyExistingSize(EngineRun &e)
{
    e.m.halfWidth = e.g.existingHalfWidth;
    e.m.charHeight = e.g.existingHeight;
}

float alongMargin(const EngineRun &e)
{
    return f32((e.form().basic.horizontalGap * 0.2L + ext(e.g.existingHalfWidth) / 2.4L + 1.3L) * e.m.scale);
}

float acrossMargin(const EngineRun &e)
{
    return f32((e.form().basic.verticalGap * 0.2L + ext(e.g.existingHeight) / 7 + 1.2L) * e.m.scale);
}

// The area one text record covers, by its base point: along the text from its start,
// centred on it or ending at it; across it by the character height. The oval's round
// ends reach past the text, so its extent along the text starts a little inside.
void recordExtent(const EngineRun &e, const TextRecordValues &r, Span &sx, Span &sy)
{
    const RunMeasures &m = e.m;
    const GeometryState &g = e.g;
    const float hS = f32(ext(g.existingHeight) * m.scale);
    const int column = g.basePoint % 3, row = g.basePoint / 3;
    if (g.vertical == 1) {
        sy = ordered(spanByColumn(r.y, r.dy, column));
        // Across a vertical text its bottom lies to the right.
        const float dx = r.dx;
        switch (row) {
        case 0: sx = {f32(ext(r.x) + dx - hS), r.x}; break;
        case 1: sx = {f32(ext(r.x) + dx - ext(hS) / 2), f32(r.x + ext(hS) / 2)}; break;
        default: sx = {f32(ext(r.x) + dx), f32(ext(r.x) + hS)}; break;
        }
        sx = ordered(sx);
    } else {
        sx = ordered(spanByColumn(r.x, r.dx, column));
        switch (row) {
        case 0: sy = {r.y, f32(ext(r.y) + r.dy + hS)}; break;
        case 1: sy = {f32(r.y - ext(hS) / 2), f32(ext(r.y) + r.dy + ext(hS) / 2)}; break;
        default: sy = {f32(ext(r.y) - hS), f32(ext(r.y) + r.dy)}; break;
        }
        sy = ordered(sy);
    }
    if (e.frameKind() == FrameKind::Oval) {
        const ld cut = ext(g.existingHalfWidth) * m.scale / 3;
        Span &along = g.vertical == 1 ? sy : sx;
        along = {f32(along.low + cut), f32(along.high - cut)};
    }
}

// The frame around the union of the records: the margins split over both ends along
// the text (none for the oval, whose round ends make its own) and both sides across
// it, and a height counted in lines.
void frameAroundUnion(EngineRun &e, Span ux, Span uy)
{
    RunMeasures &m = e.m;
    GeometryState &g = e.g;
    const bool vertical = g.vertical == 1;
    float x2 = vertical ? ux.high : ux.low, y2 = uy.low;
    float fx = vertical ? ux.low : ux.high, fy = uy.high;
    const Span along = vertical ? uy : ux;
    m.textWidth = f32(ext(along.high) - along.low);
    m.frameWidth = m.textWidth;
    if (e.frameKind() != FrameKind::Oval) {
        const float m1 = alongMargin(e);
        if (vertical) {
            y2 = f32(y2 - ext(m1) / 2);
            fy = f32(fy + ext(m1) / 2);
        } else {
            x2 = f32(x2 - ext(m1) / 2);
            fx = f32(fx + ext(m1) / 2);
        }
        m.frameWidth = f32(ext(m.textWidth) + m1);
    }
    const float m2 = acrossMargin(e);
    if (vertical) {
        x2 = f32(x2 + ext(m2) / 2);
        fx = f32(fx - ext(m2) / 2);
    } else {
        y2 = f32(y2 - ext(m2) / 2);
        fy = f32(fy + ext(m2) / 2);
    }
    ld lines = (ext(g.existingHeight) + m.lineGap) * m.memoLines;
    if (lines == 0)
        lines = g.existingHeight;
    m.frameHeight = f32((lines - m.lineGap) * m.scale + m2);
    if (vertical)
        g.point2Left = 1;
    m.p2 = {x2, y2};
    g.fx = fx;
    g.fy = fy;
}

// Frame write 1: one frame around every text record of the exchange copy.
void frameAllTexts(EngineRun &e)
{
    RunMeasures &m = e.m;
    GeometryState &g = e.g;
    g.vertical = 0xFF;
    g.rightward = 1;
    g.upward = 1;
    g.point2Left = 0;
    g.point2Below = 0;
    m.memoLines = 0;
    defaultSize(e);

    // The union starts empty at point 2; the first record replaces it.
    Span ux{m.p2.x, m.p2.x}, uy{m.p2.y, m.p2.y};
    const Lines &copy = e.ctx.exchangeCopy;
    for (std::size_t i = 12; i < copy.size(); ++i) {
        const std::string &line = copy[i];
        if (records::startsWith(line, "cn")) {
            readSize(e, line);
            continue;
        }
        if (records::startsWith(line, "cc")) {
            readBasePoint(e, line);
            continue;
        }
        if (!records::isTextRecord(line))
            continue;
        const TextRecordValues r = readRecord(line);
        // The first record fixes the layout.
        if (m.memoLines == 0)
            g.vertical = r.dx < r.dy ? 1 : 0;
        Span sx, sy;
        recordExtent(e, r, sx, sy);
        if (m.memoLines == 0) {
            ux = sx;
            uy = sy;
        } else {
            ux = {std::min(ux.low, sx.low), std::max(ux.high, sx.high)};
            uy = {std::min(uy.low, sy.low), std::max(uy.high, sy.high)};
        }
        ++m.memoLines;
    }
    frameAroundUnion(e, ux, uy);
    applyExistingSize(e);
}

// Frame write 2: one exchange line. Only a text record gets a frame, built along the
// x axis from the record's start; the tilt turns it to the text's direction.
bool frameOneText(EngineRun &e)
{
    RunMeasures &m = e.m;
    GeometryState &g = e.g;
    const std::string &line = e.ctx.currentExchangeLine;
    if (line.empty() || line[0] != 'c')
        return false;
    g.vertical = 0;
    g.rightward = 1;
    g.upward = 1;
    g.point2Left = 0;
    g.point2Below = 0;
    g.turnBack = 1;
    m.memoLines = 0;
    defaultSize(e);
    if (records::startsWith(line, "cc")) {
        readBasePoint(e, line);
        return false;
    }
    if (records::startsWith(line, "cn")) {
        readSize(e, line);
        return false;
    }
    if (!records::isTextRecord(line))
        return false;

    const TextRecordValues r = readRecord(line);
    const float length = hypotF32(ext(r.dx), ext(r.dy));
    m.textWidth = length;
    const ld unit = (ext(g.existingHalfWidth) + g.existingHalfSpacing) * m.scale;
    const ld units = std::trunc(divide(length, unit));
    if (units > 2147483647.0L || units < -2147483648.0L)
        throw InvalidOperationError("Invalid floating point operation");
    m.widest = int(units);
    m.indicated2 = {r.x, r.y};
    m.p3 = {f32(ext(r.x) + r.dx), f32(ext(r.y) + r.dy)};

    const float hS = f32(ext(g.existingHeight) * m.scale);
    const Span sx = spanByColumn(r.x, length, g.basePoint % 3);
    Span sy;
    switch (g.basePoint / 3) {
    case 0: sy = {r.y, f32(ext(r.y) + hS)}; break;
    case 1: sy = {f32(r.y - ext(hS) / 2), f32(r.y + ext(hS) / 2)}; break;
    default: sy = {f32(ext(r.y) - hS), r.y}; break;
    }
    float x2 = sx.low, fx = sx.high;
    if (e.frameKind() == FrameKind::Oval) {
        const ld cut = ext(g.existingHalfWidth) * m.scale / 3;
        x2 = f32(x2 + cut);
        fx = f32(fx - cut);
    } else {
        const float m1 = alongMargin(e);
        x2 = f32(x2 - ext(m1) / 2);
        fx = f32(fx + ext(m1) / 2);
    }
    const float m2 = acrossMargin(e);
    m.p2 = {x2, f32(sy.low - ext(m2) / 2)};
    g.fx = fx;
    g.fy = f32(sy.high + ext(m2) / 2);
    m.frameHeight = f32(ext(hS) + m2);
    g.existingText = r.dx < 0 ? 1 : 0;
    applyExistingSize(e);
    return true;
}

} // namespace

bool frameExistingText(EngineRun &e)
{
    if (e.mode() == Mode::FrameEach)
        return frameOneText(e);
    frameAllTexts(e);
    return true;
}

} // namespace quillet
