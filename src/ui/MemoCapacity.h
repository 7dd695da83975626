#pragma once
#include <QString>

namespace quillet::ui::memo {

constexpr int kMaxLines = 5;
constexpr int kMaxLineBytes = 70;

/// The annotation text cut to what the output can hold: lines after the fifth are
/// dropped and each of the first five is cut to 70 Shift-JIS bytes (a full-width
/// character counting two, never split). A final line break after five lines stays,
/// as the box shows it as an empty sixth line the user cannot fill.
QString fitToCapacity(const QString &text);

/// Number of lines as the output counts them: a final empty line does not count.
int lineCount(const QString &text);

} // namespace quillet::ui::memo
