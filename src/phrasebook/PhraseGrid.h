#pragma once
#include "base/TextFile.h"

#include <array>
#include <optional>
#include <string>

// What the phrase-book grid does to the open page and to the input box, without the
// window: blocks, their one-line forms, the copy modes, registering, deleting, in-place
// edits, and the pointer's edge zones.
namespace quillet::phrasegrid {

constexpr int kRows = 18;
constexpr int kColumns = 2;
constexpr int kBlocks = kRows * kColumns;
constexpr int kBlockLines = 5;
constexpr int kCondensedBytes = 43;
/// An in-place edit's last line is kept to this many bytes when no line break follows.
constexpr int kEditTailBytes = 350;

/// Block shown in cell (column, row).
constexpr int blockAt(int column, int row) { return column * kRows + row; }

/// The five lines of block `block` of a 180-line page.
Lines blockLines(const Lines &page, int block);

/// The one-line form of a block of a loaded page: "▼ " when lines 2..5 hold text,
/// three blanks otherwise, then the first 43 bytes of its first line.
std::string condensedLine(const Lines &page, int block);

/// The grid's 36 one-line forms and where the pointer and the open row are.
struct GridState {
    enum class Edge { None, Left, Right };

    std::array<std::string, kBlocks> condensed;
    int openRow = 0;
    Edge edge = Edge::None;
    /// A cell can become current only while this is on.
    bool permission = true;

    /// Rebuilds every one-line form from the open page.
    void rebuild(const Lines &page);
};

/// The copy modes of "文字帳から", in their item order (the stored copy method).
enum class CopyMode { Overwrite = 0, Insert = 1, Append = 2, ReplaceAll = 3 };

struct MemoCopy {
    Lines lines;        ///< the input box afterwards
    int caretLine;      ///< line the caret is on afterwards
    bool caretMoved;    ///< the caret goes to column 0 of caretLine
    bool linesChanged;  ///< the box's text changed
};

/// Copies `block` into the input box `memo` whose caret is on `caretLine`: the caret
/// first steps to the next line when there is one, then (unless the block view is
/// shown or the block is empty) the block goes in by `mode`, the box keeps its
/// capacity and loses trailing empty lines.
MemoCopy copyBlock(const Lines &memo, int caretLine, const Lines &block, CopyMode mode, bool blockViewShown);

/// Registers the input box into `block`: its lines, then empty lines up to five. Returns
/// the block's new one-line form, or nothing when the box is empty.
std::optional<std::string> registerBlock(Lines &page, int block, const Lines &memo);

/// Empties the five lines of `block`.
void deleteBlock(Lines &page, int block);

struct EditResult {
    bool modified;         ///< a page line changed
    std::string condensed; ///< the block's new one-line form
};

/// Stores the text of an open-row cell, lines separated by CR LF, into `block`.
EditResult storeEdit(Lines &page, int block, const std::string &cellText);

/// The block view's five lines: ":" after every line when `full`, else only after
/// lines that hold text.
Lines blockViewLines(const Lines &block, bool full);

/// Width of the edge zones for a grid `width` pixels wide and the detection range
/// 0 無し, 1 狭い, 2 標準, 3 広い; 0 when there are none.
int edgeZoneWidth(int width, int detectionRange);

struct PointerStep {
    int column = -1;      ///< column to make current, -1 none
    bool openRow = false; ///< the open row moved to the pointer's row
};

/// The pointer moved to x over a grid `width` wide, above row `row` (-1 when it is
/// over no row).
PointerStep pointerMove(GridState &state, int x, int width, int detectionRange, int row);

/// A wheel step down (+1) or up (-1). False when the step is refused because the
/// pointer is in an edge zone; the grid's own step is then refused as well.
bool wheelStep(GridState &state, int direction);

} // namespace quillet::phrasegrid
