#include "exchange/RunSetup.h"

#include "base/Errors.h"
#include "base/Number.h"
#include "base/RealMath.h"
#include "base/Sjis.h"

#include <algorithm>
#include <cmath>

namespace quillet {

namespace {

using ld = long double;

bool startsWith(const std::string &s, const char *prefix)
{
    return s.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

// The layer group a line ends with: one hexadecimal digit.
int groupOf(const std::string &line)
{
    if (line.empty())
        throw ConvertError("'' is not a valid integer value");
    const char c = line.back();
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= '0' && c <= '9')
        return c - '0';
    throw ConvertError("'" + std::string(1, c) + "' is not a valid integer value");
}

char hexDigit(int value)
{
    if (value < 0 || value > 15)
        throw RangeError("List index out of bounds (" + std::to_string(value) + ")");
    return "0123456789abcdef"[value];
}

// Token k of a line whose values follow the first blank, one blank before each:
// two blanks in a row make an empty token, which then fails as a number.
std::string blankToken(const std::string &line, int k)
{
    std::size_t pos = line.find(' ');
    if (pos == std::string::npos)
        throw ConvertError("missing value " + std::to_string(k));
    ++pos;
    for (int i = 0; i < k; ++i) {
        const std::size_t next = line.find(' ', pos);
        if (next == std::string::npos)
            throw ConvertError("missing value " + std::to_string(k));
        pos = next + 1;
    }
    const std::size_t end = line.find(' ', pos);
    return line.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
}

// x and y of a point line: the first two values after the keyword; runs of blanks
// separate like one.
PointF pointOf(const std::string &line)
{
    std::size_t pos = line.find(' ');
    std::string values[2];
    for (auto &value : values) {
        if (pos == std::string::npos)
            throw ConvertError("'" + line + "' holds no point");
        pos = line.find_first_not_of(' ', pos);
        if (pos == std::string::npos)
            throw ConvertError("'" + line + "' holds no point");
        const std::size_t end = line.find(' ', pos);
        value = line.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        pos = end;
    }
    return {f32(parseFloat(values[0])), f32(parseFloat(values[1]))};
}

// A text-kind table entry: stored as a number when the exchange file was read, so a
// bad one is a variant fault rather than a text conversion.
long double tableValue(const std::string &token)
{
    try {
        return parseFloat(token);
    } catch (const ConvertError &) {
        throw VariantError("Could not convert variant of type (String) into type (Double)");
    }
}

// The text before the first blank of `s`, and `s` moved past that blank.
std::string takeField(std::string &s, std::size_t keep)
{
    const std::size_t blank = s.find(' ');
    const std::string field = s.substr(0, blank);
    s = blank == std::string::npos ? std::string() : s.substr(blank + 1, keep);
    return field;
}

void textKindSizes(const RunContext &ctx, RunMeasures &m)
{
    const FormModel &form = ctx.form;
    const ExchangeData &ex = ctx.exchange;
    if (form.ComboBox6 < 0 || form.ComboBox6 > 10)
        throw RangeError("List index out of bounds (" + std::to_string(form.ComboBox6) + ")");
    std::string code = form.ComboBox6 >= 1 ? std::to_string(form.ComboBox6)
                                           : (ex.textKindLine.size() > 2 ? ex.textKindLine.substr(2, 2) : "");
    if (code == "0 ") {
        // Free size: width, height and spacing follow the kind in the line itself.
        std::string rest = ex.textKindLine.size() > 4 ? ex.textKindLine.substr(4, 23) : "";
        const std::string width = takeField(rest, 17);
        const std::string height = takeField(rest, 10);
        const std::string spacing = takeField(rest, 0);
        m.halfWidth = double(parseFloat(width) / 2);
        m.charHeight = double(parseFloat(height));
        m.charSpacing = double(parseFloat(spacing));
        m.textKindCode = "0";
        return;
    }
    const int kind = parseInt(code);
    if (kind < 1 || kind > 10)
        throw RangeError("List index out of bounds (" + std::to_string(kind) + ")");
    m.halfWidth = double(tableValue(ex.widthTokens[std::size_t(kind)]) / 2);
    m.charHeight = double(tableValue(ex.heightTokens[std::size_t(kind)]));
    m.charSpacing = double(parseFloat(blankToken(ex.spacingLine, kind - 1)));
    m.textKindCode = code;
}

void measureMemo(const RunContext &ctx, RunMeasures &m)
{
    const auto &memo = ctx.form.Memo1;
    m.memoLines = int(memo.size());
    m.tildeLines = 0;
    m.widest = 1;
    m.wideCode = 0;
    for (const std::string &line : memo) {
        const LineMeasure lm = measureLine(line, ctx.form.SpeedButton2);
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
    if (embeddedText && (startsWith(line, "$1") || startsWith(line, "$2"))) {
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
    if (startsWith(line, "~~")) {
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

void runSetup(RunContext &ctx, RunMeasures &m)
{
    const FormModel &form = ctx.form;
    const ExchangeData &ex = ctx.exchange;
    const bool frameMode = ctx.mode == Mode::FrameAll || ctx.mode == Mode::FrameEach;

    // 1..3: source, target and (frame modes) reference group.
    const int p = groupOf(ex.layerGroupLine);
    const int q = form.basic.ComboBox15 > 0 ? form.basic.ComboBox15 - 1 : p;
    std::string reference;
    if (ctx.mode == Mode::FrameAll) {
        if (ctx.exchangeCopy.size() <= 15)
            throw RangeError("List index out of bounds (15)");
        reference = startsWith(ctx.exchangeCopy[15], "lg") ? ctx.exchangeCopy[15] : ex.layerGroupLine;
    } else if (ctx.mode == Mode::FrameEach) {
        reference = ctx.currentExchangeLine;
    }
    const bool referenceGroup = frameMode && startsWith(reference, "lg");
    const int r = referenceGroup ? groupOf(reference) : 0;

    // 4..5: scales and the ratio of the target group.
    const std::string tokenP = blankToken(ex.scaleLine, p);
    const std::string tokenQ = blankToken(ex.scaleLine, q);
    const std::string tokenR = referenceGroup ? blankToken(ex.scaleLine, r) : std::string();
    m.scale = f32(parseFloat(tokenP));
    const float ratio = f32(divide(parseFloat(tokenQ), m.scale));

    // 6..9: the first command lines.
    if (form.basic.ComboBox15 > 0) {
        ctx.output.push_back(std::string("lg") + hexDigit(q));
        ctx.output.push_back("by" + formatFloat(ratio));
    }
    if (referenceGroup) {
        const long double scaleR = parseFloat(tokenR);
        const long double numerator = ctx.mode == Mode::FrameAll ? parseFloat(tokenQ) : ext(m.scale);
        ctx.output.push_back("by" + formatFloat(f32(divide(numerator, scaleR))));
        m.scale = f32(scaleR);
    }
    ctx.output.push_back("lt" + std::to_string(form.ComboBox2 + 1));
    if (form.basic.ComboBox16 > 0)
        ctx.output.push_back(std::string("ly") + hexDigit(form.basic.ComboBox16 - 1));
    else
        ctx.output.push_back(ex.layerLine);

    // 10..12: points, leader vector, leader-long flag.
    if (!frameMode) {
        m.p1 = pointOf(ex.point1Line);
        m.p2 = pointOf(ex.point2Line);
        m.p3 = pointOf(ex.point3Line);
        if (ctx.mode == Mode::Bend)
            m.bend = pointOf(ex.bendLine);
        m.indicated2 = m.p2;
    }
    const PointF leaderEnd = ctx.mode == Mode::Bend && form.ComboBoxEx2 < 11 ? m.bend : m.p2;
    m.dx = double(ext(leaderEnd.x) - m.p1.x);
    m.dy = double(ext(leaderEnd.y) - m.p1.y);
    const ld t = (ld(form.basic.SpinEdit5) - 1) * m.scale / 10;
    // The frame modes draw no leader. Their points are never read, and after an "lg"
    // line of frame write 2 point 2 is the previous frame's corner: a flag computed
    // from it would open a gap in the next cloud and send a wedge to the origin.
    if (frameMode)
        m.leaderLong = 0;
    else
        m.leaderLong = (-t < m.dx && m.dx < t && -t < m.dy && m.dy < t) ? 0 : 1;

    // 13..14: the text block in half-width units and lines.
    measureMemo(ctx, m);
    m.slide = effectiveSlide(form.ComboBoxEx4, m.countedLines());

    // 15..20: sizes of the chosen text kind and the frame around the text.
    textKindSizes(ctx, m);
    m.lineGap = f32(ld(form.basic.SpinEdit6) / 10);
    const ld hw = m.halfWidth, ch = m.charHeight, sp = m.charSpacing;
    const ld marginX = form.basic.CheckBox5 ? 0 : form.basic.SpinEdit4 * 0.2L + hw / 2.4L + 1.3L;
    m.textWidth = f32((sp / 2 + hw) * m.widest - sp / 2);
    if (m.textWidth == 0)
        m.textWidth = f32(hw);
    if (m.wideCode == 1)
        m.textWidth = f32(m.textWidth + 0.3L * hw);
    else if (m.wideCode == 2)
        m.textWidth = f32(m.textWidth + 0.7L * hw);
    m.frameWidth = f32((m.textWidth + marginX) * m.scale);
    const ld marginY = form.basic.CheckBox5 ? 0 : form.basic.SpinEdit3 * 0.2L + ch / 7 + 1.2L;
    ld textHeight = (ch + m.lineGap) * m.countedLines();
    if (textHeight == 0)
        textHeight = ch;
    m.frameHeight = f32((textHeight + marginY - m.lineGap) * m.scale);
}

PointF polarOffset(long double a, long double l, long double b, long double f)
{
    const long double angle = radians(a + b);
    return {f32(std::cos(angle) * l * f), f32(std::sin(angle) * l * f)};
}

namespace {

// Angle in degrees of (x, y) from its centre, the way every turning routine takes it:
// a zero x is replaced by a tiny value so that the arctangent stays defined.
float angleAbout(float x, float y, float zero)
{
    if (x == 0)
        x = zero;
    float u = f32(std::atan(divide(y, x)) * kDegreesPerRadian);
    if (x <= 0)
        u = f32(u + 180.0L);
    else if (y < 0)
        u = f32(u + 360.0L);
    return u;
}

void turnAbout(PointF &p, PointF centre, float turn, float zero)
{
    const ld ex = ext(p.x) - centre.x, ey = ext(p.y) - centre.y;
    const float rho = f32(std::hypot(ey, ex));
    const float u = angleAbout(f32(ex), f32(ey), zero);
    const ld angle = radians(ld(turn) + u);
    p.x = f32(centre.x + std::cos(angle) * rho);
    p.y = f32(centre.y + std::sin(angle) * rho);
}

} // namespace

float rotatePair(PointF &a, PointF &b, PointF centre, PointF indicated2, PointF p3, const TurnFlags &flags)
{
    float ddx = f32(ext(p3.x) - indicated2.x);
    const float ddy = f32(ext(p3.y) - indicated2.y);
    if (ddx == 0)
        ddx = 1e-7f;
    float h = f32(std::atan(divide(ddy, ddx)) * kDegreesPerRadian);
    float textAngle = h;
    if (flags.vertical == 1 && flags.point2Left == flags.rightward)
        textAngle = f32(h + 180.0L);
    if (ddx <= 0)
        h = f32(h + 180.0L);
    else if (ddy < 0)
        h = f32(h + 360.0L);
    if (flags.vertical == 0 && flags.rightward == 0)
        h = f32(h - 180.0L);
    if (flags.vertical == 1) {
        const bool same = flags.point2Left == flags.rightward;
        const bool add = flags.upward == 1 ? same : !same;
        h = f32(add ? h + 90.0L : h - 90.0L);
    }
    turnAbout(a, centre, h, 1e-6f);
    turnAbout(b, centre, h, 1e-7f);
    return textAngle;
}

void rotateOne(PointF &p, PointF indicated2, PointF p3, const TurnFlags &flags, float &cosine, float &sine)
{
    float ddx = f32(ext(p3.x) - indicated2.x);
    const float ddy = f32(ext(p3.y) - indicated2.y);
    if (ddx == 0)
        ddx = 1e-7f;
    float f = f32(std::atan(divide(ddy, ddx)) * kDegreesPerRadian);
    if (ddx > 0 && ddy < 0)
        f = f32(f + 360.0L);
    cosine = f32(std::cos(radians(f)));
    sine = f32(std::sin(radians(f)));
    if (flags.vertical == 1)
        f = f32(flags.upward == 1 ? f - 90.0L : f - 270.0L);

    const ld ex = ext(p.x) - indicated2.x, ey = ext(p.y) - indicated2.y;
    const float rho = f32(std::hypot(ey, ex));
    float u = angleAbout(f32(ex), f32(ey), 1e-7f);
    if (flags.vertical == 1 && flags.rightward == 0)
        u = f32(u - 180.0L);
    const ld angle = radians(ld(f) + u);
    p.x = f32(indicated2.x + std::cos(angle) * rho);
    p.y = f32(indicated2.y + std::sin(angle) * rho);
}

long double roundTo10Places(long double v)
{
    // Round the exactly scaled value, ties to even. A divisor of 1e-10 held in 64 bits
    // is a hair too large and would push every half-way length (common for leaders
    // along an axis, whose length is a coordinate difference) below the half.
    const long double scale = 1e10L;
    const long double product = v * scale;
    const long double error = std::fma(v, scale, -product); // what the product lost
    long double whole = std::nearbyint(product);
    if (std::fabs(product - whole) == 0.5L && error != 0)
        whole = error > 0 ? std::floor(product) + 1 : std::floor(product);
    return double(whole / scale);
}

} // namespace quillet
