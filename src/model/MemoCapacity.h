#pragma once
#include "base/TextFile.h"

#include <cstddef>
#include <string>

namespace quillet {

constexpr int kMemoMaxLines = 5;
constexpr int kMemoMaxLineBytes = 70;

/// The annotation's fixed capacity: at most five lines of at most 70 bytes each; a
/// double-byte character that the cut would split is dropped whole.
Lines applyMemoCapacity(Lines lines);

/// How many leading bytes of one line the capacity keeps.
std::size_t memoLineKeptBytes(const std::string &line);

/// A line break may be typed only while the box has room for another line, so that
/// Enter never pushes the last line out of a full box.
inline bool memoTakesLineBreak(int lineCount)
{
    return lineCount < kMemoMaxLines;
}

/// The caret may move down only from a line above the last one the box keeps.
inline bool memoCaretMayGoDown(int line)
{
    return line < kMemoMaxLines - 1;
}

/// A caret place in the input box, lines and columns counted from 0.
struct MemoCaret {
    int line = 0;
    int column = 0;
};

/// The caret memory of the input box's change handling. Putting the box back within
/// its capacity changes it again; those nested changes go back to the caret that the
/// outermost change left, not to wherever the trimming put it.
class MemoCaretMemory {
public:
    /// Starts handling a change, with the caret where the change left it.
    void enter(MemoCaret now)
    {
        if (m_depth++ == 0)
            m_saved = now;
    }
    void leave() { --m_depth; }
    bool nested() const { return m_depth > 1; }

    /// Where the caret belongs once the box is within its capacity: back where the
    /// outermost change left it, or on the last kept line at the column it has now
    /// when that line was cut away.
    MemoCaret restored(MemoCaret now) const
    {
        if (m_saved.line < kMemoMaxLines)
            return m_saved;
        return {kMemoMaxLines - 1, now.column};
    }

private:
    int m_depth = 0;
    MemoCaret m_saved;
};

} // namespace quillet
