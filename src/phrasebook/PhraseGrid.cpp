#include "phrasebook/PhraseGrid.h"

#include "base/Sjis.h"
#include "model/MemoCapacity.h"

#include <algorithm>

namespace quillet::phrasegrid {

namespace {

const std::string &openMarker()
{
    static const std::string text = sjis::fromUtf8("▼ ");
    return text;
}

const std::string &editedBlankMarker()
{
    static const std::string text = sjis::fromUtf8("　 ");
    return text;
}

const std::string kBlankMarker = "   ";

std::size_t lineIndex(int block, int k) { return std::size_t(block * kBlockLines + k); }

} // namespace

Lines blockLines(const Lines &page, int block)
{
    Lines lines(static_cast<std::size_t>(kBlockLines));
    for (int k = 0; k < kBlockLines; ++k)
        lines[std::size_t(k)] = lineAt(page, int(lineIndex(block, k)));
    return lines;
}

std::string condensedLine(const Lines &page, int block)
{
    const Lines lines = blockLines(page, block);
    const bool more = std::any_of(lines.begin() + 1, lines.end(), [](const std::string &l) { return !l.empty(); });
    return (more ? openMarker() : kBlankMarker) + sjis::cutToBytes(lines[0], std::size_t(kCondensedBytes));
}

void GridState::rebuild(const Lines &page)
{
    for (int b = 0; b < kBlocks; ++b)
        condensed[std::size_t(b)] = condensedLine(page, b);
}

MemoCopy copyBlock(const Lines &memo, int caretLine, const Lines &block, CopyMode mode, bool blockViewShown)
{
    MemoCopy result{memo, caretLine, false, false};
    // The copy lands on the line after the caret's, when the box has one.
    if (caretLine < kMemoMaxLines && caretLine + 1 < int(memo.size())) {
        result.caretLine = caretLine + 1;
        result.caretMoved = true;
    }
    if (blockViewShown)
        return result;
    const int t = result.caretLine;
    Lines scratch(20);
    std::copy_n(block.begin(), std::min<std::size_t>(block.size(), kBlockLines), scratch.begin());
    int n = 0;
    for (int i = 0; i < kBlockLines; ++i) {
        if (!scratch[std::size_t(i)].empty())
            n = i + 1;
    }
    if (n == 0)
        return result;

    Lines box = memo;
    const int last = std::min(t + n - 1, kMemoMaxLines - 1);
    switch (mode) {
    case CopyMode::Overwrite:
    case CopyMode::Append:
        if (int(box.size()) < last + 1)
            box.resize(std::size_t(last + 1));
        for (int i = 0; i <= last - t; ++i) {
            const std::string &line = scratch[std::size_t(i)];
            if (line.empty())
                continue;
            std::string &target = box[std::size_t(t + i)];
            target = mode == CopyMode::Append ? target + line : line;
        }
        break;
    case CopyMode::Insert:
        for (int i = 0; i <= last - t; ++i) {
            const std::string &line = scratch[std::size_t(i)];
            if (line.empty())
                continue;
            // A gap in the block can put the index past the end of a short box; the
            // line still goes to its index, over empty lines.
            if (int(box.size()) < t + i)
                box.resize(std::size_t(t + i));
            box.insert(box.begin() + (t + i), line);
        }
        break;
    case CopyMode::ReplaceAll:
        box = scratch;
        break;
    }
    box = applyMemoCapacity(std::move(box));
    while (!box.empty() && box.back().empty())
        box.pop_back();

    result.caretMoved = true;
    result.linesChanged = box != memo;
    result.lines = std::move(box);
    return result;
}

std::optional<std::string> registerBlock(Lines &page, int block, const Lines &memo)
{
    if (memo.empty())
        return std::nullopt;
    const int count = std::min(int(memo.size()), kBlockLines);
    for (int k = 0; k < kBlockLines; ++k)
        lineAt(page, int(lineIndex(block, k))) = k < count ? memo[std::size_t(k)] : std::string();
    return (count >= 2 ? openMarker() : kBlankMarker) + sjis::cutToBytes(memo[0], std::size_t(kCondensedBytes));
}

void deleteBlock(Lines &page, int block)
{
    for (int k = 0; k < kBlockLines; ++k)
        lineAt(page, int(lineIndex(block, k))).clear();
}

EditResult storeEdit(Lines &page, int block, const std::string &cellText)
{
    Lines parts(static_cast<std::size_t>(kBlockLines));
    std::size_t pos = 0;
    for (int k = 0; k < kBlockLines && pos != std::string::npos; ++k) {
        const std::size_t end = cellText.find("\r\n", pos);
        if (end == std::string::npos) {
            parts[std::size_t(k)] = sjis::cutToBytes(cellText.substr(pos), std::size_t(kEditTailBytes));
            pos = std::string::npos;
        } else {
            parts[std::size_t(k)] = cellText.substr(pos, end - pos);
            pos = end + 2;
        }
    }
    EditResult result{false, {}};
    bool more = false;
    for (int k = 0; k < kBlockLines; ++k) {
        std::string &line = lineAt(page, int(lineIndex(block, k)));
        if (line != parts[std::size_t(k)]) {
            line = parts[std::size_t(k)];
            result.modified = true;
        }
        if (k > 0 && !parts[std::size_t(k)].empty())
            more = true;
    }
    result.condensed = (more ? openMarker() : editedBlankMarker()) + parts[0];
    return result;
}

Lines blockViewLines(const Lines &block, bool full)
{
    Lines lines(static_cast<std::size_t>(kBlockLines));
    for (int k = 0; k < kBlockLines && k < int(block.size()); ++k) {
        const std::string &line = block[std::size_t(k)];
        lines[std::size_t(k)] = full || !line.empty() ? line + ":" : line;
    }
    return lines;
}

int edgeZoneWidth(int width, int detectionRange)
{
    switch (detectionRange) {
    case 1:
        return width / 11;
    case 2:
        return width / 8;
    case 3:
        return width / 4;
    default:
        return 0;
    }
}

PointerStep pointerMove(GridState &state, int x, int width, int detectionRange, int row)
{
    using Edge = GridState::Edge;
    PointerStep step;
    if (detectionRange < 1 || detectionRange > 3) {
        state.edge = Edge::None;
        return step;
    }
    const int w = edgeZoneWidth(width, detectionRange);
    bool changed = false;
    if (w < x && x < width - w)
        state.edge = Edge::None;
    if (x < w) {
        step.column = 0;
        changed = state.edge != Edge::Left;
        state.edge = Edge::Left;
        state.permission = true;
    }
    if (x > width - w) {
        step.column = 1;
        changed = state.edge != Edge::Right;
        state.edge = Edge::Right;
        state.permission = true;
    }
    if ((state.edge != Edge::None && row != state.openRow) || changed) {
        if (row < 0 || row >= kRows) {
            state.edge = Edge::None;
            state.permission = false;
        } else {
            state.openRow = row;
            state.permission = true;
            step.openRow = true;
        }
    }
    return step;
}

bool wheelStep(GridState &state, int direction)
{
    if (state.edge != GridState::Edge::None) {
        state.permission = false;
        return false;
    }
    if (direction > 0 && state.openRow < kRows - 1)
        ++state.openRow;
    else if (direction < 0 && state.openRow > 0)
        --state.openRow;
    state.permission = true;
    return true;
}

} // namespace quillet::phrasegrid
