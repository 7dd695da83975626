#include "engine/TextWriter.h"

#include "base/RealMath.h"
#include "engine/EmbeddedText.h"
#include "engine/TextTilt.h"
#include "exchange/Records.h"

namespace quillet {

namespace {

using ld = long double;

std::string fontRecord(const std::string &name) { return "cn\"$<" + name + ">"; }

// The length of a text record's direction, reversed for a vertical font by a minus
// sign put before it. A frame narrower than the character spacing makes the length
// negative; a sign before its own sign would read "--0.5", which is no number, so a
// negative length is reversed by writing its magnitude instead.
void directionLength(CommandWriter &out, float w, bool reverse)
{
    if (!reverse)
        out.num(w);
    else if (w < 0)
        out.num(-w);
    else
        out.put("-").num(w);
}

} // namespace

void writeTextRecord(EngineRun &e, PointF at, const std::string &text)
{
    const RunMeasures &m = e.m;
    const GeometryState &g = e.g;
    const float w = f32(ext(m.frameWidth) - m.charSpacing);
    if (e.tilt()) {
        TiltedText t = tiltText(at, m.indicated2, m.p3, g);
        // A vertical font turns its glyphs; the direction is reversed to keep them upright.
        const bool reverse = g.verticalFont && ((g.horizontal() && !g.rightward) ||
                                                (!g.horizontal() && g.rightward == g.upward));
        if (reverse) {
            t.dx = -t.dx;
            t.dy = -t.dy;
        }
        e.out.start("ch ").num(t.at.x).put(" ").num(t.at.y).put(" ").num(t.dx).put(" ").num(t.dy);
    } else if (g.horizontal()) {
        const bool reverse = g.verticalFont && !g.rightward;
        e.out.start("ch ").num(at.x).put(" ").num(at.y).put(" ");
        directionLength(e.out, w, reverse);
        e.out.put(" 0");
    } else {
        e.out.start("ch ").num(at.x).put(" ").num(at.y).put("  0 ");
        directionLength(e.out, w, g.verticalFont);
    }
    e.out.put(" \"").put(text).finish();
}

void writeText(EngineRun &e)
{
    if (e.frameMode())
        return;
    const RunMeasures &m = e.m;
    const GeometryState &g = e.g;
    const FormModel &form = e.form();
    const ExchangeData &ex = e.ctx.exchange;

    e.out.raw(fontRecord(form.fontSwitch != 0 ? form.heldFontNameOrDefault() : ex.hostFontName));
    e.out.raw("cn" + m.textKindCode);
    const int layer = form.basic.textLayer;
    if (layer >= 1 && layer <= 16)
        e.out.raw(std::string("ly") + "0123456789abcdef"[layer - 1]);
    else if (layer > 16)
        throw RangeError("List index out of bounds (" + std::to_string(layer) + ")");
    else
        e.out.raw(ex.layerLine);

    // Lines are written from the one nearest the start point.
    const bool forward = g.verticalFont && (!g.horizontal() || !g.rightward);
    const int count = int(form.memoLines.size());
    const bool underline = isUnderline(e.frameKind());
    const bool centred = e.mode() == Mode::TextMode && form.textCentreBase;
    const float step = f32((ext(m.charHeight) + m.lineGap) * ext(m.scale));
    PointF at = g.textStart;
    int written = 0;
    for (int n = 0; n < count; ++n) {
        const std::string &line = form.memoLines[std::size_t(forward ? n : count - 1 - n)];
        if (centred)
            e.out.raw("cc1");
        if (records::startsWith(line, "~~"))
            continue;
        if (underline && m.slide >= 1 && written == m.slide) {
            // Jump across the underline to the lines above it.
            if (g.horizontal())
                at.y = f32(ext(at.y) + g.slideJump);
            else
                at.x = f32(ext(at.x) - g.slideJump);
        }
        ++written;
        if (form.embeddedTextOn && (records::startsWith(line, "$1") || records::startsWith(line, "$2")))
            writeEmbeddedLine(e, at, line);
        else
            writeTextRecord(e, at, line);

        if (g.horizontal()) {
            at.y = f32(ext(at.y) + step);
        } else {
            const bool back = e.tilt() && !g.verticalFont &&
                              ((g.upward && !g.rightward) || (!g.upward && g.rightward));
            at.x = f32(back ? ext(at.x) + step : ext(at.x) - step);
        }
    }

    if (form.fontSwitch != 0)
        e.out.raw("cn\"$<" + ex.hostFontName + ">)");
    e.out.raw(ex.layerGroupLine);
    e.out.raw(ex.layerLine);
}

} // namespace quillet
