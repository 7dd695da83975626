#pragma once
#include "base/TextFile.h"

#include <QString>

namespace quillet::ui::memo {

/// Number of lines as the output counts them: a final empty line does not count.
int lineCount(const QString &text);

/// The lines of the input box as the core keeps them (Shift-JIS).
Lines toLines(const QString &text);

/// The input box's text cut to the annotation's capacity. A final line break after
/// at most five lines stays: the box shows it as an empty line the user cannot fill.
QString fitToCapacity(const QString &text);

} // namespace quillet::ui::memo
