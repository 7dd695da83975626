#pragma once
#include "model/FormModel.h"

#include <QColor>
#include <QIcon>
#include <QSize>

namespace quillet::ui::icons {

constexpr QSize kTipSize{24, 16};
constexpr QSize kFrameSize{30, 16};

/// Small picture of tip symbol 0..7 at the end of a leader.
QIcon tipSymbol(int index);

/// Small picture of frame kind 0..14 around two text lines.
QIcon frameKind(int index);

/// The glyph of the input-method button for a mode ("JPHIRAZ", "JPKANAZ", "JPKANAH", "JPROMAZ").
QIcon imeGlyph(ImeMode mode);

/// A swatch of a colour for the colour lists.
QIcon colorSwatch(const QColor &color);

} // namespace quillet::ui::icons
