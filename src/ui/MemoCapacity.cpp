#include "ui/MemoCapacity.h"

#include "ui/Texts.h"

#include <QPlainTextEdit>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace quillet::ui::memo {

namespace {

// Characters the box shows inside one line that the plain text turns into line breaks.
bool isInnerBreak(QChar c)
{
    return c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

bool needsFitting(const QTextDocument *document)
{
    if (document->blockCount() > kMemoMaxLines)
        return true;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (std::any_of(text.begin(), text.end(), isInnerBreak) || keptLength(text) < text.size())
            return true;
    }
    return false;
}

void splitInnerBreaks(QTextCursor &cursor)
{
    for (QTextBlock block = cursor.document()->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        const auto found = std::find_if(text.begin(), text.end(), isInnerBreak);
        if (found == text.end())
            continue;
        cursor.setPosition(block.position() + int(found - text.begin()));
        cursor.deleteChar();
        cursor.insertBlock();
        block = cursor.block().previous(); // the rest of the line is checked as a line of its own
    }
}

void dropLinesAfterLast(QTextCursor &cursor)
{
    const QTextBlock last = cursor.document()->findBlockByNumber(kMemoMaxLines - 1);
    if (!last.isValid() || !last.next().isValid())
        return;
    cursor.setPosition(last.position() + last.length() - 1);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

void cutLongLines(QTextCursor &cursor)
{
    for (QTextBlock block = cursor.document()->begin(); block.isValid(); block = block.next()) {
        const int kept = keptLength(block.text());
        if (kept == block.length() - 1)
            continue;
        cursor.setPosition(block.position() + kept);
        cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
}

} // namespace

Lines toLines(const QString &text)
{
    QStringList parts = text.split(QLatin1Char('\n'));
    if (!parts.isEmpty() && parts.last().isEmpty())
        parts.removeLast();
    Lines lines;
    for (const QString &part : parts)
        lines.push_back(toSjis(part));
    return lines;
}

int keptLength(const QString &line)
{
    const std::string bytes = toSjis(line);
    const std::size_t keep = memoLineKeptBytes(bytes);
    if (keep == bytes.size())
        return int(line.size());
    // Walk the characters as the conversion counts them, so that a character the code
    // page lacks (written as one '?') and a surrogate pair are each one character.
    std::size_t used = 0;
    int at = 0;
    while (at < line.size()) {
        const int width = line.at(at).isHighSurrogate() && at + 1 < line.size() ? 2 : 1;
        const std::size_t bytesOfChar = toSjis(line.mid(at, width)).size();
        if (used + bytesOfChar > keep)
            break;
        used += bytesOfChar;
        at += width;
    }
    return at;
}

bool fitDocument(QTextDocument *document)
{
    if (!needsFitting(document))
        return false;
    QTextCursor cursor(document);
    cursor.joinPreviousEditBlock();
    splitInnerBreaks(cursor);
    dropLinesAfterLast(cursor);
    cutLongLines(cursor);
    cursor.endEditBlock();
    return true;
}

MemoCaret caretOf(const QPlainTextEdit *box)
{
    const QTextCursor cursor = box->textCursor();
    return {cursor.blockNumber(), cursor.positionInBlock()};
}

void placeCaret(QPlainTextEdit *box, MemoCaret caret)
{
    const QTextDocument *document = box->document();
    QTextBlock block = document->findBlockByNumber(std::min(caret.line, document->blockCount() - 1));
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + std::clamp(caret.column, 0, block.length() - 1));
    box->setTextCursor(cursor);
}

} // namespace quillet::ui::memo
