#include "phrasebook/PhraseBookEditing.h"

#include "base/Errors.h"
#include "base/Messages.h"

namespace quillet::phrasegrid {

namespace {

void writePage(PhraseBook &book, Host &host)
{
    try {
        book.writeOpenPage();
    } catch (const InOutError &) {
        // The block stays on screen and in memory; the next switch or exit tries again.
        book.setModified(true);
        host.warning(msg::inOut());
    }
}

} // namespace

bool registerInput(PhraseBook &book, GridState &grid, Host &host, int block, const Lines &memo)
{
    if (memo.empty())
        return false;
    book.startMissingPage();
    grid.condensed[std::size_t(block)] = *registerBlock(book.openPage(), block, memo);
    writePage(book, host);
    return true;
}

void deleteFromBook(PhraseBook &book, GridState &grid, Host &host, int block)
{
    book.startMissingPage();
    deleteBlock(book.openPage(), block);
    grid.condensed[std::size_t(block)].clear();
    writePage(book, host);
}

void storeCellEdit(PhraseBook &book, GridState &grid, int block, const std::string &cellText)
{
    if (!book.acceptsEdits())
        return;
    Lines trial = book.openPage();
    if (storeEdit(trial, block, cellText).modified) {
        book.startMissingPage();
        book.setModified(true);
    }
    grid.condensed[std::size_t(block)] = storeEdit(book.openPage(), block, cellText).condensed;
}

bool switchPage(PhraseBook &book, GridState &grid, Host &host, int page)
{
    const PhraseBook before = book;
    try {
        if (book.switchPage(host, page) == PhraseBook::OpenResult::Created)
            book.pageIndex()[std::size_t(page - 1)].clear();
    } catch (const InOutError &) {
        book = before;
        host.warning(msg::inOut());
        return false;
    } catch (const RangeError &) {
        book = before;
        host.warning(msg::startupRange());
        return false;
    } catch (const AccessError &) {
        book = before;
        host.warning(msg::startupAccess());
        return false;
    }
    grid.rebuild(book.openPage());
    return true;
}

void switchFolder(PhraseBook &book, GridState &grid, Host &host, const std::optional<std::filesystem::path> &chosen)
{
    if (book.modified() && book.pageValid()) {
        try {
            book.writeOpenPage();
        } catch (const InOutError &) {
            host.warning(msg::inOut());
            return;
        }
    }
    std::optional<std::filesystem::path> target = chosen;
    if (chosen && !PhraseBook::folderStringFor(book.startDir(), *chosen)) {
        host.warning(msg::folderOutsideStart());
        target.reset();
    }
    const PhraseBook before = book;
    try {
        book.switchFolder(host, target);
    } catch (const InOutError &) {
        book = before;
        host.warning(msg::inOut());
    }
    grid.rebuild(book.openPage());
}

} // namespace quillet::phrasegrid
