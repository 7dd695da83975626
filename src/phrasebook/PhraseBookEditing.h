#pragma once
#include "base/Host.h"
#include "phrasebook/PhraseBook.h"
#include "phrasebook/PhraseGrid.h"

#include <filesystem>
#include <optional>

// The phrase-book gestures that change the open page, its file or the open folder,
// with their messages. None of them lets a file error escape: the user is told, the
// operation stops and what was on screen stays true.
namespace quillet::phrasegrid {

/// "登録": the input box into `block`, then the page is written. False when nothing
/// changed (an empty box).
bool registerInput(PhraseBook &book, GridState &grid, Host &host, int block, const Lines &memo);

/// "削除": empties `block` and writes the page.
void deleteFromBook(PhraseBook &book, GridState &grid, Host &host, int block);

/// An in-place edit of the open row's cell for `block` (lines separated by CR LF); it
/// reaches the file at the next page switch, folder switch or exit.
void storeCellEdit(PhraseBook &book, GridState &grid, int block, const std::string &cellText);

/// Page switch to `page` (1..20). On a file error the previous page stays open and
/// current; false then.
bool switchPage(PhraseBook &book, GridState &grid, Host &host, int page);

/// "文字帳切替" with the folder the user chose (none when cancelled). In-place edits of
/// the page being left are written first. A folder outside the start directory is
/// refused with a message.
void switchFolder(PhraseBook &book, GridState &grid, Host &host, const std::optional<std::filesystem::path> &chosen);

} // namespace quillet::phrasegrid
