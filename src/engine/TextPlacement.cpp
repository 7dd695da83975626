#include "engine/TextPlacement.h"

#include "base/RealMath.h"

namespace quillet {

namespace {
using ld = long double;
}

void placeText(EngineRun &e)
{
    const RunMeasures &m = e.m;
    GeometryState &g = e.g;
    const FormModel &form = e.form();
    const int kind = e.frameKind();
    const bool oval = kind == 3 || kind == 8;
    const bool underline = kind == 1 || kind == 6;
    const bool textMode = e.mode() == Mode::TextMode;
    const bool horizontal = g.horizontal();
    const bool forward = horizontal ? g.rightward : g.upward; // text runs towards larger values
    const ld s = m.scale, hw = m.halfWidth, sp = m.charSpacing, ch = m.charHeight, lg = m.lineGap;
    const ld frameW = m.frameWidth;
    const float x2 = m.p2.x, y2 = m.p2.y, fx = g.fx, fy = g.fy;

    // 1. Centring offset inside the frame.
    float c = 0;
    if (!form.basic.CheckBox5) {
        c = f32((frameW - ((sp / 2 + hw) * m.widest - sp / 2) * s) / 2);
        if (underline && g.underlineShift) {
            ld v = (frameW - (sp / 2 + hw) * m.widest * s) / 2;
            if (forward)
                v += g.shiftAmount;
            c = f32(v);
        }
        if (oval && !textMode)
            c = f32(forward ? c - hw * s : c + hw * s);
    }

    // 2. Margin from point 2's edge of the frame.
    const float mg = form.basic.CheckBox5 ? 0.0f : f32((ld(form.basic.SpinEdit3) / 10 + ch / 15 + 0.6L) * s);

    // 3. Basic start point.
    float x, y;
    if (horizontal) {
        x = f32(g.rightward ? ext(x2) + c : ext(fx) + c);
        y = f32(ext(y2) + mg);
    } else {
        y = f32(g.upward ? ext(y2) + c : ext(fy) + c);
        x = f32(ext(x2) - mg);
    }
    if ((oval && !textMode) || g.turnBack) {
        if (horizontal && g.point2Below)
            y = f32(ext(fy) + mg);
        else if (!horizontal && !g.point2Left)
            x = f32(ext(fx) - mg);
    }

    const ld twoHw = 2 * hw * s;
    const ld lineStep = (ch + lg) * s;

    // 4. Vertical-writing font, tilt off.
    if (g.verticalFont && !e.tilt()) {
        if (horizontal) {
            const ld yb = g.point2Below && kind >= 10 ? fy : y2;
            if (!g.rightward) {
                y = f32(yb + twoHw + mg);
                x = f32(ext(x2) - mg);
            } else {
                y = f32(yb + mg);
                x = f32(ext(x2) + mg);
            }
        } else {
            const ld xb = !g.point2Left && kind >= 10 ? fx : x2;
            x = f32(xb - lineStep - mg);
            y = f32(g.upward ? ext(fy) - c : ext(y2) - c);
        }
        if (oval) {
            if (horizontal && !g.rightward) {
                x = f32(x2 + lineStep - c);
                y = f32(twoHw + (g.point2Below ? fy : y2) + mg);
            } else if (horizontal) {
                x = f32(ext(x2) + c);
                y = f32(ext(g.point2Below ? fy : y2) + mg);
            } else {
                x = f32(ext(!g.point2Left ? fx : x2) - twoHw - mg);
                y = g.upward ? f32(fy - hw * s - mg) : f32(ext(y2) + mg);
            }
        }
    }

    // 5. Vertical-writing font, tilt on.
    if (g.verticalFont && e.tilt()) {
        if (horizontal && !g.rightward) {
            if (g.point2Below) {
                y = f32(twoHw + (kind >= 10 ? fy : y2) + mg);
                x = f32(ext(x2) - mg);
                if (oval) {
                    y = f32(twoHw + fy + mg);
                    x = f32(lineStep + x2 - c);
                }
            } else {
                y = f32(twoHw + y2 + mg);
                x = f32(ext(x2) - mg);
            }
        } else if (!horizontal) {
            const ld xc = !g.point2Left && (kind >= 10 || oval) ? fx : x2;
            x = f32(xc - twoHw - mg);
            if (!g.upward)
                y = oval ? f32(y2 + 0.7L * mg) : f32(ext(y2) - mg);
            else
                y = oval ? f32(ext(g.ovalInnerEnd) - c) : f32(fy - 1.7L * mg);
        }
    }

    // 6. Tilted vertical layout with an ordinary font.
    if (e.tilt() && !horizontal && !g.verticalFont) {
        const ld farTop = oval ? g.ovalInnerEnd : fy; // the far end along the text
        if (g.point2Left) {
            if (g.upward) {
                x = g.rightward ? f32(ext(x2) - mg) : f32(ext(fx) + mg);
                y = g.rightward ? f32(ext(y2) + c) : f32(farTop - c);
            } else {
                x = g.rightward ? f32(ext(fx) + mg) : f32(ext(x2) - mg);
                y = g.rightward ? (oval ? y2 : f32(ext(y2) - c)) : f32(ext(fy) + c);
            }
        } else {
            if (g.upward) {
                x = g.rightward ? f32(ext(fx) - mg) : f32(ext(x2) + mg);
                y = g.rightward ? f32(ext(y2) + c) : f32(farTop - c);
            } else {
                x = g.rightward ? f32(ext(x2) + mg) : f32(ext(fx) - mg);
                y = g.rightward ? (oval ? y2 : f32(ext(y2) - c)) : f32(ext(fy) + c);
            }
        }
    }

    // 7. Underline slide: the lines below the underline start lower.
    g.slideShift = 0;
    if (underline && m.slide >= 1) {
        g.slideShift = f32(lineStep * m.slide + 2 * ext(mg) - lg * s);
        if (horizontal)
            y = f32(ext(y) - g.slideShift);
        else
            x = f32(ext(x) + g.slideShift);
    }
    g.slideJump = f32(2 * ext(mg) - lg * s);

    g.centring = c;
    g.textMargin = mg;
    g.textStart = {x, y};
}

} // namespace quillet
