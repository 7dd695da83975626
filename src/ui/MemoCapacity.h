#pragma once
#include "base/TextFile.h"
#include "model/MemoCapacity.h"

#include <QString>

class QPlainTextEdit;
class QTextDocument;

namespace quillet::ui::memo {

/// The lines of the input box as the core keeps them (Shift-JIS); a final empty line
/// does not count.
Lines toLines(const QString &text);

/// How many characters (UTF-16 units) at the start of one line the capacity keeps.
int keptLength(const QString &line);

/// Brings the box's text within the capacity: lines after the fifth go, longer lines
/// are cut, and a line separator typed or pasted inside a line becomes a real line
/// break, so that every line the box shows is a line the capacity counts. The edits
/// join the edit that caused them, so one undo takes back both. True when anything
/// changed.
bool fitDocument(QTextDocument *document);

/// The caret of a box as line and column.
MemoCaret caretOf(const QPlainTextEdit *box);

/// Puts the caret of a box on a line and column, pulled to the nearest place that exists.
void placeCaret(QPlainTextEdit *box, MemoCaret caret);

} // namespace quillet::ui::memo
