#include "engine/RunSetup.h"

#include "base/Errors.h"
#include "base/Number.h"
#include "base/RealMath.h"
#include "base/Sjis.h"
#include "exchange/Records.h"

#include <algorithm>
#include <cmath>

namespace quillet {

namespace {

using ld = long double;

void textKindSizes(const RunContext &ctx, RunMeasures &m)
{
    const FormModel &form = ctx.form;
    const ExchangeData &ex = ctx.exchange;
    if (form.textKind < 0 || form.textKind > 10)
        throw RangeError("List index out of bounds (" + std::to_string(form.textKind) + ")");
    std::string code = form.textKind >= 1 ? std::to_string(form.textKind)
                                           : (ex.textKindLine.size() > 2 ? ex.textKindLine.substr(2, 2) : "");
    if (code == "0 ") {
        // Free size: width, height and spacing follow the kind in the line itself.
        std::string rest = ex.textKindLine.size() > 4 ? ex.textKindLine.substr(4, 23) : "";
        const std::string width = records::takeField(rest, 17);
        const std::string height = records::takeField(rest, 10);
        const std::string spacing = records::takeField(rest, 0);
        m.halfWidth = double(parseFloat(width) / 2);
        m.charHeight = double(parseFloat(height));
        m.charSpacing = double(parseFloat(spacing));
        m.textKindCode = "0";
        return;
    }
    const int kind = parseInt(code);
    if (kind < 1 || kind > 10)
        throw RangeError("List index out of bounds (" + std::to_string(kind) + ")");
    m.halfWidth = double(records::tableValue(ex.widthTokens[std::size_t(kind)]) / 2);
    m.charHeight = double(records::tableValue(ex.heightTokens[std::size_t(kind)]));
    m.charSpacing = double(parseFloat(records::blankValue(ex.spacingLine, kind - 1)));
    m.textKindCode = code;
}

void measureMemo(const RunContext &ctx, RunMeasures &m)
{
    const auto &memo = ctx.form.memoLines;
    m.memoLines = int(memo.size());
    m.tildeLines = 0;
    m.widest = 1;
    m.wideCode = 0;
    for (const std::string &line : memo) {
        const LineMeasure lm = measureLine(line, ctx.form.embeddedTextOn);
        if (lm.tilde)
            ++m.tildeLines;
        if (lm.width > m.widest) {
            m.widest = lm.width;
            m.wideCode = lm.wideCode;
        }
    }
}

} // namespace

LineMeasure measureLine(const std::string &line, bool embeddedText)
{
    LineMeasure r;
    const int length = int(line.size());
    int w = length;
    if (embeddedText && (records::startsWith(line, "$1") || records::startsWith(line, "$2"))) {
        // Date codes are replaced by longer texts: count the width they will take.
        for (int i = 2; i + 1 < length; ++i) {
            const char a = line[std::size_t(i)], b = line[std::size_t(i + 1)];
            if (a == '=' || a == '_') {
                if (b == 'f')
                    w += 8;
                else if (b == 'F')
                    w += 17;
            }
        }
        w -= 2;
    }
    if (records::startsWith(line, "~~")) {
        r.tilde = true;
        r.width = 0;
        return r;
    }
    if (w > 3 && length >= 2) {
        // "^" codes are drawn by the host as marks, not as their letters.
        for (int i = 0; i + 1 < length; ++i) {
            if (line[std::size_t(i)] != '^')
                continue;
            const char c = line[std::size_t(i + 1)];
            const bool doubleNext =
                i + 2 < length && sjis::isLeadByte(static_cast<unsigned char>(line[std::size_t(i + 2)]));
            if (c == 'u' || c == 'd' || c == 'c') {
                w -= doubleNext ? 3 : 2;
            } else if (c == 'B' || c == 'o' || c == 'b') {
                w -= doubleNext ? 4 : 3;
                r.wideCode = c == 'b' ? 2 : 1;
            } else if (c >= '1' && c <= '9') {
                const int n = c - '0';
                if (w > n + 3)
                    w -= n + 2;
            }
        }
    }
    r.width = w;
    return r;
}

int effectiveSlide(int slideIndex, int counted)
{
    if (slideIndex < 4)
        return slideIndex;
    // "最大" k lines: never more lines below the underline than there are above it.
    const int k = slideIndex - 3;
    if (counted == 1)
        return 0;
    if (counted == 2)
        return 1;
    if (counted > 2)
        return std::min(k, counted - 1);
    // No counted lines: the raw index stays, and the underline steps use it as it is.
    return slideIndex;
}

namespace {

// The drawing scale of the points' layer group, and the first command lines: the
// target layer group with its scale ratio, the line type and the layer. In the frame
// modes a layer-group line among the texts sets the scale of the texts that follow.
void scaleAndFirstLines(RunContext &ctx, RunMeasures &m)
{
    const FormModel &form = ctx.form;
    const ExchangeData &ex = ctx.exchange;
    const bool frameMode = ctx.mode == Mode::FrameAll || ctx.mode == Mode::FrameEach;

    // The points' group, the group written into and the frame modes' reference group.
    const int p = records::layerGroupOf(ex.layerGroupLine);
    const int q = form.basic.writeGroup > 0 ? form.basic.writeGroup - 1 : p;
    std::string reference;
    if (ctx.mode == Mode::FrameAll) {
        if (ctx.exchangeCopy.size() <= 15)
            throw RangeError("List index out of bounds (15)");
        reference = records::startsWith(ctx.exchangeCopy[15], "lg") ? ctx.exchangeCopy[15] : ex.layerGroupLine;
    } else if (ctx.mode == Mode::FrameEach) {
        reference = ctx.currentExchangeLine;
    }
    const bool referenceGroup = frameMode && records::startsWith(reference, "lg");
    const int r = referenceGroup ? records::layerGroupOf(reference) : 0;

    const std::string tokenP = records::blankValue(ex.scaleLine, p);
    const std::string tokenQ = records::blankValue(ex.scaleLine, q);
    const std::string tokenR = referenceGroup ? records::blankValue(ex.scaleLine, r) : std::string();
    m.scale = f32(parseFloat(tokenP));
    const float ratio = f32(divide(parseFloat(tokenQ), m.scale));

    if (form.basic.writeGroup > 0) {
        ctx.output.push_back(std::string("lg") + records::hexDigit(q));
        ctx.output.push_back("by" + formatFloat(ratio));
    }
    if (referenceGroup) {
        const long double scaleR = parseFloat(tokenR);
        const long double numerator = ctx.mode == Mode::FrameAll ? parseFloat(tokenQ) : ext(m.scale);
        ctx.output.push_back("by" + formatFloat(f32(divide(numerator, scaleR))));
        m.scale = f32(scaleR);
    }
    ctx.output.push_back("lt" + std::to_string(form.lineType + 1));
    if (form.basic.lineLayer > 0)
        ctx.output.push_back(std::string("ly") + records::hexDigit(form.basic.lineLayer - 1));
    else
        ctx.output.push_back(ex.layerLine);
}

// The indicated points, the leader vector and whether the leader is long enough to draw.
void pointsAndLeader(const RunContext &ctx, RunMeasures &m)
{
    const FormModel &form = ctx.form;
    const ExchangeData &ex = ctx.exchange;
    const bool frameMode = ctx.mode == Mode::FrameAll || ctx.mode == Mode::FrameEach;
    const ld t = (ld(form.basic.arrowLength) - 1) * m.scale / 10;
    // A leader shorter than the arrow in both directions is not drawn.
    auto isShort = [t](double dx, double dy) { return -t < dx && dx < t && -t < dy && dy < t; };
    m.throughBend = false;
    if (!frameMode) {
        m.p1 = records::pointOf(ex.point1Line);
        m.p2 = records::pointOf(ex.point2Line);
        m.p3 = records::pointOf(ex.point3Line);
        if (ctx.mode == Mode::Bend) {
            m.bend = records::pointOf(ex.bendLine);
            // A bend point picked on the tip would leave no first leader to draw, and
            // with it neither tip nor leader: such a bend point is no bend at all.
            m.throughBend = !isShort(double(ext(m.bend.x) - m.p1.x), double(ext(m.bend.y) - m.p1.y));
        }
        m.indicated2 = m.p2;
    }
    const PointF leaderEnd = m.throughBend && form.frameKind < FrameKind::CloudEven ? m.bend : m.p2;
    m.dx = double(ext(leaderEnd.x) - m.p1.x);
    m.dy = double(ext(leaderEnd.y) - m.p1.y);
    // The frame modes and the text mode draw no leader. The frame modes' points are
    // never read, and after an "lg" line of frame write 2 point 2 is the previous
    // frame's corner: a flag computed from it would open a gap in the next cloud and
    // send a wedge to the origin. The text mode's point 1 is its point 2, and a
    // leader of length 0 would only write a tip pointing nowhere and a leader
    // backwards once the arrow length is at its least.
    if (frameMode || ctx.mode == Mode::TextMode)
        m.leaderLong = 0;
    else
        m.leaderLong = isShort(m.dx, m.dy) ? 0 : 1;
}

// The text block's width and height, and the frame around it with its margins.
void frameSize(const RunContext &ctx, RunMeasures &m)
{
    const FormModel &form = ctx.form;
    m.lineGap = f32(ld(form.basic.lineGap) / 10);
    const ld hw = m.halfWidth, ch = m.charHeight, sp = m.charSpacing;
    const ld marginX = form.basic.noFrameGap ? 0 : form.basic.horizontalGap * 0.2L + hw / 2.4L + 1.3L;
    m.textWidth = f32((sp / 2 + hw) * m.widest - sp / 2);
    if (m.textWidth == 0)
        m.textWidth = f32(hw);
    if (m.wideCode == 1)
        m.textWidth = f32(m.textWidth + 0.3L * hw);
    else if (m.wideCode == 2)
        m.textWidth = f32(m.textWidth + 0.7L * hw);
    m.frameWidth = f32((m.textWidth + marginX) * m.scale);
    const ld marginY = form.basic.noFrameGap ? 0 : form.basic.verticalGap * 0.2L + ch / 7 + 1.2L;
    ld textHeight = (ch + m.lineGap) * m.countedLines();
    if (textHeight == 0)
        textHeight = ch;
    m.frameHeight = f32((textHeight + marginY - m.lineGap) * m.scale);
}

} // namespace

void runSetup(RunContext &ctx, RunMeasures &m)
{
    scaleAndFirstLines(ctx, m);
    pointsAndLeader(ctx, m);
    measureMemo(ctx, m);
    m.slide = effectiveSlide(ctx.form.slide, m.countedLines());
    textKindSizes(ctx, m);
    frameSize(ctx, m);
}

} // namespace quillet
